#pragma once
// Unicode text support: the wide text list that reads and writes text files
// (UTF-16 with a byte-order mark, or 8-bit Windows-1252 text), and full Unicode case mapping.

#include <string>
#include <string_view>
#include <vector>

namespace vantero {

// Decodes the bytes of a text file without splitting it into lines:
// FF FE = UTF-16LE, FE FF = UTF-16BE, EF BB BF = UTF-8, anything else = Windows-1252.
std::u16string DecodeWideText(std::string_view bytes);
// Reads a file and decodes it with DecodeWideText; EGameError when it cannot be read.
std::u16string ReadWideTextFile(const std::string &fileName);
// Writes FF FE and the UTF-16LE code units of the text, nothing else; EGameError when it cannot be written.
void WriteWideTextFile(const std::string &fileName, std::u16string_view text);

// A list of wide-text lines, read from and written to text files.
class TWideStringList {
public:
	TWideStringList() = default;

	// Number of lines.
	int Count() const { return static_cast<int>(Lines.size()); }
	// The line at the index (0-based); EGameError when out of range.
	const std::u16string &Strings(int index) const;
	// All lines in order.
	const std::vector<std::u16string> &Items() const { return Lines; }
	// Appends a line.
	void Add(std::u16string line);
	// Removes every line.
	void Clear() { Lines.clear(); }

	// The lines joined with CR LF, no line break after the last line.
	std::u16string Text() const;
	// Replaces the lines by the text split at CR LF, CR, LF, VT, FF, U+2028 and U+2029.
	void SetText(std::u16string_view text);

	// Replaces the lines by the decoded and split content of the file.
	void LoadFromFile(const std::string &fileName);
	// Writes FF FE and Text() as UTF-16LE.
	void SaveToFile(const std::string &fileName) const;

private:
	// The lines, without their line breaks.
	std::vector<std::u16string> Lines;
};

// --- Full Unicode case mapping (root locale, so no language-specific rules such as Turkish i) ---
// Upper case; the text may grow ("ß" becomes "SS").
std::u16string WideUpperCase(std::u16string_view text);
// Lower case.
std::u16string WideLowerCase(std::u16string_view text);
// Case-insensitive comparison by full case folding: negative, zero or positive.
int WideCompareText(std::u16string_view a, std::u16string_view b);
// Whether the texts are equal ignoring case.
bool WideSameText(std::u16string_view a, std::u16string_view b);

// --- Helpers ---
// Removes blanks and control characters (code 32 or less) from both ends.
std::u16string WideTrim(std::u16string_view text);

} // namespace vantero
