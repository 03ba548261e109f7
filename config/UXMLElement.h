#pragma once
// Base of every element wrapper of the configuration document: attributes by name,
// the element's text, and access to the underlying DOM node for the typed binding.

#include <pugixml.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace vantero {

class TXMLElement {
public:
	explicit TXMLElement(pugi::xml_node node) : Node(node) {}
	virtual ~TXMLElement() = default;
	TXMLElement(const TXMLElement &) = delete;
	TXMLElement &operator=(const TXMLElement &) = delete;

	// The attribute's text, or nothing when the element has no such attribute (names are case-sensitive).
	std::optional<std::string> GetAttribute(std::string_view name) const;
	// Whether the attribute is present.
	bool HasAttribute(std::string_view name) const;
	// Sets (or adds) the attribute's text.
	void SetAttribute(std::string_view name, std::string_view value);
	// The element's own text content (UTF-8).
	std::string NodeText() const;
	// Replaces the element's text content.
	void SetNodeText(std::string_view text);
	// The element's name.
	std::string NodeName() const;
	// The DOM node.
	pugi::xml_node DomNode() const { return Node; }

protected:
	pugi::xml_node Node;
};

} // namespace vantero
