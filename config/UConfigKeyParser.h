#pragma once
// The tag scanner of the configuration preprocessor and its text helpers:
// directive tags "[%" ... "%]", directive tokens, snapshot path flattening and scrambling.

#include <string>
#include <string_view>
#include <vector>

namespace vantero {

// One directive tag found in a text.
struct TGConfigKey {
	// 1-based position of the "[" of "[%".
	int Start = 0;
	// The directive text between "[%" and "%]", trimmed.
	std::u16string Text;
	// Characters from "[" to "]" inclusive; the text after the tag begins at Start + Length.
	int Length = 0;
};

// Finds the directive tags of a text, in order of position.
class TGConfigKeyParser {
public:
	TGConfigKeyParser() = default;
	TGConfigKeyParser(const TGConfigKeyParser &) = delete;
	TGConfigKeyParser &operator=(const TGConfigKeyParser &) = delete;

	// Replaces the records by the tags of the text; an unclosed "[%" is no tag.
	void Parse(std::u16string_view text);
	// Number of tags found.
	int Count() const { return static_cast<int>(Keys.size()); }
	// The tag at the index (0-based).
	const TGConfigKey &Items(int index) const { return Keys.at(static_cast<size_t>(index)); }

private:
	// The tags of the last parsed text.
	std::vector<TGConfigKey> Keys;
};

// Exclusive-or of every code unit with 0x5C1D; its own inverse.
std::u16string ScrambleText(std::u16string_view text);
// Splits a directive text into blank-separated tokens; double quotes group a token and are dropped.
std::vector<std::u16string> SplitTokens(std::u16string_view text);
// Every "/" or "\" that is not the last character becomes "-"; one at the very end is removed.
std::u16string FlattenPath(std::u16string_view path);
// FlattenPath on UTF-8 text (PackIds such as "base-R1024x768-levels-03").
std::string FlattenPath(std::string_view path);

} // namespace vantero
