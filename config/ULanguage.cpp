#include "config/ULanguage.h"

#include "config/UFolders.h"
#include "config/UUtils.h"
#include "platform/PLocale.h"
#include "platform/PPaths.h"

#include <array>

namespace vantero {

namespace {

// Each row has room for 24 identifiers; the first is the row's result, empty places hold 0.
using TFamilyRow = std::array<int, 24>;

const TFamilyRow kFamilies[] = {
	// English
	{1033, 2057, 3081, 4105, 5129, 6153, 7177, 8201, 9225, 10249, 11273, 12297, 13321, 16393, 17417, 18441},
	// French
	{1036, 2060, 3084, 4108, 5132, 6156, 1150, 1155, 1154},
	// Italian
	{1040, 2064},
	// Spanish (with Basque, Catalan and Galician)
	{3082, 1034, 2058, 4106, 5130, 6154, 7178, 8202, 9226, 10250, 11274, 12298, 13322, 14346, 15370, 16394, 17418,
		18442, 19466, 20490, 21514, 1069, 1027, 1110},
	// German
	{1031, 2055, 3079, 4103, 5127},
	// Dutch
	{1043, 2067, 1122},
};

const int kEnglish = 1033;
const char *const kGraphicsFolder = "graphics";

std::string FolderName(int languageId)
{
	return Format("L%d", languageId);
}

} // namespace

int MapLanguage()
{
	return MapLanguage(platform::UserDefaultLanguageId());
}

int MapLanguage(int languageId)
{
	if (languageId == 0)
		return languageId; // empty places match nothing
	for (const TFamilyRow &row : kFamilies)
		for (const int id : row)
			if (id == languageId)
				return row[0];
	return languageId;
}

bool HasLanguage(int languageId)
{
	return HasLanguage(languageId, kGraphicsFolder);
}

bool HasLanguage(int languageId, const std::string &graphicsFolder)
{
	const std::string name = FolderName(languageId);
	return platform::FolderExists(graphicsFolder + "/" + name) || FileMatchExists(graphicsFolder, name + "*.gfx");
}

void ChooseLanguage()
{
	ChooseLanguage(platform::UserDefaultLanguageId(), kGraphicsFolder);
}

void ChooseLanguage(int userLanguageId, const std::string &graphicsFolder)
{
	int id = MapLanguage(userLanguageId);
	if (!HasLanguage(id, graphicsFolder))
		id = kEnglish;
	if (!HasLanguage(id, graphicsFolder))
		FatalError("Can not find \"graphics/" + FolderName(id) + "\"");
	LanguageId = id;
	LanguageName = platform::LanguageNameOf(id).substr(0, 100);
	LanguageFolder = FolderName(id);
}

} // namespace vantero
