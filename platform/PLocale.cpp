#include "platform/PLocale.h"

#include <cctype>
#include <cstdlib>

namespace vantero::platform {

namespace {

struct TLanguageRow {
	const char *Locale; // language, or language_REGION
	int Id;
	const char *Name;
};

// The first row of every language is its default, used when only the language matches.
const TLanguageRow kLanguages[] = {
	{"en_US", 1033, "English (United States)"},
	{"en_GB", 2057, "English (United Kingdom)"},
	{"en_AU", 3081, "English (Australia)"},
	{"en_CA", 4105, "English (Canada)"},
	{"en_NZ", 5129, "English (New Zealand)"},
	{"en_IE", 6153, "English (Ireland)"},
	{"en_ZA", 7177, "English (South Africa)"},
	{"en_JM", 8201, "English (Jamaica)"},
	{"en_BZ", 10249, "English (Belize)"},
	{"en_TT", 11273, "English (Trinidad and Tobago)"},
	{"en_ZW", 12297, "English (Zimbabwe)"},
	{"en_PH", 13321, "English (Philippines)"},
	{"en_IN", 16393, "English (India)"},
	{"en_MY", 17417, "English (Malaysia)"},
	{"en_SG", 18441, "English (Singapore)"},
	{"fr_FR", 1036, "French (France)"},
	{"fr_BE", 2060, "French (Belgium)"},
	{"fr_CA", 3084, "French (Canada)"},
	{"fr_CH", 4108, "French (Switzerland)"},
	{"fr_LU", 5132, "French (Luxembourg)"},
	{"fr_MC", 6156, "French (Monaco)"},
	{"br_FR", 1150, "Breton (France)"},
	{"co_FR", 1155, "Corsican (France)"},
	{"oc_FR", 1154, "Occitan (France)"},
	{"it_IT", 1040, "Italian (Italy)"},
	{"it_CH", 2064, "Italian (Switzerland)"},
	{"es_ES", 3082, "Spanish (Spain)"},
	{"es_MX", 2058, "Spanish (Mexico)"},
	{"es_GT", 4106, "Spanish (Guatemala)"},
	{"es_CR", 5130, "Spanish (Costa Rica)"},
	{"es_PA", 6154, "Spanish (Panama)"},
	{"es_DO", 7178, "Spanish (Dominican Republic)"},
	{"es_VE", 8202, "Spanish (Venezuela)"},
	{"es_CO", 9226, "Spanish (Colombia)"},
	{"es_PE", 10250, "Spanish (Peru)"},
	{"es_AR", 11274, "Spanish (Argentina)"},
	{"es_EC", 12298, "Spanish (Ecuador)"},
	{"es_CL", 13322, "Spanish (Chile)"},
	{"es_UY", 14346, "Spanish (Uruguay)"},
	{"es_PY", 15370, "Spanish (Paraguay)"},
	{"es_BO", 16394, "Spanish (Bolivia)"},
	{"es_SV", 17418, "Spanish (El Salvador)"},
	{"es_HN", 18442, "Spanish (Honduras)"},
	{"es_NI", 19466, "Spanish (Nicaragua)"},
	{"es_PR", 20490, "Spanish (Puerto Rico)"},
	{"es_US", 21514, "Spanish (United States)"},
	{"eu_ES", 1069, "Basque (Spain)"},
	{"ca_ES", 1027, "Catalan (Spain)"},
	{"gl_ES", 1110, "Galician (Spain)"},
	{"de_DE", 1031, "German (Germany)"},
	{"de_CH", 2055, "German (Switzerland)"},
	{"de_AT", 3079, "German (Austria)"},
	{"de_LU", 4103, "German (Luxembourg)"},
	{"de_LI", 5127, "German (Liechtenstein)"},
	{"nl_NL", 1043, "Dutch (Netherlands)"},
	{"nl_BE", 2067, "Dutch (Belgium)"},
	{"fy_NL", 1122, "Frisian (Netherlands)"},
	{"pt_BR", 1046, "Portuguese (Brazil)"},
	{"pt_PT", 2070, "Portuguese (Portugal)"},
	{"ru_RU", 1049, "Russian (Russia)"},
	{"pl_PL", 1045, "Polish (Poland)"},
	{"cs_CZ", 1029, "Czech (Czech Republic)"},
	{"sk_SK", 1051, "Slovak (Slovakia)"},
	{"hu_HU", 1038, "Hungarian (Hungary)"},
	{"ro_RO", 1048, "Romanian (Romania)"},
	{"bg_BG", 1026, "Bulgarian (Bulgaria)"},
	{"hr_HR", 1050, "Croatian (Croatia)"},
	{"sl_SI", 1060, "Slovenian (Slovenia)"},
	{"uk_UA", 1058, "Ukrainian (Ukraine)"},
	{"el_GR", 1032, "Greek (Greece)"},
	{"tr_TR", 1055, "Turkish (Turkey)"},
	{"sv_SE", 1053, "Swedish (Sweden)"},
	{"sv_FI", 2077, "Swedish (Finland)"},
	{"da_DK", 1030, "Danish (Denmark)"},
	{"nb_NO", 1044, "Norwegian, Bokmål (Norway)"},
	{"no_NO", 1044, "Norwegian, Bokmål (Norway)"},
	{"nn_NO", 2068, "Norwegian, Nynorsk (Norway)"},
	{"fi_FI", 1035, "Finnish (Finland)"},
	{"is_IS", 1039, "Icelandic (Iceland)"},
	{"et_EE", 1061, "Estonian (Estonia)"},
	{"lv_LV", 1062, "Latvian (Latvia)"},
	{"lt_LT", 1063, "Lithuanian (Lithuania)"},
	{"he_IL", 1037, "Hebrew (Israel)"},
	{"ar_SA", 1025, "Arabic (Saudi Arabia)"},
	{"ar_EG", 3073, "Arabic (Egypt)"},
	{"th_TH", 1054, "Thai (Thailand)"},
	{"vi_VN", 1066, "Vietnamese (Vietnam)"},
	{"id_ID", 1057, "Indonesian (Indonesia)"},
	{"ms_MY", 1086, "Malay (Malaysia)"},
	{"hi_IN", 1081, "Hindi (India)"},
	{"ja_JP", 1041, "Japanese (Japan)"},
	{"ko_KR", 1042, "Korean (Korea)"},
	{"zh_CN", 2052, "Chinese (Simplified, PRC)"},
	{"zh_TW", 1028, "Chinese (Traditional, Taiwan)"},
	{"zh_HK", 3076, "Chinese (Traditional, Hong Kong S.A.R.)"},
	{"zh_SG", 4100, "Chinese (Simplified, Singapore)"},
};

const int kDefaultLanguage = 1033;

std::string LowerAscii(std::string_view text)
{
	std::string result(text);
	for (char &c : result)
		c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
	return result;
}

std::string UpperAscii(std::string_view text)
{
	std::string result(text);
	for (char &c : result)
		c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
	return result;
}

} // namespace

std::string EnvironmentLocale()
{
	for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
		const char *value = std::getenv(name);
		if (value && *value)
			return value;
	}
	return std::string();
}

int LanguageIdOfLocale(std::string_view locale)
{
	// language[_REGION][.codeset][@modifier]; a '-' between language and region is taken too.
	const size_t end = locale.find_first_of(".@");
	const std::string_view tag = locale.substr(0, end);
	const size_t separator = tag.find_first_of("_-");
	const std::string language = LowerAscii(tag.substr(0, separator));
	const std::string region = separator == std::string_view::npos ? std::string() : UpperAscii(tag.substr(separator + 1));
	if (language.empty() || language == "c" || language == "posix")
		return kDefaultLanguage;
	if (!region.empty()) {
		const std::string full = language + "_" + region;
		for (const TLanguageRow &row : kLanguages)
			if (full == row.Locale)
				return row.Id;
	}
	for (const TLanguageRow &row : kLanguages)
		if (std::string_view(row.Locale).substr(0, 3) == language + "_")
			return row.Id;
	return kDefaultLanguage;
}

int UserDefaultLanguageId()
{
	return LanguageIdOfLocale(EnvironmentLocale());
}

std::string LanguageNameOf(int languageId)
{
	for (const TLanguageRow &row : kLanguages)
		if (row.Id == languageId)
			return row.Name;
	return std::string();
}

} // namespace vantero::platform
