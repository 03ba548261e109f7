#pragma once
// Grid allocator of rectangles inside one texture: the area is cut by vertical and horizontal grid
// lines into cells that are free or used; a request takes the first fitting place in row-major
// order, splitting cells where its edges fall. Grid lines are never removed.

#include "config/UUtils.h"

#include <cstdint>
#include <vector>

namespace vantero {

class TRectAllocator {
public:
	// An empty grid over width x height, granularity 4.
	TRectAllocator(int width, int height);

	// Room for w x h: rect = (x, y, x + w, y + h) with x and y multiples of the granularity; false when full.
	bool Alloc(int w, int h, TRect &rect);
	// Releases a rectangle returned by Alloc; the next search starts at row 0 again.
	void Free(const TRect &rect);
	// The size rounded up to a multiple of the granularity.
	int RoundUp(int value) const;

public:
	// The area managed.
	int Width = 0;
	int Height = 0;
	// Row where the next search starts (row of the last allocation, 0 after a release).
	int SearchRow = 0;
	int Granularity = 4;
	// Cells[row][column]: 0 free, 1 used; one row per y cut, one cell per x cut (the last ones are the far edges).
	std::vector<std::vector<uint8_t>> Cells;
	// Ascending grid lines, starting (0, Width) and (0, Height).
	std::vector<int> XCuts;
	std::vector<int> YCuts;
	// Sum of w x h of the rectangles allocated now (unrounded sizes).
	double UsedArea = 0.0;

private:
	// Index of the x cut at x, inserting it (cells copy the state of the cell they split); "HSplit failed".
	int HSplit(int x);
	// Index of the y cut at y, inserting it (the new row copies the row it splits); "VSplit failed".
	int VSplit(int y);
	// Whether the place at cut (row, column) holds rw x rh of free cells.
	bool Fits(int row, int column, int rw, int rh) const;
};

} // namespace vantero
