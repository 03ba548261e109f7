#pragma once
// The one pair of conversions between UTF-8 (paths, keys, messages) and UTF-16 (wide text).

#include <string>
#include <string_view>

namespace vantero {

// UTF-8 to UTF-16; invalid bytes become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace vantero
