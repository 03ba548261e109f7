// soundcheck: plays catalogue sounds through the game's own sound engine on SDL's disk audio
// driver, then checks the recorded output: every sound audible at its volume, silence between
// them, and music that loops without a click and keeps playing past its length.

#include "config/UUtils.h"
#include "tools/audiogen/CommandLine.h"
#include "tools/soundcheck/Analysis.h"
#include "tools/soundcheck/Recording.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace vantero;
using namespace vantero::soundcheck;
using vantero::audiogen::TCommandLine;
namespace fs = std::filesystem;

namespace {

struct TOptions {
	std::string Game = ".";
	std::string Catalogue;     // default: <game>/data/cfg/sounds.xml, else ./data/cfg/sounds.xml
	std::vector<std::string> Names;
	std::string Raw;           // keep the recording here (default: a temporary file, removed)
	bool RealTime = false;
	double Past = 1.5;
	bool Help = false;
};

void PrintHelp()
{
	std::puts(
		"Usage: soundcheck [options] [NAME...]\n"
		"Plays sounds through the game's sound engine with SDL's disk audio driver and checks the\n"
		"recorded output. Run it in (or point it at) a game folder that holds the generated audio/.\n"
		"Without names: every effect of the catalogue once, then \"tracks/menu\" past its loop point.\n"
		"\n"
		"  --game DIR         the game folder holding audio/ (default: the working directory)\n"
		"  --catalogue FILE   the Sound catalogue (default: data/cfg/sounds.xml in the game folder,\n"
		"                     else in the working directory)\n"
		"  --raw FILE         keep the raw recording there (44100 Hz, signed 16-bit, stereo)\n"
		"  --past SECONDS     how long music runs past its loop point (default 1.5)\n"
		"  --realtime         let the driver write in real time (default: some twenty times faster)\n"
		"  --help             this text\n"
		"\n"
		"Prints one row per sound: file length, recorded peak and RMS (dBFS, over the file's length),\n"
		"the peak the engine's volume should give, the loudest sample where nothing should sound,\n"
		"and for music the repeat period, the largest step across the loop point against the largest\n"
		"step of the music around it, and whether it still played after its own length.\n"
		"Exit 0 when every sound passed, 1 when one recorded silence, sounded where it should not,\n"
		"clicked or stopped at its loop, or came out at the wrong level; 2 on a usage or run error.");
}

bool ParseOptions(int argc, char **argv, TOptions &options)
{
	for (TCommandLine args(argc, argv); args.Next();) {
		const std::string &arg = args.Arg();
		if (arg == "--help" || arg == "-h") {
			options.Help = true;
			return true;
		} else if (arg == "--game")
			options.Game = args.Value();
		else if (arg == "--catalogue")
			options.Catalogue = args.Value();
		else if (arg == "--raw")
			options.Raw = args.Value();
		else if (arg == "--past")
			options.Past = std::stod(args.Value());
		else if (arg == "--realtime")
			options.RealTime = true;
		else if (!arg.empty() && arg[0] == '-')
			throw EGameError("unknown option " + arg);
		else
			options.Names.push_back(arg);
	}
	return true;
}

std::string ReadText(const std::string &path)
{
	std::ifstream in(path, std::ios::binary);
	if (!in)
		throw EGameError("cannot read the catalogue " + path);
	std::ostringstream text;
	text << in.rdbuf();
	return text.str();
}

std::string DefaultCatalogue(const std::string &game)
{
	const fs::path inGame = fs::path(game) / "data/cfg/sounds.xml";
	return fs::exists(inGame) ? inGame.string() : std::string("data/cfg/sounds.xml");
}

// A fresh temporary folder for the recording.
fs::path TempFolder()
{
	std::random_device random;
	fs::path dir;
	do
		dir = fs::temp_directory_path() / ("soundcheck-" + std::to_string(random()));
	while (!fs::create_directory(dir));
	return dir;
}

std::string Db(double db)
{
	return db <= -200 ? "-inf" : Format("%.1f", db);
}

void PrintReport(const TCheckReport &report)
{
	std::printf("lead-in silence: peak %d\n\n", report.LeadInLsb);
	std::printf("%-28s %-5s %6s %7s %7s %7s %6s  %-9s %6s %6s %5s  %s\n", "sound", "kind", "secs", "peak", "expect",
		"rms", "quiet", "period", "seam", "around", "after", "verdict");
	for (const TSoundCheck &s : report.Sounds) {
		std::string period = "", seam = "", around = "", after = "";
		if (s.IsMusic) {
			period = s.PeriodFrames == 0 ? "none" : s.PeriodFrames == s.LoopFrames ? "=length" : std::to_string(s.PeriodFrames);
			seam = std::to_string(s.SeamStep);
			around = std::to_string(s.NeighbourStep);
			after = s.PlayingPastLoop ? "plays" : "STOP";
		}
		std::printf("%-28s %-5s %6.2f %7s %7s %7s %6d  %-9s %6s %6s %5s  %s\n", s.Name.c_str(),
			s.IsMusic ? "music" : "fx", s.Seconds, Db(s.PeakDb).c_str(), Db(s.ExpectedPeakDb).c_str(), Db(s.RmsDb).c_str(),
			s.NoiseLsb, period.c_str(), seam.c_str(), around.c_str(), after.c_str(), s.Problems.empty() ? "ok" : "FAIL");
	}
	bool any = !report.Problems.empty();
	for (const TSoundCheck &s : report.Sounds)
		any = any || !s.Problems.empty();
	if (!any)
		return;
	std::printf("\nproblems:\n");
	for (const std::string &p : report.Problems)
		std::printf("  %s\n", p.c_str());
	for (const TSoundCheck &s : report.Sounds)
		for (const std::string &p : s.Problems)
			std::printf("  %s: %s\n", s.Name.c_str(), p.c_str());
}

} // namespace

int main(int argc, char **argv)
{
	TOptions options;
	try {
		ParseOptions(argc, argv, options);
	} catch (const std::exception &e) {
		std::fprintf(stderr, "soundcheck: %s (see --help)\n", e.what());
		return 2;
	}
	if (options.Help) {
		PrintHelp();
		return 0;
	}

	fs::path temp;
	try {
		TCaptureOptions capture;
		capture.GameDir = fs::absolute(options.Game).string();
		capture.CatalogueText = ReadText(options.Catalogue.empty() ? DefaultCatalogue(options.Game) : options.Catalogue);
		capture.Names = options.Names;
		capture.RealTime = options.RealTime;
		capture.MusicPastLoopSeconds = options.Past;
		if (options.Raw.empty()) {
			temp = TempFolder();
			capture.RawPath = (temp / "output.raw").string();
		} else
			capture.RawPath = fs::absolute(options.Raw).string();
		if (!fs::is_directory(fs::path(capture.GameDir) / "audio"))
			throw EGameError(capture.GameDir + " has no audio/ folder (run audiogen --out <game>/audio)");
		if (!DiskDriverAvailable(capture.RawPath))
			throw EGameError("this SDL build has no disk audio driver");

		const TCapture captured = CaptureSounds(capture);
		const TRecording recording = ReadRecording(capture.RawPath);
		std::printf("recorded %.1f s of engine output (%s)\n", static_cast<double>(recording.Frames()) / RecordRate,
			options.Raw.empty() ? "temporary file" : capture.RawPath.c_str());
		const TCheckReport report = CheckCapture(recording, captured);
		PrintReport(report);
		if (!temp.empty())
			fs::remove_all(temp);
		return report.Ok() ? 0 : 1;
	} catch (const std::exception &e) {
		std::fprintf(stderr, "soundcheck: %s\n", e.what());
		if (!temp.empty()) {
			std::error_code ignored;
			fs::remove_all(temp, ignored);
		}
		return 2;
	}
}
