// bot: plays every sublevel of the game data headlessly on the real board, clicking like a person,
// and reports per sublevel whether it was won in time, with the play statistics, and a summary per
// monument and pass.

#include "config/UConfig.h"
#include "config/UConfigPreprocessor.h"
#include "config/UResolution.h"
#include "config/UUtils.h"
#include "play/UBoardBot.h"
#include "render/USpritePool.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

using namespace vantero;

namespace {

const char *const Usage =
	"Usage: bot [options]\n"
	"\n"
	"Plays every sublevel of the game data (7 monuments x 3 passes x 7 sublevels) on the real board with\n"
	"a fixed frame time of 0.01 s, clicking the two cells of each move as a person would, and reports per\n"
	"sublevel: won (all tiles cleared and all boxes out) within the TimeLimit, seconds of play, moves,\n"
	"cascades, bonuses made, super bonuses, reshuffles, points; then a summary per monument and pass.\n"
	"The conveyor is a stand-in that stays busy as long as the real one would with a box.\n"
	"\n"
	"Options:\n"
	"  --data DIR        configuration source folder with Config.xml (default: the source tree's data/)\n"
	"  --layout RES      layout, R800x600 (default) or R1280x720\n"
	"  --policy NAME     greedy (default) or findmove (the board's hint search)\n"
	"  --think SECONDS   time the player looks at an idle board before a move (default 0.5)\n"
	"  --gap SECONDS     time between the two clicks of a move (default 0.15)\n"
	"  --seed N          random seed of each sublevel (default 1)\n"
	"  --runs N          plays each sublevel N times with seeds N, N+1, ... (default 1)\n"
	"  --level L         only monument L (1..7)\n"
	"  --pass P          only pass P (0..2)\n"
	"  --no-limit        play on past the TimeLimit (up to 1200 s) to see how long a win takes\n"
	"  --help            this text\n"
	"\n"
	"Exit status: 0 when every sublevel played was won in time, 1 otherwise, 2 on bad usage.\n";

struct TTotals {
	int Played = 0;
	int Won = 0;
	double Seconds = 0;
	double Limit = 0;
	int Moves = 0;
	int Cascades = 0;
	int Bonuses = 0;
	int Super = 0;
	int Reshuffles = 0;
	double Points = 0;
	double WorstMargin = 1e9;
};

} // namespace

int main(int argc, char **argv)
{
	std::string data = BOT_DEFAULT_DATA;
	std::string layout = "R800x600";
	TBotOptions options;
	int runs = 1;
	int onlyLevel = 0;
	int onlyPass = -1;
	bool noLimit = false;
	for (int i = 1; i < argc; ++i) {
		const std::string arg = argv[i];
		const auto next = [&]() -> std::string {
			if (i + 1 >= argc) {
				std::cerr << "bot: " << arg << " needs a value\n" << Usage;
				std::exit(2);
			}
			return argv[++i];
		};
		try {
			if (arg == "--help" || arg == "-h") {
				std::cout << Usage;
				return 0;
			} else if (arg == "--data") {
				data = next();
			} else if (arg == "--layout") {
				layout = next();
			} else if (arg == "--policy") {
				const std::string name = next();
				if (name == "greedy")
					options.Policy = TBotPolicy::Greedy;
				else if (name == "findmove")
					options.Policy = TBotPolicy::FindMove;
				else
					throw std::invalid_argument(name);
			} else if (arg == "--think") {
				options.ThinkTime = std::stod(next());
			} else if (arg == "--gap") {
				options.ClickGap = std::stod(next());
			} else if (arg == "--seed") {
				options.Seed = static_cast<uint32_t>(std::stoul(next()));
			} else if (arg == "--runs") {
				runs = std::max(1, std::stoi(next()));
			} else if (arg == "--level") {
				onlyLevel = std::stoi(next());
			} else if (arg == "--pass") {
				onlyPass = std::stoi(next());
			} else if (arg == "--no-limit") {
				noLimit = true;
			} else {
				std::cerr << "bot: unknown option " << arg << "\n" << Usage;
				return 2;
			}
		} catch (const std::exception &) {
			std::cerr << "bot: bad value for " << arg << "\n" << Usage;
			return 2;
		}
	}

	std::string temp;
	try {
		temp = LoadGameDataCopy(data, layout, "L1033");
	} catch (const std::exception &error) {
		std::cerr << "bot: loading the game data failed: " << error.what() << "\n";
		return 1;
	}
	TSpritePool pool(true);
	AddBoardSequences(pool, CellSize, 2);
	SpritePool = &pool;

	TTotals summary[7][3];
	bool allWon = true;
	std::printf("%-8s %5s %4s %5s %7s %7s %5s %5s %5s %5s %4s %8s %6s\n", "sublevel", "won", "clr", "boxes", "seconds",
		"limit", "moves", "casc", "bonus", "super", "resh", "points", "clear%");
	const int levels = Config->Level().Count();
	for (int l = 0; l < levels; ++l) {
		if (onlyLevel != 0 && onlyLevel != l + 1)
			continue;
		TXMLLevelType &level = Config->Level().Item(l);
		for (int p = 0; p < level.Pass().Count() && p < 3; ++p) {
			if (onlyPass >= 0 && onlyPass != p)
				continue;
			TXMLPassType &pass = level.Pass().Item(p);
			for (int s = 0; s < pass.Count(); ++s) {
				TXMLSubLevelType &subLevel = pass.Item(s);
				for (int run = 0; run < runs; ++run) {
					TBotOptions playOptions = options;
					playOptions.Seed = options.Seed + static_cast<uint32_t>(run);
					if (noLimit)
						playOptions.TimeLimit = 1200;
					TBotResult r;
					try {
						r = PlaySubLevel(&level, subLevel, l + 1, playOptions);
					} catch (const std::exception &error) {
						std::cerr << "bot: " << l + 1 << "." << p << "." << s + 1 << " failed: " << error.what() << "\n";
						return 1;
					}
					const double limit = subLevel.TimeLimit();
					const bool inTime = r.Won && r.Seconds <= limit;
					allWon = allWon && inTime;
					std::printf("%d.%d.%d%s %5s %4s %5s %7.2f %7.0f %5d %5d %5d %5d %4d %8.0f %6.1f\n", l + 1, p, s + 1,
						runs > 1 ? ("#" + std::to_string(run)).c_str() : "   ", inTime ? "yes" : "NO",
						r.AllCleared ? "yes" : "no", r.AllBoxesOut ? "yes" : "no", r.Seconds, limit, r.Moves, r.Cascades,
						r.BonusesMade, r.SuperBonuses, r.Reshuffles, r.Points, 100 * r.ClearedFraction);
					TTotals &t = summary[l][p];
					++t.Played;
					t.Won += inTime ? 1 : 0;
					t.Seconds += r.Seconds;
					t.Limit += limit;
					t.Moves += r.Moves;
					t.Cascades += r.Cascades;
					t.Bonuses += r.BonusesMade;
					t.Super += r.SuperBonuses;
					t.Reshuffles += r.Reshuffles;
					t.Points += r.Points;
					t.WorstMargin = std::min(t.WorstMargin, limit - r.Seconds);
				}
			}
		}
	}

	std::printf("\nSummary per monument and pass (sums over the sublevels; margin = least TimeLimit - seconds):\n");
	std::printf("%-9s %7s %8s %8s %6s %6s %6s %6s %5s %9s %7s\n", "mon.pass", "won", "seconds", "limits", "moves", "casc",
		"bonus", "super", "resh", "points", "margin");
	for (int l = 0; l < 7; ++l)
		for (int p = 0; p < 3; ++p) {
			const TTotals &t = summary[l][p];
			if (t.Played == 0)
				continue;
			std::printf("%d.%d       %3d/%-3d %8.1f %8.0f %6d %6d %6d %6d %5d %9.0f %7.1f\n", l + 1, p, t.Won, t.Played,
				t.Seconds, t.Limit, t.Moves, t.Cascades, t.Bonuses, t.Super, t.Reshuffles, t.Points, t.WorstMargin);
		}
	SpritePool = nullptr;
	FreeConfig();
	std::error_code ignored;
	std::filesystem::remove_all(temp, ignored);
	return allWon ? 0 : 1;
}
