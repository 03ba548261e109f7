// The board: creation, loading of the field text, filling, drawing and the board-wide queries.

#include "play/UField.h"

#include "config/UConfig.h"
#include "config/UConfigKeys.h"
#include "config/UResolution.h"
#include "config/UUtils.h"
#include "game/IManager.h"
#include "play/IGameScreen.h"
#include "play/UBoardInput.h"
#include "render/USpritePool.h"

#include <stdexcept>

namespace vantero {

namespace {

// Draws a kind before giving up on avoiding matches (the fallback then tries every kind once).
constexpr int MaxNoMatchDraws = 1000;

// The SpriteIndex of Elements entry Index; a missing entry is a data error.
int ElementSpriteIndex(const TXMLSubLevelType &subLevel, int index)
{
	try {
		return subLevel.Element().Item(index).SpriteIndex();
	} catch (const std::out_of_range &) {
		RaiseGameError(ListIndexErrorText(index));
	}
}

// Renders an effect unless it has ended on a key that shows nothing (then rendering would only
// advance its clock, and a new timeline starts from the clock anyway).
void RenderEffect(TAnimation &effect, bool paused)
{
	const TKey &last = effect.LastKey();
	if (effect.IsFinished() && (last.Hidden || last.Sequence == nullptr))
		return;
	effect.SetPaused(paused);
	effect.Render();
}

} // namespace

TField::TField(IGameScreen &Screen, int ProbabilitySet, IManager &Manager)
	: Screen(Screen), Manager(Manager), ProbabilitySet(ProbabilitySet)
{
	BlinkCountdown = ConfigStrToFloat(ConfigText("TimeToBlink"));
	LoadField();
}

TField::~TField()
{
	RemoveCellButtons();
}

TElement *TField::ElementAt(int Row, int Column) const
{
	if (!OnBoard(Row, Column))
		return nullptr;
	return Cell(Row, Column).Element.get();
}

std::string TField::TileName(int Letter) const
{
	return Screen.GetLevelFolder() + "field" + static_cast<char>(97 + Letter);
}

TSequence *TField::TileSequence(int Level) const
{
	if (Level < 0 || Level > MaxTileLetter || Level > 25 || SpritePool == nullptr)
		return nullptr;
	if (TilePool != SpritePool || TilePoolSize != SpritePool->Sequences.size()) {
		TilePool = SpritePool;
		TilePoolSize = SpritePool->Sequences.size();
		for (int i = 0; i < 26; ++i)
			TileSequences[static_cast<size_t>(i)] = i <= MaxTileLetter ? SpritePool->FindSequence(TileName(i)) : nullptr;
	}
	return TileSequences[static_cast<size_t>(Level)];
}

int TField::DefaultTileLevel() const
{
	return Screen.GetSubLevel().Field().SolidCellsByDefault() != 0 ? MaxTileLetter : 1;
}

int TField::NonHoleCount() const
{
	int count = 0;
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			if (!Cell(r, c).Hole)
				++count;
	return count;
}

void TField::LoadField()
{
	TXMLSubLevelType &subLevel = Screen.GetSubLevel();

	// 1. The highest tile letter whose picture exists.
	MaxTileLetter = 0;
	for (int i = 0; i <= 25; ++i)
		if (SpritePool != nullptr && SpritePool->FindSequence(TileName(i)) != nullptr && MaxTileLetter < i)
			MaxTileLetter = i;

	// 2. The boxes and their thresholds.
	const int blockCount = subLevel.Block().Count();
	Blocks.assign(static_cast<size_t>(blockCount), TBlockRecord{});
	for (int i = 0; i < blockCount; ++i) {
		const TXMLBlockType &block = subLevel.Block().Item(i);
		TBlockRecord &record = Blocks[static_cast<size_t>(i)];
		record.Used = false;
		const int lower = block.LowerBound();
		record.Threshold = lower + RandomReal(0, 1) * (block.UpperBound() - lower);
		record.SpriteNo = block.SpriteIndex();
	}

	// 3. The cell characters, blanks ignored.
	const std::string text = subLevel.Field().Text();
	std::array<std::array<char, 10>, 10> grid{};
	int count = 0;
	for (const char ch : text) {
		if (ch == '\t' || ch == '\n' || ch == '\r' || ch == ' ')
			continue;
		if (count >= 100)
			RaiseGameError("Invalid Field format");
		grid[static_cast<size_t>(count / 10)][static_cast<size_t>(count % 10)] = ch;
		++count;
	}
	if (count != 100)
		RaiseGameError("Invalid Field format");

	// 4 and 5. Box spawns and the effect objects of every cell.
	for (auto &row : Cells)
		for (TCell &cell : row) {
			cell.TileFade = std::make_unique<TAnimation>();
			for (auto &puff : cell.DustPuffs)
				puff = std::make_unique<TAnimation>();
		}

	// 6. Tile levels and the elements of the text.
	const int solid = subLevel.Field().SolidCellsByDefault();
	const int defaultLevel = solid != 0 ? MaxTileLetter : 1;
	const int oppositeLevel = solid != 0 ? 1 : MaxTileLetter;
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			TCell &cell = Cell(r, c);
			char ch = grid[static_cast<size_t>(r)][static_cast<size_t>(c)];
			if (ch == '@') {
				cell.BlockSpawn = true;
				ch = '.';
			}
			cell.TileLevel = defaultLevel;
			switch (ch) {
			case '#':
				cell.Hole = true;
				break;
			case '.':
				break;
			case '$':
				cell.TileLevel = oppositeLevel;
				break;
			case 'a':
			case 'b':
			case 'c':
				cell.Element = TElement::CreateBonus(ch - 'a' + 1, c, r);
				break;
			case 'x':
			case 'y':
				cell.Element = TElement::CreateBox(ch - 'x' + 1, c, r);
				break;
			default:
				if (ch >= '1' && ch <= '7') {
					cell.Element = TElement::CreateGem(ElementSpriteIndex(subLevel, ch - '0'), c, r);
					break;
				}
				RaiseGameError(std::string("Unknown element type: \"") + ch + "\"");
			}
		}
}

void TField::Start()
{
	if (State != fsCreated)
		RaiseGameError("TField.Start failed!");
	State = fsCheck;
	FillEmptyCells(true);
	if (ControllerConnected())
		CreateCellButtons();
}

bool TField::PlayerFoundEasterEgg() const
{
	return Manager.CurrentPlayer().GetEasterEgg();
}

int TField::RandomGemKind()
{
	TXMLSubLevelType &subLevel = Screen.GetSubLevel();
	const int entries = subLevel.Element().Count();
	if (entries == 0)
		RaiseGameError("Elements not defined!");
	std::string distribution;
	for (int k = ProbabilitySet; k >= 0; --k) {
		const std::optional<std::string> text = subLevel.GetAttribute("P" + std::to_string(k));
		if (text.has_value()) {
			distribution = *text;
			break;
		}
	}
	int index = 0;
	if (!distribution.empty())
		index = distribution[static_cast<size_t>(RandomInt(static_cast<int>(distribution.size())))] - 48;
	else
		index = RandomInt(entries);
	int kind = ElementSpriteIndex(subLevel, index);
	if (PlayerFoundEasterEgg() && !EasterEggPending && kind == ConfigInteger("EasterEggOriginalElement"))
		kind = ConfigInteger("EasterEggNewElement");
	return kind;
}

int TField::PickKindNoMatch(int Row, int Column, bool AvoidMatches)
{
	const auto gemKind = [this](int r, int c) {
		const TElement *element = ElementAt(r, c);
		return element != nullptr && element->Kind == ekGem ? element->Value : -1;
	};
	const auto rejected = [&](int k) {
		return (Row < 8 && gemKind(Row + 1, Column) == k && gemKind(Row + 2, Column) == k)
			|| (Column < 8 && gemKind(Row, Column + 1) == k && gemKind(Row, Column + 2) == k)
			|| (Row > 1 && gemKind(Row - 1, Column) == k && gemKind(Row - 2, Column) == k)
			|| (Column > 1 && gemKind(Row, Column - 1) == k && gemKind(Row, Column - 2) == k);
	};
	int k = RandomGemKind();
	if (!AvoidMatches)
		return k;
	for (int draw = 1; rejected(k); ++draw) {
		if (draw >= MaxNoMatchDraws) {
			// The distribution keeps offering rejected kinds: take the first kind of the sublevel that
			// passes, else accept the match (it resolves as a cascade).
			const TXMLSubLevelType &subLevel = Screen.GetSubLevel();
			for (int i = 0; i < subLevel.Element().Count(); ++i) {
				const int candidate = ElementSpriteIndex(subLevel, i);
				if (!rejected(candidate))
					return candidate;
			}
			return k;
		}
		k = RandomGemKind();
	}
	return k;
}

void TField::FillEmptyCells(bool AvoidMatches)
{
	struct TEntry {
		int Row = 0;
		int Column = 0;
		bool Assigned = false;
		uint8_t Kind = ekGem;
		int Value = 0;
	};
	// 1. The free cells in row order.
	std::vector<TEntry> entries;
	std::array<std::array<int, 10>, 10> entryOf{};
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			const TCell &cell = Cell(r, c);
			if (!cell.Hole && (!cell.Element || cell.Element->Dying))
				entries.push_back(TEntry{r, c});
		}
	// 2. Every entry swapped with a later one.
	const int n = static_cast<int>(entries.size());
	for (int i = 0; i <= n - 2; ++i) {
		const int j = i + 1 + RandomInt(n - i - 1);
		std::swap(entries[static_cast<size_t>(i)], entries[static_cast<size_t>(j)]);
	}
	for (int i = 0; i < n; ++i)
		entryOf[static_cast<size_t>(entries[static_cast<size_t>(i)].Row)][static_cast<size_t>(entries[static_cast<size_t>(i)].Column)] = i;

	// 3. The cleared share (level-0 holes count too).
	int cleared = 0;
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			if (Cell(r, c).TileLevel == 0)
				++cleared;
	const int nonHoles = NonHoleCount();
	const double percent = nonHoles > 0 ? 100.0 * cleared / nonHoles : 100.0;

	// 4. Boxes whose threshold is reached.
	for (TBlockRecord &record : Blocks) {
		if (record.Used || record.Threshold > percent)
			continue;
		for (TEntry &entry : entries)
			if (!entry.Assigned && Cell(entry.Row, entry.Column).BlockSpawn && entry.Column >= 1 && entry.Column <= 8
				&& entry.Column != LastBlockColumn) {
				LastBlockColumn = entry.Column;
				record.Used = true;
				entry.Assigned = true;
				entry.Kind = ekBox;
				entry.Value = record.SpriteNo;
				break;
			}
	}

	// 5. The super bonus (or a bonus forced by a developer flag).
	if (SuperBonusCounter >= ConfigInteger("SuperBonusAppearance") || DevForceSuperBonus || DevForceBonus1
		|| DevForceBonus2) {
		for (TEntry &entry : entries)
			if (!entry.Assigned) {
				int bonus = 3;
				if (DevForceSuperBonus)
					bonus = 3;
				if (DevForceBonus1)
					bonus = 1;
				if (DevForceBonus2)
					bonus = 2;
				DevForceSuperBonus = DevForceBonus1 = DevForceBonus2 = false;
				entry.Assigned = true;
				entry.Kind = ekBonus;
				entry.Value = bonus;
				SuperBonusCounter = 0;
				Screen.ShowMessage(0, false, false);
				break;
			}
	}

	// 6 and 7. Gems for the rest; create bottom-up, each column's new elements stacked above the top.
	for (int c = 0; c < 10; ++c) {
		int counter = 0;
		for (int r = 9; r >= 0; --r) {
			const TCell &cell = Cell(r, c);
			if (cell.Hole || (cell.Element && !cell.Element->Dying))
				continue;
			TEntry &entry = entries[static_cast<size_t>(entryOf[static_cast<size_t>(r)][static_cast<size_t>(c)])];
			++counter;
			if (DevForceBox1 || DevForceBox2) {
				entry.Kind = ekBox;
				entry.Value = DevForceBox2 ? 2 : 1;
				DevForceBox1 = DevForceBox2 = false;
			}
			std::unique_ptr<TElement> element;
			std::string sound;
			if (entry.Assigned && entry.Kind == ekBox) {
				element = TElement::CreateBox(entry.Value, c, -counter);
				sound = "fx/cube appear";
				BoxAppeared = true;
			} else if (entry.Assigned && entry.Kind == ekBonus) {
				element = TElement::CreateBonus(entry.Value, c, -counter);
				sound = "fx/bonus3 appear";
			} else if (entry.Kind == ekBox) {
				element = TElement::CreateBox(entry.Value, c, -counter);
				sound = "fx/cube appear";
				BoxAppeared = true;
			} else {
				element = TElement::CreateGem(PickKindNoMatch(r, c, AvoidMatches), c, -counter);
				sound = "fx/gem fall";
			}
			element->FallTo(c, r, sound);
			Cell(r, c).Element = std::move(element);
		}
	}
}

bool TField::IsSettled() const
{
	if (State == fsIdle)
		return true;
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			const TElement *element = Cell(r, c).Element.get();
			if (element != nullptr && !element->IsFinished())
				return false;
		}
	return true;
}

bool TField::AllCleared() const
{
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			if (!Cell(r, c).Hole && Cell(r, c).TileLevel > 0)
				return false;
	return true;
}

double TField::ClearedFraction() const
{
	int cleared = 0;
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			if (!Cell(r, c).Hole && Cell(r, c).TileLevel == 0)
				++cleared;
	const int nonHoles = NonHoleCount();
	return nonHoles > 0 ? static_cast<double>(cleared) / nonHoles : 1.0;
}

int TField::BoxesInBottomRow() const
{
	for (int r = 9; r >= 0; --r) {
		bool any = false;
		int boxes = 0;
		for (int c = 0; c < 10; ++c) {
			if (Cell(r, c).Hole)
				continue;
			any = true;
			const TElement *element = Cell(r, c).Element.get();
			if (element != nullptr && element->Kind == ekBox)
				++boxes;
		}
		if (any)
			return boxes;
	}
	return 0;
}

void TField::DrawTiles()
{
	std::array<TSequence *, 26> sequences{};
	for (int i = 0; i <= MaxTileLetter && i < 26; ++i)
		sequences[static_cast<size_t>(i)] = TileSequence(i);
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			TCell &cell = Cell(r, c);
			if (cell.Hole)
				continue;
			cell.TileSprite = nullptr;
			if (cell.TileLevel >= 0 && cell.TileLevel <= MaxTileLetter && cell.TileLevel < 26) {
				TSequence *sequence = sequences[static_cast<size_t>(cell.TileLevel)];
				if (sequence != nullptr && sequence->FrameCount() > 0)
					cell.TileSprite = &sequence->Frame(0);
			}
			if (cell.TileSprite != nullptr) {
				double x = 0;
				double y = 0;
				CellToPixel(c, r, x, y);
				const TRect square{c * CellSize, r * CellSize, (c + 1) * CellSize, (r + 1) * CellSize};
				cell.TileSprite->Draw(square, 255, 0, 1.0, x, y);
			}
			RenderEffect(*cell.TileFade, Paused);
		}
}

void TField::Update()
{
	DrawTiles();
	if (!Paused)
		Tick();
	if (State == fsIdle && PushOutBlock())
		State = fsRemoving;
	for (const uint8_t kind : {static_cast<uint8_t>(ekBox), static_cast<uint8_t>(ekBonus)})
		for (int r = 0; r < 10; ++r)
			for (int c = 0; c < 10; ++c) {
				TElement *element = Cell(r, c).Element.get();
				if (element != nullptr && element->Kind == kind) {
					element->SetPaused(Paused);
					element->DrawGlow();
				}
			}
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c) {
			TElement *element = Cell(r, c).Element.get();
			if (element == nullptr)
				continue;
			element->SetPaused(Paused);
			element->Render();
			element->DrawOverlays();
		}
	for (int r = 0; r < 10; ++r)
		for (int c = 0; c < 10; ++c)
			for (auto &puff : Cell(r, c).DustPuffs)
				RenderEffect(*puff, Paused);
	if (!Paused) {
		UpdateFireBalls();
		UpdateErases();
	}
	if (Hint) {
		Hint->SetPaused(Paused);
		Hint->Render();
	}
	for (auto it = FloatingScores.begin(); it != FloatingScores.end();) {
		if ((*it)->IsFinished()) {
			it = FloatingScores.erase(it);
			continue;
		}
		(*it)->SetPaused(Paused);
		(*it)->Render();
		++it;
	}
}

} // namespace vantero
