// levelcheck: loads the configuration document of a game folder for every layout, checks the levels
// and everything else the game reads from it, and prints a summary of the levels per monument and pass.

#include "config/UConfig.h"
#include "config/UConfigPreprocessor.h"
#include "config/ULevelCheck.h"
#include "config/UUtils.h"

#include <pugixml.hpp>

#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

using namespace vantero;

namespace {

const char *const Usage =
	"Usage: levelcheck [options]\n"
	"\n"
	"Checks the configuration document of a game folder (Vantero.cfg, or Config.xml on a development\n"
	"machine, and the cfg/*.tfx snapshots) for every layout, and prints a summary of the levels.\n"
	"Loading works exactly as the game's start-up: a present Config.xml is scrambled into Vantero.cfg\n"
	"and present sources regenerate their snapshots.\n"
	"\n"
	"Faults reported, each naming where it lies (monument, pass, sublevel):\n"
	"  a field that is not exactly 100 cells of the known characters; a digit without an Elements entry;\n"
	"  fewer than three gem kinds (also per distribution P0, P1, ...); boxes without \"@\" cells in\n"
	"  columns 1 to 8; a sublevel without workers; a key or attribute read as a number that is missing\n"
	"  or malformed; a text the game asks for that is absent; a sound the game plays that is not\n"
	"  catalogued; passes that do not have 7 sublevels.\n"
	"\n"
	"Options:\n"
	"  --game DIR         the game folder (default: the current directory)\n"
	"  --layout R/L       check only this layout, e.g. R1280x720/L1033 (may be repeated;\n"
	"                     default: R800x600/L1033 and R1280x720/L1033)\n"
	"  --xml FILE         check one plain, already expanded XML document instead of a game folder\n"
	"  --manifest DIR     the folder of config-number-keys.txt, text-ids.txt, sound-names.txt\n"
	"                     (default: DIR/manifest of the game folder when present, else the source tree's)\n"
	"  --no-summary       print the faults only\n"
	"  --help             this text\n"
	"\n"
	"Exit status: 0 when every check passes, 1 when any fails, 2 on bad usage.\n";

struct TOptions {
	std::filesystem::path Game = ".";
	std::vector<std::string> Layouts;
	std::string Xml;
	std::string Manifest;
	bool Summary = true;
};

// The highest tile letter of each monument's pictures under graphics/levels/NN/, -1 when none is found.
std::vector<int> FindTileLetters(const std::filesystem::path &game, int levelCount)
{
	std::vector<int> letters;
	for (int level = 1; level <= levelCount; ++level) {
		int highest = -1;
		const std::filesystem::path folder = game / "graphics" / "levels" / TwoDigits(level);
		std::error_code error;
		for (const auto &entry : std::filesystem::directory_iterator(folder, error)) {
			const std::string name = LowerCase(entry.path().filename().string());
			if (name.size() > 6 && name.compare(0, 5, "field") == 0 && name[6] == '.' && name[5] >= 'a' && name[5] <= 'z')
				highest = std::max(highest, name[5] - 'a');
		}
		letters.push_back(highest);
	}
	return letters;
}

// Checks one loaded document; the summary is printed when asked for.
std::vector<std::string> CheckDocument(const TXMLVanteroType &root, const TLevelCheckManifest &manifest,
	const std::filesystem::path &game, bool summary)
{
	std::vector<std::string> faults = CheckConfiguration(root, manifest);
	if (summary)
		std::cout << SummarizeLevels(root, FindTileLetters(game, root.Level().Count())) << "\n";
	return faults;
}

// Loads and checks the game folder in one layout ("R800x600/L1033").
std::vector<std::string> CheckLayout(const std::string &layout, const TLevelCheckManifest &manifest, const TOptions &options,
	bool summary)
{
	const size_t slash = layout.find('/');
	ResolutionTag = layout.substr(0, slash);
	LanguageFolder = slash == std::string::npos ? std::string("L1033") : layout.substr(slash + 1);
	const std::filesystem::path game = std::filesystem::absolute(options.Game);
	const std::filesystem::path previous = std::filesystem::current_path();
	std::vector<std::string> faults;
	try {
		std::filesystem::current_path(game);
		LoadConfig();
		std::filesystem::current_path(previous);
		if (summary)
			std::cout << "Levels as loaded for " << layout << ":\n\n";
		faults = CheckDocument(*Config, manifest, game, summary);
	} catch (const std::exception &error) {
		faults.push_back(std::string("Loading failed: ") + error.what());
	}
	std::error_code ignored;
	std::filesystem::current_path(previous, ignored);
	FreeConfig();
	ErrorRaised = false;
	return faults;
}

std::vector<std::string> CheckXmlFile(const TOptions &options, const TLevelCheckManifest &manifest)
{
	pugi::xml_document document;
	const pugi::xml_parse_result parsed = document.load_file(options.Xml.c_str());
	if (!parsed)
		return {"Loading failed: " + options.Xml + ": " + parsed.description() + " at offset " + std::to_string(parsed.offset)};
	try {
		const auto root = GetVantero(document);
		return CheckDocument(*root, manifest, std::filesystem::path(options.Xml).parent_path(), options.Summary);
	} catch (const std::exception &error) {
		return {std::string("Loading failed: ") + error.what()};
	}
}

bool ParseOptions(int argc, char **argv, TOptions &options)
{
	for (int i = 1; i < argc; ++i) {
		const std::string argument = argv[i];
		const auto value = [&]() -> const char * { return i + 1 < argc ? argv[++i] : nullptr; };
		if (argument == "--help" || argument == "-h") {
			std::cout << Usage;
			std::exit(0);
		} else if (argument == "--no-summary") {
			options.Summary = false;
		} else if (argument == "--game" || argument == "--layout" || argument == "--xml" || argument == "--manifest") {
			const char *text = value();
			if (!text) {
				std::cerr << "levelcheck: " << argument << " needs a value\n";
				return false;
			}
			if (argument == "--game")
				options.Game = text;
			else if (argument == "--layout")
				options.Layouts.push_back(text);
			else if (argument == "--xml")
				options.Xml = text;
			else
				options.Manifest = text;
		} else {
			std::cerr << "levelcheck: unknown argument " << argument << " (see --help)\n";
			return false;
		}
	}
	if (options.Layouts.empty())
		options.Layouts = {"R800x600/L1033", "R1280x720/L1033"};
	if (options.Manifest.empty())
		options.Manifest = std::filesystem::is_directory(options.Game / "manifest") ? (options.Game / "manifest").string()
																					: std::string(LEVELCHECK_MANIFEST_DIR);
	return true;
}

} // namespace

int main(int argc, char **argv)
{
	TOptions options;
	if (!ParseOptions(argc, argv, options)) {
		std::cerr << Usage;
		return 2;
	}
	TLevelCheckManifest manifest;
	try {
		manifest = LoadLevelCheckManifest(options.Manifest);
	} catch (const std::exception &error) {
		std::cerr << "levelcheck: " << error.what() << "\n";
		return 2;
	}

	// Faults in the order first found, with the layouts in which each occurs.
	std::vector<std::string> order;
	std::map<std::string, std::vector<std::string>> layoutsOf;
	if (!options.Xml.empty()) {
		order = CheckXmlFile(options, manifest);
	} else {
		for (size_t i = 0; i < options.Layouts.size(); ++i)
			for (const std::string &fault : CheckLayout(options.Layouts[i], manifest, options, options.Summary && i == 0)) {
				if (!layoutsOf.count(fault))
					order.push_back(fault);
				layoutsOf[fault].push_back(options.Layouts[i]);
			}
	}

	for (const std::string &fault : order) {
		std::cout << "FAULT: " << fault;
		const auto &layouts = layoutsOf[fault];
		if (!layouts.empty() && layouts.size() < options.Layouts.size())
			std::cout << " [" << layouts.front() << (layouts.size() > 1 ? ", ..." : "") << "]";
		std::cout << "\n";
	}
	std::cout << (order.empty() ? "levelcheck: no faults\n" : "levelcheck: " + std::to_string(order.size()) + " fault(s)\n");
	return order.empty() ? 0 : 1;
}
