#include "PoolTestKit.h"

#include "render/UBundleCache.h"
#include "render/USpritePool.h"
#include "render/UValueStream.h"

#include <zlib.h>

#include <cstring>

namespace vantero::rendertest {
namespace {

std::vector<uint8_t> Encode(const std::function<void(TValueWriter &)> &write)
{
	TMemorySink sink;
	{
		TValueWriter writer(sink);
		write(writer);
	}
	return sink.Bytes;
}

std::vector<uint8_t> Inflate(const std::vector<uint8_t> &compressed)
{
	TZlibSource source(compressed.data(), compressed.size());
	std::vector<uint8_t> out;
	uint8_t buffer[4096];
	for (size_t got; (got = source.Read(buffer, sizeof buffer)) > 0;)
		out.insert(out.end(), buffer, buffer + got);
	return out;
}

TEST(ValueStreamTest, ValuesUseTheirTaggedForms)
{
	using B = std::vector<uint8_t>;
	EXPECT_EQ(Encode([](TValueWriter &w) { w.WriteInteger(-128); w.WriteInteger(127); }), (B{2, 0x80, 2, 0x7F}));
	EXPECT_EQ(Encode([](TValueWriter &w) { w.WriteInteger(-200); w.WriteInteger(32767); }), (B{3, 0x38, 0xFF, 3, 0xFF, 0x7F}));
	EXPECT_EQ(Encode([](TValueWriter &w) { w.WriteInteger(32768); }), (B{4, 0, 0x80, 0, 0}));
	EXPECT_EQ(Encode([](TValueWriter &w) { w.WriteBoolean(true); w.WriteBoolean(false); }), (B{9, 8}));
	EXPECT_EQ(Encode([](TValueWriter &w) { w.WriteString("ab"); w.WriteChar('\1'); }), (B{6, 2, 'a', 'b', 6, 1, 1}));
	EXPECT_EQ(Encode([](TValueWriter &w) { w.WriteString("\xC3\xA9"); }), (B{20, 2, 0, 0, 0, 0xC3, 0xA9}));
	const B longText = Encode([](TValueWriter &w) { w.WriteString(std::string(256, 'x')); });
	EXPECT_EQ(B(longText.begin(), longText.begin() + 5), (B{12, 0, 1, 0, 0}));
	EXPECT_EQ(Encode([](TValueWriter &w) { w.WriteFloat(1.5); }), (B{5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}));

	const B bytes = Encode([&](TValueWriter &w) {
		w.WriteInteger(-70000);
		w.WriteString(std::string(300, 'y'));
		w.WriteFloat(-12345.678);
		w.WriteFloat(0.0);
		w.WriteChar('\0');
		w.WriteRaw("raw", 3);
	});
	TMemorySource source(bytes.data(), bytes.size());
	TValueReader reader(source);
	EXPECT_EQ(reader.ReadInteger(), -70000);
	EXPECT_EQ(reader.ReadString(), std::string(300, 'y'));
	EXPECT_EQ(reader.ReadFloat(), -12345.678);
	EXPECT_EQ(reader.ReadFloat(), 0.0);
	EXPECT_EQ(reader.ReadChar(), '\0');
	char raw[3];
	reader.ReadRaw(raw, 3);
	EXPECT_EQ(std::string(raw, 3), "raw");
	EXPECT_TRUE(reader.AtEnd());
	EXPECT_THROW(reader.ReadInteger(), EStreamError);

	const B wrongType = {9};
	TMemorySource wrongSource(wrongType.data(), wrongType.size());
	TValueReader wrong(wrongSource);
	EXPECT_THROW(wrong.ReadInteger(), EStreamError);
	const B huge = {12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'};
	TMemorySource hugeSource(huge.data(), huge.size());
	TValueReader hugeReader(hugeSource);
	EXPECT_THROW(hugeReader.ReadString(), EStreamError);
}

class BundleTest : public PoolTest {
protected:
	// A folder of pictures of both AlphaKinds, one larger than a texture, one with a companion.
	void PutPictures(const std::string &folder)
	{
		Put(folder + "/hud.png", PngBytes(300, 20, Gradient(300, 20), true));
		Put(folder + "/hud_a.png", PngBytes(300, 20, Solid(300, 20, Rgb(0, 0, 99)), false));
		Put(folder + "/walk.3.gif", GifBytes(6, 2, {0xFF0000, 0x00FF00}, {{0, 0, 6, 2, {0, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0}, 1}}));
		Put(folder + "/back.jpg", JpegBytes(16, 16, Gradient(16, 16)));
	}
	fs::path Bundle(const std::string &packId, const char *depth = "32") const
	{
		return CachePath() / (packId + "." + depth + ".pak");
	}
};

TEST_F(BundleTest, BundlesRoundTripByteForByte)
{
	OpenPoolDevice();
	PutPictures("base/stuff");
	Put("other/x.png", PngBytes(2, 2, Solid(2, 2, Rgb(1, 1, 1)), false));
	TSpritePool built(false);
	built.LoadFolder("other", "other", true, false);
	built.LoadFolder("base/stuff", "base", true, false);
	built.SaveBundle("base");
	const std::vector<uint8_t> first = ReadBytes(Bundle("base"));

	// The stream: PackId, a pack, the sequences of that PackId only.
	const std::vector<uint8_t> content = Inflate(first);
	TMemorySource source(content.data(), content.size());
	TValueReader reader(source);
	EXPECT_EQ(reader.ReadString(), "base");
	EXPECT_TRUE(reader.ReadBoolean());
	EXPECT_EQ(reader.ReadInteger(), 2); // textures of AlphaKind 2 and 0

	TSpritePool loaded(false);
	loaded.LoadFolder("other", "other", false, false);
	EXPECT_TRUE(loaded.LoadBundle("base", false));
	ASSERT_EQ(loaded.Sequences.size(), 4u);
	EXPECT_EQ(loaded.Sequences[0].PackId, "other");
	EXPECT_EQ(loaded.GetSequence("hud").FrameCount(), 1);
	EXPECT_EQ(loaded.GetSequence("walk").FrameCount(), 3);
	EXPECT_FALSE(loaded.FindPack("base")->SystemMemory);
	const TTexturePack &a = *built.FindPack("base"), &b = *loaded.FindPack("base");
	ASSERT_EQ(a.TextureCount(), b.TextureCount());
	for (int i = 0; i < a.TextureCount(); ++i)
		EXPECT_EQ(std::memcmp(a.GetTexture(i)->Argb(), b.GetTexture(i)->Argb(), 256 * 256 * 4), 0);

	fs::remove(Bundle("base"));
	loaded.SaveBundle("base");
	EXPECT_EQ(ReadBytes(Bundle("base")), first);
	// Loading again replaces the content instead of adding to it.
	loaded.LoadBundle("base", false);
	EXPECT_EQ(loaded.Sequences.size(), 4u);
	EXPECT_FALSE(fs::exists(Bundle("base").string() + ".tmp"));
}

TEST_F(BundleTest, AnEmptyPackIdGivesABundleWithoutPack)
{
	OpenPoolDevice();
	TSpritePool pool(false);
	pool.SaveBundle("L1033-R800x600-levels-01");
	const std::vector<uint8_t> content = Inflate(ReadBytes(Bundle("L1033-R800x600-levels-01")));
	const std::string id = "L1033-R800x600-levels-01";
	std::vector<uint8_t> expected = {6, static_cast<uint8_t>(id.size())};
	expected.insert(expected.end(), id.begin(), id.end());
	expected.insert(expected.end(), {8, 2, 0});
	EXPECT_EQ(content, expected);
	EXPECT_TRUE(pool.LoadBundle("L1033-R800x600-levels-01", false));
	EXPECT_TRUE(pool.Packs.empty());
}

TEST_F(BundleTest, UnreadableBundlesRaiseTheirMessagesAndAreDeleted)
{
	OpenPoolDevice();
	PutPictures("p");
	TSpritePool source(false);
	source.LoadFolder("p", "p", true, false);
	source.SaveBundle("p");
	const std::vector<uint8_t> good = ReadBytes(Bundle("p"));
	std::vector<uint8_t> content = Inflate(good);

	auto compress = [](const std::vector<uint8_t> &bytes) {
		uLongf size = compressBound(static_cast<uLong>(bytes.size()));
		std::vector<uint8_t> out(size);
		compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()), 1);
		out.resize(size);
		return out;
	};
	std::vector<uint8_t> badCell = content;
	// The first cell character of the first allocator: type 6, length 1, code 0 or 1.
	for (size_t i = 0; i + 2 < badCell.size(); ++i)
		if (badCell[i] == 6 && badCell[i + 1] == 1 && badCell[i + 2] <= 1) {
			badCell[i + 2] = 7;
			break;
		}
	const std::string failed = "TSpritePool.LoadBundle failed!";
	const std::pair<std::vector<uint8_t>, std::string> cases[] = {
		{std::vector<uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)), failed},
		{std::vector<uint8_t>(good.begin(), good.begin() + 1), failed},
		{compress(std::vector<uint8_t>(content.begin(), content.end() - 5)), failed},
		{compress(badCell), failed},
		{{}, failed},
	};
	for (const auto &[bytes, message] : cases) {
		TSpritePool pool(false);
		pool.LoadFolder("p", "other", false, false);
		WriteBytes(Bundle("p"), bytes);
		EXPECT_EQ(ErrorOf([&] { pool.LoadBundle("p", false); }), message);
		EXPECT_FALSE(fs::exists(Bundle("p")));
		EXPECT_EQ(pool.FindPack("p"), nullptr);
		EXPECT_EQ(pool.Sequences.size(), 3u); // the other pack stays
	}

	TSpritePool pool(false);
	EXPECT_EQ(ErrorOf([&] { pool.LoadBundle("p", false); }), "TSpritePool.LoadBundle failed (PackId: p)");
	// A bundle of another PackId.
	WriteBytes(Bundle("q"), good);
	EXPECT_EQ(ErrorOf([&] { pool.LoadBundle("q", false); }), failed);
	EXPECT_FALSE(fs::exists(Bundle("q")));
}

TEST_F(BundleTest, ThirtyTwoBitTexelsDoNotLoadIntoSixteenBitTextures)
{
	OpenPoolDevice();
	PutPictures("p");
	TSpritePool source(false);
	source.LoadFolder("p", "p", true, false);
	source.SaveBundle("p");
	fs::copy_file(Bundle("p"), Bundle("p", "16"));
	TDeviceOptions sixteen;
	sixteen.Force16Bit = "1";
	OpenPoolDevice({}, sixteen);
	TSpritePool pool(false);
	EXPECT_EQ(ErrorOf([&] { pool.LoadBundle("p", false); }), "TTexturePack.ReadTexture failed!");
	EXPECT_FALSE(fs::exists(Bundle("p", "16")));
}

TEST_F(BundleTest, CheckBundlesWantsEveryBundleOfTheTextureDepth)
{
	LanguageFolder = "L1033";
	ResolutionTag = "R800x600";
	const std::vector<std::string> ids = BundlePackIds();
	ASSERT_EQ(ids.size(), 32u);
	EXPECT_EQ(ids[0], "base");
	EXPECT_EQ(ids[1], "L1033");
	EXPECT_EQ(ids[2], "base-R800x600");
	EXPECT_EQ(ids[3], "L1033-R800x600");
	EXPECT_EQ(ids[4], "base-levels-01");
	EXPECT_EQ(ids[11], "base-R800x600-levels-01");
	EXPECT_EQ(ids[31], "L1033-R800x600-levels-07");

	TD3DDevice &device = OpenPoolDevice();
	EXPECT_FALSE(CheckBundles(device));
	for (const std::string &id : ids)
		WriteBytes(Bundle(id), {1});
	EXPECT_TRUE(CheckBundles(device));
	fs::remove(Bundle("base-levels-05"));
	EXPECT_FALSE(CheckBundles(device));
	WriteBytes(Bundle("base-levels-05"), {1});
	device.Use16Bit = true;
	EXPECT_FALSE(CheckBundles(device));
}

TEST_F(BundleTest, RebuildWritesEveryBundleAndGfxFromTheFolders)
{
	LanguageFolder = "L1033";
	ResolutionTag = "R800x600";
	TD3DDevice &device = OpenPoolDevice({.LoadFromGFX = "1"});
	for (const TBundleGroup &group : BundleGroups())
		for (const std::string &folder : group.Folders)
			fs::create_directories(Folder / "graphics" / (group.Prefix + folder));
	for (const std::string &folder : BundleLevelFolders())
		fs::create_directories(Folder / "graphics" / folder);
	PutPictures("base/characters");
	Put("L1033/stuff/sign.png", PngBytes(5, 5, Solid(5, 5, Rgb(1, 2, 3)), false));
	Put("base/levels/03/field.png", PngBytes(5, 5, Solid(5, 5, Rgb(3, 2, 1)), false));
	WriteBytes(CachePath() / "stale.32.pak", {1, 2});
	fs::create_directories(CachePath() / "keep");

	RebuildBundleCache();
	EXPECT_TRUE(CheckBundles(device));
	EXPECT_FALSE(fs::exists(CachePath() / "stale.32.pak"));
	EXPECT_TRUE(fs::exists(CachePath() / "keep"));
	EXPECT_TRUE(fs::exists(Folder / "graphics/base-characters.gfx"));
	EXPECT_TRUE(fs::exists(Folder / "graphics/L1033-R800x600-levels-07.gfx"));

	TSpritePool pool(false);
	pool.LoadBundle("base", false);
	pool.LoadBundle("L1033", false);
	pool.LoadBundle("base-levels-03", false);
	pool.LoadBundle("base-levels-04", false);
	EXPECT_EQ(pool.Sequences.size(), 5u);
	EXPECT_EQ(pool.GetSequence("stuff/sign").Width, 5);
	EXPECT_EQ(pool.GetSequence("levels/03/field").Height, 5);

	// A folder missing from the graphics fails the rebuild with its message.
	fs::remove_all(Folder / "graphics/base/ui/tips");
	fs::remove(Folder / "graphics/base-ui-tips.gfx");
	EXPECT_EQ(ErrorOf([] { RebuildBundleCache(); }), "GFX for \"base/ui/tips\" was not found!");
}

} // namespace
} // namespace vantero::rendertest
