#pragma once
// The language of the language-dependent graphics and texts: the user's language mapped to one
// of the supported language families, English when its folder "graphics/L<id>" is missing.
// Sets LanguageId, LanguageFolder and LanguageName (config/UUtils.h).

#include <string>

namespace vantero {

// The user's default language mapped to its family.
int MapLanguage();
// A language identifier replaced by the first identifier of its family row; unchanged when in no row.
int MapLanguage(int languageId);
// Whether "graphics/L<id>" exists or "graphics/" holds a file "L<id>*.gfx".
bool HasLanguage(int languageId);
// The same below another graphics folder.
bool HasLanguage(int languageId, const std::string &graphicsFolder);

// Chooses the language for the user's default language and the folder "graphics"; ends the
// program with Can not find "graphics/L1033" when not even English is there.
void ChooseLanguage();
// The same for a given user language and graphics folder.
void ChooseLanguage(int userLanguageId, const std::string &graphicsFolder);

} // namespace vantero
