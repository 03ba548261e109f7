// The board's rules on small boards: loading, matching and scoring, swaps, specials, gravity,
// boxes, the move search and reshuffle, the easter egg.

#include "FieldTestKit.h"

#include "play/UBoardInput.h"

namespace vantero::fieldtest {
namespace {

// --- Loading ---

TEST_F(FieldTest, FieldTextLoadsTheSameWithAnyBlanks)
{
	std::string oneLine = PairsBackground();
	oneLine.erase(std::remove(oneLine.begin(), oneLine.end(), '\n'), oneLine.end());
	std::string spaced;
	for (const char ch : oneLine)
		spaced += std::string(1, ch) + " \t";
	std::vector<int> kinds;
	for (const std::string &text : {PairsBackground(), oneLine, spaced}) {
		Load(text);
		std::vector<int> these;
		for (int r = 0; r < 10; ++r)
			for (int c = 0; c < 10; ++c)
				these.push_back(Kind(r, c));
		if (kinds.empty())
			kinds = these;
		EXPECT_EQ(these, kinds);
	}
	EXPECT_EQ(kinds[0], 15);
	EXPECT_EQ(kinds[2], 16);
}

TEST_F(FieldTest, BadFieldTextsFailWithTheirMessages)
{
	const struct {
		std::string Text;
		std::string Message;
	} cases[] = {
		{std::string(99, '.'), "Invalid Field format"},
		{std::string(101, '.'), "Invalid Field format"},
		{std::string(50, '.') + "z" + std::string(49, '.'), "Unknown element type: \"z\""},
		{std::string(50, '.') + "0" + std::string(49, '.'), "Unknown element type: \"0\""},
	};
	for (const auto &c : cases) {
		LoadDocument(c.Text);
		try {
			MakeBoard();
			ADD_FAILURE() << "no error for " << c.Message;
		} catch (const EGameError &error) {
			EXPECT_EQ(std::string(error.what()), c.Message);
		}
	}
}

TEST_F(FieldTest, TileLevelsFollowSolidCellsByDefaultAndTheTilePictures)
{
	const std::string text = Put(std::string(std::string(10, '.') + "\n") + PairsBackground().substr(11), {{0, 3, '$'}, {0, 4, '#'}});
	for (const int solid : {0, 1}) {
		LoadDocument(text, "", "", "", solid);
		TField &board = MakeBoard();
		EXPECT_EQ(board.MaxTileLetter, 2);
		EXPECT_EQ(board.Cell(0, 0).TileLevel, solid ? 2 : 1);
		EXPECT_EQ(board.Cell(0, 3).TileLevel, solid ? 1 : 2);
		EXPECT_TRUE(board.Cell(0, 4).Hole);
		EXPECT_EQ(board.Cell(0, 4).Element, nullptr);
	}
	// Letters a and c without b: the highest letter still counts.
	Pool.Sequences.erase(std::remove_if(Pool.Sequences.begin(), Pool.Sequences.end(),
		[](const TSpritePool::TSequenceEntry &e) { return e.Sequence->Name == "levels/01/fieldb"; }), Pool.Sequences.end());
	LoadDocument(text);
	EXPECT_EQ(MakeBoard().MaxTileLetter, 2);
}

// --- Matching and scoring ---

TEST_F(FieldTest, GroupsScoreBySizeAndQueueTheirBonus)
{
	struct TCase {
		const char *Name;
		std::vector<TPut> Cells;
		int Size;
		int Points;
		int Bonus; // 0 none
		const char *Sound;
	};
	const auto line = [](int row, int from, int n) {
		std::vector<TPut> cells;
		for (int c = from; c < from + n; ++c)
			cells.push_back({row, c, '1'});
		return cells;
	};
	const auto column = [](int col, int from, int n) {
		std::vector<TPut> cells;
		for (int r = from; r < from + n; ++r)
			cells.push_back({r, col, '1'});
		return cells;
	};
	const auto join = [](std::vector<TPut> a, const std::vector<TPut> &b) {
		a.insert(a.end(), b.begin(), b.end());
		return a;
	};
	const std::vector<TCase> cases = {
		{"three", line(4, 2, 3), 3, 30, 0, "fx/combination3 delete"},
		{"four", column(6, 1, 4), 4, 60, 1, "fx/combination4 delete"},
		{"five", line(9, 0, 5), 5, 100, 2, "fx/combination5-7 delete"},
		{"six", line(0, 1, 6), 6, 150, 2, "fx/combination5-7 delete"},
		{"seven", column(0, 3, 7), 7, 200, 2, "fx/combination5-7 delete"},
		{"T of five", join(line(2, 3, 3), column(4, 3, 2)), 5, 100, 2, "fx/combination5-7 delete"},
		{"L of five", join(line(7, 0, 3), column(0, 5, 2)), 5, 100, 2, "fx/combination5-7 delete"},
		{"eight", join(line(5, 0, 6), column(0, 6, 2)), 8, 0, 2, "fx/combination5-7 delete"},
		{"cross of two fives", join(line(4, 2, 5), join(column(4, 2, 2), column(4, 5, 2))), 9, 0, 2,
			"fx/combination5-7 delete"},
	};
	for (const TCase &c : cases) {
		SCOPED_TRACE(c.Name);
		if (c.Size == 0)
			continue;
		TField &board = Load(Put(NoMoveBackground(), c.Cells));
		Sound->Played.clear();
		EXPECT_TRUE(board.FindCombinations(true, true));
		ASSERT_TRUE(board.FindCombinations(true, false));
		EXPECT_EQ(Screen->Score, c.Points);
		EXPECT_EQ(board.FloatingScores.size(), c.Points > 0 ? 1u : 0u);
		EXPECT_EQ(Screen->Bricks, 5 * c.Size);
		int dying = 0;
		for (int r = 0; r < 10; ++r)
			for (int col = 0; col < 10; ++col)
				if (board.ElementAt(r, col)->Dying) {
					++dying;
					EXPECT_EQ(board.Cell(r, col).TileLevel, 0);
				}
		EXPECT_EQ(dying, c.Size);
		ASSERT_EQ(board.SpecialsQueue.size(), c.Bonus ? 1u : 0u);
		if (c.Bonus) {
			EXPECT_EQ(board.SpecialsQueue[0].BonusNo, c.Bonus);
		}
		EXPECT_EQ(Sound->Count(c.Sound), 1);
	}
}

TEST_F(FieldTest, DryRunChangesNothingAndNoLineIsNoCombination)
{
	TField &board = Load(Put(NoMoveBackground(), {{3, 3, '1'}, {3, 4, '1'}, {4, 5, '1'}}));
	EXPECT_FALSE(board.FindCombinations(true, false));
	TField &again = Load(Put(NoMoveBackground(), {{3, 3, '1'}, {3, 4, '1'}, {3, 5, '1'}}));
	EXPECT_TRUE(again.FindCombinations(true, true));
	EXPECT_EQ(Screen->Score, 0);
	EXPECT_FALSE(again.ElementAt(3, 3)->Dying);
}

TEST_F(FieldTest, OneSwapMakingTwoLinesScoresBothAndTheBonusGoesToTheSwappedCell)
{
	// Swapping (3,2) and (3,3) puts 1 1 1 in row 3 and 2 2 2 down column 3.
	TField &board = Load(Put(PairsBackground(), {{3, 0, '1'}, {3, 1, '1'}, {3, 2, '2'}, {3, 3, '1'}, {4, 3, '2'}, {5, 3, '2'}}));
	board.Start();
	ASSERT_TRUE(RunUntil([&] { return board.State == fsIdle; }));
	Click(3, 2);
	EXPECT_EQ(board.State, fsSelected);
	Click(3, 3);
	EXPECT_EQ(board.State, fsSwap);
	ASSERT_TRUE(RunUntil([&] { return board.State != fsSwap; }));
	EXPECT_EQ(Screen->Score, 60);
	EXPECT_EQ(board.FloatingScores.size(), 2u);

	// A line of four made by the swap leaves its bonus in the swapped cell that belongs to it.
	TField &four = Load(Put(PairsBackground(), {{3, 0, '1'}, {3, 1, '1'}, {3, 2, '2'}, {3, 3, '1'}, {2, 2, '1'}}));
	four.Start();
	ASSERT_TRUE(RunUntil([&] { return four.State == fsIdle; }));
	Click(3, 2);
	Click(2, 2);
	ASSERT_TRUE(RunUntil([&] { return four.State != fsSwap; }));
	ASSERT_EQ(four.SpecialsQueue.size(), 1u);
	EXPECT_EQ(four.SpecialsQueue[0].Column, 2);
	EXPECT_EQ(four.SpecialsQueue[0].Row, 3);
}

TEST_F(FieldTest, SelectionRules)
{
	TField &board = Load(Put(PairsBackground(), {{5, 5, 'x'}}));
	board.Start();
	ASSERT_TRUE(RunUntil([&] { return board.State == fsIdle; }));
	Click(5, 5); // a box cannot be selected
	EXPECT_EQ(board.State, fsIdle);
	Click(2, 2);
	EXPECT_EQ(board.State, fsSelected);
	Click(2, 2); // the selected element again
	EXPECT_EQ(board.State, fsIdle);
	Click(2, 2);
	Click(2, 4); // two steps away
	EXPECT_EQ(board.State, fsIdle);
	// A swap without a line goes there and back and scores nothing.
	Click(2, 2);
	Click(2, 3);
	EXPECT_EQ(board.State, fsBadSwap);
	ASSERT_TRUE(RunUntil([&] { return board.State == fsIdle; }));
	EXPECT_EQ(Screen->Score, 0);
	EXPECT_EQ(Kind(2, 2), 16);
	// Dragging from a gem onto its neighbour swaps (here it makes 5 5 5 in row 0).
	double x = 0;
	double y = 0;
	CellToPixel(2, 1, x, y);
	board.MouseMove(static_cast<int>(x) + 25, static_cast<int>(y) + 25);
	board.MouseDown();
	CellToPixel(2, 0, x, y);
	board.MouseMove(static_cast<int>(x) + 25, static_cast<int>(y) + 25);
	board.MouseUp();
	EXPECT_EQ(board.State, fsSwap);
}

// --- Bonuses and fireballs ---

TEST_F(FieldTest, SwappingABonusExplodesItWithoutACombination)
{
	TField &board = Load(Put(NoMoveBackground(), {{5, 5, 'a'}}));
	board.Start();
	ASSERT_TRUE(RunUntil([&] { return board.State == fsIdle; }));
	Click(5, 5);
	Click(4, 5);
	ASSERT_EQ(board.State, fsSwap);
	ASSERT_TRUE(RunUntil([&] { return board.State != fsSwap; }));
	EXPECT_EQ(Screen->Score, 50);
	EXPECT_EQ(board.FireBalls.size(), 2u);
	EXPECT_EQ(board.Cell(4, 5).TileLevel, 0); // the bonus now stood at (4, 5)

	// Two bonuses swapped: both explode.
	TField &two = Load(Put(NoMoveBackground(), {{5, 5, 'a'}, {5, 6, 'b'}}));
	two.Start();
	ASSERT_TRUE(RunUntil([&] { return two.State == fsIdle; }));
	Click(5, 5);
	Click(5, 6);
	ASSERT_TRUE(RunUntil([&] { return two.State != fsSwap; }));
	EXPECT_EQ(Screen->Score, 150);
	EXPECT_EQ(two.FireBalls.size(), 6u);
	EXPECT_EQ(two.ExplodedThisMove, 2);
}

TEST_F(FieldTest, FireballsStopAtBoxesAndSetOffBonuses)
{
	// Row 5: bonus 2 at column 0, bonus 1 at column 3, a box at column 7.
	TField &board = Load(Put(NoMoveBackground(), {{5, 0, 'b'}, {5, 3, 'a'}, {5, 7, 'x'}}));
	board.KillElement(5, 3, true, true, true);
	ASSERT_EQ(board.FireBalls.size(), 2u);
	ASSERT_TRUE(RunUntil([&] { return board.FireBalls.empty(); }));
	for (int c = 0; c <= 6; ++c) {
		EXPECT_EQ(board.Cell(5, c).TileLevel, 0) << c;
		EXPECT_TRUE(board.ElementAt(5, c)->Dying) << c;
	}
	EXPECT_FALSE(board.ElementAt(5, 7)->Dying);
	EXPECT_EQ(board.Cell(5, 7).TileLevel, 1);
	EXPECT_EQ(board.Cell(5, 8).TileLevel, 1);
	// The bonus 2 at column 0 went off: its column is wiped from top to bottom.
	for (int r = 0; r < 10; ++r)
		EXPECT_EQ(board.Cell(r, 0).TileLevel, 0) << r;
	EXPECT_EQ(board.Cell(4, 1).TileLevel, 1);
	EXPECT_EQ(board.ExplodedThisMove, 2);
	EXPECT_EQ(board.SuperBonusCounter, 2);
}

TEST_F(FieldTest, SuperBonusTakesGemsUnderBoxesFirstEachAfterItsOwnDelay)
{
	TField &board = Load(Put(NoMoveBackground(), {{2, 2, 'x'}, {6, 7, 'y'}, {4, 4, 'c'}}));
	board.KillElement(4, 4, true, true, false);
	ASSERT_EQ(board.DelayedRemovals.size(), 5u);
	EXPECT_EQ(board.DelayedRemovals[0].Row, 3);
	EXPECT_EQ(board.DelayedRemovals[0].Column, 2);
	EXPECT_EQ(board.DelayedRemovals[1].Row, 7);
	EXPECT_EQ(board.DelayedRemovals[1].Column, 7);
	for (const TDelayedRemoval &entry : board.DelayedRemovals) {
		EXPECT_GE(entry.Delay, 0);
		EXPECT_LT(entry.Delay, 1.5);
	}
	EXPECT_FALSE(board.ElementAt(3, 2)->Dying);
	ASSERT_TRUE(RunUntil([&] { return board.DelayedRemovals.empty(); }, 2));
	EXPECT_TRUE(board.ElementAt(3, 2)->Dying);
	EXPECT_TRUE(board.ElementAt(7, 7)->Dying);
}

// --- Gravity and boxes ---

TEST_F(FieldTest, ElementsFallPastHoles)
{
	TField &board = Load(Put(PairsBackground(), {{2, 4, '#'}}));
	TElement *above0 = board.ElementAt(0, 4);
	TElement *above1 = board.ElementAt(1, 4);
	TElement *below3 = board.ElementAt(3, 4);
	board.KillElement(9, 4, false, false, false);
	board.KillElement(8, 4, false, false, false);
	board.State = fsRemoving;
	ASSERT_TRUE(RunUntil([&] { return board.State == fsRefill; }));
	EXPECT_EQ(board.ElementAt(3, 4), above0);
	EXPECT_EQ(board.ElementAt(4, 4), above1);
	EXPECT_EQ(board.ElementAt(5, 4), below3);
	EXPECT_EQ(board.ElementAt(0, 4), nullptr);
	EXPECT_EQ(board.ElementAt(1, 4), nullptr);
	EXPECT_EQ(board.ElementAt(2, 4), nullptr);
	ASSERT_TRUE(RunUntil([&] { return board.State == fsIdle; }));
	EXPECT_NE(board.ElementAt(0, 4), nullptr);
	EXPECT_EQ(board.ElementAt(2, 4), nullptr);
}

TEST_F(FieldTest, BoxesLeaveOverTheBottomRowOnlyWhileTheConveyorIsFree)
{
	// The bottom row of this board is row 8 (row 9 is all holes).
	std::string text = Put(PairsBackground(), {{8, 3, 'x'}, {8, 6, 'y'}, {4, 5, 'x'}});
	text.replace(9 * 11, 10, "##########");
	TField &board = Load(text);
	Screen->Conveyor.ForceBusy = true;
	board.Start();
	ASSERT_TRUE(RunUntil([&] { return board.State == fsIdle; }));
	board.Update();
	EXPECT_EQ(Screen->Conveyor.Pushed, 0);
	EXPECT_EQ(board.BoxesInBottomRow(), 2);
	Screen->Conveyor.ForceBusy = false;
	const int bricks = Screen->Bricks;
	ASSERT_TRUE(RunUntil([&] { return Screen->Conveyor.Pushed > 0; }, 1));
	EXPECT_EQ(Screen->Conveyor.Pushed, 1);
	EXPECT_EQ(board.State, fsRemoving);
	EXPECT_TRUE(board.ElementAt(8, 3)->Dying);
	EXPECT_EQ(board.Cell(8, 3).TileLevel, 0);
	EXPECT_EQ(Screen->Bricks, bricks + 5);
	EXPECT_FALSE(board.ElementAt(8, 6)->Dying);
	EXPECT_FALSE(board.ElementAt(4, 5)->Dying);
	// One box per idle moment: the second waits for the conveyor.
	ASSERT_TRUE(RunUntil([&] { return board.State == fsIdle; }));
	board.Update();
	EXPECT_EQ(Screen->Conveyor.Pushed, 1);
	EXPECT_GE(board.BoxesInBottomRow(), 1);
}

TEST_F(FieldTest, RefillPlacesBoxesOnlyInSpawnColumnsOneToEight)
{
	std::string text = std::string("@@@.......\n") + PairsBackground().substr(11);
	LoadDocument(text, "", "<Block SpriteIndex=\"1\" LowerBound=\"0\" UpperBound=\"0\"/><Block SpriteIndex=\"2\" LowerBound=\"0\" UpperBound=\"0\"/>");
	TField &board = MakeBoard();
	board.FillEmptyCells(true);
	int boxes = 0;
	for (int c = 0; c < 10; ++c)
		if (board.ElementAt(0, c)->Kind == ekBox) {
			++boxes;
			EXPECT_TRUE(c == 1 || c == 2);
		}
	EXPECT_EQ(boxes, 2);
	EXPECT_TRUE(board.BoxAppeared);
}

// --- Move search, hint and reshuffle ---

TEST_F(FieldTest, TheOnlyMoveInTheLastColumnIsHintedAndNothingIsReshuffled)
{
	TField &board = Load(Put(NoMoveBackground(), {{0, 9, '1'}, {1, 9, '1'}, {2, 9, '2'}, {3, 9, '1'}}));
	TCellPos first;
	TCellPos second;
	for (int i = 0; i < 8; ++i) { // both orientation orders
		ASSERT_TRUE(board.FindMove(first, second));
		EXPECT_EQ(first, (TCellPos{9, 2}));
		EXPECT_EQ(second, (TCellPos{9, 3}));
	}
	board.Start();
	ASSERT_TRUE(RunUntil([&] { return board.Hint != nullptr; }, 12));
	EXPECT_EQ(Sound->Count("fx/hint"), 1);
	EXPECT_NEAR(board.Hint->GetCurrent().X, 285 + 9 * 50 + 25, 16);
	EXPECT_NEAR(board.Hint->GetCurrent().Y, 15 + 2 * 50 + 25, 16);
	EXPECT_EQ(std::count(Screen->Messages.begin(), Screen->Messages.end(), 2), 0);
	EXPECT_EQ(board.State, fsIdle);
}

TEST_F(FieldTest, NoMoveAndNoBonusReshufflesTheGems)
{
	TField &board = Load(NoMoveBackground());
	board.Start();
	ASSERT_TRUE(RunUntil([&] { return board.State == fsReshuffle; }, 2));
	EXPECT_EQ(Screen->Messages, std::vector<int>{2});
	ASSERT_TRUE(RunUntil([&] { return board.State == fsIdle || board.State == fsRemoving; }, 10));
	int changed = 0;
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			changed += Kind(r, c) != 15 + (r + c) % 3 ? 1 : 0;
	EXPECT_GT(changed, 50);

	// A bonus counts as a move.
	TField &bonus = Load(Put(NoMoveBackground(), {{0, 0, 'a'}}));
	bonus.Start();
	RunUntil([&] { return false; }, 1);
	EXPECT_EQ(bonus.State, fsIdle);
	EXPECT_TRUE(Screen->Messages.empty());
}

TEST_F(FieldTest, BlinkDelayPatterns)
{
	EXPECT_NEAR(BlinkDelay(1, 0, 0), 0.99, 1e-9);
	EXPECT_NEAR(BlinkDelay(1, 1, 1), 0.63, 1e-9);
	EXPECT_NEAR(BlinkDelay(1, 8, 8), 0.49, 1e-9);
	EXPECT_NEAR(BlinkDelay(1, 1, 2), 0.36, 1e-9);
	EXPECT_NEAR(BlinkDelay(1, 4, 5), 0.0, 1e-9);
	EXPECT_NEAR(BlinkDelay(3, 1, 0), 0.19, 1e-9);
	EXPECT_NEAR(BlinkDelay(2, 3, 4), 0.35, 1e-9);
}

// --- Gem kinds ---

TEST_F(FieldTest, DistributionIsTheHighestAtMostTheFailures)
{
	LoadDocument(PairsBackground(), "P0=\"1\" P2=\"3\"");
	EXPECT_EQ(MakeBoard(3).RandomGemKind(), 13);
	EXPECT_EQ(MakeBoard(1).RandomGemKind(), 11);
	LoadDocument(PairsBackground(), "P2=\"3\"");
	TField &board = MakeBoard(1);
	std::vector<int> seen;
	for (int i = 0; i < 400; ++i)
		seen.push_back(board.RandomGemKind());
	std::sort(seen.begin(), seen.end());
	seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
	EXPECT_EQ(seen.size(), 8u);
}

TEST_F(FieldTest, PickKindNoMatchEndsWhenEveryDrawIsRejected)
{
	// The only kind on offer (10) would complete the two gems of kind 10 below: after its bounded draws
	// the board takes the first kind of the sublevel that passes.
	LoadDocument(PairsBackground(), "P0=\"0\"");
	TField &board = MakeBoard();
	board.Cell(1, 4).Element = TElement::CreateGem(10, 4, 1);
	board.Cell(2, 4).Element = TElement::CreateGem(10, 4, 2);
	EXPECT_EQ(board.PickKindNoMatch(0, 4, false), 10);
	EXPECT_EQ(board.PickKindNoMatch(0, 4, true), 11);
}

// --- The easter egg ---

TEST_F(FieldTest, EasterEggIsFoundOncePerPlayer)
{
	const std::string text = Put(PairsBackground(), {{5, 5, 'a'}, {5, 6, 'b'}, {0, 0, '1'}, {9, 9, '1'}});
	LoadDocument(text, "", "", "", 0);
	Root->SetAttribute("ExplodedSpecialsForEasterEgg", "2");
	TField &board = MakeBoard();
	board.Start();
	ASSERT_TRUE(RunUntil([&] { return board.State == fsIdle; }));
	Click(5, 5);
	Click(5, 6);
	ASSERT_TRUE(RunUntil([&] { return board.State == fsEasterEgg; }, 20));
	EXPECT_EQ(std::count(Screen->Messages.begin(), Screen->Messages.end(), 5), 1);
	EXPECT_TRUE(Manager.Player.EasterEgg);
	ASSERT_TRUE(RunUntil([&] { return board.State == fsIdle; }, 10));
	int original = 0;
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			original += Kind(r, c) == 11 ? 1 : 0;
	EXPECT_EQ(original, 0);

	// The same player on the next board: new gems of the old kind come as the new one, no second message.
	LoadDocument(text, "P0=\"1\"");
	Root->SetAttribute("ExplodedSpecialsForEasterEgg", "2");
	TField &next = MakeBoard();
	EXPECT_EQ(next.RandomGemKind(), 18);
	next.Start();
	ASSERT_TRUE(RunUntil([&] { return next.State == fsIdle; }));
	Click(5, 5);
	Click(5, 6);
	RunUntil([&] { return false; }, 5);
	EXPECT_EQ(std::count(Screen->Messages.begin(), Screen->Messages.end(), 5), 0);
}

TEST_F(FieldTest, StartTwiceFails)
{
	TField &board = Load(PairsBackground());
	board.Start();
	EXPECT_THROW(board.Start(), EGameError);
}

} // namespace
} // namespace vantero::fieldtest
