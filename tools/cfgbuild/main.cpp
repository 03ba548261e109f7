// cfgbuild: stages the scrambled configuration of a game folder.
// Copies the configuration source folder to a temporary folder, runs the configuration loading
// there once for every layout/language pair (so every INCLUDE_RUNTIME snapshot is regenerated),
// and copies Vantero.cfg and cfg/*.tfx into the game folder.

#include "config/UConfigPreprocessor.h"
#include "config/UUtils.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

using namespace vantero;
namespace fs = std::filesystem;

namespace {

struct TDefinePair {
	std::string Resolution;
	std::string Language;
};

struct TOptions {
	fs::path Source;
	fs::path Output;
	std::vector<TDefinePair> Pairs;
	bool ExpandOnly = false;
	bool KeepTemp = false;
	bool Verbose = false;
};

void PrintHelp()
{
	std::cout <<
		"Usage: cfgbuild [options] SOURCE-FOLDER GAME-FOLDER\n"
		"\n"
		"Expands the configuration sources in SOURCE-FOLDER (Config.xml and the files it\n"
		"includes) into the scrambled Vantero.cfg and the cfg/*.tfx snapshots, and copies\n"
		"those files into GAME-FOLDER. The work is done in a temporary copy of\n"
		"SOURCE-FOLDER, which is left unchanged.\n"
		"\n"
		"Options:\n"
		"  -p, --pair RES/LANG  layout and language defines of one run, e.g. R800x600/L1033\n"
		"                       (repeatable; default: R800x600/L1033 and R1280x720/L1033)\n"
		"  -e, --expand-only    only expand; do not parse the result as the configuration document\n"
		"  -k, --keep-temp      keep the temporary copy and print its path\n"
		"  -v, --verbose        print each run and each copied file\n"
		"  -h, --help           show this help\n"
		"\n"
		"Exit status: 0 on success; 1 when a run fails (the message is printed); 2 on bad usage.\n";
}

bool ParsePair(const std::string &text, TDefinePair &pair)
{
	const size_t split = text.find_first_of("/:,");
	if (split == std::string::npos || split == 0 || split + 1 >= text.size())
		return false;
	pair.Resolution = text.substr(0, split);
	pair.Language = text.substr(split + 1);
	return true;
}

// Returns 0 when the options were read, otherwise the exit status (help printed or bad usage).
int ParseArguments(int argc, char **argv, TOptions &options, bool &done)
{
	std::vector<std::string> positional;
	done = false;
	for (int i = 1; i < argc; ++i) {
		const std::string arg = argv[i];
		if (arg == "-h" || arg == "--help") {
			PrintHelp();
			done = true;
			return 0;
		}
		if (arg == "-e" || arg == "--expand-only")
			options.ExpandOnly = true;
		else if (arg == "-k" || arg == "--keep-temp")
			options.KeepTemp = true;
		else if (arg == "-v" || arg == "--verbose")
			options.Verbose = true;
		else if (arg == "-p" || arg == "--pair" || arg.starts_with("--pair=")) {
			std::string value;
			if (arg.starts_with("--pair="))
				value = arg.substr(7);
			else if (i + 1 < argc)
				value = argv[++i];
			TDefinePair pair;
			if (!ParsePair(value, pair)) {
				std::cerr << "cfgbuild: bad define pair \"" << value << "\" (expected e.g. R800x600/L1033)\n";
				return 2;
			}
			options.Pairs.push_back(pair);
		} else if (arg.starts_with("-") && arg.size() > 1) {
			std::cerr << "cfgbuild: unknown option " << arg << " (see --help)\n";
			return 2;
		} else
			positional.push_back(arg);
	}
	if (positional.size() != 2) {
		std::cerr << "cfgbuild: expected SOURCE-FOLDER and GAME-FOLDER (see --help)\n";
		return 2;
	}
	options.Source = fs::absolute(positional[0]).lexically_normal();
	options.Output = fs::absolute(positional[1]).lexically_normal();
	if (options.Pairs.empty())
		options.Pairs = {{"R800x600", "L1033"}, {"R1280x720", "L1033"}};
	return 0;
}

fs::path MakeTempFolder()
{
	std::random_device random;
	const fs::path base = fs::temp_directory_path();
	for (int attempt = 0; attempt < 100; ++attempt) {
		const fs::path folder = base / ("cfgbuild-" + std::to_string(random()));
		if (fs::create_directory(folder))
			return folder;
	}
	throw EGameError("Cannot create a temporary folder in " + base.string());
}

// Removes the temporary folder when the run ends, unless it is to be kept.
class TTempFolder {
public:
	explicit TTempFolder(bool keep) : Path(MakeTempFolder()), Keep(keep) {}
	~TTempFolder()
	{
		if (Keep) {
			std::cout << "cfgbuild: temporary folder kept: " << Path.string() << "\n";
			return;
		}
		std::error_code error;
		fs::remove_all(Path, error);
	}
	TTempFolder(const TTempFolder &) = delete;
	TTempFolder &operator=(const TTempFolder &) = delete;

	const fs::path Path;

private:
	const bool Keep;
};

void CopyFile(const fs::path &from, const fs::path &to, bool verbose)
{
	fs::create_directories(to.parent_path());
	fs::copy_file(from, to, fs::copy_options::overwrite_existing);
	if (verbose)
		std::cout << "cfgbuild: " << from.string() << " -> " << to.string() << "\n";
}

void Run(const TOptions &options)
{
	if (!fs::is_directory(options.Source))
		throw EGameError("Source folder not found: \"" + options.Source.string() + "\"");
	if (!fs::is_regular_file(options.Source / "Config.xml") && !fs::is_regular_file(options.Source / "Vantero.cfg"))
		throw EGameError("No Config.xml in the source folder \"" + options.Source.string() + "\"");

	const TTempFolder temp(options.KeepTemp);
	const fs::path work = temp.Path / "config";
	fs::copy(options.Source, work, fs::copy_options::recursive);

	const fs::path previous = fs::current_path();
	fs::current_path(work);
	try {
		for (const TDefinePair &pair : options.Pairs) {
			ResolutionTag = pair.Resolution;
			LanguageFolder = pair.Language;
			if (options.Verbose)
				std::cout << "cfgbuild: expanding for " << pair.Resolution << "/" << pair.Language << "\n";
			if (options.ExpandOnly)
				ExpandConfigFile();
			else {
				LoadConfig();
				FreeConfig();
			}
		}
	} catch (...) {
		fs::current_path(previous);
		throw;
	}
	fs::current_path(previous);

	CopyFile(work / "Vantero.cfg", options.Output / "Vantero.cfg", options.Verbose);
	std::vector<fs::path> snapshots;
	if (fs::is_directory(work / "cfg"))
		for (const fs::directory_entry &entry : fs::directory_iterator(work / "cfg"))
			if (entry.is_regular_file() && entry.path().extension() == ".tfx")
				snapshots.push_back(entry.path());
	std::sort(snapshots.begin(), snapshots.end());
	for (const fs::path &snapshot : snapshots)
		CopyFile(snapshot, options.Output / "cfg" / snapshot.filename(), options.Verbose);
	std::cout << "cfgbuild: staged Vantero.cfg and " << snapshots.size() << " snapshot(s) in "
	          << options.Output.string() << "\n";
}

} // namespace

int main(int argc, char **argv)
{
	TOptions options;
	bool done = false;
	if (const int status = ParseArguments(argc, argv, options, done); status != 0 || done)
		return status;
	try {
		Run(options);
	} catch (const std::exception &error) {
		std::cerr << "cfgbuild: " << error.what() << "\n";
		return 1;
	}
	return 0;
}
