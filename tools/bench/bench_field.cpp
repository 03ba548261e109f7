// Board benchmarks: the move search on a full board without a move (every pair is tried), and one
// frame of the board during a cascade with fireballs in flight.

#include "config/UConfig.h"
#include "config/UResolution.h"
#include "config/UUtils.h"
#include "play/UBoardBot.h"
#include "play/UField.h"
#include "render/USpritePool.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <memory>
#include <string>

namespace {

using namespace vantero;

// A configuration document with the board's keys and one sublevel of the given field.
struct TBenchBoard {
	explicit TBenchBoard(const std::string &field)
	{
		CellSize = 50;
		FieldX = 285;
		FieldY = 15;
		GameWidth = 800;
		GameHeight = 600;
		FrameTime = 0.01;
		std::string elements;
		for (int k = 10; k <= 17; ++k)
			elements += "<Element SpriteIndex=\"" + std::to_string(k) + "\"/>";
		const std::string xml =
			"<Vantero TimeToBlink=\"8\" TimeToHint=\"10\" SuperBonusAppearance=\"4\" SuperBonusEraseElements=\"5\" "
			"EasterEggOriginalElement=\"11\" EasterEggNewElement=\"18\" ExplodedSpecialsForEasterEgg=\"4\" "
			"PointsForCombinationOfThree=\"30\" PointsForCombinationOfFour=\"60\" PointsForCombinationOfFive=\"100\" "
			"PointsForCombinationOfSix=\"150\" PointsForCombinationOfSeven=\"200\" PointsForSpecial1=\"50\" "
			"PointsForSpecial2=\"100\" PointsForSpecial3=\"300\"><Level><Pass><SubLevel TimeLimit=\"100\">"
			+ elements + "<Field SolidCellsByDefault=\"0\">" + field + "</Field></SubLevel></Pass></Level></Vantero>";
		Document.load_string(xml.c_str());
		Root = GetVantero(Document);
		Config = Root.get();
		AddBoardSequences(Pool, 50, 2);
		SpritePool = &Pool;
		Screen = std::make_unique<TBotGameScreen>(&Root->Level().Item(0), Root->Level().Item(0).Pass().Item(0).Item(0), 1);
		Board = std::make_unique<TField>(*Screen, 0, Manager);
	}
	~TBenchBoard()
	{
		Board.reset();
		SpritePool = nullptr;
		Config = nullptr;
	}

	pugi::xml_document Document;
	std::unique_ptr<TXMLVanteroType> Root;
	TSpritePool Pool{true};
	TBotManager Manager;
	std::unique_ptr<TBotGameScreen> Screen;
	std::unique_ptr<TField> Board;
};

// Three kinds along the diagonals: no line and no move anywhere.
std::string NoMoveField()
{
	std::string text;
	for (int r = 0; r < 10; ++r) {
		for (int c = 0; c < 10; ++c)
			text += static_cast<char>('5' + (r + c) % 3);
		text += '\n';
	}
	return text;
}

void BM_FindMoveFullBoardWithoutMove(benchmark::State &state)
{
	TBenchBoard bench(NoMoveField());
	TCellPos first;
	TCellPos second;
	for (auto _ : state)
		benchmark::DoNotOptimize(bench.Board->FindMove(first, second));
}
BENCHMARK(BM_FindMoveFullBoardWithoutMove);

void BM_FindMoveFullBoardWithMoves(benchmark::State &state)
{
	std::string text;
	for (int r = 0; r < 10; ++r)
		text += (r % 2 == 0 ? "5566556655\n" : "6655665566\n");
	TBenchBoard bench(text);
	TCellPos first;
	TCellPos second;
	for (auto _ : state)
		benchmark::DoNotOptimize(bench.Board->FindMove(first, second));
}
BENCHMARK(BM_FindMoveFullBoardWithMoves);

// One frame of Tick and drawing while a line is removed and two bonuses' fireballs are in flight.
void BM_FrameDuringCascadeWithFireballs(benchmark::State &state)
{
	std::string text = NoMoveField();
	text[static_cast<size_t>(4 * 11 + 4)] = 'b';
	text[static_cast<size_t>(7 * 11 + 2)] = 'a';
	for (int c = 5; c < 8; ++c)
		text[static_cast<size_t>(2 * 11 + c)] = '1';
	for (auto _ : state) {
		state.PauseTiming();
		auto bench = std::make_unique<TBenchBoard>(text);
		TField &board = *bench->Board;
		board.Start();
		for (int i = 0; i < 3; ++i)
			board.Update();
		board.KillElement(4, 4, true, true, false);
		board.KillElement(7, 2, true, true, true);
		for (int i = 0; i < 5; ++i)
			board.Update();
		state.ResumeTiming();
		board.Update();
		state.PauseTiming();
		benchmark::DoNotOptimize(board.FireBalls.size());
		bench.reset();
		state.ResumeTiming();
	}
}
BENCHMARK(BM_FrameDuringCascadeWithFireballs);

} // namespace
