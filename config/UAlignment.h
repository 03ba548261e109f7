#pragma once
// Horizontal and vertical alignment of text blocks, and their words in the game data.

#include <string>
#include <string_view>

namespace vantero {

// Horizontal alignment: 0 left, 1 center, 2 right.
enum class THAlign : int { Left = 0, Center = 1, Right = 2 };
// Vertical alignment: 0 top, 1 center, 2 bottom.
enum class TVAlign : int { Top = 0, Center = 1, Bottom = 2 };

// "left", "center" or "right"; fails with "HAlignToStr: Unknown HAlign type" on any other value.
std::string HAlignToStr(THAlign align);
// "top", "center" or "bottom"; fails with "VAlignToStr: Unknown VAlign type" on any other value.
std::string VAlignToStr(TVAlign align);
// Reads "left", "center", "right" in any letter case; fails with "StrToHAlign: Unknown HAlign".
THAlign StrToHAlign(std::string_view text);
// Reads "top", "center", "bottom" in any letter case; fails with "StrToVAlign: Unknown VAlign".
TVAlign StrToVAlign(std::string_view text);

} // namespace vantero
