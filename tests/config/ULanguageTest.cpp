#include "config/ULanguage.h"

#include "LayoutTestSupport.h"
#include "config/UUtils.h"

#include <gtest/gtest.h>

using namespace vantero;
using namespace vantero::testing;

TEST(Language, MapLanguageReplacesAnIdByItsFamily)
{
	const std::pair<int, int> cases[] = {
		{2057, 1033}, {18441, 1033}, {1033, 1033}, {1155, 1036}, {3084, 1036}, {2064, 1040}, {1027, 3082},
		{1034, 3082}, {21514, 3082}, {1110, 3082}, {5127, 1031}, {1122, 1043}, {1049, 1049}, {0, 0},
	};
	for (const auto &[user, family] : cases)
		EXPECT_EQ(MapLanguage(user), family) << user;
}

TEST(Language, MapLanguageStartsFromTheLocale)
{
	const TScopedEnv all("LC_ALL", std::nullopt);
	const TScopedEnv messages("LC_MESSAGES", "ca_ES.UTF-8");
	EXPECT_EQ(MapLanguage(), 3082);
}

TEST(Language, ChooseLanguage)
{
	const struct {
		const char *Name;
		int User;
		std::vector<std::string> Present; // folders, or files ending in .gfx, below graphics/
		int Id;
		const char *LanguageNameText;
	} cases[] = {
		{"English (United Kingdom) uses the English folder", 2057, {"L1033"}, 1033, "English (United States)"},
		{"a language without a folder falls back to English", 1049, {"L1033"}, 1033, "English (United States)"},
		{"Catalan is played in Spanish", 1027, {"L1033", "L3082"}, 3082, "Spanish (Spain)"},
		{"a packed folder makes a language available", 3084, {"L1033", "L1036-R800x600.gfx"}, 1036, "French (France)"},
		{"a packed English folder is enough", 1031, {"L1033.gfx"}, 1033, "English (United States)"},
		{"a language outside the families keeps its id", 1049, {"L1033", "L1049"}, 1049, "Russian (Russia)"},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.Name);
		const TTempFolder temp;
		MakeFolder(temp / "graphics");
		for (const std::string &entry : c.Present) {
			if (entry.ends_with(".gfx"))
				WriteTextFile(temp / ("graphics/" + entry), "packed");
			else
				MakeFolder(temp / ("graphics/" + entry));
		}
		ChooseLanguage(c.User, temp / "graphics");
		EXPECT_EQ(LanguageId, c.Id);
		EXPECT_EQ(LanguageFolder, Format("L%d", c.Id));
		EXPECT_EQ(LanguageName, c.LanguageNameText);
	}
}

TEST(Language, MissingEnglishEndsTheProgram)
{
	const TFatalErrorThrows fatalThrows;
	const TTempFolder temp;
	MakeFolder(temp / "graphics/L3082");
	WriteTextFile(temp / "graphics/L1036.txt", "not packed graphics");
	EXPECT_FALSE(HasLanguage(1036, temp / "graphics"));
	try {
		ChooseLanguage(1036, temp / "graphics");
		FAIL() << "no fatal error";
	} catch (const EGameError &error) {
		EXPECT_STREQ(error.what(), "Can not find \"graphics/L1033\"");
	}
}
