#include "config/UConfigPreprocessor.h"

#include "config/UConfig.h"
#include "config/UConfigKeys.h"
#include "config/UUtils.h"
#include "text/UTextConvert.h"
#include "text/UUnicode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

using namespace vantero;
namespace fs = std::filesystem;

namespace {

// A fresh folder made current for the test; files are written into it as plain 8-bit text.
class UConfigPreprocessorFiles : public ::testing::Test {
protected:
	void SetUp() override
	{
		Previous = fs::current_path();
		Folder = fs::temp_directory_path() / ("vantero-prep-" + std::to_string(std::random_device()()));
		fs::create_directories(Folder);
		Folder = fs::canonical(Folder);
		fs::current_path(Folder);
	}
	void TearDown() override
	{
		FreeConfig();
		fs::current_path(Previous);
		fs::remove_all(Folder);
	}

	static void Write(const fs::path &name, const std::string &text)
	{
		if (name.has_parent_path())
			fs::create_directories(name.parent_path());
		std::ofstream(name, std::ios::binary) << text;
	}
	static std::string ReadBytes(const fs::path &name)
	{
		std::ifstream file(name, std::ios::binary);
		return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	}
	std::string Abs(const std::string &relative) const { return (Folder / relative).string(); }
	static std::string Run(TGConfigPreprocessor &preprocessor, const std::string &text)
	{
		return Utf16ToUtf8(preprocessor.ProcessText(Utf8ToUtf16(text)));
	}
	static std::string ErrorOf(const std::function<void()> &action)
	{
		try {
			action();
		} catch (const EGameError &error) {
			return error.what();
		}
		return "(no error)";
	}

	fs::path Previous;
	fs::path Folder;
};

// The bytes of a scrambled file: FF FE, then every code unit XOR 0x5C1D as UTF-16LE.
std::string ScrambledBytes(const std::u16string &plain)
{
	std::string bytes = "\xFF\xFE";
	for (const char16_t c : plain) {
		const auto unit = static_cast<uint16_t>(c ^ 0x5C1D);
		bytes.push_back(static_cast<char>(unit & 0xFF));
		bytes.push_back(static_cast<char>(unit >> 8));
	}
	return bytes;
}

} // namespace

TEST(UConfigKeyParser, FindsTagsWithPositionsLengthsAndTrimmedText)
{
	struct TTag {
		int Start;
		int Length;
		std::u16string Text;
		bool operator==(const TTag &) const = default;
	};
	struct TCase {
		std::u16string Input;
		std::vector<TTag> Tags;
	};
	const TCase cases[] = {
		{u"plain text", {}},
		{u"a[%x%]b", {{2, 5, u"x"}}},
		{u"[%]", {{1, 3, u""}}},
		{u"[%%]", {{1, 4, u""}}},
		{u"[% \t\r\n include  a \x01%]", {{1, 21, u"include  a"}}},
		{u"%] x [% y", {}},
		{u"[%a[%b%]", {{1, 8, u"a[%b"}}},
		{u"[%a%]%]", {{1, 5, u"a"}}},
		{u"[%a%][%bb%]c[%", {{1, 5, u"a"}, {6, 6, u"bb"}}},
		{u"x[%", {}},
	};
	TGConfigKeyParser parser;
	for (const TCase &c : cases) {
		parser.Parse(c.Input);
		std::vector<TTag> found;
		for (int i = 0; i < parser.Count(); ++i)
			found.push_back({parser.Items(i).Start, parser.Items(i).Length, parser.Items(i).Text});
		EXPECT_EQ(found, c.Tags) << Utf16ToUtf8(c.Input);
	}
}

TEST(UConfigKeyParser, SplitTokensHandlesQuotesAndBlanks)
{
	struct TCase {
		std::u16string Input;
		std::vector<std::u16string> Tokens;
	};
	const TCase cases[] = {
		{u"INCLUDE \"my dir/a.xml\" R", {u"INCLUDE", u"my dir/a.xml", u"R"}},
		{u"  IFDEF\tr800x600\r\nINCLUDE a  ", {u"IFDEF", u"r800x600", u"INCLUDE", u"a"}},
		{u"a\"\"b", {u"a", u"", u"b"}},
		{u"x\"y z\"", {u"x", u"y z"}},
		{u"\"\"", {u""}},
		{u"\"open token", {u"open token"}},
		{u"a \"", {u"a", u""}},
		{u"  ", {}},
		{u"", {}},
	};
	for (const TCase &c : cases)
		EXPECT_EQ(SplitTokens(c.Input), c.Tokens) << Utf16ToUtf8(c.Input);
}

TEST(UConfigKeyParser, FlattenPath)
{
	const std::pair<std::string, std::string> cases[] = {
		{"levels\\egypt.tfx", "levels-egypt.tfx"},
		{"texts/en.tfx", "texts-en.tfx"},
		{"base/R1024x768/levels/03/", "base-R1024x768-levels-03"},
		{"a//b\\", "a--b"},
		{"/", ""},
		{"", ""},
		{"plain", "plain"},
	};
	for (const auto &[input, expected] : cases) {
		EXPECT_EQ(FlattenPath(input), expected) << input;
		EXPECT_EQ(FlattenPath(Utf8ToUtf16(input)), Utf8ToUtf16(expected)) << input;
	}
}

TEST(UConfigKeyParser, ScrambleTextIsItsOwnInverseAndKeepsTheLength)
{
	const std::u16string text = u"<Vantero Key=\"\u00E9\u20AC\"/>\r\n";
	const std::u16string scrambled = ScrambleText(text);
	EXPECT_EQ(scrambled.size(), text.size());
	EXPECT_EQ(scrambled[0], u'<' ^ 0x5C1D);
	EXPECT_NE(scrambled, text);
	EXPECT_EQ(ScrambleText(scrambled), text);
	EXPECT_EQ(ScrambleText(u""), u"");
}

TEST_F(UConfigPreprocessorFiles, TextWithoutTagsOrWithBrokenTagsPassesUnchanged)
{
	TGConfigPreprocessor preprocessor;
	for (const std::string text : {"<Vantero A=\"1\"/>", "100%] done", "50 [% open", ""})
		EXPECT_EQ(Run(preprocessor, text), text);
}

TEST_F(UConfigPreprocessorFiles, DirectiveKeywordsIgnoreCase)
{
	Write("part.xml", "P");
	TGConfigPreprocessor preprocessor;
	EXPECT_EQ(Run(preprocessor, "a[%Include part.xml%]b"), "aPb");
	EXPECT_EQ(Run(preprocessor, "a[%INCLUDE%]b"), "ab");
	EXPECT_EQ(Run(preprocessor, "a[%unknown part.xml%]b[%]c"), "abc");
	EXPECT_EQ(Run(preprocessor, "[%currentdir%]|[%CURRENTDIR x%]|"), Folder.string() + "||");
	// IFDEFINED counts as IFDEF; INCLUDE behind it includes whatever the defines.
	EXPECT_EQ(Run(preprocessor, "[%IFDEFINED nothing INCLUDE part.xml%]"), "P");
}

TEST_F(UConfigPreprocessorFiles, DefinesAreCaseInsensitive)
{
	TGConfigPreprocessor preprocessor;
	preprocessor.AddDefine(u"R1024x768");
	preprocessor.AddDefine(u"L1033");
	EXPECT_EQ(preprocessor.Defines(), (std::vector<std::u16string>{u"r1024x768", u"l1033"}));
	EXPECT_TRUE(preprocessor.IsDefined(u"r1024X768"));
	EXPECT_FALSE(preprocessor.IsDefined(u"R800x600"));
}

TEST_F(UConfigPreprocessorFiles, IfDefNestsAndCombinesWithAnd)
{
	Write("lay.xml", "<Layout/>");
	const std::string text = "[[%IFDEF r1024x768 IFDEF l1033 INCLUDE_RUNTIME lay.xml%]]";
	struct TCase {
		std::vector<std::u16string> Defines;
		std::string Expected;
	};
	const TCase cases[] = {
		{{u"R1024x768", u"L1033"}, "[<Layout/>]"},
		{{u"R1024x768"}, "[]"},
		{{u"L1033"}, "[]"},
		{{}, "[]"},
	};
	for (const TCase &c : cases) {
		TGConfigPreprocessor preprocessor;
		for (const auto &name : c.Defines)
			preprocessor.AddDefine(name);
		EXPECT_EQ(Run(preprocessor, text), c.Expected);
	}
}

TEST_F(UConfigPreprocessorFiles, IfDefKeepsQuotedPathsWithBlanks)
{
	Write("my dir/a b.xml", "AB");
	TGConfigPreprocessor preprocessor;
	preprocessor.AddDefine(u"x");
	EXPECT_EQ(Run(preprocessor, "[%INCLUDE \"my dir/a b.xml\"%]"), "AB");
	EXPECT_EQ(Run(preprocessor, "[%IFDEF x INCLUDE_RUNTIME \"my dir/a b.xml\"%]"), "AB");
	EXPECT_TRUE(fs::exists("cfg/my dir-a b.tfx"));
}

TEST_F(UConfigPreprocessorFiles, MissingRequiredTokensFail)
{
	TGConfigPreprocessor preprocessor;
	EXPECT_THROW(Run(preprocessor, "[%IFDEF%]"), EGameError);
	EXPECT_THROW(Run(preprocessor, "[%INCLUDE_RUNTIME%]"), EGameError);
	EXPECT_THROW(Run(preprocessor, "[%IFDEF x INCLUDE_RUNTIME%]"), EGameError);
}

TEST_F(UConfigPreprocessorFiles, IncludeRuntimeRegeneratesSnapshotsEvenWhenDisabled)
{
	Write("cfg/lay800.xml", "<L [%IFDEF r800x600 INCLUDE inner.xml%]/>");
	Write("cfg/inner.xml", "I");
	TGConfigPreprocessor preprocessor;
	preprocessor.AddDefine(u"R1024x768");
	EXPECT_EQ(Run(preprocessor, "a[%IFDEF R800x600 INCLUDE_RUNTIME cfg\\lay800.xml%]b"), "ab");
	// The file's own INCLUDE is taken whatever the defines; the snapshot holds the expanded text.
	EXPECT_EQ(ReadBytes("cfg/lay800.tfx"), ScrambledBytes(u"<L I/>"));

	// Backslash paths and the "cfg" prefix rule for the snapshot name.
	Write("cfg/levels/egypt.xml", "E");
	Write("texts/en.xml", "T");
	EXPECT_EQ(Run(preprocessor, "[%INCLUDE_RUNTIME cfg\\levels\\egypt.xml%][%INCLUDE_RUNTIME texts/en.xml%]"), "ET");
	EXPECT_TRUE(fs::exists("cfg/levels-egypt.tfx"));
	EXPECT_TRUE(fs::exists("cfg/texts-en.tfx"));
}

TEST_F(UConfigPreprocessorFiles, IncludeRuntimeReadsSnapshotWithoutExpandingIt)
{
	TGConfigPreprocessor preprocessor;
	EXPECT_EQ(ErrorOf([&] { Run(preprocessor, "[%IFDEF no INCLUDE_RUNTIME cfg\\levels\\egypt.xml%]"); }),
		"Tfx file <cfg/levels-egypt.tfx> was not found!");

	// A shipped snapshot without its source: inserted as it is, tags included.
	Write("cfg/levels-egypt.tfx", ScrambledBytes(u"<E>[%CURRENTDIR%]</E>"));
	EXPECT_EQ(Run(preprocessor, "[%INCLUDE_RUNTIME cfg\\levels\\egypt.xml%]"), "<E>[%CURRENTDIR%]</E>");
	// A scrambled text whose code units look like line breaks stays intact.
	Write("cfg/k.tfx", ScrambledBytes(u"\u5C10\u5C17\u7C34"));
	EXPECT_EQ(preprocessor.ProcessText(u"[%INCLUDE_RUNTIME k.xml%]"), u"\u5C10\u5C17\u7C34");
}

TEST_F(UConfigPreprocessorFiles, FileNotFoundMessage)
{
	TGConfigPreprocessor preprocessor;
	const std::string expected = "Config preprocessing: File not found: \"" + Abs("missing.xml") + "\"";
	EXPECT_EQ(ErrorOf([&] { preprocessor.ProcessFile(u"missing.xml"); }), expected);
	EXPECT_EQ(ErrorOf([&] { Run(preprocessor, "[%INCLUDE missing.xml%]"); }), expected);
	// A wildcard that matches nothing is no error.
	EXPECT_EQ(Run(preprocessor, "[%INCLUDE *.none%][%INCLUDE nofolder/*.xml R%]"), "");
}

TEST_F(UConfigPreprocessorFiles, CircularReferenceMessageAndRepeatedIncludes)
{
	Write("a.xml", "A[%INCLUDE sub/b.xml%]");
	Write("sub/b.xml", "B[%INCLUDE ../a.xml%]");
	TGConfigPreprocessor preprocessor;
	EXPECT_EQ(ErrorOf([&] { preprocessor.ProcessFile(u"a.xml"); }),
		"Config preprocessing:  Circular reference. File \"" + Abs("sub/b.xml") + "\" references file \"" +
			Abs("a.xml") + "\", which includes \"" + Abs("sub/b.xml") + "\"");
	EXPECT_EQ(fs::current_path(), Folder);
	EXPECT_TRUE(preprocessor.IncludeChain().empty());

	Write("self.xml", "[%INCLUDE SELF.XML%]");
	EXPECT_NE(ErrorOf([&] { preprocessor.ProcessFile(u"self.xml"); }).find("Circular reference"), std::string::npos);

	Write("c.xml", "C");
	EXPECT_EQ(Run(preprocessor, "[%INCLUDE c.xml%][%INCLUDE c.xml%]"), "CC");
}

TEST_F(UConfigPreprocessorFiles, CurrentDirFollowsTheFileBeingExpanded)
{
	Write("sub/inner/dir.xml", "<[%CURRENTDIR%]>");
	Write("sub/outer.xml", "[%CURRENTDIR%][%INCLUDE inner\\dir.xml%][%CURRENTDIR%]");
	TGConfigPreprocessor preprocessor;
	const std::string sub = Abs("sub");
	EXPECT_EQ(Run(preprocessor, "[%CURRENTDIR%]|[%INCLUDE sub/outer.xml%]|[%CURRENTDIR%]"),
		Folder.string() + "|" + sub + "<" + sub + "/inner>" + sub + "|" + Folder.string());
	EXPECT_EQ(fs::current_path(), Folder);
}

TEST_F(UConfigPreprocessorFiles, IncludeWithWildcardsAndRecursionInNameOrder)
{
	Write("lv/b.xml", "b");
	Write("lv/A.XML", "A");
	Write("lv/c.txt", "-");
	Write("lv/.hidden.xml", "-");
	Write("lv/z/y.xml", "y");
	Write("lv/m/x.xml", "x");
	Write("lv/m/deep/w.xml", "w");
	Write("lv/.h/v.xml", "-");
	TGConfigPreprocessor preprocessor;
	EXPECT_EQ(Run(preprocessor, "[%INCLUDE lv/*.xml%]"), "Ab");
	EXPECT_EQ(Run(preprocessor, "[%INCLUDE lv/*.xml r%]"), "Abxwy");
	EXPECT_EQ(Run(preprocessor, "[%INCLUDE lv\\?.xml R extra%]"), "Ab");
	EXPECT_EQ(Run(preprocessor, "[%INCLUDE \"lv/x.xml\" R%]"), "x");
}

TEST_F(UConfigPreprocessorFiles, LoadConfigBuildsTheDocumentFromConfigXml)
{
	Write("Config.xml",
		"<?xml version=\"1.0\"?>\r\n<Vantero Version=\"1.0\" Ratio=\"1,5\" Name=\"Caf\xE9\" "
		"[%IFDEF r800x600 INCLUDE_RUNTIME cfg\\lay800.xml%][%IFDEF R1280x720 INCLUDE_RUNTIME cfg\\lay1280.xml%]>\r\n"
		"<ChangeResolutionText2>Keep %d seconds?</ChangeResolutionText2>\r\n[%INCLUDE texts/*.xml%]</Vantero>");
	Write("cfg/lay800.xml", "CellSize=\"40\"");
	Write("cfg/lay1280.xml", "CellSize=\"64\"");
	Write("texts/en.xml", "<Text Id=\"t\"/>");
	ResolutionTag = "R1280x720";
	LanguageFolder = "L1033";
	LoadConfig();

	ASSERT_NE(Config, nullptr);
	EXPECT_EQ(ConfigInteger("CellSize"), 64);
	EXPECT_EQ(ConfigText("Name"), "Caf\u00E9");
	EXPECT_DOUBLE_EQ(ConfigStrToFloat(ConfigText("Ratio")), 1.5);
	EXPECT_TRUE(Config->DomNode().child("Text"));
	EXPECT_EQ(ChangeResolutionTemplate, u"Keep %d seconds?");
	EXPECT_TRUE(fs::exists("cfg/lay800.tfx"));

	// Vantero.cfg holds FF FE and the scrambled, line-normalised source.
	TWideStringList source;
	source.LoadFromFile("Config.xml");
	EXPECT_EQ(ReadBytes("Vantero.cfg"), ScrambledBytes(source.Text()));

	// The shipped game: only Vantero.cfg and the snapshots.
	fs::remove("Config.xml");
	fs::remove_all("texts");
	fs::remove("cfg/lay800.xml");
	fs::remove("cfg/lay1280.xml");
	Write("texts/en.xml", "<Text Id=\"t\"/>");
	ResolutionTag = "R800x600";
	LoadConfig();
	EXPECT_EQ(ConfigInteger("CellSize"), 40);
	FreeConfig();
	EXPECT_EQ(Config, nullptr);
	EXPECT_TRUE(ChangeResolutionTemplate.empty());
}

TEST_F(UConfigPreprocessorFiles, LoadConfigFailures)
{
	ResolutionTag = "R800x600";
	LanguageFolder = "L1033";
	EXPECT_THROW(LoadConfig(), EGameError); // no Vantero.cfg

	Write("Config.xml", "<Other A=\"1\"/>");
	EXPECT_THROW(LoadConfig(), EGameError);
	EXPECT_EQ(Config, nullptr);

	Write("Config.xml", "<Vantero A=\"1\"><Open></Vantero>");
	const std::string message = ErrorOf([] { LoadConfig(); });
	EXPECT_NE(message.find("offset"), std::string::npos) << message;

	Write("Config.xml", "<Vantero [%INCLUDE gone.xml%]/>");
	EXPECT_EQ(ErrorOf([] { LoadConfig(); }), "Config preprocessing: File not found: \"" + Abs("gone.xml") + "\"");

	Write("Config.xml", "<Vantero A=\"1\"/>");
	LoadConfig();
	EXPECT_EQ(ConfigText("A"), "1");
	EXPECT_TRUE(ChangeResolutionTemplate.empty());
}
