#include "render/URectAllocator.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantero {
namespace {

TEST(RectAllocator, FirstAllocationCutsTheGridAtItsEdges)
{
	TRectAllocator allocator(256, 256);
	TRect rect;
	ASSERT_TRUE(allocator.Alloc(100, 100, rect));
	EXPECT_EQ(rect, (TRect{0, 0, 100, 100}));
	EXPECT_EQ(allocator.XCuts, (std::vector<int>{0, 100, 256}));
	EXPECT_EQ(allocator.YCuts, (std::vector<int>{0, 100, 256}));
	EXPECT_EQ(allocator.Cells, (std::vector<std::vector<uint8_t>>{{1, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
	EXPECT_DOUBLE_EQ(allocator.UsedArea, 10000.0);
}

TEST(RectAllocator, SizesRoundUpToTheGranularityButRectanglesKeepTheirSize)
{
	TRectAllocator allocator(256, 256);
	TRect first, second;
	ASSERT_TRUE(allocator.Alloc(10, 10, first));
	ASSERT_TRUE(allocator.Alloc(10, 10, second));
	EXPECT_EQ(first, (TRect{0, 0, 10, 10}));
	EXPECT_EQ(second, (TRect{12, 0, 22, 10}));
	EXPECT_EQ(allocator.XCuts, (std::vector<int>{0, 12, 24, 256}));
	EXPECT_DOUBLE_EQ(allocator.UsedArea, 200.0);
}

TEST(RectAllocator, FirstFitInRowMajorOrder)
{
	struct TCase {
		int W, H;
		TRect Expected;
	};
	const TCase cases[] = {
		{100, 50, {0, 0, 100, 50}},
		{100, 100, {100, 0, 200, 100}},
		{40, 40, {200, 0, 240, 40}},
		// Row 0 is full up to 240 and 16 pixels remain: the next row of cuts (y 52) takes it.
		{100, 50, {0, 52, 100, 102}},
		// The search starts at the row of the last allocation: the free strip at (240, 0) is not seen.
		{16, 200, {200, 52, 216, 252}},
		{56, 56, {100, 100, 156, 156}},
	};
	TRectAllocator allocator(256, 256);
	for (const TCase &c : cases) {
		TRect rect;
		ASSERT_TRUE(allocator.Alloc(c.W, c.H, rect)) << c.W << "x" << c.H;
		EXPECT_EQ(rect, c.Expected) << c.W << "x" << c.H;
	}
	EXPECT_EQ(allocator.SearchRow, 3);
}

TEST(RectAllocator, FullTextureAndOversizedRequests)
{
	TRectAllocator allocator(256, 256);
	TRect rect;
	EXPECT_FALSE(allocator.Alloc(257, 10, rect));
	EXPECT_FALSE(allocator.Alloc(10, 257, rect));
	EXPECT_FALSE(allocator.Alloc(0, 10, rect));
	ASSERT_TRUE(allocator.Alloc(256, 256, rect));
	EXPECT_EQ(rect, (TRect{0, 0, 256, 256}));
	EXPECT_FALSE(allocator.Alloc(4, 4, rect));
}

TEST(RectAllocator, SixteenTilesFillTheTexture)
{
	TRectAllocator allocator(256, 256);
	TRect rect;
	for (int i = 0; i < 16; ++i) {
		ASSERT_TRUE(allocator.Alloc(64, 64, rect));
		EXPECT_EQ(rect.Left, 64 * (i % 4));
		EXPECT_EQ(rect.Top, 64 * (i / 4));
	}
	EXPECT_FALSE(allocator.Alloc(1, 1, rect));
}

TEST(RectAllocator, FreeReleasesCellsAndRestartsTheSearchAtRowZero)
{
	TRectAllocator allocator(256, 256);
	TRect a, b, c;
	ASSERT_TRUE(allocator.Alloc(30, 30, a));
	ASSERT_TRUE(allocator.Alloc(256, 100, b));
	EXPECT_EQ(b, (TRect{0, 32, 256, 132}));
	EXPECT_EQ(allocator.SearchRow, 1);
	allocator.Free(a);
	EXPECT_EQ(allocator.SearchRow, 0);
	EXPECT_DOUBLE_EQ(allocator.UsedArea, 25600.0);
	// Without the restart the search would begin below the freed place.
	ASSERT_TRUE(allocator.Alloc(30, 30, c));
	EXPECT_EQ(c, a);
	// Freeing a rectangle that spans several cells frees all of them.
	allocator.Free(b);
	ASSERT_TRUE(allocator.Alloc(200, 120, c));
	EXPECT_EQ(c, (TRect{32, 0, 232, 120}));
}

} // namespace
} // namespace vantero
