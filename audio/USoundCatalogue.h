#pragma once
// The sound catalogue file (data/cfg/sounds.xml) read on its own, outside the configuration
// document: used by the audio generator and the tests to walk the Sound elements and their names.

#include <string>
#include <string_view>
#include <vector>

namespace vantero {

// One Sound element, with the name the sound engine gives it.
struct TSoundCatalogueEntry {
	std::string Src;     // path under "audio/", as written
	std::string Name;    // Src without its last four characters
	double Vol = 1.0;    // "Vol" read with a decimal comma; 1.0 when absent
	bool IsMusic = false; // "IsMusic" as an integer truth; false when absent
	int Polyphony = 1;   // "Polyphony"; 1 when absent
};

// The catalogue name of a Src: the text without its last four characters (empty when shorter).
std::string SoundNameFromSrc(std::string_view src);

// Parses a fragment of Sound elements (no root of its own; comments allowed), in document order.
// EGameError on malformed XML, a bad Vol, a non-integer or negative Polyphony, or a missing Src.
std::vector<TSoundCatalogueEntry> ParseSoundCatalogue(std::string_view fragment);

// Reads and parses the catalogue file; EGameError when it cannot be read.
std::vector<TSoundCatalogueEntry> LoadSoundCatalogue(const std::string &path);

} // namespace vantero
