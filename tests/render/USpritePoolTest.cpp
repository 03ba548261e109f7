#include "PoolTestKit.h"

#include "render/UGfxFile.h"
#include "render/USpritePool.h"

namespace vantero::rendertest {
namespace {

std::vector<std::string> Names(const TSpritePool &pool)
{
	std::vector<std::string> names;
	for (const auto &entry : pool.Sequences)
		names.push_back(entry.Sequence->Name);
	return names;
}

// The texel under pixel (x, y) of a frame, as ARGB.
uint32_t TexelAt(const TSprite &sprite, int x, int y)
{
	for (const TSpritePiece &piece : sprite.Pieces) {
		const TRect &s = piece.SpriteRect;
		if (x < s.Left || x >= s.Right || y < s.Top || y >= s.Bottom)
			continue;
		const auto *texture = sprite.Pack->GetTexture(piece.TextureIndex);
		return texture->Argb()[(piece.TextureRect.Top + y - s.Top) * 256 + piece.TextureRect.Left + x - s.Left];
	}
	return 0xDEADBEEF;
}

class SpritePoolTest : public PoolTest {};

TEST_F(SpritePoolTest, RequestsFindTheFirstSequenceWhoseNameEndsWithThem)
{
	TSpritePool pool(false);
	for (const char *name : {"base/characters/workerwalk", "l1033/ui/walk", "base/characters/walk", "base/hudwalk"})
		pool.AddSequence("base", std::make_unique<TSequence>(name, false));
	EXPECT_EQ(pool.FindSequence("characters/WorkerWalk"), pool.Sequences[0].Sequence.get());
	EXPECT_EQ(pool.FindSequence("Workerwalk"), pool.Sequences[0].Sequence.get());
	EXPECT_EQ(pool.FindSequence("walk"), pool.Sequences[0].Sequence.get());
	EXPECT_EQ(pool.FindSequence("/walk"), pool.Sequences[1].Sequence.get());
	EXPECT_EQ(pool.FindSequence("characters/walk"), pool.Sequences[2].Sequence.get());
	EXPECT_EQ(pool.FindSequence("worker"), nullptr);
	EXPECT_EQ(ErrorOf([&] { pool.GetSequence("Nothing/Here"); }), "Sequence 'Nothing/Here' not loaded");
}

TEST_F(SpritePoolTest, NamesAndFileTablesFollowThePath)
{
	EXPECT_EQ(SequenceNameFromPath("graphics/base/characters/WorkerWalk.16.gif"), "base/characters/workerwalk");
	EXPECT_EQ(SequenceNameFromPath("graphics/L1033/ui/Help.png"), "l1033/ui/help");
	EXPECT_TRUE(IsAlphaKindZeroName("graphics/base/ui/mainmenu/MAINMENU.JPG"));
	EXPECT_TRUE(IsAlphaKindZeroName("graphics/no-gfx/base/backtextures/mainback.jpg")); // ends with back.jpg
	EXPECT_FALSE(IsAlphaKindZeroName("graphics/base/ui/mainmenu.png"));
	EXPECT_TRUE(IsLowVideoMemoryName("graphics/base/levels/03/Gik.70.gif"));
	EXPECT_TRUE(IsLowVideoMemoryName("graphics/base/levels/01/seagull.106.gif"));
	EXPECT_FALSE(IsLowVideoMemoryName("graphics/base/levels/01/gik.71.gif"));
	EXPECT_EQ(GfxFileName("base/R800x600/levels/03"), "graphics/base-R800x600-levels-03.gfx");
}

TEST_F(SpritePoolTest, FoldersLoadPngThenGifThenJpgWithCompanionsAndAlphaKinds)
{
	OpenPoolDevice();
	Put("base/ui/zeta.png", PngBytes(4, 4, Solid(4, 4, Rgb(9, 9, 9)), false));
	Put("base/ui/alpha.gif", GifBytes(2, 2, {0x00FF00}, {{0, 0, 2, 2, {0, 0, 0, 0}, -1}}));
	Put("base/ui/MainMenu.jpg", JpegBytes(8, 8, Solid(8, 8, 0x808080)));
	Put("base/ui/hud.2.png", PngBytes(4, 2, Solid(4, 2, Rgb(200, 100, 50)), false));
	std::vector<uint32_t> alpha = Solid(4, 2, Rgb(255, 255, 255));
	alpha[1] = Rgb(0, 0, 0x40);
	Put("base/ui/hud_a.2.png", PngBytes(4, 2, alpha, false));
	Put("base/ui/notes.txt", {'x'});
	fs::create_directories(Folder / "graphics/base/ui/sub.png");

	TSpritePool pool(false);
	pool.LoadFolder("base/ui", "base", false, false);
	EXPECT_EQ(Names(pool), (std::vector<std::string>{"base/ui/hud", "base/ui/zeta", "base/ui/alpha", "base/ui/mainmenu"}));
	const TSequence &hud = pool.GetSequence("hud");
	ASSERT_EQ(hud.FrameCount(), 2);
	EXPECT_EQ(hud.Width, 2);
	EXPECT_TRUE(hud.Frame(1).UseAlpha);
	EXPECT_EQ(TexelAt(hud.Frame(0), 1, 0), 0x40C86432u); // colour of the picture, alpha of the companion
	EXPECT_EQ(TexelAt(hud.Frame(1), 1, 0), 0xFFC86432u);
	EXPECT_EQ(pool.GetSequence("mainmenu").Frame(0).AlphaKind, 0);
	EXPECT_EQ(pool.GetSequence("zeta").Frame(0).AlphaKind, 2);
	// Pieces of different AlphaKind never share a texture.
	EXPECT_NE(pool.GetSequence("mainmenu").Frame(0).Pieces[0].TextureIndex, hud.Frame(0).Pieces[0].TextureIndex);
	EXPECT_EQ(pool.Packs.size(), 1u);
	EXPECT_EQ(pool.TextureCount(), 2);
}

TEST_F(SpritePoolTest, MissingFoldersAndBrokenPicturesRaiseTheirMessages)
{
	OpenPoolDevice();
	TSpritePool pool(false);
	EXPECT_EQ(ErrorOf([&] { pool.LoadFolder("base/none", "base", false, false); }),
		"Directory \"graphics/base/none\" was not found!");
	UseKeys({.LoadFromGFX = "1"});
	EXPECT_EQ(ErrorOf([&] { pool.LoadFolder("base/none", "base", false, false); }), "");
	EXPECT_EQ(ErrorOf([&] { pool.LoadFolder("base/none", "base", false, true); }), "GFX for \"base/none\" was not found!");

	UseKeys({});
	Put("bad/hud.png", PngBytes(4, 4, Solid(4, 4, Rgb(1, 1, 1)), false));
	Put("bad/hud_a.txt", {'x'});
	EXPECT_EQ(ErrorOf([&] { pool.LoadFolder("bad", "base", false, false); }), "Unsupported file format: \"txt\"");
	Put("mismatch/hud.png", PngBytes(4, 4, Solid(4, 4, Rgb(1, 1, 1)), false));
	Put("mismatch/hud_a.2.png", PngBytes(4, 4, Solid(4, 4, Rgb(1, 1, 1)), false));
	EXPECT_EQ(ErrorOf([&] { pool.LoadFolder("mismatch", "base", false, false); }), "TSequence.Create failed");
	Put("cut/x.png", {0x89, 'P', 'N', 'G'});
	EXPECT_NE(ErrorOf([&] { pool.LoadFolder("cut", "base", false, false); }).find("graphics/cut/x.png"), std::string::npos);
	EXPECT_TRUE(pool.Sequences.empty());

	pool.GetPack("base", false);
	EXPECT_EQ(ErrorOf([&] { pool.GetPack("base", true); }), "TSpritePool.GetPack");
}

TEST_F(SpritePoolTest, LowVideoMemorySkipsTheListedPictures)
{
	OpenPoolDevice();
	Put("base/levels/01/gik.70.gif", GifBytes(70, 1, {0xFF}, {{0, 0, 70, 1, std::vector<uint8_t>(70, 0), -1}}));
	Put("base/levels/01/gik.png", PngBytes(2, 2, Solid(2, 2, Rgb(1, 1, 1)), false));
	VideoMemoryLow = true;
	TSpritePool pool(false);
	pool.LoadFolder("base/levels/01", "base-levels-01", false, false);
	EXPECT_EQ(Names(pool), std::vector<std::string>{"base/levels/01/gik"});
	pool.Clear();
	VideoMemoryLow = false;
	pool.LoadFolder("base/levels/01", "base-levels-01", false, false);
	ASSERT_EQ(pool.Sequences.size(), 2u);
	EXPECT_EQ(pool.Sequences[1].Sequence->FrameCount(), 70);
}

TEST_F(SpritePoolTest, GfxFilesHoldRecordsAndDataAndLoadWithoutTheFolder)
{
	OpenPoolDevice({.LoadFromGFX = "1"});
	const auto hud = PngBytes(4, 2, Solid(4, 2, Rgb(200, 100, 50)), false);
	const auto hudAlpha = PngBytes(4, 2, Solid(4, 2, Rgb(0, 0, 128)), false);
	const auto back = JpegBytes(8, 8, Solid(8, 8, 0x808080));
	Put("base/stuff/hud.png", hud);
	Put("base/stuff/hud_a.png", hudAlpha);
	Put("base/stuff/back.jpg", back);
	fs::create_directories(Folder / "graphics/base/empty");

	TSpritePool pool(false);
	pool.LoadFolder("base/empty", "base", false, true);
	const std::string signature = GfxRecord(GfxSignature);
	EXPECT_EQ(signature.size(), 256u);
	EXPECT_EQ(ReadBytes(Folder / "graphics/base-empty.gfx"), std::vector<uint8_t>(signature.begin(), signature.end()));

	pool.LoadFolder("base/stuff", "base", false, true);
	std::string expected;
	auto entry = [&](const std::string &kind, const std::string &path, const std::string &flag, const std::vector<uint8_t> &data) {
		expected += GfxRecord(kind) + GfxRecord(path) + GfxRecord(flag) + GfxRecord(std::to_string(data.size()));
		expected.append(data.begin(), data.end());
	};
	entry("2", "graphics/base/stuff/hud.png", "1", hud);
	entry("2", "graphics/base/stuff/hud_a.png", "0", hudAlpha);
	entry("0", "graphics/base/stuff/back.jpg", "0", back);
	expected += GfxRecord(GfxSignature);
	const auto written = ReadBytes(Folder / "graphics/base-stuff.gfx");
	EXPECT_EQ(std::string(written.begin(), written.end()), expected);
	EXPECT_EQ(Names(pool), (std::vector<std::string>{"base/stuff/hud", "base/stuff/back"}));

	// Without the folder the pictures come from the ".gfx" alone.
	fs::remove_all(Folder / "graphics/base/stuff");
	TSpritePool fromGfx(false);
	fromGfx.LoadFolder("base/stuff", "base", false, true);
	EXPECT_EQ(Names(fromGfx), Names(pool));
	EXPECT_EQ(TexelAt(fromGfx.GetSequence("hud").Frame(0), 0, 0), 0x80C86432u);
	EXPECT_EQ(fromGfx.GetSequence("back").Frame(0).AlphaKind, 0);
}

TEST_F(SpritePoolTest, CorruptGfxFilesRaiseErrors)
{
	OpenPoolDevice({.LoadFromGFX = "1"});
	const auto png = PngBytes(2, 2, Solid(2, 2, Rgb(1, 2, 3)), false);
	auto gfx = [&](const std::string &kind, const std::string &path, const std::string &flag, const std::string &size,
		size_t dataBytes) {
		std::string text = GfxRecord(kind) + GfxRecord(path) + GfxRecord(flag) + GfxRecord(size);
		text.append(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(std::min(dataBytes, png.size())));
		return std::vector<uint8_t>(text.begin(), text.end());
	};
	const std::string size = std::to_string(png.size());
	const std::string corrupt = "GFX \"graphics/x.gfx\" is corrupt!";
	const std::pair<std::vector<uint8_t>, std::string> cases[] = {
		{gfx("2", "graphics/x/a.png", "0", size, png.size()), ""}, // no signature: ends with the stream
		{gfx("2", "graphics/x/a.bmp", "0", size, png.size()), "TSpritePool.InternalLoad: Unknown extension"},
		{gfx("2", "graphics/x/a.png", "0", size, png.size() - 1), corrupt},
		{gfx("2", "graphics/x/a.png", "0", "99999999", png.size()), corrupt},
		{gfx("2", "graphics/x/a.png", "0", "-1", png.size()), corrupt},
		{gfx("two", "graphics/x/a.png", "0", size, png.size()), corrupt},
		{gfx("2", "graphics/x/a.png", "1", size, png.size()), corrupt}, // companion missing
		{std::vector<uint8_t>(100, 'a'), corrupt},
	};
	for (const auto &[bytes, message] : cases) {
		WriteBytes(Folder / "graphics/x.gfx", bytes);
		TSpritePool pool(false);
		EXPECT_EQ(ErrorOf([&] { pool.LoadFolder("x", "x", false, true); }), message);
	}
}

TEST_F(SpritePoolTest, RemovePackFreesOnlyThatPackAndKeepsTheOrder)
{
	OpenPoolDevice();
	Put("a/one.png", PngBytes(2, 2, Solid(2, 2, Rgb(1, 1, 1)), false));
	Put("b/two.png", PngBytes(2, 2, Solid(2, 2, Rgb(1, 1, 1)), false));
	Put("c/three.png", PngBytes(300, 2, Solid(300, 2, Rgb(1, 1, 1)), false));
	TSpritePool pool(false);
	pool.LoadFolder("a", "a", false, false);
	pool.LoadFolder("b", "b", false, false);
	pool.LoadFolder("c", "c", false, false);
	pool.LoadFolder("a", "a", false, false);
	EXPECT_EQ(pool.TextureCount(), 3);
	pool.RemovePack("a");
	EXPECT_EQ(Names(pool), (std::vector<std::string>{"b/two", "c/three"}));
	EXPECT_EQ(pool.FindPack("a"), nullptr);
	EXPECT_EQ(pool.TextureCount(), 2);
	pool.Clear();
	EXPECT_TRUE(pool.Sequences.empty());
	EXPECT_TRUE(pool.Packs.empty());
}

TEST_F(SpritePoolTest, DitheringAppliesOnlyToSixteenBitTexturesWhenTheKeyIsSet)
{
	struct TCase {
		std::string Force16Bit, Dithering;
		bool Dithered;
	};
	const TCase cases[] = {{"1", "1", true}, {"1", "0", false}, {"0", "1", false}};
	for (const TCase &c : cases) {
		TDeviceOptions options;
		options.Force16Bit = c.Force16Bit;
		OpenPoolDevice({.Dithering = c.Dithering}, options);
		Put("d/grey.png", PngBytes(4, 2, Solid(4, 2, Rgb(15, 15, 15)), false));
		TSpritePool pool(false);
		pool.LoadFolder("d", "d", false, false);
		const TSprite &frame = pool.GetSequence("grey").Frame(0);
		// 15 rounds up to 16 at every pattern position but 0; a 4-bit channel then reads 0x11, else 0.
		int raised = 0;
		for (int x = 0; x < 4; ++x)
			raised += (TexelAt(frame, x, 0) & 0xFF) != 0 ? 1 : 0;
		if (c.Force16Bit == "0")
			EXPECT_EQ(TexelAt(frame, 0, 0) & 0xFF, 15u);
		else
			EXPECT_EQ(raised, c.Dithered ? 4 : 0) << c.Force16Bit << c.Dithering;
	}
}

} // namespace
} // namespace vantero::rendertest
