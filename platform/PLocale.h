#pragma once
// The user's language: the locale of the environment mapped to Windows language identifiers
// (the numbers the language folders "L%d" are named with), and the names of those languages.

#include <string>
#include <string_view>

namespace vantero::platform {

// The first non-empty of LC_ALL, LC_MESSAGES and LANG; empty when none is set.
std::string EnvironmentLocale();
// The language identifier of a locale such as "de_AT.UTF-8" or "fr_CA@euro": its language and
// region when the table knows them, else its language alone, else 1033 ("C", "POSIX", empty, unknown).
int LanguageIdOfLocale(std::string_view locale);
// The user's default language identifier, from the environment's locale.
int UserDefaultLanguageId();
// The name of a language identifier ("English (United States)"); empty for one the table does not know.
std::string LanguageNameOf(int languageId);

} // namespace vantero::platform
