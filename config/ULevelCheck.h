#pragma once
// Checks of a loaded configuration document against the rules the game relies on (fields, gem kinds,
// boxes, workers, keys read as numbers, texts asked for, sounds played), and the per-pass summary of the
// levels that shows the difficulty curve. Used by tools/levelcheck.

#include "config/UConfig.h"

#include <optional>
#include <string>
#include <vector>

namespace vantero {

// What the game reads, from the lists in data/manifest/.
struct TLevelCheckManifest {
	// A value converted to a number: a root key (Element empty) or an attribute of every element of a name.
	struct TNumberKey {
		std::string Element;
		std::string Name;
		std::string Conversion; // "int", "real" or "intlist"
		bool Optional = false;  // only the form is checked when present
	};
	// A text element the game draws: a fixed child of the root (no Id) or a repeated one by Id.
	struct TTextId {
		std::string List;
		std::optional<int> Id;
	};
	std::vector<TNumberKey> NumberKeys;
	std::vector<TTextId> TextIds;
	std::vector<std::string> SoundNames;
};

// Reads config-number-keys.txt, text-ids.txt and sound-names.txt from the folder ("#" starts a comment line);
// EGameError naming the file and line on a missing file or a malformed line.
TLevelCheckManifest LoadLevelCheckManifest(const std::string &folder);

// The cells of a field text: blanks, tabs and line breaks skipped; every other character (UTF-8) is one cell.
std::vector<std::string> FieldCells(const std::string &text);

// Every fault of the document, one message each, naming the monument, pass and sublevel where it lies.
std::vector<std::string> CheckConfiguration(const TXMLVanteroType &root, const TLevelCheckManifest &manifest);

// One page per monument and pass: per sublevel the gem kinds, holes, tile layers, boxes, workers and time limit.
// MaxTileLetters[i] is the highest tile letter (0 = "a") found for monument i + 1; absent or negative: unknown.
std::string SummarizeLevels(const TXMLVanteroType &root, const std::vector<int> &maxTileLetters = {});

} // namespace vantero
