#include "config/UConfig.h"

#include "config/UUtils.h"

#include <memory>

namespace vantero {

TXMLVanteroType *Config = nullptr;

std::unique_ptr<TXMLVanteroType> GetVantero(const pugi::xml_document &document)
{
	const pugi::xml_node root = document.document_element();
	if (std::string(root.name()) != "Vantero")
		throw EGameError("Root element of the configuration document must be \"Vantero\", found \"" + std::string(root.name()) + "\"");
	return std::make_unique<TXMLVanteroType>(root);
}

} // namespace vantero
