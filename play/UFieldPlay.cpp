// The board's state machine and the player's side of it: selection and swapping, the move search,
// hints, the board-wide blink, the reshuffle, the easter egg, the end animation, tips and the
// controller cell buttons.

#include "play/UField.h"

#include "config/UConfigKeys.h"
#include "config/UResolution.h"
#include "config/UUtils.h"
#include "game/IManager.h"
#include "play/IGameScreen.h"
#include "scene/ITipQueue.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vantero {

namespace {

// The spiral numbering of the blink: down column 0, along row 9, up column 9, back along row 0, inwards.
const std::array<std::array<int, 10>, 10> &SpiralNumbers()
{
	static const std::array<std::array<int, 10>, 10> numbers = [] {
		std::array<std::array<int, 10>, 10> n{};
		int top = 0;
		int bottom = 9;
		int left = 0;
		int right = 9;
		int s = 0;
		while (top <= bottom && left <= right) {
			for (int r = top; r <= bottom; ++r)
				n[static_cast<size_t>(r)][static_cast<size_t>(left)] = s++;
			for (int c = left + 1; c <= right; ++c)
				n[static_cast<size_t>(bottom)][static_cast<size_t>(c)] = s++;
			if (left < right)
				for (int r = bottom - 1; r >= top; --r)
					n[static_cast<size_t>(r)][static_cast<size_t>(right)] = s++;
			if (top < bottom)
				for (int c = right - 1; c > left; --c)
					n[static_cast<size_t>(top)][static_cast<size_t>(c)] = s++;
			++top;
			--bottom;
			++left;
			--right;
		}
		return n;
	}();
	return numbers;
}

// Centre of a cell: its top-left plus CellSize div 2.
void CellCentre(int Column, int Row, double &X, double &Y)
{
	CellToPixel(Column, Row, X, Y);
	X += CellSize / 2;
	Y += CellSize / 2;
}

} // namespace

double BlinkDelay(int P, int Row, int Column)
{
	switch (P) {
	case 0:
		return 0.1 * std::sqrt((Row - 4.5) * (Row - 4.5) + (Column - 4.5) * (Column - 4.5));
	case 1:
		return 0.01 * (99 - SpiralNumbers()[static_cast<size_t>(Row)][static_cast<size_t>(Column)]);
	case 2:
		return 0.05 * (Row + Column);
	default:
		return 0.01 * (10 * Row + (Row % 2 == 0 ? Column : 9 - Column));
	}
}

void TField::Tick()
{
	UpdateBlink();
	int hoverColumn = 0;
	int hoverRow = 0;
	PixelToCell(MouseX, MouseY, hoverColumn, hoverRow);
	if (TElement *hovered = ElementAt(hoverRow, hoverColumn))
		hovered->HoverGlint();
	if (!IsSettled())
		return;

	if (State == fsIdle) {
		HintTimer += FrameTime;
		TCellPos first;
		TCellPos second;
		if (HintTimer > ConfigReal("TimeToHint") && !Hint && FindMove(first, second)) {
			ShowHint(first.Row, first.Column);
			PlayFieldSound("fx/hint");
			HintTimer = 0;
		}
	} else {
		HintTimer = 0;
		Hint.reset();
	}

	if (ExplodedThisMove >= ConfigInteger("ExplodedSpecialsForEasterEgg") && !PlayerFoundEasterEgg()) {
		Screen.ShowMessage(5, false, true);
		EasterEggPending = true;
		Manager.CurrentPlayer().SetEasterEgg(true);
	}

	switch (State) {
	case fsIdle:
	case fsSelected: {
		ShowElementTips();
		ExplodedThisMove = 0;
		if (State == fsIdle && EasterEggPending) {
			EasterEggPending = false;
			EasterEggPhase = 1;
			State = fsEasterEgg;
			EasterEggTransform();
		}
		if (EndMode == 1 || EndMode == 2) {
			if (State == fsSelected)
				if (TElement *selected = ElementAt(FirstCell.Row, FirstCell.Column))
					selected->StopAnimations();
			State = fsEnding;
			EndAnimation(EndMode == 2);
		}
		TCellPos first;
		TCellPos second;
		if (State == fsIdle && !HasBonus() && !FindMove(first, second)) {
			Screen.ShowMessage(2, false, false);
			ReshufflePhase = 1;
			Reshuffle();
			State = fsReshuffle;
		}
		break;
	}
	case fsCheck:
		State = fsRemoving;
		if (!FindCombinations(true, false)) {
			State = fsIdle;
			TCellPos first;
			TCellPos second;
			if (FindMove(first, second))
				ShowMoveTip(first, second);
		}
		break;
	case fsRefill:
		State = fsCheck;
		FillEmptyCells(false);
		break;
	case fsSwap: {
		State = fsRemoving;
		const TElement *a = ElementAt(FirstCell.Row, FirstCell.Column);
		const TElement *b = ElementAt(SecondCell.Row, SecondCell.Column);
		const bool bonusA = a != nullptr && a->Kind == ekBonus;
		const bool bonusB = b != nullptr && b->Kind == ekBonus;
		if (bonusA && bonusB) {
			ExplodeBonusAt(FirstCell);
			ExplodeBonusAt(SecondCell);
		} else if (bonusA) {
			FindCombinations(true, false);
			ExplodeBonusAt(FirstCell);
		} else if (bonusB) {
			ExplodeBonusAt(SecondCell);
			FindCombinations(true, false);
		} else if (!FindCombinations(true, false)) {
			State = fsIdle;
		}
		break;
	}
	case fsBadSwap:
		State = fsIdle;
		break;
	case fsRemoving:
		if (!FireBalls.empty() || !DelayedRemovals.empty())
			break;
		FreeDying();
		State = fsGravity;
		SpawnSpecials();
		break;
	case fsGravity:
		State = fsRefill;
		ApplyGravity();
		break;
	case fsReshuffle:
		if (ReshufflePhase == 1) {
			ReshufflePhase = 2;
			Reshuffle();
		} else {
			State = fsRemoving;
			if (!FindCombinations(true, false))
				State = fsIdle;
		}
		break;
	case fsEnding:
		State = fsEnded;
		break;
	case fsEasterEgg:
		if (EasterEggPhase == 1) {
			EasterEggPhase = 2;
			EasterEggTransform();
		} else {
			State = fsIdle;
		}
		break;
	default:
		break;
	}
}

void TField::SetEndMode(int Mode)
{
	EndMode = Mode;
}

bool TField::HasBonus() const
{
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			if (const TElement *element = Cell(r, c).Element.get(); element != nullptr && element->Kind == ekBonus)
				return true;
	return false;
}

// --- Mouse, selection and swapping ---

void TField::MouseDown()
{
	MousePressed = true;
	if (Paused)
		return;
	int column = 0;
	int row = 0;
	PixelToCell(MouseX, MouseY, column, row);
	if (!OnBoard(row, column))
		return;
	if (State == fsIdle)
		SelectFirst(row, column);
	else if (State == fsSelected)
		SelectSecond(row, column);
}

void TField::MouseUp()
{
	MousePressed = false;
}

void TField::MouseMove(int X, int Y)
{
	if (Paused)
		return;
	MouseX = X;
	MouseY = Y;
	int column = 0;
	int row = 0;
	PixelToCell(X, Y, column, row);
	if (OnBoard(row, column) && MousePressed && State == fsSelected && !(TCellPos{column, row} == FirstCell))
		SelectSecond(row, column);
}

void TField::SelectFirst(int Row, int Column)
{
	TElement *element = ElementAt(Row, Column);
	if (element == nullptr || Cell(Row, Column).Hole || element->Kind == ekBox)
		return;
	element->DescribeSelect();
	FirstCell = TCellPos{Column, Row};
	State = fsSelected;
	PlayFieldSound("fx/gem select");
	if (BoxAppeared)
		Manager.CurrentPlayer().GetTips().ShowTip(6, 0, GameWidth / 2.0, GameHeight / 2.0, 0, 0, 0);
}

void TField::SelectSecond(int Row, int Column)
{
	TElement *second = ElementAt(Row, Column);
	if (second == nullptr || second->Kind == ekBox)
		return;
	SecondCell = TCellPos{Column, Row};
	TElement *first = ElementAt(FirstCell.Row, FirstCell.Column);
	const int dc = std::abs(SecondCell.Column - FirstCell.Column);
	const int dr = std::abs(SecondCell.Row - FirstCell.Row);
	const bool neighbours = (dc == 1 && dr == 0) || (dr == 1 && dc == 0);
	if (!neighbours || first == nullptr) {
		if (first != nullptr)
			first->DescribeIdle();
		State = fsIdle;
		return;
	}
	TCell &a = Cell(FirstCell.Row, FirstCell.Column);
	TCell &b = Cell(SecondCell.Row, SecondCell.Column);
	std::swap(a.Element, b.Element);
	const bool valid = first->Kind == ekBonus || second->Kind == ekBonus || FindCombinations(false, true);
	if (!valid)
		std::swap(a.Element, b.Element);
	first->ResetToCurrent();
	second->ResetToCurrent();
	first->MoveTo(SecondCell.Column, SecondCell.Row, !valid);
	second->MoveTo(FirstCell.Column, FirstCell.Row, !valid);
	State = valid ? fsSwap : fsBadSwap;
}

// --- The move search ---

bool TField::TestMove(int Row1, int Column1, int Row2, int Column2)
{
	TCell &one = Cell(Row1, Column1);
	TCell &two = Cell(Row2, Column2);
	if (!one.Element || !two.Element || one.Element->Kind == ekBox || two.Element->Kind == ekBox)
		return false;
	// The first cell's element moves into the second cell; the cell it left is empty.
	std::swap(one.Element, two.Element);
	std::unique_ptr<TElement> aside = std::move(one.Element);
	bool found = FindCombinations(false, true);
	one.Element = std::move(aside);
	if (!found) {
		// The second cell's element moves into the first cell (where it already stands after the
		// exchange); the second cell is empty.
		aside = std::move(two.Element);
		found = FindCombinations(false, true);
		two.Element = std::move(aside);
	}
	std::swap(one.Element, two.Element);
	return found;
}

bool TField::FindMove(TCellPos &First, TCellPos &Second)
{
	const bool verticalFirst = RandomInt(2) == 0;
	for (int pass = 0; pass < 2; ++pass) {
		const bool vertical = (pass == 0) == verticalFirst;
		bool found = false;
		if (vertical) {
			for (int r = 0; r <= 8; ++r)
				for (int c = 0; c <= 9; ++c)
					if (TestMove(r, c, r + 1, c)) {
						found = true;
						First = TCellPos{c, r};
						Second = TCellPos{c, r + 1};
					}
		} else {
			for (int r = 0; r <= 9; ++r)
				for (int c = 0; c <= 8; ++c)
					if (TestMove(r, c, r, c + 1)) {
						found = true;
						First = TCellPos{c, r};
						Second = TCellPos{c + 1, r};
					}
		}
		if (found)
			return true;
	}
	return false;
}

void TField::ShowHint(int Row, int Column)
{
	Hint = std::make_unique<TAnimation>();
	double cx = 0;
	double cy = 0;
	CellCentre(Column, Row, cx, cy);
	TKey &first = Hint->LastKey();
	first.SetSprite("stuff/meblink01");
	first.DrawMode = 2;
	first.Align = 5;
	first.X = cx + 15;
	first.Y = cy;
	const int frames = first.FrameCount;
	TKey *last = &first;
	for (int i = 0; i <= 10; ++i) {
		TKey &key = Hint->AddKey(false, i == 0 ? 0 : 0.3);
		const double theta = i / 10.0 * 6.2831852;
		key.Frame = i / 10.0 * 2 * frames;
		key.X = cx + 15 * std::cos(theta);
		key.Y = cy + 15 * std::sin(theta);
		last = &key;
	}
	Hint->LoopRange(&first, last);
}

// --- Idle features ---

void TField::UpdateBlink()
{
	BlinkCountdown -= FrameTime;
	if (BlinkCountdown > 0 || State != fsIdle)
		return;
	BlinkCountdown = ConfigStrToFloat(ConfigText("TimeToBlink"));
	const int pattern = RandomInt(4);
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			TElement *gem = ElementAt(r, c);
			if (gem == nullptr || gem->Kind != ekGem || !gem->BlinkOverlay)
				continue;
			TAnimation &blink = *gem->BlinkOverlay;
			blink.ClearKeys();
			blink.Parent = gem;
			TKey &key = blink.AddKey(false, BlinkDelay(pattern, r, c));
			key.SetSprite(gem->LookName("symblink"));
			key.DrawMode = 2;
			key.Alpha = 80;
			key.FrameRate = 30;
			key.Frame = 0;
			blink.AddKey(false, key.FrameDuration() * key.FrameCount - 0.00001);
			blink.AddKey(false, 0).Hidden = true;
		}
}

void TField::SpinGem(TElement &Gem, int Phase, bool Transform)
{
	if (Phase == 1) {
		Gem.DescribeSelect();
		const int count = Gem.LastKey().FrameCount;
		double interval = 0.05;
		for (int f = 0; f <= count / 4; ++f) {
			Gem.AddKey(false, interval).Frame = f;
			interval = std::max(interval - 0.005, 0.03);
		}
		Gem.DescribeIdle();
		return;
	}
	Gem.Value = Transform ? ConfigInteger("EasterEggNewElement") : RandomGemKind();
	Gem.DescribeSelect();
	const int count = Gem.LastKey().FrameCount;
	double interval = 0;
	for (int f = count / 4 + 1; f <= count - 1; ++f) {
		Gem.AddKey(false, interval).Frame = f;
		interval = interval == 0 ? 0.032 : std::min(interval + 0.002, 0.1);
	}
	Gem.DescribeIdle();
}

void TField::Reshuffle()
{
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			if (TElement *gem = ElementAt(r, c); gem != nullptr && gem->Kind == ekGem)
				SpinGem(*gem, ReshufflePhase, false);
}

void TField::EasterEggTransform()
{
	const int original = ConfigInteger("EasterEggOriginalElement");
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			if (TElement *gem = ElementAt(r, c); gem != nullptr && gem->Kind == ekGem && gem->Value == original)
				SpinGem(*gem, EasterEggPhase, true);
}

void TField::EndAnimation(bool Up)
{
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			TElement *element = ElementAt(r, c);
			if (element == nullptr)
				continue;
			if (element->Kind != ekGem) {
				element->StopAnimations();
				continue;
			}
			element->DescribeKill();
			element->LastKey().FrameRate = 10;
			TKey &key = element->AddKey(false, RandomReal(0.5, 1.0));
			key.Frame = std::max(0, key.FrameCount - 1);
			key.Y += Up ? -200 : 200;
		}
}

// --- Tips ---

void TField::ShowElementTips()
{
	ITipQueue &tips = Manager.CurrentPlayer().GetTips();
	const double centerX = GameWidth / 2.0;
	const double centerY = GameHeight / 2.0;
	double x = 0;
	double y = 0;
	if (LastRemovedCell.Column >= 0) {
		CellCentre(LastRemovedCell.Column, LastRemovedCell.Row, x, y);
		tips.ShowTip(2, 9, centerX, centerY, x, y, 200);
	}
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			const TElement *element = ElementAt(r, c);
			if (element == nullptr || element->Kind == ekGem)
				continue;
			int tip = 7;
			if (element->Kind == ekBonus)
				tip = element->Value == 1 ? 3 : element->Value == 2 ? 4 : 8;
			CellCentre(c, r, x, y);
			tips.ShowTip(tip, 9, centerX, centerY, x, y, 200);
		}
}

void TField::ShowMoveTip(const TCellPos &First, const TCellPos &Second)
{
	double x1 = 0;
	double y1 = 0;
	double x2 = 0;
	double y2 = 0;
	CellCentre(First.Column, First.Row, x1, y1);
	CellCentre(Second.Column, Second.Row, x2, y2);
	const uint8_t flags = First.Row == Second.Row ? 10 : 12;
	Manager.CurrentPlayer().GetTips().ShowTip(1, flags, GameWidth / 2.0, GameHeight / 2.0, (x1 + x2) / 2, (y1 + y2) / 2, 300);
}

// --- Controller cell buttons ---

void TField::CreateCellButtons()
{
	CellButtons.clear();
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			if (ElementAt(r, c) != nullptr) {
				TCellButton button;
				button.Name = "btfield";
				button.Sprite = "elements/cellselection";
				CellToPixel(c, r, button.X, button.Y);
				CellButtons.push_back(button);
			}
	CellButtonsShown = true;
}

void TField::RemoveCellButtons()
{
	CellButtons.clear();
	CellButtonsShown = false;
}

void TField::CellButtonFocused(const TCellButton &Button)
{
	MouseMove(static_cast<int>(Button.X) + 1, static_cast<int>(Button.Y) + 1);
}

void TField::CellButtonPressed(const TCellButton &)
{
	MouseDown();
}

void TField::CellButtonClicked(const TCellButton &Button)
{
	MouseMove(static_cast<int>(Button.X) + 1, static_cast<int>(Button.Y) + 1);
	if (!MousePressed)
		MouseDown();
	MouseUp();
}

} // namespace vantero
