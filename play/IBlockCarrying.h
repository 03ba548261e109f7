#pragma once
// The conveyor as the board and the game screen see it: one box at a time is handed over from the
// board's bottom row, dropped on the belt, pushed off by the mechanic and dragged away by carriers.

#include "scene/UAnimation.h"

#include <cstdint>

namespace vantero {

class TAnimationSorter;

class IBlockCarrying : public TAnimation {
public:
	// 4: a new sublevel: no box delivered yet.
	virtual void Reset() = 0;
	// 5: boxes that have landed on the conveyor since the last Reset.
	virtual int DeliveredCount() = 0;
	// 6: the conveyor state; 0 means free to take a box.
	virtual uint8_t IsBusy() = 0;
	// 7: takes a box of sprite SpriteNo from the board position (X, Y).
	virtual void PushBlock(int SpriteNo, double X, double Y) = 0;
	// 8: the per-frame work; hands the conveyor and its carriers to the sorter.
	virtual void UpdateAndSort(TAnimationSorter &Sorter) = 0;
};

} // namespace vantero
