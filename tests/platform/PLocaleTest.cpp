#include "platform/PLocale.h"

#include "../config/LayoutTestSupport.h"

#include <gtest/gtest.h>

using namespace vantero::platform;
using namespace vantero::testing;

TEST(Locale, LanguageIdOfLocale)
{
	const std::pair<const char *, int> cases[] = {
		{"en_US.UTF-8", 1033}, {"en_GB.UTF-8", 2057}, {"en_AU", 3081}, {"fr_CA.ISO-8859-1", 3084},
		{"fr_BE", 2060}, {"de_AT@euro", 3079}, {"de_CH.UTF-8", 2055}, {"es_MX", 2058}, {"ca_ES.UTF-8@valencia", 1027},
		{"nl_BE", 2067}, {"pt_BR", 1046}, {"pt_PT", 2070}, {"ru_RU.KOI8-R", 1049}, {"en-CA", 4105}, {"FR_ch", 4108},
		{"en", 1033}, {"fr", 1036}, {"es", 3082}, {"de_XX.UTF-8", 1031}, {"pt", 1046},
		{"C", 1033}, {"C.UTF-8", 1033}, {"POSIX", 1033}, {"", 1033}, {"xx_YY", 1033},
	};
	for (const auto &[locale, id] : cases)
		EXPECT_EQ(LanguageIdOfLocale(locale), id) << locale;
}

TEST(Locale, EnvironmentOrderIsAllThenMessagesThenLang)
{
	const TScopedEnv lang("LANG", "de_DE.UTF-8");
	{
		const TScopedEnv all("LC_ALL", "");
		const TScopedEnv messages("LC_MESSAGES", std::nullopt);
		EXPECT_EQ(EnvironmentLocale(), "de_DE.UTF-8");
		EXPECT_EQ(UserDefaultLanguageId(), 1031);
	}
	{
		const TScopedEnv all("LC_ALL", std::nullopt);
		const TScopedEnv messages("LC_MESSAGES", "it_IT");
		EXPECT_EQ(UserDefaultLanguageId(), 1040);
	}
	const TScopedEnv all("LC_ALL", "nl_NL");
	const TScopedEnv messages("LC_MESSAGES", "it_IT");
	EXPECT_EQ(UserDefaultLanguageId(), 1043);
}

TEST(Locale, LanguageNames)
{
	EXPECT_EQ(LanguageNameOf(1033), "English (United States)");
	EXPECT_EQ(LanguageNameOf(3082), "Spanish (Spain)");
	EXPECT_EQ(LanguageNameOf(12345), "");
}
