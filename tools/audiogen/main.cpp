// audiogen: makes every sound of the catalogue (music through a General MIDI soundfont,
// effects by synthesis), encodes them as Ogg Vorbis and checks their loudness.

#include "audio/USoundCatalogue.h"
#include "config/UUtils.h"
#include "tools/audiogen/CommandLine.h"
#include "tools/audiogen/Encode.h"
#include "tools/audiogen/Recipes.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace vantero;
using namespace vantero::audiogen;

namespace {

// Loudness targets and the window each sound must land in.
constexpr double EffectRmsTarget = -17.0, EffectRmsLow = -20.0, EffectRmsHigh = -14.0;
constexpr double MusicRmsTarget = -23.0, MusicRmsLow = -26.0, MusicRmsHigh = -20.0;
constexpr double PeakCeiling = -1.0, PeakLimit = -0.1;

struct TOptions {
	std::string Catalogue = "data/cfg/sounds.xml";
	std::string Out;
	std::string SoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
	std::string Only;
	bool Report = false;
	int Threads = 0;
};

struct TJob {
	TSoundCatalogueEntry Entry;
	const TRecipe *Recipe = nullptr;
	TLoudness Loudness;
	size_t Bytes = 0;
	std::string Error;
};

void PrintHelp()
{
	std::puts(
		"Usage: audiogen --catalogue FILE --out DIR [options]\n"
		"Makes every sound named by the catalogue's Sound elements and writes it to DIR/<Src>.\n"
		"\n"
		"  --catalogue FILE   the Sound catalogue (default data/cfg/sounds.xml)\n"
		"  --out DIR          the game's audio folder to write into (required)\n"
		"  --soundfont FILE   General MIDI soundfont for the music\n"
		"                     (default /usr/share/sounds/sf2/FluidR3_GM.sf2)\n"
		"  --only NAME        make only the sound of that catalogue name\n"
		"  --report           print the loudness table (name, seconds, peak dBFS, RMS dBFS)\n"
		"  --threads N        worker threads (default: every core)\n"
		"  --help             this text\n"
		"\n"
		"Fails (exit 1) when a Src has no recipe, a sound cannot be made, or a sound's\n"
		"loudness is out of range; the message names the sound.");
}

bool ParseOptions(int argc, char **argv, TOptions &options)
{
	for (TCommandLine args(argc, argv); args.Next();) {
		const std::string &arg = args.Arg();
		if (arg == "--help" || arg == "-h") {
			PrintHelp();
			return false;
		} else if (arg == "--catalogue") {
			options.Catalogue = args.Value();
		} else if (arg == "--out") {
			options.Out = args.Value();
		} else if (arg == "--soundfont") {
			options.SoundFont = args.Value();
		} else if (arg == "--only") {
			options.Only = args.Value();
		} else if (arg == "--report") {
			options.Report = true;
		} else if (arg == "--threads") {
			options.Threads = std::stoi(args.Value());
		} else {
			throw EGameError("unknown option " + arg + " (see --help)");
		}
	}
	if (options.Out.empty())
		throw EGameError("--out is required (see --help)");
	return true;
}

// Makes, normalises, encodes, writes and checks one sound.
void RunJob(TJob &job, const TOptions &options)
{
	const bool music = job.Recipe->Kind == TSoundKind::Music;
	TAudio audio = job.Recipe->Make(TRecipeContext{options.SoundFont});
	if (audio.Frames() == 0)
		throw EGameError("the recipe made no samples");
	NormalizeLoudness(audio, music ? MusicRmsTarget : EffectRmsTarget, PeakCeiling);
	const std::vector<uint8_t> bytes = EncodeVorbis(audio, music ? 0.4f : 0.5f);

	// Check what the game will hear: the decoded file.
	const TAudio decoded = DecodeVorbis(bytes);
	if (decoded.Frames() != audio.Frames())
		throw EGameError("decoded length differs from the rendered length");
	job.Loudness = MeasureLoudness(decoded);
	job.Bytes = bytes.size();
	const double low = music ? MusicRmsLow : EffectRmsLow;
	const double high = music ? MusicRmsHigh : EffectRmsHigh;
	if (job.Loudness.PeakDb > PeakLimit)
		throw EGameError("clips: peak " + std::to_string(job.Loudness.PeakDb) + " dBFS");
	if (job.Loudness.RmsDb < low || job.Loudness.RmsDb > high)
		throw EGameError("loudness " + std::to_string(job.Loudness.RmsDb) + " dBFS RMS is outside " +
		                 std::to_string(low) + " .. " + std::to_string(high));

	const std::filesystem::path path = std::filesystem::path(options.Out) / job.Entry.Src;
	std::filesystem::create_directories(path.parent_path());
	const std::filesystem::path partial = path.string() + ".part";
	{
		std::ofstream file(partial, std::ios::binary | std::ios::trunc);
		file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
		if (!file)
			throw EGameError("cannot write " + path.string());
	}
	std::filesystem::rename(partial, path);
}

int Run(int argc, char **argv)
{
	TOptions options;
	if (!ParseOptions(argc, argv, options))
		return 0;
	const auto started = std::chrono::steady_clock::now();

	std::vector<TJob> jobs;
	bool missing = false;
	for (const TSoundCatalogueEntry &entry : LoadSoundCatalogue(options.Catalogue)) {
		if (!options.Only.empty() && entry.Name != options.Only)
			continue;
		const TRecipe *recipe = FindRecipe(entry.Name);
		if (!recipe) {
			std::fprintf(stderr, "audiogen: no recipe for \"%s\" (Src \"%s\")\n", entry.Name.c_str(), entry.Src.c_str());
			missing = true;
			continue;
		}
		if (entry.Src.size() < 4 || entry.Src.substr(entry.Src.size() - 4) != ".ogg") {
			std::fprintf(stderr, "audiogen: \"%s\" must be an .ogg file\n", entry.Src.c_str());
			missing = true;
			continue;
		}
		jobs.push_back({entry, recipe, {}, 0, {}});
	}
	if (missing)
		return 1;
	if (!options.Only.empty() && jobs.empty()) {
		std::fprintf(stderr, "audiogen: \"%s\" is not in the catalogue\n", options.Only.c_str());
		return 1;
	}

	// Longest first: the music tracks, then the effects.
	std::vector<size_t> order(jobs.size());
	for (size_t i = 0; i < order.size(); ++i)
		order[i] = i;
	std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
		return jobs[a].Recipe->Kind == TSoundKind::Music && jobs[b].Recipe->Kind != TSoundKind::Music;
	});
	std::atomic<size_t> next{0};
	const auto worker = [&]() {
		for (size_t k = next++; k < order.size(); k = next++) {
			TJob &job = jobs[order[k]];
			try {
				RunJob(job, options);
			} catch (const std::exception &error) {
				job.Error = error.what();
			}
		}
	};
	unsigned threads = options.Threads > 0 ? static_cast<unsigned>(options.Threads) : std::thread::hardware_concurrency();
	threads = std::clamp(threads, 1u, static_cast<unsigned>(jobs.size()));
	std::vector<std::thread> pool;
	for (unsigned i = 0; i < threads; ++i)
		pool.emplace_back(worker);
	for (std::thread &thread : pool)
		thread.join();

	int failures = 0;
	for (const TJob &job : jobs)
		if (!job.Error.empty()) {
			std::fprintf(stderr, "audiogen: %s: %s\n", job.Entry.Name.c_str(), job.Error.c_str());
			++failures;
		}
	if (options.Report) {
		std::printf("%-28s %8s %10s %10s %9s %9s\n", "name", "seconds", "peak dBFS", "RMS dBFS", "bright Hz", "bytes");
		size_t total = 0;
		for (const TJob &job : jobs) {
			std::printf("%-28s %8.2f %10.2f %10.2f %9.0f %9zu\n", job.Entry.Name.c_str(), job.Loudness.Seconds,
			            job.Loudness.PeakDb, job.Loudness.RmsDb, job.Loudness.BrightnessHz, job.Bytes);
			total += job.Bytes;
		}
		const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
		std::printf("%zu sounds, %zu bytes, %.1f s on %u threads\n", jobs.size(), total, seconds, threads);
	}
	return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
	try {
		return Run(argc, argv);
	} catch (const std::exception &error) {
		std::fprintf(stderr, "audiogen: %s\n", error.what());
		return 1;
	}
}
