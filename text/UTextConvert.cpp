#include "text/UTextConvert.h"

namespace vantero {

namespace {

constexpr char32_t Replacement = 0xFFFD;

void AppendUtf16(std::u16string &out, char32_t cp)
{
	if (cp >= 0x10000) {
		cp -= 0x10000;
		out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
		out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
	} else
		out.push_back(static_cast<char16_t>(cp));
}

void AppendUtf8(std::string &out, char32_t cp)
{
	if (cp < 0x80)
		out.push_back(static_cast<char>(cp));
	else if (cp < 0x800) {
		out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
		out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
	} else if (cp < 0x10000) {
		out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
		out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
		out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
	} else {
		out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
		out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
		out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
		out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
	}
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view text)
{
	std::u16string out;
	out.reserve(text.size());
	size_t i = 0;
	while (i < text.size()) {
		const auto lead = static_cast<unsigned char>(text[i]);
		int extra = 0;
		char32_t cp = 0;
		if (lead < 0x80) {
			cp = lead;
		} else if ((lead & 0xE0) == 0xC0) {
			extra = 1;
			cp = lead & 0x1F;
		} else if ((lead & 0xF0) == 0xE0) {
			extra = 2;
			cp = lead & 0x0F;
		} else if ((lead & 0xF8) == 0xF0) {
			extra = 3;
			cp = lead & 0x07;
		} else {
			out.push_back(static_cast<char16_t>(Replacement));
			++i;
			continue;
		}
		bool valid = true;
		for (int k = 1; k <= extra; ++k) {
			if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
				valid = false;
				break;
			}
			cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
		}
		static constexpr char32_t Minimum[] = {0, 0x80, 0x800, 0x10000};
		if (!valid || cp < Minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
			out.push_back(static_cast<char16_t>(Replacement));
			++i;
			continue;
		}
		AppendUtf16(out, cp);
		i += extra + 1;
	}
	return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
	std::string out;
	out.reserve(text.size());
	for (size_t i = 0; i < text.size(); ++i) {
		char32_t cp = text[i];
		if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
			cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
			++i;
		} else if (cp >= 0xD800 && cp <= 0xDFFF)
			cp = Replacement;
		AppendUtf8(out, cp);
	}
	return out;
}

} // namespace vantero
