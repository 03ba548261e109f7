#include "text/UUnicode.h"

#include "config/UUtils.h"
#include "text/UTextConvert.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <fstream>
#include <iterator>

namespace vantero {

namespace {

// Windows-1252 code points of the bytes 0x80 to 0x9F; the five unassigned bytes map to themselves.
constexpr char16_t Cp1252High[32] = {
	0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
	0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
	0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
	0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian)
{
	std::u16string out;
	out.reserve(bytes.size() / 2);
	for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
		const auto first = static_cast<unsigned char>(bytes[i]);
		const auto second = static_cast<unsigned char>(bytes[i + 1]);
		out.push_back(bigEndian ? static_cast<char16_t>((first << 8) | second)
		                        : static_cast<char16_t>((second << 8) | first));
	}
	return out;
}

std::u16string DecodeCp1252(std::string_view bytes)
{
	std::u16string out;
	out.reserve(bytes.size());
	for (const char c : bytes) {
		const auto b = static_cast<unsigned char>(c);
		out.push_back(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : static_cast<char16_t>(b));
	}
	return out;
}

bool StartsWith(std::string_view bytes, std::string_view prefix)
{
	return bytes.substr(0, prefix.size()) == prefix;
}

// Runs one ICU case mapping (u_strToUpper / u_strToLower) with a growing buffer.
template <typename TMapping>
std::u16string MapCase(std::u16string_view text, TMapping mapping)
{
	if (text.empty())
		return {};
	std::u16string out(text.size() + text.size() / 2 + 4, u'\0');
	for (int attempt = 0; attempt < 2; ++attempt) {
		UErrorCode status = U_ZERO_ERROR;
		const int32_t length = mapping(out.data(), static_cast<int32_t>(out.size()), text.data(),
			static_cast<int32_t>(text.size()), "", &status);
		if (status == U_BUFFER_OVERFLOW_ERROR) {
			out.assign(static_cast<size_t>(length), u'\0');
			continue;
		}
		if (U_FAILURE(status))
			throw EGameError(std::string("Unicode case mapping failed: ") + u_errorName(status));
		out.resize(static_cast<size_t>(length));
		return out;
	}
	throw EGameError("Unicode case mapping failed: buffer overflow");
}

} // namespace

std::u16string DecodeWideText(std::string_view bytes)
{
	if (StartsWith(bytes, "\xFF\xFE"))
		return DecodeUtf16(bytes.substr(2), false);
	if (StartsWith(bytes, "\xFE\xFF"))
		return DecodeUtf16(bytes.substr(2), true);
	if (StartsWith(bytes, "\xEF\xBB\xBF"))
		return Utf8ToUtf16(bytes.substr(3));
	return DecodeCp1252(bytes);
}

std::u16string ReadWideTextFile(const std::string &fileName)
{
	std::ifstream file(fileName, std::ios::binary);
	if (!file)
		throw EGameError("Cannot open file \"" + fileName + "\"");
	const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	if (file.bad())
		throw EGameError("Cannot read file \"" + fileName + "\"");
	return DecodeWideText(bytes);
}

void WriteWideTextFile(const std::string &fileName, std::u16string_view text)
{
	std::string bytes;
	bytes.reserve(2 + text.size() * 2);
	bytes.push_back(static_cast<char>(0xFF));
	bytes.push_back(static_cast<char>(0xFE));
	for (const char16_t unit : text) {
		bytes.push_back(static_cast<char>(unit & 0xFF));
		bytes.push_back(static_cast<char>(unit >> 8));
	}
	std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
	if (!file)
		throw EGameError("Cannot create file \"" + fileName + "\"");
	file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
	file.close();
	if (!file)
		throw EGameError("Cannot write file \"" + fileName + "\"");
}

const std::u16string &TWideStringList::Strings(int index) const
{
	if (index < 0 || index >= Count())
		throw EGameError("List index out of bounds (" + std::to_string(index) + ")");
	return Lines[static_cast<size_t>(index)];
}

void TWideStringList::Add(std::u16string line)
{
	Lines.push_back(std::move(line));
}

std::u16string TWideStringList::Text() const
{
	std::u16string out;
	for (size_t i = 0; i < Lines.size(); ++i) {
		if (i > 0)
			out += u"\r\n";
		out += Lines[i];
	}
	return out;
}

void TWideStringList::SetText(std::u16string_view text)
{
	Lines.clear();
	size_t start = 0;
	size_t i = 0;
	while (i < text.size()) {
		const char16_t c = text[i];
		if (c == u'\r' || c == u'\n' || c == 11 || c == 12 || c == 0x2028 || c == 0x2029) {
			Lines.emplace_back(text.substr(start, i - start));
			i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
			start = i;
		} else
			++i;
	}
	if (start < text.size())
		Lines.emplace_back(text.substr(start));
}

void TWideStringList::LoadFromFile(const std::string &fileName)
{
	SetText(ReadWideTextFile(fileName));
}

void TWideStringList::SaveToFile(const std::string &fileName) const
{
	WriteWideTextFile(fileName, Text());
}

std::u16string WideUpperCase(std::u16string_view text)
{
	return MapCase(text, u_strToUpper);
}

std::u16string WideLowerCase(std::u16string_view text)
{
	return MapCase(text, u_strToLower);
}

int WideCompareText(std::u16string_view a, std::u16string_view b)
{
	UErrorCode status = U_ZERO_ERROR;
	const int result = u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(),
		static_cast<int32_t>(b.size()), U_FOLD_CASE_DEFAULT, &status);
	if (U_FAILURE(status))
		throw EGameError(std::string("Unicode comparison failed: ") + u_errorName(status));
	return result;
}

bool WideSameText(std::u16string_view a, std::u16string_view b)
{
	return WideCompareText(a, b) == 0;
}

std::u16string WideTrim(std::u16string_view text)
{
	size_t first = 0;
	size_t last = text.size();
	while (first < last && text[first] <= u' ')
		++first;
	while (last > first && text[last - 1] <= u' ')
		--last;
	return std::u16string(text.substr(first, last - first));
}

} // namespace vantero
