#pragma once
// The pieces of the board: a gem, a box or a bonus in a cell (TElement) and the fireball of an
// exploding bonus (TFireBall). Both are animation objects whose keys carry position and look.

#include "scene/UAnimation.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vantero {

enum TElementKind : uint8_t {
	ekBox = 0,
	ekGem = 1,
	ekBonus = 2,
};

// Top-left pixel of a cell: (column x CellSize + FieldX, row x CellSize + FieldY).
void CellToPixel(int Column, int Row, double &X, double &Y);
// The cell under a pixel, dividing with truncation toward zero.
void PixelToCell(double X, double Y, int &Column, int &Row);
// 0 <= Row <= 9 and 0 <= Column <= 9.
bool OnBoard(int Row, int Column);
// Plays a board sound through the sound engine (nothing without one).
void PlayFieldSound(const std::string &Name);

class TElement : public TAnimation {
public:
	// A gem of kind Kind resting in its cell, with its two (empty) overlays.
	static std::unique_ptr<TElement> CreateGem(int Kind, int Column, int Row);
	// A box of sprite SpriteNo with its glow.
	static std::unique_ptr<TElement> CreateBox(int SpriteNo, int Column, int Row);
	// A bonus 1, 2 or 3 with its glow, fading in over 0.1 s.
	static std::unique_ptr<TElement> CreateBonus(int BonusNo, int Column, int Row);

	// Resting look (looping).
	void DescribeIdle();
	// Selected look; "DescribeSelect failed" for a box.
	void DescribeSelect();
	// Removal look, once from frame 0; "DescribeKill failed" for a box.
	void DescribeKill();
	// Falls from its last key into the cell, bounces and plays Sound on landing.
	void FallTo(int Column, int Row, const std::string &Sound);
	// Moves into the cell along a sine ease (and back again when AndBack), then rests.
	void MoveTo(int Column, int Row, bool AndBack);
	// Marks it as being removed: removal look played once, then hidden.
	void MarkDying();
	// Rises and comes back (Amount in cell sizes) in 0.44 s.
	void Hop(double Amount);
	// Keeps the current look and place; glows stop too.
	void StopAnimations();
	// The glint of a gem under the mouse, when its last glint is over and it rests.
	void HoverGlint();

	// The sprite name of a look ("" idle, "sel", "kill", "symblink", "light").
	std::string LookName(const std::string &Suffix) const;
	// Draws the glow of a box or a bonus (paused as the element).
	void DrawGlow();
	// Draws the two overlays of a gem (paused as the element).
	void DrawOverlays();

public:
	// What it is and its number (gem kind, box sprite or bonus number).
	uint8_t Kind = ekGem;
	int Value = 0;
	// Being removed: it keeps its cell until the board frees it.
	bool Dying = false;
	// Child animations: glows (bonus, box) and overlays (gems).
	std::unique_ptr<TAnimation> BonusLight;
	std::unique_ptr<TAnimation> GlintOverlay;
	std::unique_ptr<TAnimation> BoxLight;
	std::unique_ptr<TAnimation> BlinkOverlay;

private:
	TElement(uint8_t kind, int value, int column, int row);
	// A key at the current time showing Name from frame 0.
	TKey &SetLook(const std::string &name, double frameRate, bool loop);
};

class TFireBall : public TAnimation {
public:
	// A fireball of bonus Kind at the centre of the cell, flying by (DX, DY) cells per step.
	TFireBall(int Kind, int DX, int DY, int Column, int Row);

	// Flies one cell on in 0.2 s with a sideways wobble.
	void Advance();

public:
	int Kind = 1;
	int DX = 0;
	int DY = 0;
	double Phase = 0;
};

} // namespace vantero
