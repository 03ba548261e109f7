#include "render/URectAllocator.h"

#include <algorithm>

namespace vantero {

TRectAllocator::TRectAllocator(int width, int height)
	: Width(width), Height(height), Cells(2, std::vector<uint8_t>(2, 0)), XCuts{0, width}, YCuts{0, height}
{
}

int TRectAllocator::RoundUp(int value) const
{
	const int rest = value % Granularity;
	return rest == 0 ? value : value + Granularity - rest;
}

bool TRectAllocator::Fits(int row, int column, int rw, int rh) const
{
	const int bottom = YCuts[static_cast<size_t>(row)] + rh;
	const int right = XCuts[static_cast<size_t>(column)] + rw;
	if (bottom > Height || right > Width)
		return false;
	for (size_t r = static_cast<size_t>(row); r + 1 < YCuts.size() && YCuts[r] < bottom; ++r)
		for (size_t c = static_cast<size_t>(column); c + 1 < XCuts.size() && XCuts[c] < right; ++c)
			if (Cells[r][c] != 0)
				return false;
	return true;
}

bool TRectAllocator::Alloc(int w, int h, TRect &rect)
{
	if (w <= 0 || h <= 0)
		return false;
	const int rw = RoundUp(w), rh = RoundUp(h);
	const int rows = static_cast<int>(YCuts.size()) - 1;
	const int columns = static_cast<int>(XCuts.size()) - 1;
	for (int i = std::max(0, SearchRow); i < rows; ++i) {
		for (int j = 0; j < columns; ++j) {
			if (!Fits(i, j, rw, rh))
				continue;
			const int x = XCuts[static_cast<size_t>(j)], y = YCuts[static_cast<size_t>(i)];
			const int lastRow = VSplit(y + rh);
			const int lastColumn = HSplit(x + rw);
			for (int r = i; r < lastRow; ++r)
				for (int c = j; c < lastColumn; ++c)
					Cells[static_cast<size_t>(r)][static_cast<size_t>(c)] = 1;
			rect = TRect{x, y, x + w, y + h};
			SearchRow = i;
			UsedArea += static_cast<double>(w) * h;
			return true;
		}
	}
	return false;
}

void TRectAllocator::Free(const TRect &rect)
{
	const int top = VSplit(rect.Top);
	const int left = HSplit(rect.Left);
	const int bottom = VSplit(RoundUp(rect.Bottom));
	const int right = HSplit(RoundUp(rect.Right));
	for (int r = top; r < bottom; ++r)
		for (int c = left; c < right; ++c)
			Cells[static_cast<size_t>(r)][static_cast<size_t>(c)] = 0;
	SearchRow = 0;
	UsedArea -= static_cast<double>(rect.Right - rect.Left) * (rect.Bottom - rect.Top);
}

int TRectAllocator::HSplit(int x)
{
	const auto found = std::lower_bound(XCuts.begin(), XCuts.end(), x);
	if (found != XCuts.end() && *found == x)
		return static_cast<int>(found - XCuts.begin());
	if (found == XCuts.begin() || found == XCuts.end())
		RaiseGameError("HSplit failed");
	const size_t k = static_cast<size_t>(found - XCuts.begin()) - 1;
	XCuts.insert(XCuts.begin() + static_cast<std::ptrdiff_t>(k + 1), x);
	for (auto &row : Cells) {
		const uint8_t state = row[k];
		row.insert(row.begin() + static_cast<std::ptrdiff_t>(k + 1), state);
	}
	return static_cast<int>(k + 1);
}

int TRectAllocator::VSplit(int y)
{
	const auto found = std::lower_bound(YCuts.begin(), YCuts.end(), y);
	if (found != YCuts.end() && *found == y)
		return static_cast<int>(found - YCuts.begin());
	if (found == YCuts.begin() || found == YCuts.end())
		RaiseGameError("VSplit failed");
	const size_t k = static_cast<size_t>(found - YCuts.begin()) - 1;
	YCuts.insert(YCuts.begin() + static_cast<std::ptrdiff_t>(k + 1), y);
	std::vector<uint8_t> copy = Cells[k];
	Cells.insert(Cells.begin() + static_cast<std::ptrdiff_t>(k + 1), std::move(copy));
	return static_cast<int>(k + 1);
}

} // namespace vantero
