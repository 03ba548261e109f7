#pragma once
// Typed binding of the configuration document: one class per element type.

#include "config/UXMLElement.h"

#include <memory>

namespace vantero {

// The root element Vantero: configuration keys are its attributes.
class TXMLVanteroType : public TXMLElement {
public:
	explicit TXMLVanteroType(pugi::xml_node node) : TXMLElement(node) {}
};

// Binds the document's root element (which must be named Vantero); throws EGameError otherwise.
std::unique_ptr<TXMLVanteroType> GetVantero(const pugi::xml_document &document);

// The root of the loaded configuration document (set by LoadConfig).
extern TXMLVanteroType *Config;

} // namespace vantero
