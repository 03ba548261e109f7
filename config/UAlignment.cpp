#include "config/UAlignment.h"

#include "config/UUtils.h"

namespace vantero {

std::string HAlignToStr(THAlign align)
{
	switch (align) {
	case THAlign::Left: return "left";
	case THAlign::Center: return "center";
	case THAlign::Right: return "right";
	}
	RaiseGameErrorAt("HAlignToStr", "Unknown HAlign type");
}

std::string VAlignToStr(TVAlign align)
{
	switch (align) {
	case TVAlign::Top: return "top";
	case TVAlign::Center: return "center";
	case TVAlign::Bottom: return "bottom";
	}
	RaiseGameErrorAt("VAlignToStr", "Unknown VAlign type");
}

THAlign StrToHAlign(std::string_view text)
{
	const std::string word = LowerCase(text);
	if (word == "left")
		return THAlign::Left;
	if (word == "center")
		return THAlign::Center;
	if (word == "right")
		return THAlign::Right;
	RaiseGameErrorAt("StrToHAlign", "Unknown HAlign");
}

TVAlign StrToVAlign(std::string_view text)
{
	const std::string word = LowerCase(text);
	if (word == "top")
		return TVAlign::Top;
	if (word == "center")
		return TVAlign::Center;
	if (word == "bottom")
		return TVAlign::Bottom;
	RaiseGameErrorAt("StrToVAlign", "Unknown VAlign");
}

} // namespace vantero
