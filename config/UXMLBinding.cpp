#include "config/UXMLBinding.h"

#include "config/UConfigKeys.h"

#include <charconv>

namespace vantero {

std::string ConfigFloatToStr(double value)
{
	char buffer[64];
	const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
	std::string text(buffer, error == std::errc() ? end : buffer);
	for (char &c : text)
		if (c == '.')
			c = ',';
	return text;
}

std::string ListIndexErrorText(int index)
{
	return "List index out of bounds (" + std::to_string(index) + ")";
}

int TXMLBoundElement::ReadInteger(std::string_view name) const
{
	return AttributeInteger(*this, name);
}

double TXMLBoundElement::ReadReal(std::string_view name) const
{
	return AttributeReal(*this, name);
}

std::string TXMLBoundElement::ReadText(std::string_view name) const
{
	return GetAttribute(name).value_or(std::string());
}

THAlign TXMLBoundElement::ReadHAlign(std::string_view name) const
{
	return StrToHAlign(ReadText(name));
}

TVAlign TXMLBoundElement::ReadVAlign(std::string_view name) const
{
	return StrToVAlign(ReadText(name));
}

void TXMLBoundElement::WriteInteger(std::string_view name, int value)
{
	SetAttribute(name, std::to_string(value));
}

void TXMLBoundElement::WriteReal(std::string_view name, double value)
{
	SetAttribute(name, ConfigFloatToStr(value));
}

void TXMLBoundElement::WriteText(std::string_view name, std::string_view value)
{
	SetAttribute(name, value);
}

void TXMLBoundElement::WriteHAlign(std::string_view name, THAlign value)
{
	SetAttribute(name, HAlignToStr(value));
}

void TXMLBoundElement::WriteVAlign(std::string_view name, TVAlign value)
{
	SetAttribute(name, VAlignToStr(value));
}

} // namespace vantero
