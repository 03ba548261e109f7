#include "scene/UKey.h"

#include "AnimationTestKit.h"

using namespace vantero;
using namespace vantero::animtest;

using KeyTest = AnimationTest;

TEST_F(KeyTest, SetSpriteTakesSizeAndClipAndClearsMirror)
{
	TKey key;
	key.Mirror = true;
	key.SetSprite("walk");
	EXPECT_EQ(key.Sequence, Pool.FindSequence("walk"));
	EXPECT_EQ(key.Width, 20);
	EXPECT_EQ(key.Height, 10);
	EXPECT_EQ(key.FrameCount, 4);
	EXPECT_FALSE(key.Mirror);
	EXPECT_EQ(key.ClipRight, 20);
	EXPECT_EQ(key.ClipBottom, 10);

	// The same name again changes nothing, not even a changed clip or mirror.
	key.Mirror = true;
	key.ClipRight = 5;
	key.SetSprite("walk");
	EXPECT_TRUE(key.Mirror);
	EXPECT_EQ(key.ClipRight, 5);

	// A missing sprite (or no pool) leaves the key without a picture.
	key.SetSprite("nothing");
	EXPECT_EQ(key.Sequence, nullptr);
	EXPECT_EQ(key.Width, 0);
	EXPECT_EQ(key.FrameCount, 0);
	EXPECT_EQ(key.ClipRight, 0);
	SpritePool = nullptr;
	key.SetSprite("box");
	EXPECT_EQ(key.Sequence, nullptr);
	EXPECT_EQ(key.SpriteName, "box");
}

TEST_F(KeyTest, AssignCopiesEverythingButSoundAndKeepsMirrorAndClip)
{
	TKey source;
	source.SetSprite("box");
	source.X = 1;
	source.Y = 2;
	source.Alpha = 3;
	source.FaceRight = false;
	source.Frame = 4;
	source.Time = 5;
	source.SetAnchor(6, 7);
	source.Mirror = true;
	source.FrameRate = 8;
	source.AnimateWhenIdle = true;
	source.Hidden = true;
	source.DrawMode = 2;
	source.Scale = 9;
	source.ClipLeft = 10;
	source.ClipBottom = 11;
	source.Sound = "fx/hint";

	TKey dest;
	dest.SetSprite("walk");
	dest.Sound = "fx/mine";
	dest.Assign(source);
	EXPECT_EQ(dest.X, 1);
	EXPECT_EQ(dest.Y, 2);
	EXPECT_EQ(dest.Alpha, 3);
	EXPECT_FALSE(dest.FaceRight);
	EXPECT_EQ(dest.Frame, 4);
	EXPECT_EQ(dest.Time, 5);
	EXPECT_EQ(dest.Align, 6);
	EXPECT_EQ(dest.AnchorX, 6);
	EXPECT_EQ(dest.AnchorY, 7);
	EXPECT_EQ(dest.SpriteName, "box");
	EXPECT_EQ(dest.Sequence, Pool.FindSequence("box"));
	EXPECT_EQ(dest.FrameCount, 1);
	// Mirror and clip are copied after the sprite change, which would reset them.
	EXPECT_TRUE(dest.Mirror);
	EXPECT_EQ(dest.ClipLeft, 10);
	EXPECT_EQ(dest.ClipRight, 40);
	EXPECT_EQ(dest.ClipBottom, 11);
	EXPECT_EQ(dest.FrameRate, 8);
	EXPECT_TRUE(dest.AnimateWhenIdle);
	EXPECT_TRUE(dest.Hidden);
	EXPECT_EQ(dest.DrawMode, 2);
	EXPECT_EQ(dest.Scale, 9);
	EXPECT_EQ(dest.Sound, "fx/mine");
}

TEST_F(KeyTest, InterpolateBlendsOnlyTheContinuousFields)
{
	TKey a;
	a.SetSprite("box");
	a.Time = 1;
	a.Alpha = 0;
	TKey b;
	b.SetSprite("walk");
	b.Time = 3;
	b.X = 100;
	b.Y = -40;
	b.Frame = 8;
	b.Scale = 3;
	b.ClipRight = 20;
	b.Hidden = true;

	TKey current;
	current.Interpolate(a, b, 1.5);
	EXPECT_DOUBLE_EQ(current.X, 25);
	EXPECT_DOUBLE_EQ(current.Y, -10);
	EXPECT_DOUBLE_EQ(current.Alpha, 63.75);
	EXPECT_DOUBLE_EQ(current.Frame, 2);
	EXPECT_DOUBLE_EQ(current.Scale, 1.5);
	EXPECT_DOUBLE_EQ(current.ClipRight, 35);
	EXPECT_EQ(current.Time, 1);
	EXPECT_EQ(current.SpriteName, "box");
	EXPECT_FALSE(current.Hidden);
}

TEST_F(KeyTest, FrameIndexWrapsInBothDirections)
{
	TKey key;
	EXPECT_EQ(key.FrameIndex(), 0); // no frames at all
	key.SetSprite("walk");
	const struct {
		double Frame;
		int Index;
	} cases[] = {{0, 0}, {3.99, 3}, {4, 0}, {9.5, 1}, {-0.5, 0}, {-1, 3}, {-5, 3}, {1e12 + 2, 2}};
	for (const auto &c : cases) {
		key.Frame = c.Frame;
		EXPECT_EQ(key.FrameIndex(), c.Index) << "Frame " << c.Frame;
	}
}

TEST(KeyCollection, OwnsKeysThatKeepTheirAddressWhenTheFrontIsDeleted)
{
	TKeyCollection keys;
	TKey &first = TKey::Create(keys);
	TKey &second = TKey::Create(keys);
	TKey &third = keys.Add();
	EXPECT_EQ(keys.Count(), 3);
	EXPECT_EQ(keys.Last(), &third);
	keys.DeleteFront(1);
	EXPECT_EQ(keys.IndexOf(&second), 0);
	EXPECT_EQ(keys.IndexOf(&third), 1);
	EXPECT_EQ(&keys[1], &third);
	EXPECT_EQ(keys.IndexOf(nullptr), -1);
	TKey outsider;
	EXPECT_EQ(keys.IndexOf(&outsider), -1);
	(void)first;
	keys.DeleteFront(5);
	EXPECT_EQ(keys.Count(), 0);
	EXPECT_EQ(keys.Last(), nullptr);
}
