#include "RenderTestKit.h"

#include "render/UTexturePack.h"

namespace vantero::rendertest {
namespace {

using platform::TTextureFormat;

class TexturePackTest : public RenderTest {};

TEST_F(TexturePackTest, PiecesShareTexturesOnlyWithTheirAlphaKind)
{
	OpenDevice();
	TTexturePack pack(false);
	int index = -1;
	TRect rect;
	pack.AllocRect(100, 100, 0, index, rect);
	EXPECT_EQ(index, 0);
	pack.AllocRect(100, 100, 2, index, rect);
	EXPECT_EQ(index, 1);
	EXPECT_EQ(rect, (TRect{0, 0, 100, 100}));
	pack.AllocRect(100, 100, 0, index, rect);
	EXPECT_EQ(index, 0);
	EXPECT_EQ(rect, (TRect{100, 0, 200, 100}));
	pack.AllocRect(100, 100, 2, index, rect);
	EXPECT_EQ(index, 1);
	EXPECT_EQ(pack.TextureCount(), 2);
	EXPECT_EQ(pack.Textures[0].AlphaKind, 0);
	EXPECT_EQ(pack.Textures[1].AlphaKind, 2);
}

TEST_F(TexturePackTest, AFullTextureMakesTheNextOne)
{
	OpenDevice();
	TTexturePack pack(false);
	int first = -1, second = -1;
	TRect rect;
	pack.AllocRect(256, 256, 2, first, rect);
	pack.AllocRect(256, 256, 2, second, rect);
	EXPECT_EQ(first, 0);
	EXPECT_EQ(second, 1);
	EXPECT_EQ(rect, (TRect{0, 0, 256, 256}));
	// Freed room is found again in the first texture.
	pack.FreeRect(TRect{0, 0, 256, 256}, 0);
	pack.AllocRect(10, 10, 2, first, rect);
	EXPECT_EQ(first, 0);
	EXPECT_EQ(pack.TextureCount(), 2);
}

TEST_F(TexturePackTest, FormatsFollowTextureDepthAndAlphaKind)
{
	struct TCase {
		std::string Force16Bit;
		uint8_t AlphaKind;
		TTextureFormat Format;
		int Pitch;
	};
	const TCase cases[] = {
		{"0", 0, TTextureFormat::A8R8G8B8, 1024},
		{"0", 2, TTextureFormat::A8R8G8B8, 1024},
		{"1", 0, TTextureFormat::A1R5G5B5, 512},
		{"1", 2, TTextureFormat::A4R4G4B4, 512},
	};
	for (const TCase &c : cases) {
		TDeviceOptions options;
		options.Force16Bit = c.Force16Bit;
		OpenDevice(options);
		TTexturePack pack(true);
		int index = -1;
		TRect rect;
		pack.AllocRect(8, 8, c.AlphaKind, index, rect);
		const platform::TBackendTexture *texture = pack.GetTexture(index);
		ASSERT_NE(texture, nullptr);
		EXPECT_EQ(texture->Format(), c.Format) << c.Force16Bit << " " << int(c.AlphaKind);
		EXPECT_EQ(texture->Pitch(), c.Pitch);
		EXPECT_EQ(texture->Pool(), platform::TTexturePool::SystemMemory);
		EXPECT_EQ(pack.GetTexture(index + 1), nullptr);
	}
}

TEST_F(TexturePackTest, NoDeviceIsAnAssertionFailureOfTheUnit)
{
	RenderDevice = nullptr;
	TTexturePack pack(false);
	int index = -1;
	TRect rect;
	try {
		pack.AllocRect(8, 8, 2, index, rect);
		FAIL() << "no exception";
	} catch (const EGameError &error) {
		EXPECT_NE(std::string(error.what()).find("(UTexturePack, line 203,"), std::string::npos) << error.what();
	}
	EXPECT_EQ(pack.TextureCount(), 0);
}

TEST(TextureFormats, SixteenBitTexelsRoundTripByTruncationAndBitReplication)
{
	using platform::ArgbToTexel;
	using platform::TexelToArgb;
	const uint32_t colour = 0x80FF8F4Fu;
	EXPECT_EQ(ArgbToTexel(TTextureFormat::A4R4G4B4, colour), 0x8F84u);
	EXPECT_EQ(TexelToArgb(TTextureFormat::A4R4G4B4, 0x8F84u), 0x88FF8844u);
	EXPECT_EQ(ArgbToTexel(TTextureFormat::A1R5G5B5, colour), 0x8000u | 31u << 10 | 17u << 5 | 9u);
	EXPECT_EQ(TexelToArgb(TTextureFormat::A1R5G5B5, 0x8000u | 31u << 10 | 17u << 5 | 9u), 0xFFFF8C4Au);
	EXPECT_EQ(TexelToArgb(TTextureFormat::A1R5G5B5, ArgbToTexel(TTextureFormat::A1R5G5B5, 0x7FFFFFFFu)) >> 24, 0u);
	EXPECT_EQ(TexelToArgb(TTextureFormat::R5G6B5, ArgbToTexel(TTextureFormat::R5G6B5, 0x12FFFFFFu)), 0xFFFFFFFFu);
}

} // namespace
} // namespace vantero::rendertest
