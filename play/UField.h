#pragma once
// The board: 10 x 10 cells of stone tiles holding gems, boxes and bonuses. It loads the sublevel's
// field text, fills and refills the free cells, lets the player swap neighbours, finds and scores
// combinations, runs bonuses, fireballs and the super bonus, wears the tiles down (throwing bricks
// through the game screen), hands boxes to the conveyor, and draws itself every frame.

#include "play/UFieldElement.h"
#include "scene/UAnimation.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantero {

class IGameScreen;
class IManager;
class TSprite;

// Board states.
enum TFieldState : uint8_t {
	fsCreated = 0,
	fsIdle = 1,
	fsCheck = 2,
	fsRefill = 3,
	fsSelected = 4,
	fsSwap = 5,
	fsBadSwap = 6,
	fsRemoving = 7,
	fsGravity = 8,
	fsReshuffle = 9,
	fsEnding = 10,
	fsEnded = 11,
	fsEasterEgg = 12,
};

struct TCell {
	// The tile picture shown (set while drawing; not owned) and the fade of the previous one.
	TSprite *TileSprite = nullptr;
	std::unique_ptr<TAnimation> TileFade;
	// The element in the cell, or none.
	std::unique_ptr<TElement> Element;
	// Tile letter shown; 0 = cleared.
	int TileLevel = 0;
	// Not part of the board.
	bool Hole = false;
	// Boxes may appear here.
	bool BlockSpawn = false;
	// Dust of a removal with effects.
	std::array<std::unique_ptr<TAnimation>, 4> DustPuffs;
};

struct TBlockRecord {
	bool Used = false;
	double Threshold = 0;
	int SpriteNo = 0;
};

// (column, row) of a cell.
struct TCellPos {
	int Column = 0;
	int Row = 0;
	bool operator==(const TCellPos &) const = default;
};

struct TSpecialEntry {
	int Column = 0;
	int Row = 0;
	int BonusNo = 0;
};

struct TDelayedRemoval {
	int Row = 0;
	int Column = 0;
	double Delay = 0;
	bool Done = false;
};

// A controller cell button: a focusable mark over a cell that plays the board like a mouse.
struct TCellButton {
	std::string Name;
	std::string Sprite;
	double X = 0;
	double Y = 0;
};

class TField {
public:
	// Reads the sublevel of Screen; ProbabilitySet = attempts lost in a row. Fails with the load messages.
	TField(IGameScreen &Screen, int ProbabilitySet, IManager &Manager);
	~TField();
	TField(const TField &) = delete;
	TField &operator=(const TField &) = delete;

	// --- Game screen operations ---
	// State 0 -> 2 and the first fill ("TField.Start failed!" otherwise).
	void Start();
	// The frame: tiles, advance (unless paused), box push-out, glows, elements, effects, fireballs, hint, scores.
	void Update();
	// Mouse input in game-area pixels.
	void MouseDown();
	void MouseUp();
	void MouseMove(int X, int Y);
	// 1 lost, 2 won: the board plays its end animation at its next settled moment.
	void SetEndMode(int Mode);
	// Every non-hole tile is cleared.
	bool AllCleared() const;
	// Share of cleared non-hole tiles, in [0, 1].
	double ClearedFraction() const;
	// Boxes in the bottom-most row that has a non-hole cell.
	int BoxesInBottomRow() const;
	// The controller cell buttons (only with a controller connected).
	void CreateCellButtons();
	void RemoveCellButtons();
	bool GetCellButtonsShown() const { return CellButtonsShown; }
	// What a cell button does when it gains the focus, is pressed, is clicked.
	void CellButtonFocused(const TCellButton &Button);
	void CellButtonPressed(const TCellButton &Button);
	void CellButtonClicked(const TCellButton &Button);

	// --- Rules (public for the player bot, tests and tools) ---
	// One frame of the board's state machine.
	void Tick();
	// Every element on the board has played its keys (or the board is idle).
	bool IsSettled() const;
	// Finds combinations; unless DryRun, removes and scores them and queues bonuses when AllowSpecials.
	bool FindCombinations(bool AllowSpecials, bool DryRun);
	// Looks for a swap that makes a combination; First is the hinted cell.
	bool FindMove(TCellPos &First, TCellPos &Second);
	// Every removal: bricks, tile fade and wear, dying, hop, bonus effect, dust.
	void KillElement(int Row, int Column, bool Wipe, bool WithEffects, bool Shake);
	// A new gem kind from the sublevel's distribution.
	int RandomGemKind();
	// A gem kind that completes no two equal gems next to (Row, Column) when AvoidMatches.
	int PickKindNoMatch(int Row, int Column, bool AvoidMatches);
	// Drops new elements into every free cell.
	void FillEmptyCells(bool AvoidMatches);

	// The cell record (0..10 in both directions; row/column 10 are never on the board).
	TCell &Cell(int Row, int Column) { return Cells[static_cast<size_t>(Row)][static_cast<size_t>(Column)]; }
	const TCell &Cell(int Row, int Column) const { return Cells[static_cast<size_t>(Row)][static_cast<size_t>(Column)]; }
	// The element of an on-board cell, or null.
	TElement *ElementAt(int Row, int Column) const;

public:
	// --- Links given at creation (held) ---
	IGameScreen &Screen;
	IManager &Manager;

	// --- Board model ---
	uint8_t State = fsCreated;
	int MaxTileLetter = 0;
	std::vector<TBlockRecord> Blocks;
	int ProbabilitySet = 0;
	int SuperBonusCounter = 0;
	int LastBlockColumn = -1;
	bool BoxAppeared = false;
	bool Paused = false;
	double BlinkCountdown = 0;

	// --- Play ---
	TCellPos FirstCell;
	TCellPos SecondCell;
	std::vector<TSpecialEntry> SpecialsQueue;
	std::vector<std::unique_ptr<TFireBall>> FireBalls;
	std::vector<TDelayedRemoval> DelayedRemovals;
	int MouseX = 0;
	int MouseY = 0;
	bool MousePressed = false;
	std::vector<std::unique_ptr<TAnimation>> FloatingScores;
	int ReshufflePhase = 0;
	int EndMode = 0;
	double HintTimer = 0;
	std::unique_ptr<TAnimation> Hint;
	TCellPos LastRemovedCell{-1, -1};
	bool EasterEggPending = false;
	int EasterEggPhase = 1;
	int ExplodedThisMove = 0;
	bool CellButtonsShown = false;
	std::vector<TCellButton> CellButtons;

private:
	// --- Loading and drawing (UField.cpp) ---
	void LoadField();
	void DrawTiles();
	std::string TileName(int Letter) const;
	TSequence *TileSequence(int Level) const;
	int DefaultTileLevel() const;
	int NonHoleCount() const;

	// --- Matching and specials (UFieldMatching.cpp) ---
	void ShowGroupScore(const std::vector<TCellPos> &Group, int Points);
	void ShowFloatingScore(double X, double Y, int Points);
	void AddSpecial(const std::vector<TCellPos> &Group, int BonusNo);
	void SpawnSpecials();
	void ExplodeBonusAt(const TCellPos &Cell);
	void ApplySpecial(int BonusNo, int Row, int Column);
	void ScheduleErase(int Row, int Column);
	void UpdateErases();
	void UpdateFireBalls();
	void ApplyGravity();
	bool PushOutBlock();
	void FreeDying();
	void DustAndEffects(TCell &Cell, const TElement &Element);
	void FadeTile(int Row, int Column);

	// --- Play and idle features (UFieldPlay.cpp) ---
	void SelectFirst(int Row, int Column);
	void SelectSecond(int Row, int Column);
	bool HasBonus() const;
	bool TestMove(int Row1, int Column1, int Row2, int Column2);
	void ShowHint(int Row, int Column);
	void UpdateBlink();
	void Reshuffle();
	void EasterEggTransform();
	void SpinGem(TElement &Gem, int Phase, bool Transform);
	void EndAnimation(bool Up);
	void ShowElementTips();
	void ShowMoveTip(const TCellPos &First, const TCellPos &Second);
	bool PlayerFoundEasterEgg() const;

	// The tile pictures found for letters 0..MaxTileLetter, looked up again when the pool changes.
	mutable std::array<TSequence *, 26> TileSequences{};
	mutable const void *TilePool = nullptr;
	mutable size_t TilePoolSize = 0;

	// The cells, rows and columns 0..10.
	std::array<std::array<TCell, 11>, 11> Cells;
};

// The delay of the board-wide blink pattern P (0 ring, 1 spiral, 2 diagonal, 3 snake) at a cell.
double BlinkDelay(int P, int Row, int Column);

} // namespace vantero
