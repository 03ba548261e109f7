#include "text/UUnicode.h"

#include "config/UUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

using namespace vantero;

namespace {

class UUnicodeFiles : public ::testing::Test {
protected:
	void SetUp() override
	{
		Folder = std::filesystem::temp_directory_path() / ("vantero-unicode-" + std::to_string(std::random_device()()));
		std::filesystem::create_directories(Folder);
	}
	void TearDown() override { std::filesystem::remove_all(Folder); }

	std::string Write(const std::string &name, const std::string &bytes)
	{
		const std::string path = (Folder / name).string();
		std::ofstream(path, std::ios::binary) << bytes;
		return path;
	}
	static std::string Read(const std::string &path)
	{
		std::ifstream file(path, std::ios::binary);
		return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	}

	std::filesystem::path Folder;
};

} // namespace

TEST_F(UUnicodeFiles, LoadFromFileFollowsTheByteOrderMark)
{
	struct TCase {
		const char *Name;
		std::string Bytes;
		std::u16string Expected;
	};
	const TCase cases[] = {
		{"utf16le", std::string("\xFF\xFE" "A\0\xAC\x20", 6), u"A\u20AC"},
		{"utf16be", std::string("\xFE\xFF\0A\x20\xAC", 6), u"A\u20AC"},
		{"cp1252", "A\x80\xE9\x9F\x81", u"A\u20AC\u00E9\u0178\u0081"},
		{"utf8bom", "\xEF\xBB\xBF" "A\xE2\x82\xAC", u"A\u20AC"},
		{"odd byte dropped", std::string("\xFF\xFE" "A\0B", 5), u"A"},
		{"empty", "", u""},
	};
	for (const TCase &c : cases) {
		TWideStringList list;
		list.LoadFromFile(Write("f.txt", c.Bytes));
		EXPECT_EQ(list.Text(), c.Expected) << c.Name;
	}
}

TEST_F(UUnicodeFiles, MissingFileFails)
{
	TWideStringList list;
	EXPECT_THROW(list.LoadFromFile((Folder / "none.txt").string()), EGameError);
	EXPECT_THROW(ReadWideTextFile((Folder / "none.txt").string()), EGameError);
}

TEST_F(UUnicodeFiles, SaveToFileWritesBomAndUtf16LeWithCrLfBetweenLines)
{
	TWideStringList list;
	list.Add(u"a\u00E9");
	list.Add(u"\u20AC");
	const std::string path = (Folder / "out.txt").string();
	list.SaveToFile(path);
	EXPECT_EQ(Read(path), std::string("\xFF\xFE" "a\0\xE9\0\r\0\n\0\xAC\x20", 12));

	TWideStringList back;
	back.LoadFromFile(path);
	EXPECT_EQ(back.Items(), list.Items());
}

TEST_F(UUnicodeFiles, ReadWideTextFileKeepsLineBreaksAsTheyAre)
{
	WriteWideTextFile((Folder / "raw.txt").string(), u"a\rb\u2028");
	EXPECT_EQ(ReadWideTextFile((Folder / "raw.txt").string()), u"a\rb\u2028");
}

TEST(UUnicode, SetTextSplitsAtEveryLineBreakAndTextRejoinsWithCrLf)
{
	struct TCase {
		std::u16string Input;
		std::vector<std::u16string> Lines;
	};
	const TCase cases[] = {
		{u"a\r\nb\rc\nd\ve\ff\u2028g\u2029h", {u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h"}},
		{u"a\r\n", {u"a"}},
		{u"a\n\r", {u"a", u""}},
		{u"\r\n\r\n", {u"", u""}},
		{u"\n\nx", {u"", u"", u"x"}},
		{u"", {}},
		{u"no break", {u"no break"}},
	};
	for (const TCase &c : cases) {
		TWideStringList list;
		list.SetText(c.Input);
		EXPECT_EQ(list.Items(), c.Lines);
	}
	TWideStringList list;
	list.SetText(u"a\rb\n\nc\r\n");
	EXPECT_EQ(list.Text(), u"a\r\nb\r\n\r\nc");
	EXPECT_EQ(list.Strings(1), u"b");
	EXPECT_THROW(list.Strings(4), EGameError);
}

TEST(UUnicode, CaseMappingIsFullAndLocaleIndependent)
{
	EXPECT_EQ(WideUpperCase(u"stra\u00DFe"), u"STRASSE");
	EXPECT_EQ(WideUpperCase(u"\u00E4\u00F6\u00FC\u00E9\u0153"), u"\u00C4\u00D6\u00DC\u00C9\u0152");
	EXPECT_EQ(WideLowerCase(u"\u00C4\u00D6\u00DC\u0178\u0410"), u"\u00E4\u00F6\u00FC\u00FF\u0430");
	// No Turkish dotted/dotless i.
	EXPECT_EQ(WideUpperCase(u"i"), u"I");
	EXPECT_EQ(WideLowerCase(u"I"), u"i");
	EXPECT_EQ(WideUpperCase(u""), u"");
	// A long text that grows beyond the first buffer guess.
	EXPECT_EQ(WideUpperCase(std::u16string(100, u'\u00DF')), std::u16string(200, u'S'));
}

TEST(UUnicode, CaseInsensitiveCompareFoldsFully)
{
	EXPECT_TRUE(WideSameText(u"STRASSE", u"stra\u00DFe"));
	EXPECT_TRUE(WideSameText(u"/Tmp/A.XML", u"/tmp/a.xml"));
	EXPECT_FALSE(WideSameText(u"a.xml", u"b.xml"));
	EXPECT_LT(WideCompareText(u"apple", u"BANANA"), 0);
	EXPECT_GT(WideCompareText(u"Zebra", u"apple"), 0);
}

TEST(UUnicode, WideTrimRemovesBlanksAndControls)
{
	EXPECT_EQ(WideTrim(u" \t\r\n\x01 x y \x1F"), u"x y");
	EXPECT_EQ(WideTrim(u"  "), u"");
	EXPECT_EQ(WideTrim(u"\u00A0x"), u"\u00A0x");
}
