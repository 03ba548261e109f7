#include "config/ULevelCheck.h"

#include "config/UUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace vantero;

namespace {

const std::string FixtureDir = std::string(VANTERO_SOURCE_DIR) + "/tests/fixtures/levelcheck/";

std::vector<std::string> CheckFixture(const std::string &file)
{
	pugi::xml_document document;
	const auto parsed = document.load_file((FixtureDir + file).c_str());
	EXPECT_TRUE(parsed) << file << ": " << parsed.description();
	const auto root = GetVantero(document);
	return CheckConfiguration(*root, LoadLevelCheckManifest(FixtureDir + "manifest"));
}

std::string Joined(const std::vector<std::string> &faults)
{
	std::string text;
	for (const auto &fault : faults)
		text += fault + "\n";
	return text;
}

} // namespace

TEST(LevelCheck, GoodDocumentHasNoFaults)
{
	EXPECT_EQ(Joined(CheckFixture("good.xml")), "");
}

TEST(LevelCheck, EachBrokenDocumentFailsWithOneMessageNamingWhere)
{
	const std::string sublevel3 = "Monument 1 \"Stone Circle\", pass 1, sublevel 3: ";
	const struct {
		const char *File;
		std::vector<std::string> Faults;
	} cases[] = {
		{"field-count.xml", {sublevel3 + "field has 99 cells, needs exactly 100"}},
		{"field-character.xml", {sublevel3 + "field has the unknown cell character \"z\""}},
		{"digit-without-element.xml",
			{sublevel3 + "field cell \"4\" at row 10, column 10 names Element entry 4, but there are only 3 entries (counted from 0)"}},
		{"too-few-kinds.xml", {sublevel3 + "offers 2 gem kinds; the start fill avoids matches and needs at least 3"}},
		{"boxes-without-spawn.xml", {sublevel3 + "has 1 box but no \"@\" spawn cell in columns 1 to 8 (counted from 0)"}},
		{"no-workers.xml", {sublevel3 + "has no workers, so it is lost at once"}},
		{"number-key.xml",
			{"Configuration: missing key \"CellSize\" (read as a number)", sublevel3 + "has no \"TimeLimit\" (read as a number)"}},
		{"text-id.xml", {"Texts: missing Tip text with Id 2"}},
		{"sound-name.xml", {"Sounds: sound \"fx/gem fall\" is played by the game but not catalogued"}},
	};
	for (const auto &c : cases)
		EXPECT_EQ(CheckFixture(c.File), c.Faults) << c.File;
}

TEST(LevelCheck, DistributionsBoxSpritesAndPassShape)
{
	pugi::xml_document document;
	ASSERT_TRUE(document.load_file((FixtureDir + "good.xml").c_str()));
	auto root = GetVantero(document);
	TXMLPassType &pass = root->Level()[0].Pass()[0];
	TXMLSubLevelType &first = pass[0];
	first.SetAttribute("P1", "0101");
	first.SetAttribute("P2", "019");
	first.Block()[1].SetSpriteIndex(3);
	first.Field().SetText(std::string(100, '.').replace(2, 1, "@"));
	pass.Delete(6);
	const auto faults = CheckConfiguration(*root, LoadLevelCheckManifest(FixtureDir + "manifest"));
	const std::string where = "Monument 1 \"Stone Circle\", pass 1";
	EXPECT_EQ(faults, (std::vector<std::string>{
		where + ": has 6 SubLevels, needs 7",
		where + ", sublevel 1: distribution P1 \"0101\" offers 2 gem kinds; the start fill avoids matches and needs at least 3",
		where + ", sublevel 1: distribution P2 \"019\" has \"9\", which is no Element entry",
		where + ", sublevel 1: Block 2 has SpriteIndex 3; only boxes 1 and 2 exist",
		where + ", sublevel 1: has 2 boxes but \"@\" spawn cells in one column only; two boxes in a row never use the same column",
	}));
}

TEST(LevelCheck, FieldCellsSkipBlanksAndLineBreaksAndKeepWholeCharacters)
{
	EXPECT_EQ(FieldCells(" #.\r\n\t@é$ "), (std::vector<std::string>{"#", ".", "@", "\xC3\xA9", "$"}));
}

TEST(LevelCheck, SummaryShowsOneRowPerSublevel)
{
	pugi::xml_document document;
	ASSERT_TRUE(document.load_file((FixtureDir + "good.xml").c_str()));
	const auto root = GetVantero(document);
	const std::string summary = SummarizeLevels(*root, {3});
	EXPECT_NE(summary.find("Monument 1 \"Stone Circle\", pass 1 of 1 (tile letters a..d)"), std::string::npos) << summary;
	// Sublevel 1: 4 kinds, 1 distribution, 12 holes, 88 tiles: 80 at level 1 and 8 "$" cells at level 3
	// (104 hits), 2 boxes, 2 spawn columns, 2 workers, 150 s.
	EXPECT_NE(summary.find("   1      4   1     12     88      1    8   104      2      2        2   150\n"), std::string::npos)
		<< summary;
	// A solid sublevel: every cell starts at the highest letter.
	EXPECT_NE(summary.find("   2      3   0      0    100      3    0   300      0      0        1   140\n"), std::string::npos)
		<< summary;
}

TEST(LevelCheck, ShippedManifestLoadsAndNamesTheGamesKeys)
{
	const auto manifest = LoadLevelCheckManifest(std::string(VANTERO_SOURCE_DIR) + "/data/manifest");
	const auto hasKey = [&](const std::string &element, const std::string &name) {
		for (const auto &key : manifest.NumberKeys)
			if (key.Element == element && key.Name == name)
				return true;
		return false;
	};
	EXPECT_TRUE(hasKey("", "CellSize"));
	EXPECT_TRUE(hasKey("", "TimeToBlink"));
	EXPECT_TRUE(hasKey("SubLevel", "TimeLimit"));
	EXPECT_FALSE(hasKey("", "CheatCode"));
	EXPECT_EQ(manifest.SoundNames.size(), 24u);
	EXPECT_EQ(manifest.TextIds.size(), 27u + 10 + 6 + 6 * 7 + 6);
}

TEST(LevelCheck, MalformedManifestLineIsReportedWithItsLine)
{
	const std::filesystem::path folder = std::filesystem::temp_directory_path() / "levelcheck-manifest-test";
	std::filesystem::remove_all(folder);
	std::filesystem::create_directories(folder);
	std::ofstream(folder / "config-number-keys.txt") << "# comment\nCellSize int\nFieldX float\n";
	try {
		LoadLevelCheckManifest(folder.string());
		FAIL();
	} catch (const EGameError &error) {
		EXPECT_STREQ(error.what(), "Manifest config-number-keys.txt, line 3: unknown conversion \"float\"");
	}
}
