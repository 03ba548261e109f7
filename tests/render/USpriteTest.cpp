#include "RenderTestKit.h"

#include "render/USprite.h"
#include "render/UTexturePack.h"

#include <cstring>

namespace vantero::rendertest {
namespace {

class SpriteTest : public RenderTest {
protected:
	// The texel of a piece at (x, y) of its texture rectangle, as ARGB.
	static uint32_t Texel(const TTexturePack &pack, const TSpritePiece &piece, int x, int y)
	{
		const platform::TBackendTexture &texture = *pack.GetTexture(piece.TextureIndex);
		return texture.Argb()[(piece.TextureRect.Top + y) * 256 + piece.TextureRect.Left + x];
	}
	// Clears the back buffer to the colour and draws one sprite call.
	void DrawOn(uint32_t background, const std::function<void()> &draw)
	{
		Backend().Clear(background);
		ASSERT_TRUE(Device->BeginFrame());
		draw();
		Device->EndFrame();
	}
};

TEST_F(SpriteTest, PicturesAreCutIntoTilesOf256RowByRow)
{
	OpenDevice();
	struct TCase {
		int W, H;
		std::vector<TRect> Pieces;
	};
	const TCase cases[] = {
		{256, 256, {{0, 0, 256, 256}}},
		{257, 256, {{0, 0, 256, 256}, {256, 0, 257, 256}}},
		{300, 520,
			{{0, 0, 256, 256}, {256, 0, 300, 256}, {0, 256, 256, 512}, {256, 256, 300, 512}, {0, 512, 256, 520},
				{256, 512, 300, 520}}},
	};
	for (const TCase &c : cases) {
		TTexturePack pack(false);
		const TSprite sprite(TGSoftwareSurface(c.W, c.H, 0xFF000000u), 2, pack, nullptr);
		ASSERT_EQ(sprite.Pieces.size(), c.Pieces.size()) << c.W << "x" << c.H;
		for (size_t i = 0; i < c.Pieces.size(); ++i) {
			const TSpritePiece &piece = sprite.Pieces[i];
			EXPECT_EQ(piece.SpriteRect, c.Pieces[i]) << c.W << "x" << c.H << " piece " << i;
			EXPECT_EQ(piece.TextureRect.Right - piece.TextureRect.Left, c.Pieces[i].Right - c.Pieces[i].Left);
			EXPECT_EQ(piece.TextureRect.Bottom - piece.TextureRect.Top, c.Pieces[i].Bottom - c.Pieces[i].Top);
		}
	}
	TTexturePack pack(false);
	const TSprite six(TGSoftwareSurface(600, 300), 2, pack, nullptr);
	EXPECT_EQ(six.Pieces.size(), 6u);
}

TEST_F(SpriteTest, TexelsCombineColourAlphaPictureAndColourKey)
{
	OpenDevice();
	TTexturePack pack(false);
	TGSoftwareSurface picture = GradientPicture(4, 2);
	picture.SetPixel(1, 0, 0xFFFF00FFu);
	TGSoftwareSurface alpha(4, 2, 0xFF0000FFu);
	alpha.SetPixel(2, 0, 0xFF000080u);
	alpha.SetPixel(3, 0, 0xFF000000u);
	const TSprite sprite(picture, 2, pack, &alpha);
	const TSpritePiece &piece = sprite.Pieces[0];
	EXPECT_EQ(Texel(pack, piece, 0, 0), picture.Pixel(0, 0));
	EXPECT_EQ(Texel(pack, piece, 1, 0), 0u);
	EXPECT_EQ(Texel(pack, piece, 2, 0), (picture.Pixel(2, 0) & 0xFFFFFF) | 0x80000000u);
	EXPECT_EQ(Texel(pack, piece, 3, 0) >> 24, 0u);
	EXPECT_EQ(Texel(pack, piece, 3, 1), picture.Pixel(3, 1));
}

TEST_F(SpriteTest, DestroyingASpriteReturnsItsRoom)
{
	OpenDevice();
	TTexturePack pack(false);
	{
		const TSprite sprite(TGSoftwareSurface(300, 100), 2, pack, nullptr);
		// Both pieces (256 and 44 wide) fit one texture, one above the other.
		EXPECT_EQ(sprite.Pieces[1].TextureRect, (TRect{0, 100, 44, 200}));
		EXPECT_DOUBLE_EQ(pack.Textures[0].Allocator->UsedArea, 300.0 * 100.0);
	}
	EXPECT_DOUBLE_EQ(pack.Textures[0].Allocator->UsedArea, 0.0);
	EXPECT_EQ(pack.TextureCount(), 1);
}

TEST_F(SpriteTest, TexelsLandOnPixelsWithMirroringAndSubRectangles)
{
	OpenDevice();
	TTexturePack pack(false);
	const TGSoftwareSurface picture = GradientPicture(6, 4);
	TSprite sprite(picture, 2, pack, nullptr);
	sprite.UseAlpha = true;
	struct TCase {
		const char *Name;
		TRect Source;
		// Picture pixel expected at screen (10 + i, 20 + j).
		std::function<std::pair<int, int>(int, int)> Map;
		int W, H;
	};
	const TCase cases[] = {
		{"whole", {0, 0, 6, 4}, [](int i, int j) { return std::pair{i, j}; }, 6, 4},
		{"mirrored left-right", {6, 0, 0, 4}, [](int i, int j) { return std::pair{5 - i, j}; }, 6, 4},
		{"mirrored top-bottom", {0, 4, 6, 0}, [](int i, int j) { return std::pair{i, 3 - j}; }, 6, 4},
		{"part", {2, 1, 5, 3}, [](int i, int j) { return std::pair{2 + i, 1 + j}; }, 3, 2},
	};
	for (const TCase &c : cases) {
		DrawOn(0xFF000000u, [&] { sprite.Draw(c.Source, 255, 0, 1.0, 10, 20); });
		for (int j = 0; j < c.H; ++j)
			for (int i = 0; i < c.W; ++i) {
				const auto [px, py] = c.Map(i, j);
				EXPECT_EQ(PixelAt(10 + i, 20 + j), picture.Pixel(px, py)) << c.Name << " at " << i << "," << j;
			}
		// Nothing outside the drawn area.
		EXPECT_EQ(PixelAt(9, 20), 0xFF000000u) << c.Name;
		EXPECT_EQ(PixelAt(10 + c.W, 20), 0xFF000000u) << c.Name;
		EXPECT_EQ(PixelAt(10, 20 + c.H), 0xFF000000u) << c.Name;
	}
	DrawOn(0xFF000000u, [&] { sprite.Draw(TRect{0, 0, 0, 0}, 255, 0, 1.0, 10, 20); });
	EXPECT_EQ(PixelAt(10, 20), 0xFF000000u);
}

TEST_F(SpriteTest, ScaleKeepsTheHalfPixelShiftOfEachSourcePixel)
{
	OpenDevice();
	TTexturePack pack(false);
	const TGSoftwareSurface picture = GradientPicture(4, 4);
	TSprite sprite(picture, 2, pack, nullptr);
	DrawOn(0xFF000000u, [&] { DrawSprite(sprite, 255, 0, 2.0, 10, 10); });
	// Scale 2 puts the picture from 9 - 0.5 ... texel k covers pixels 9 + 2k and 10 + 2k.
	for (int k = 0; k < 4; ++k) {
		EXPECT_EQ(PixelAt(9 + 2 * k, 9), picture.Pixel(k, 0)) << k;
		EXPECT_EQ(PixelAt(10 + 2 * k, 10), picture.Pixel(k, 0)) << k;
	}
	EXPECT_EQ(PixelAt(17, 9), 0xFF000000u);
	EXPECT_EQ(PixelAt(8, 9), 0xFF000000u);
}

TEST_F(SpriteTest, DrawModesAndAlphaRules)
{
	OpenDevice();
	TTexturePack pack(false);
	TGSoftwareSurface picture(2, 1, Rgb(0x80, 0x60, 0x40));
	picture.SetPixel(1, 0, 0x80C0C0C0u); // half transparent
	TSprite sprite(picture, 2, pack, nullptr);
	sprite.UseAlpha = true;
	const uint32_t back = Rgb(200, 100, 50);
	const auto mul = [](int a, int b) { return (a * b + 127) / 255; };
	struct TCase {
		const char *Name;
		int Alpha;
		uint8_t Mode;
		bool UseAlpha;
		uint32_t Opaque, Half;
	};
	const TCase cases[] = {
		{"normal opaque", 255, 0, true, Rgb(0x80, 0x60, 0x40),
			Rgb(mul(0xC0, 128) + mul(200, 127), mul(0xC0, 128) + mul(100, 127), mul(0xC0, 128) + mul(50, 127))},
		{"alpha above 255 clamps", 300, 0, true, Rgb(0x80, 0x60, 0x40),
			Rgb(mul(0xC0, 128) + mul(200, 127), mul(0xC0, 128) + mul(100, 127), mul(0xC0, 128) + mul(50, 127))},
		{"normal half alpha", 128, 0, true,
			Rgb(mul(0x80, 128) + mul(200, 127), mul(0x60, 128) + mul(100, 127), mul(0x40, 128) + mul(50, 127)),
			// texture alpha 128 x vertex alpha 128 = 64
			Rgb(mul(0xC0, 64) + mul(200, 191), mul(0xC0, 64) + mul(100, 191), mul(0xC0, 64) + mul(50, 191))},
		{"negative alpha draws nothing", -20, 0, true, back, back},
		{"no blending without UseAlpha", 255, 0, false, Rgb(0x80, 0x60, 0x40), Rgb(0xC0, 0xC0, 0xC0)},
		{"darken", 255, 1, true, Rgb(mul(200, 255 - 0x80), mul(100, 255 - 0x60), mul(50, 255 - 0x40)),
			Rgb(mul(200, 255 - 0xC0), mul(100, 255 - 0xC0), mul(50, 255 - 0xC0))},
		{"additive half", 128, 2, true, Rgb(255, 100 + mul(0x60, 128), 50 + mul(0x40, 128)),
			Rgb(255, 100 + mul(0xC0, 128), 50 + mul(0xC0, 128))},
	};
	for (const TCase &c : cases) {
		sprite.UseAlpha = c.UseAlpha;
		DrawOn(back, [&] { DrawSprite(sprite, c.Alpha, c.Mode, 1.0, 5, 5); });
		EXPECT_LE(ColorDistance(PixelAt(5, 5), c.Opaque), 1) << c.Name << std::hex << " got " << PixelAt(5, 5);
		EXPECT_LE(ColorDistance(PixelAt(6, 5), c.Half), 1) << c.Name << std::hex << " got " << PixelAt(6, 5);
	}
}

TEST_F(SpriteTest, TransparentTexelsAreNeverWritten)
{
	OpenDevice();
	TTexturePack pack(false);
	TGSoftwareSurface picture(2, 1, Rgb(10, 20, 30));
	picture.SetPixel(1, 0, 0xFFFF00FFu);
	TSprite sprite(picture, 0, pack, nullptr);
	sprite.UseAlpha = false;
	// A colour quad leaves the stage taking alpha from the vertices; the sprite must not inherit that.
	DrawOn(Rgb(1, 2, 3), [&] {
		Device->FillRect(TRect{40, 40, 41, 41}, {0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u});
		DrawSpriteAt(sprite, 5, 5);
	});
	EXPECT_EQ(PixelAt(5, 5), Rgb(10, 20, 30));
	EXPECT_EQ(PixelAt(6, 5), Rgb(1, 2, 3));
}

TEST_F(SpriteTest, SixteenBitTexturesGiveSixteenBitColours)
{
	TDeviceOptions options;
	options.Force16Bit = "1";
	OpenDevice(options);
	ASSERT_EQ(Device->TextureDepth, 1);
	TTexturePack pack(false);
	TGSoftwareSurface picture(2, 1, Rgb(0x8F, 0x6F, 0x4F));
	picture.SetPixel(1, 0, 0x08FFFFFFu); // alpha below one step of A4R4G4B4
	TSprite smooth(picture, 2, pack, nullptr);
	TSprite onOff(picture, 0, pack, nullptr);
	smooth.UseAlpha = onOff.UseAlpha = true;
	DrawOn(Rgb(0, 0, 0), [&] {
		DrawSpriteAt(smooth, 0, 0);
		DrawSpriteAt(onOff, 0, 1);
	});
	EXPECT_EQ(PixelAt(0, 0), Rgb(0x88, 0x66, 0x44));
	EXPECT_EQ(PixelAt(1, 0), Rgb(0, 0, 0)) << "alpha 0 after conversion fails the alpha test";
	EXPECT_EQ(PixelAt(0, 1), Rgb(0x8C, 0x6B, 0x4A));
	EXPECT_EQ(PixelAt(1, 1), Rgb(0, 0, 0));
}

TEST_F(SpriteTest, ClippedSpritesUseTheGameAreaOffsetAndEdges)
{
	OpenDevice();
	FramedLayout = true;
	GameOffsetX = 10;
	GameOffsetY = 5;
	GameWidth = 40;
	GameHeight = 30;
	TTexturePack pack(false);
	const TGSoftwareSurface picture = GradientPicture(8, 4);
	const std::unique_ptr<TSprite> sprite = CreateSpriteFrame(picture, 2, pack, nullptr, false);
	ASSERT_NE(dynamic_cast<TSpriteClipped *>(sprite.get()), nullptr);
	EXPECT_EQ(dynamic_cast<TSpriteClipped *>(CreateSpriteFrame(picture, 2, pack, nullptr, true).get()), nullptr);
	sprite->UseAlpha = true;

	// Left edge: X = -3 loses three columns and starts at game x 0.
	DrawOn(0xFF000000u, [&] { DrawSpriteAt(*sprite, -3, 2); });
	EXPECT_EQ(PixelAt(10, 7), picture.Pixel(3, 0));
	EXPECT_EQ(PixelAt(14, 7), picture.Pixel(7, 0));
	EXPECT_EQ(PixelAt(9, 7), 0xFF000000u);
	// Right edge: only the columns inside the game area are drawn.
	DrawOn(0xFF000000u, [&] { DrawSpriteAt(*sprite, 37, 2); });
	EXPECT_EQ(PixelAt(47, 7), picture.Pixel(0, 0));
	EXPECT_EQ(PixelAt(49, 7), picture.Pixel(2, 0));
	EXPECT_EQ(PixelAt(50, 7), 0xFF000000u);
	// Mirrored at the left edge: the screen-left columns of the mirrored picture go.
	DrawOn(0xFF000000u, [&] { sprite->Draw(TRect{8, 0, 0, 4}, 255, 0, 1.0, -3, 0); });
	EXPECT_EQ(PixelAt(10, 5), picture.Pixel(4, 0));
	// Top and bottom; a sprite wholly outside draws nothing.
	DrawOn(0xFF000000u, [&] {
		DrawSpriteAt(*sprite, 0, -2);
		DrawSpriteAt(*sprite, 20, 28);
		DrawSpriteAt(*sprite, 0, 31);
	});
	EXPECT_EQ(PixelAt(10, 5), picture.Pixel(0, 2));
	EXPECT_EQ(PixelAt(10, 4), 0xFF000000u);
	EXPECT_EQ(PixelAt(30, 34), picture.Pixel(0, 1));
	EXPECT_EQ(PixelAt(30, 35), 0xFF000000u);
	EXPECT_EQ(PixelAt(10, 36), 0xFF000000u);
}

TEST_F(SpriteTest, SequenceFramesAndUseAlpha)
{
	OpenDevice();
	TTexturePack pack(false);
	TSequence sequence("base/box", false);
	sequence.UseAlpha = false;
	sequence.AddFrame(CreateSpriteFrame(TGSoftwareSurface(5, 3), 2, pack, nullptr, false));
	sequence.AddFrame(CreateSpriteFrame(TGSoftwareSurface(5, 3), 2, pack, nullptr, false));
	EXPECT_EQ(sequence.FrameCount(), 2);
	EXPECT_EQ(sequence.Width, 5);
	EXPECT_EQ(sequence.Height, 3);
	EXPECT_FALSE(sequence.Frame(1).UseAlpha);
	sequence.SetUseAlpha(true);
	EXPECT_TRUE(sequence.Frame(0).UseAlpha && sequence.Frame(1).UseAlpha);
	EXPECT_THROW(sequence.Frame(2), std::out_of_range);
	EXPECT_THROW(sequence.Frame(-1), std::out_of_range);
}

} // namespace
} // namespace vantero::rendertest
