#include "scene/UAnimationSorter.h"

#include "AnimationTestKit.h"

#include <array>

using namespace vantero;
using namespace vantero::animtest;

using AnimationSorterTest = AnimationTest;

TEST_F(AnimationSorterTest, SortsByCurrentYAndKeepsEqualYInOrder)
{
	// Identified by X; b and c share their Y, d reaches its Y only through interpolation.
	std::array<TAnimation, 4> objects;
	const double ys[] = {50, 20, 20, 0};
	for (int i = 0; i < 4; ++i) {
		TKey &key = objects[i].LastKey();
		key.SetSprite("box");
		key.X = i;
		key.Y = ys[i];
	}
	objects[3].AddKey(false, 1).Y = 60;
	objects[3].Time = 0.5; // now at Y 30

	TAnimationSorter sorter;
	for (TAnimation &object : objects)
		sorter.Add(object);
	sorter.SortByY();
	const std::vector<TAnimation *> sorted{&objects[1], &objects[2], &objects[3], &objects[0]};
	EXPECT_EQ(sorter.Items, sorted);

	FrameTime = 0;
	DrawLog().clear();
	sorter.RenderAll();
	ASSERT_EQ(DrawLog().size(), 4u);
	const double drawnX[] = {1, 2, 3, 0};
	for (int i = 0; i < 4; ++i)
		EXPECT_EQ(DrawLog()[i].X, drawnX[i]);

	// Sorting again, as every frame does, changes nothing.
	sorter.SortByY();
	EXPECT_EQ(sorter.Items, sorted);
	sorter.Clear();
	EXPECT_TRUE(sorter.Items.empty());
}
