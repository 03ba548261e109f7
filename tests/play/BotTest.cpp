// The greedy bot on the real game data: the sublevels of the first pass must be winnable within
// their TimeLimits by a player who clicks like a person (one run per sublevel with a fixed seed).

#include "config/UConfig.h"
#include "config/UConfigPreprocessor.h"
#include "config/UResolution.h"
#include "config/UUtils.h"
#include "play/UBoardBot.h"
#include "render/USpritePool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace vantero {
namespace {

class BotTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		SavedPool = SpritePool;
		Temp = LoadGameDataCopy(std::string(VANTERO_SOURCE_DIR) + "/data", "R800x600", "L1033");
		AddBoardSequences(Pool, CellSize, 2);
		SpritePool = &Pool;
	}
	void TearDown() override
	{
		SpritePool = SavedPool;
		FreeConfig();
		std::error_code ignored;
		std::filesystem::remove_all(Temp, ignored);
		ErrorRaised = false;
	}

	// The cells of a field text that no line of three can cover (too short a run both ways).
	static std::vector<std::string> CellsOutOfReach(const std::string &text)
	{
		std::string grid;
		for (const char ch : text)
			if (ch != ' ' && ch != '\t' && ch != '\n' && ch != '\r')
				grid += ch;
		std::vector<std::string> cells;
		if (grid.size() != 100)
			return {"bad field"};
		const auto open = [&grid](int r, int c) { return r >= 0 && r < 10 && c >= 0 && c < 10 && grid[r * 10 + c] != '#'; };
		for (int r = 0; r < 10; ++r)
			for (int c = 0; c < 10; ++c) {
				if (!open(r, c))
					continue;
				int across = 1;
				for (int x = c - 1; open(r, x); --x)
					++across;
				for (int x = c + 1; open(r, x); ++x)
					++across;
				int down = 1;
				for (int y = r - 1; open(y, c); --y)
					++down;
				for (int y = r + 1; open(y, c); ++y)
					++down;
				if (across < 3 && down < 3)
					cells.push_back("(" + std::to_string(r) + "," + std::to_string(c) + ")");
			}
		return cells;
	}

	static std::string Name(int level, int sub) { return std::to_string(level) + ".0." + std::to_string(sub); }

	std::string Temp;
	TSpritePool Pool{true};
	TSpritePool *SavedPool = nullptr;
};

TEST_F(BotTest, FirstPassBoardsHaveNoCellOutOfReachOfLines)
{
	for (int l = 0; l < Config->Level().Count(); ++l) {
		TXMLPassType &pass = Config->Level().Item(l).Pass().Item(0);
		for (int s = 0; s < pass.Count(); ++s) {
			const std::vector<std::string> cells = CellsOutOfReach(pass.Item(s).Field().Text());
			std::string list;
			for (const std::string &cell : cells)
				list += cell + " ";
			EXPECT_TRUE(cells.empty()) << "sublevel " << Name(l + 1, s + 1)
				<< ": cells only a fireball or the super bonus can clear: " << list;
		}
	}
}

TEST_F(BotTest, GreedyBotWinsEveryFirstPassSublevelInTime)
{
	TBotOptions options;
	options.Policy = TBotPolicy::Greedy;
	options.Seed = 1;
	int played = 0;
	for (int l = 0; l < Config->Level().Count(); ++l) {
		TXMLLevelType &level = Config->Level().Item(l);
		TXMLPassType &pass = level.Pass().Item(0);
		for (int s = 0; s < pass.Count(); ++s) {
			TXMLSubLevelType &subLevel = pass.Item(s);
			// Boards with cells out of reach of lines are reported by the test above.
			if (!CellsOutOfReach(subLevel.Field().Text()).empty())
				continue;
			const TBotResult result = PlaySubLevel(&level, subLevel, l + 1, options);
			++played;
			EXPECT_TRUE(result.Won) << "sublevel " << Name(l + 1, s + 1) << " not won in " << result.TimeLimit
				<< " s: cleared " << 100 * result.ClearedFraction << "%, boxes out: " << result.AllBoxesOut;
		}
	}
	EXPECT_EQ(played, 49);
}

// The later campaigns replay the same boards harder: more blocks, never fewer gem kinds or double
// tiles, and still no cell out of reach of lines.
TEST_F(BotTest, LaterPassesAreNoEasierThanTheFirst)
{
	const auto doubles = [](const std::string &text) { return std::count(text.begin(), text.end(), '$'); };
	for (int l = 0; l < Config->Level().Count(); ++l) {
		TXMLLevelType &level = Config->Level().Item(l);
		ASSERT_EQ(level.Pass().Count(), 3);
		TXMLPassType &first = level.Pass().Item(0);
		for (int p = 1; p < 3; ++p) {
			TXMLPassType &pass = level.Pass().Item(p);
			TXMLPassType &before = level.Pass().Item(p - 1);
			ASSERT_EQ(pass.Count(), first.Count());
			for (int s = 0; s < pass.Count(); ++s) {
				TXMLSubLevelType &now = pass.Item(s);
				TXMLSubLevelType &was = before.Item(s);
				const std::string where = std::to_string(l + 1) + "." + std::to_string(p) + "." + std::to_string(s + 1);
				EXPECT_GE(now.Element().Count(), was.Element().Count()) << where;
				EXPECT_GT(now.Block().Count(), was.Block().Count()) << where;
				EXPECT_GE(doubles(now.Field().Text()), doubles(was.Field().Text())) << where;
				EXPECT_TRUE(CellsOutOfReach(now.Field().Text()).empty()) << where;
			}
		}
	}
}

} // namespace
} // namespace vantero
