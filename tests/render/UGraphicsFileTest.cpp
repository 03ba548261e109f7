#include "PoolTestKit.h"

#include "render/UGraphicsFile.h"

namespace vantero::rendertest {
namespace {

std::unique_ptr<TGraphicsFile> Decode(const std::string &name, const std::vector<uint8_t> &bytes)
{
	return DecodeGraphicsFile(name, bytes.data(), bytes.size());
}

TEST(GraphicsFileTest, FrameCountComesFromTheNumberBetweenTheFirstTwoDots)
{
	const std::pair<const char *, int> cases[] = {
		{"graphics/base/characters/workerwalk.16.gif", 16},
		{"flags.60.jpg", 60},
		{"hud.png", 1},
		{"name.big.png", 1},
		{"name.0.png", 1},
		{"name.-3.png", 1},
		{"name.12", 1},
		{"a.7.b.9.png", 7},
	};
	for (const auto &[name, count] : cases)
		EXPECT_EQ(FrameCountFromName(name), count) << name;
}

TEST(GraphicsFileTest, StillPicturesAreCutIntoStripsLeftToRight)
{
	const auto strip = Decode("flags.60.jpg", JpegBytes(600, 8, Gradient(600, 8)));
	ASSERT_EQ(strip->FrameCount(), 60);
	EXPECT_EQ(strip->Picture(59).Width(), 10);
	EXPECT_EQ(strip->Picture(59).Height(), 8);
	EXPECT_EQ(strip->AlphaPicture(0), nullptr);

	const auto png = Decode("walk.4.png", PngBytes(42, 3, Gradient(42, 3), false));
	ASSERT_EQ(png->FrameCount(), 4);
	EXPECT_EQ(png->Picture(0).Width(), 10); // 42 div 4
	EXPECT_EQ(png->Picture(2).Pixel(1, 2), Gradient(42, 3)[2 * 42 + 21]);
	EXPECT_EQ(png->AlphaPicture(1), nullptr);

	// A count above the width cannot make empty frames.
	EXPECT_EQ(Decode("tiny.500.png", PngBytes(3, 1, Solid(3, 1, Rgb(1, 2, 3)), false))->FrameCount(), 3);
}

TEST(GraphicsFileTest, PngTransparencyBecomesGreyAlphaPictures)
{
	std::vector<uint32_t> pixels = Gradient(8, 2);
	pixels[1] = 0x80112233u;
	pixels[4 + 8] = 0x00445566u;
	const auto file = Decode("hud.2.png", PngBytes(8, 2, pixels, true));
	ASSERT_EQ(file->FrameCount(), 2);
	ASSERT_NE(file->AlphaPicture(0), nullptr);
	EXPECT_EQ(file->Picture(0).Pixel(1, 0), 0xFF112233u);
	EXPECT_EQ(file->AlphaPicture(0)->Pixel(1, 0), 0xFF808080u);
	EXPECT_EQ(file->AlphaPicture(0)->Pixel(0, 0), 0xFFFFFFFFu);
	EXPECT_EQ(file->Picture(1).Pixel(0, 1), 0xFF445566u);
	EXPECT_EQ(file->AlphaPicture(1)->Pixel(0, 1), 0xFF000000u);
}

TEST(GraphicsFileTest, JpegKeepsColoursClosely)
{
	const auto file = Decode("back.jpg", JpegBytes(16, 16, Solid(16, 16, 0x3080C0)));
	ASSERT_EQ(file->FrameCount(), 1);
	EXPECT_LE(ColorDistance(file->Picture(0).Pixel(5, 5), Rgb(0x30, 0x80, 0xC0)), 3);
	EXPECT_EQ(file->Picture(0).Pixel(5, 5) >> 24, 0xFFu);
}

TEST(GraphicsFileTest, SingleImageGifLeavesTransparentPixelsMagentaAndIsAStrip)
{
	const std::vector<uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF};
	TGifImage image{0, 0, 4, 1, {0, 2, 1, 2}, 2};
	const auto file = Decode("gems.2.gif", GifBytes(4, 1, palette, {image}));
	ASSERT_EQ(file->FrameCount(), 2);
	EXPECT_EQ(file->Picture(0).Pixel(0, 0), 0xFFFF0000u);
	EXPECT_EQ(file->Picture(0).Pixel(1, 0), 0xFFFF00FFu);
	EXPECT_EQ(file->Picture(1).Pixel(0, 0), 0xFF00FF00u);
	EXPECT_EQ(file->Picture(1).Pixel(1, 0), 0xFFFF00FFu);
	EXPECT_EQ(file->AlphaPicture(0), nullptr);
}

TEST(GraphicsFileTest, GifAnimationFramesAccumulateTheImagesBeforeThem)
{
	const std::vector<uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
	const std::vector<TGifImage> images = {
		{0, 0, 2, 1, {0, 3}, 3},       // red, transparent
		{1, 1, 1, 1, {1}, -1},         // green below, right
		{0, 0, 3, 2, {2, 3, 3, 3, 3, 3}, 3}, // blue at the top left, the rest transparent
	};
	// The name's count is not used for animations.
	const auto file = Decode("anim.7.gif", GifBytes(3, 2, palette, images));
	ASSERT_EQ(file->FrameCount(), 3);
	const uint32_t key = 0xFFFF00FFu;
	const std::vector<std::vector<uint32_t>> expected = {
		{0xFFFF0000u, key, key, key, key, key},
		{0xFFFF0000u, key, key, key, 0xFF00FF00u, key},
		{0xFF0000FFu, key, key, key, 0xFF00FF00u, key},
	};
	for (int f = 0; f < 3; ++f)
		for (int i = 0; i < 6; ++i)
			EXPECT_EQ(file->Picture(f).Pixel(i % 3, i / 3), expected[static_cast<size_t>(f)][static_cast<size_t>(i)])
				<< "frame " << f << " pixel " << i;
}

TEST(GraphicsFileTest, DitheringRoundsToFiveBitsByPatternAndKeepsTheColourKey)
{
	for (int k = 0; k < 4; ++k) {
		EXPECT_EQ(DitherValue(0, k), 0);
		EXPECT_EQ(DitherValue(7, k), k == 0 ? 0 : 8);
		EXPECT_EQ(DitherValue(255, k), 248);
		EXPECT_EQ(DitherValue(2, k), k == 2 ? 8 : 0);      // c = 1
		EXPECT_EQ(DitherValue(4, k), k == 1 || k == 2 ? 8 : 0); // c = 2
	}
	// Pattern indices: p flips bit 1 at every row and bit 0 before every pixel, carrying over rows.
	TGSoftwareSurface picture(3, 2, Rgb(7, 7, 7));
	picture.SetPixel(1, 1, 0xFFFF00FFu);
	DitherPicture(picture);
	// Row 0: p = 2 -> 3, 2, 3; row 1: p = 1 -> 0, 1, 0.
	const int k[2][3] = {{3, 2, 3}, {0, 1, 0}};
	for (int y = 0; y < 2; ++y)
		for (int x = 0; x < 3; ++x) {
			if (x == 1 && y == 1)
				EXPECT_EQ(picture.Pixel(x, y), 0xFFFF00FFu);
			else
				EXPECT_EQ(picture.Pixel(x, y) & 0xFF, k[y][x] == 0 ? 0u : 8u) << x << "," << y;
		}
}

TEST(GraphicsFileTest, BrokenFilesRaiseErrorsNamingTheFile)
{
	const auto png = PngBytes(8, 8, Gradient(8, 8), true);
	const auto gif = GifBytes(4, 4, {0xFF0000}, {{0, 0, 4, 4, std::vector<uint8_t>(16, 0), -1}});
	const auto jpg = JpegBytes(8, 8, Gradient(8, 8));
	auto half = [](std::vector<uint8_t> bytes) {
		bytes.resize(bytes.size() / 2);
		return bytes;
	};
	// A header claiming 60000 x 60000 pixels.
	std::vector<uint8_t> huge = png;
	for (int i = 16; i < 24; ++i)
		huge[static_cast<size_t>(i)] = i % 4 < 2 ? 0 : (i % 4 == 2 ? 0xEA : 0x60);
	const std::pair<std::string, std::vector<uint8_t>> cases[] = {
		{"cut.png", half(png)}, {"cut.gif", half(gif)}, {"empty.jpg", {}}, {"junk.png", {1, 2, 3}},
		{"junk.gif", {'G', 'I', 'F', '8'}}, {"huge.png", huge}, {"cut.jpg", std::vector<uint8_t>(jpg.begin(), jpg.begin() + 20)},
	};
	for (const auto &[name, bytes] : cases) {
		const std::string message = ErrorOf([&] { Decode(name, bytes); });
		EXPECT_NE(message.find("\"" + name + "\""), std::string::npos) << name << ": " << message;
	}
	EXPECT_EQ(Decode("picture.bmp", png), nullptr);
	ErrorRaised = false;
}

} // namespace
} // namespace vantero::rendertest
