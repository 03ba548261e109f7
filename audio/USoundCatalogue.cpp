#include "audio/USoundCatalogue.h"

#include "config/UConfigKeys.h"
#include "config/UUtils.h"

#include <pugixml.hpp>

#include <fstream>
#include <sstream>

namespace vantero {

std::string SoundNameFromSrc(std::string_view src)
{
	if (src.size() <= 4)
		return {};
	return std::string(src.substr(0, src.size() - 4));
}

std::vector<TSoundCatalogueEntry> ParseSoundCatalogue(std::string_view fragment)
{
	// The file is included into the root element's content, so give it a root to parse.
	std::string wrapped = "<Catalogue>";
	wrapped.append(fragment);
	wrapped += "</Catalogue>";

	pugi::xml_document document;
	const pugi::xml_parse_result parsed = document.load_buffer(wrapped.data(), wrapped.size(), pugi::parse_default | pugi::parse_declaration | pugi::parse_pi);
	if (!parsed)
		throw EGameError(std::string("Sound catalogue: ") + parsed.description() + " at offset " +
		                 std::to_string(parsed.offset - 11));

	std::vector<TSoundCatalogueEntry> entries;
	for (const pugi::xml_node node : document.child("Catalogue").children()) {
		if (node.type() == pugi::node_declaration || node.type() == pugi::node_pi)
			throw EGameError("Sound catalogue: the included file must not have an XML declaration");
		if (node.type() != pugi::node_element)
			continue;
		if (std::string_view(node.name()) != "Sound")
			throw EGameError(std::string("Sound catalogue: unexpected element \"") + node.name() + "\"");
		const pugi::xml_attribute src = node.attribute("Src");
		if (!src)
			throw EGameError("Sound catalogue: a Sound element has no Src");
		TSoundCatalogueEntry entry;
		entry.Src = src.value();
		entry.Name = SoundNameFromSrc(entry.Src);
		if (const pugi::xml_attribute vol = node.attribute("Vol"))
			entry.Vol = ConfigStrToFloat(vol.value());
		if (const pugi::xml_attribute music = node.attribute("IsMusic")) {
			const auto value = ParseInteger(music.value());
			if (!value)
				throw EGameError(std::string("Sound catalogue: IsMusic of \"") + entry.Src + "\" is not 0 or 1");
			entry.IsMusic = *value != 0;
		}
		if (const pugi::xml_attribute poly = node.attribute("Polyphony")) {
			const auto value = ParseInteger(poly.value());
			if (!value || *value < 0)
				throw EGameError(std::string("Sound catalogue: Polyphony of \"") + entry.Src + "\" is not a count");
			entry.Polyphony = *value;
		}
		entries.push_back(std::move(entry));
	}
	return entries;
}

std::vector<TSoundCatalogueEntry> LoadSoundCatalogue(const std::string &path)
{
	std::ifstream file(path, std::ios::binary);
	if (!file)
		throw EGameError("Sound catalogue: cannot read \"" + path + "\"");
	std::ostringstream text;
	text << file.rdbuf();
	return ParseSoundCatalogue(text.str());
}

} // namespace vantero
