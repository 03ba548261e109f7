#include "config/UXMLElement.h"

namespace vantero {

std::optional<std::string> TXMLElement::GetAttribute(std::string_view name) const
{
	const pugi::xml_attribute attribute = Node.attribute(std::string(name).c_str());
	if (!attribute)
		return std::nullopt;
	return std::string(attribute.value());
}

bool TXMLElement::HasAttribute(std::string_view name) const
{
	return static_cast<bool>(Node.attribute(std::string(name).c_str()));
}

void TXMLElement::SetAttribute(std::string_view name, std::string_view value)
{
	const std::string key(name);
	pugi::xml_attribute attribute = Node.attribute(key.c_str());
	if (!attribute)
		attribute = Node.append_attribute(key.c_str());
	attribute.set_value(std::string(value).c_str());
}

std::string TXMLElement::NodeText() const
{
	return Node.text().get();
}

void TXMLElement::SetNodeText(std::string_view text)
{
	Node.text().set(std::string(text).c_str());
}

std::string TXMLElement::NodeName() const
{
	return Node.name();
}

} // namespace vantero
