#include "config/UConfigElements.h"

#include "text/UTextConvert.h"

namespace vantero {

std::u16string TXMLTextType::Text() const
{
	return Utf8ToUtf16(NodeText());
}

void TXMLTextType::SetText(std::u16string_view text)
{
	SetNodeText(Utf16ToUtf8(text));
}

} // namespace vantero
