// The board's rules of removal: combinations and their scores, bonuses, fireballs, the super bonus,
// tile wear and bricks, gravity and the hand-over of boxes to the conveyor.

#include "play/UField.h"

#include "config/UConfigKeys.h"
#include "config/UResolution.h"
#include "config/UUtils.h"
#include "play/IBlockCarrying.h"
#include "play/IGameScreen.h"
#include "play/UBoardInput.h"
#include "render/USpritePool.h"

#include <cmath>

namespace vantero {

namespace {

// Both cells hold gems of the same kind.
bool Match(const TElement *a, const TElement *b)
{
	return a != nullptr && b != nullptr && a->Kind == ekGem && b->Kind == ekGem && a->Value == b->Value;
}

const char *const GroupPointKeys[] = {"PointsForCombinationOfThree", "PointsForCombinationOfFour",
	"PointsForCombinationOfFive", "PointsForCombinationOfSix", "PointsForCombinationOfSeven"};

} // namespace

bool TField::FindCombinations(bool AllowSpecials, bool DryRun)
{
	const auto at = [this](int r, int c) { return Cell(r, c).Element.get(); };
	if (DryRun) {
		// Any triple is a group of three or more: no grouping needed.
		for (int r = 0; r <= 9; ++r)
			for (int c = 0; c <= 9; ++c) {
				const TElement *e = at(r, c);
				if (e == nullptr || e->Kind != ekGem)
					continue;
				if (r <= 7 && Match(e, at(r + 1, c)) && Match(e, at(r + 2, c)))
					return true;
				if (c <= 7 && Match(e, at(r, c + 1)) && Match(e, at(r, c + 2)))
					return true;
			}
		return false;
	}
	// Every cell starts as its own group; merged groups get a new number and the sum of both sizes.
	std::array<int, 100> group{};
	std::array<int, 512> size{};
	int groups = 100;
	for (int i = 0; i < 100; ++i) {
		group[static_cast<size_t>(i)] = i;
		size[static_cast<size_t>(i)] = 1;
	}
	const auto merge = [&](int a, int b) {
		const int ga = group[static_cast<size_t>(a)];
		const int gb = group[static_cast<size_t>(b)];
		if (ga == gb)
			return;
		const int merged = groups++;
		size[static_cast<size_t>(merged)] = size[static_cast<size_t>(ga)] + size[static_cast<size_t>(gb)];
		size[static_cast<size_t>(ga)] = 0;
		size[static_cast<size_t>(gb)] = 0;
		for (int &g : group)
			if (g == ga || g == gb)
				g = merged;
	};
	bool found = false;
	for (int r = 0; r <= 7; ++r)
		for (int c = 0; c <= 9; ++c)
			if (Match(at(r, c), at(r + 1, c)) && Match(at(r + 1, c), at(r + 2, c)) && Match(at(r, c), at(r + 2, c))) {
				if (DryRun)
					return true;
				found = true;
				merge(r * 10 + c, (r + 1) * 10 + c);
				merge((r + 1) * 10 + c, (r + 2) * 10 + c);
			}
	for (int r = 0; r <= 9; ++r)
		for (int c = 0; c <= 7; ++c)
			if (Match(at(r, c), at(r, c + 1)) && Match(at(r, c + 1), at(r, c + 2)) && Match(at(r, c), at(r, c + 2))) {
				if (DryRun)
					return true;
				found = true;
				merge(r * 10 + c, r * 10 + c + 1);
				merge(r * 10 + c + 1, r * 10 + c + 2);
			}
	if (!found)
		return false;

	SpecialsQueue.clear();
	std::array<bool, 512> done{};
	for (int i = 0; i < 100; ++i) {
		const int g = group[static_cast<size_t>(i)];
		const int groupSize = size[static_cast<size_t>(g)];
		if (groupSize < 3 || done[static_cast<size_t>(g)])
			continue;
		done[static_cast<size_t>(g)] = true;
		std::vector<TCellPos> cells;
		for (int j = i; j < 100; ++j)
			if (group[static_cast<size_t>(j)] == g)
				cells.push_back(TCellPos{j % 10, j / 10});
		for (const TCellPos &cell : cells)
			KillElement(cell.Row, cell.Column, false, false, false);
		const int points = groupSize <= 7 ? ConfigInteger(GroupPointKeys[groupSize - 3]) : 0;
		Screen.SetScore(Screen.GetScore() + points);
		if (points > 0)
			ShowGroupScore(cells, points);
		if (groupSize == 3) {
			PlayFieldSound("fx/combination3 delete");
		} else if (groupSize == 4) {
			if (AllowSpecials)
				AddSpecial(cells, 1);
			PlayFieldSound("fx/combination4 delete");
		} else {
			if (AllowSpecials)
				AddSpecial(cells, 2);
			PlayFieldSound("fx/combination5-7 delete");
		}
	}
	return true;
}

void TField::ShowGroupScore(const std::vector<TCellPos> &Group, int Points)
{
	double sumX = 0;
	double sumY = 0;
	for (const TCellPos &cell : Group) {
		double x = 0;
		double y = 0;
		CellToPixel(cell.Column, cell.Row, x, y);
		sumX += x;
		sumY += y;
	}
	const double n = static_cast<double>(Group.size());
	ShowFloatingScore(RoundHalfEven(sumX / n + 25), RoundHalfEven(sumY / n + 25), Points);
}

void TField::ShowFloatingScore(double X, double Y, int Points)
{
	auto score = std::make_unique<TAnimation>();
	TKey &key = score->LastKey();
	key.SetSprite("scores/" + Format("%03d", Points));
	key.Align = 5;
	key.FrameRate = 10;
	key.X = X;
	key.Y = Y;
	key.Scale = 0.5;
	key.Alpha = 255;
	TKey &rise = score->AddKey(false, 0.8);
	rise.Y = Y - 10;
	rise.Scale = 1.0;
	rise.Alpha = 50;
	score->AddKey(false, 0.2).Alpha = 0;
	FloatingScores.push_back(std::move(score));
}

void TField::AddSpecial(const std::vector<TCellPos> &Group, int BonusNo)
{
	const auto contains = [&Group](const TCellPos &cell) {
		for (const TCellPos &member : Group)
			if (member == cell)
				return true;
		return false;
	};
	TCellPos place;
	if (contains(FirstCell))
		place = FirstCell;
	else if (contains(SecondCell))
		place = SecondCell;
	else if (!Group.empty())
		place = Group[static_cast<size_t>(RandomInt(static_cast<int>(Group.size())))];
	else
		RaiseGameError("AddSpecial failed");
	PlayFieldSound("fx/bonus1-2 appear");
	SpecialsQueue.push_back(TSpecialEntry{place.Column, place.Row, BonusNo});
}

void TField::SpawnSpecials()
{
	for (const TSpecialEntry &entry : SpecialsQueue) {
		TCell &cell = Cell(entry.Row, entry.Column);
		if (cell.Element)
			RaiseGameError("SpawnSpecials failed");
		cell.Element = TElement::CreateBonus(entry.BonusNo, entry.Column, entry.Row);
	}
	SpecialsQueue.clear();
}

void TField::FadeTile(int Row, int Column)
{
	TCell &cell = Cell(Row, Column);
	TAnimation &fade = *cell.TileFade;
	fade.ClearKeys();
	TSequence *sequence = TileSequence(cell.TileLevel);
	if (sequence == nullptr)
		return;
	TKey &key = fade.AddKey(false, 0);
	key.SetSprite(TileName(cell.TileLevel));
	CellToPixel(Column, Row, key.X, key.Y);
	key.ClipLeft = Column * CellSize;
	key.ClipTop = Row * CellSize;
	key.ClipRight = (Column + 1) * CellSize;
	key.ClipBottom = (Row + 1) * CellSize;
	key.Alpha = 255;
	key.Frame = 0;
	fade.AddKey(false, 0.2).Alpha = 0;
	fade.AddKey(false, 0).Hidden = true;
}

void TField::DustAndEffects(TCell &Cell, const TElement &Element)
{
	const TKey &place = Element.LastKey();
	for (auto &puff : Cell.DustPuffs) {
		puff->ClearKeys();
		TKey &key = puff->AddKey(false, RandomReal(0, 0.3));
		key.SetSprite("stuff/dust");
		key.Align = 5;
		key.FrameRate = 13;
		key.Frame = 0;
		key.X = place.X + 25 + RandomReal(-20, 20);
		key.Y = place.Y + 25 + RandomReal(-20, 20);
		key.Alpha = RandomReal(50, 255);
		puff->AddKey(false, 0.5);
		puff->AddKey(false, 0.45).Y += RandomReal(0, CellSize);
		puff->AddKey(false, 0).Hidden = true;
	}
}

void TField::KillElement(int Row, int Column, bool Wipe, bool WithEffects, bool Shake)
{
	TCell &cell = Cell(Row, Column);
	LastRemovedCell = TCellPos{Column, Row};
	if (cell.TileLevel > 0) {
		double x = 0;
		double y = 0;
		CellToPixel(Column, Row, x, y);
		for (int i = 0; i < 5; ++i)
			Screen.AddBrick(x, y);
	}
	FadeTile(Row, Column);
	if (Wipe)
		cell.TileLevel = 0;
	else if (cell.TileLevel > 0)
		--cell.TileLevel;
	TElement *element = cell.Element.get();
	if (element == nullptr || element->Dying)
		return;
	element->MarkDying();
	if (Shake) {
		const double a = RandomReal(0.3, 0.6);
		for (int i = Row - 1; i >= 0; --i)
			if (TElement *above = Cell(i, Column).Element.get())
				above->Hop(a / (Row - i));
	}
	if (element->Kind == ekBonus)
		ApplySpecial(element->Value, Row, Column);
	if (WithEffects)
		DustAndEffects(cell, *element);
}

void TField::ExplodeBonusAt(const TCellPos &Position)
{
	const TElement *element = ElementAt(Position.Row, Position.Column);
	if (element == nullptr || element->Kind != ekBonus)
		return;
	const int bonus = element->Value;
	KillElement(Position.Row, Position.Column, true, true, bonus == 1);
	const char *const key = bonus == 1 ? "PointsForSpecial1" : bonus == 2 ? "PointsForSpecial2" : "PointsForSpecial3";
	const int points = ConfigInteger(key);
	double x = 0;
	double y = 0;
	CellToPixel(Position.Column, Position.Row, x, y);
	ShowFloatingScore(x + 25, y + 25, points);
	Screen.SetScore(Screen.GetScore() + points);
}

void TField::ApplySpecial(int BonusNo, int Row, int Column)
{
	++ExplodedThisMove;
	switch (BonusNo) {
	case 1:
		++SuperBonusCounter;
		PlayFieldSound("fx/bonus1 explode");
		FireBalls.push_back(std::make_unique<TFireBall>(1, 1, 0, Column, Row));
		FireBalls.push_back(std::make_unique<TFireBall>(1, -1, 0, Column, Row));
		Vibrate(16383, 1.0);
		break;
	case 2:
		++SuperBonusCounter;
		PlayFieldSound("fx/bonus2 explode");
		FireBalls.push_back(std::make_unique<TFireBall>(2, 1, 0, Column, Row));
		FireBalls.push_back(std::make_unique<TFireBall>(2, -1, 0, Column, Row));
		FireBalls.push_back(std::make_unique<TFireBall>(2, 0, -1, Column, Row));
		FireBalls.push_back(std::make_unique<TFireBall>(2, 0, 1, Column, Row));
		Vibrate(32767, 1.5);
		break;
	case 3: {
		PlayFieldSound("fx/bonus3 explode");
		int n = ConfigInteger("SuperBonusEraseElements");
		// Gems under boxes first: a box leaves only over the bottom row.
		for (int r = 0; r <= 8 && n > 0; ++r)
			for (int c = 0; c <= 9 && n > 0; ++c) {
				const TElement *box = Cell(r, c).Element.get();
				const TElement *below = Cell(r + 1, c).Element.get();
				if (box != nullptr && box->Kind == ekBox && below != nullptr && below->Kind == ekGem && !below->Dying) {
					ScheduleErase(r + 1, c);
					--n;
				}
			}
		if (n > 0) {
			const int tries = 100 * n + 1;
			for (int i = 0; i < tries && n > 0; ++i) {
				const int r = RandomInt(10);
				const int c = RandomInt(10);
				const TElement *gem = Cell(r, c).Element.get();
				if (gem != nullptr && gem->Kind == ekGem && !gem->Dying) {
					ScheduleErase(r, c);
					--n;
				}
			}
		}
		break;
	}
	default:
		RaiseGameError("ApplySpecial failed");
	}
}

void TField::ScheduleErase(int Row, int Column)
{
	DelayedRemovals.push_back(TDelayedRemoval{Row, Column, RandomReal(0, 1.5), false});
}

void TField::UpdateErases()
{
	bool allDone = true;
	for (const TDelayedRemoval &entry : DelayedRemovals)
		allDone = allDone && entry.Done;
	bool fired = false;
	// Indexed: a removal may schedule more (a bonus caught by the super bonus).
	for (size_t i = 0; i < DelayedRemovals.size(); ++i) {
		DelayedRemovals[i].Delay -= FrameTime;
		if (DelayedRemovals[i].Delay < 0 && !DelayedRemovals[i].Done) {
			DelayedRemovals[i].Done = true;
			const int row = DelayedRemovals[i].Row;
			const int column = DelayedRemovals[i].Column;
			KillElement(row, column, true, true, false);
			Vibrate(65535, 0.05);
			fired = true;
		}
	}
	if (allDone)
		DelayedRemovals.clear();
	if (fired)
		Vibrate(65535, 0.1);
}

void TField::UpdateFireBalls()
{
	bool any = false;
	// Indexed: a fireball that hits a bonus starts new ones.
	for (size_t i = 0; i < FireBalls.size(); ++i) {
		TFireBall *ball = FireBalls[i].get();
		if (ball == nullptr)
			continue;
		ball->Render();
		if (ball->IsFinished()) {
			int column = 0;
			int row = 0;
			PixelToCell(ball->LastKey().X, ball->LastKey().Y, column, row);
			column += ball->DX;
			row += ball->DY;
			const TElement *target = ElementAt(row, column);
			if (target != nullptr && target->Kind != ekBox) {
				ball->Advance();
				KillElement(row, column, true, true, ball->DY == 0);
			} else {
				FireBalls[i].reset();
				continue;
			}
		}
		any = true;
	}
	if (!any)
		FireBalls.clear();
}

void TField::ApplyGravity()
{
	for (int c = 0; c < 10; ++c) {
		int target = 9;
		for (int source = 9; source >= 0; --source) {
			TCell &from = Cell(source, c);
			if (!from.Element)
				continue;
			while (target >= 0 && Cell(target, c).Hole)
				--target;
			if (target < 0)
				break;
			if (target != source) {
				Cell(target, c).Element = std::move(from.Element);
				Cell(target, c).Element->FallTo(c, target, "fx/gem fall");
			}
			--target;
		}
	}
}

bool TField::PushOutBlock()
{
	IBlockCarrying *conveyor = Screen.GetBlockCarrying();
	if (conveyor == nullptr || conveyor->IsBusy() != 0)
		return false;
	for (int r = 9; r >= 0; --r) {
		bool any = false;
		for (int c = 0; c < 10; ++c)
			any = any || !Cell(r, c).Hole;
		if (!any)
			continue;
		for (int c = 0; c < 10; ++c) {
			TElement *element = Cell(r, c).Element.get();
			if (element == nullptr || element->Kind != ekBox || element->Dying)
				continue;
			const TKey &place = element->GetCurrent();
			conveyor->PushBlock(element->Value, place.X, place.Y);
			KillElement(r, c, false, false, false);
			return true;
		}
		return false;
	}
	return false;
}

void TField::FreeDying()
{
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			TCell &cell = Cell(r, c);
			if (!cell.Hole && cell.Element && cell.Element->Dying)
				cell.Element.reset();
		}
}

} // namespace vantero
