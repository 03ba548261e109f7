#include "scene/UAnimation.h"

#include "AnimationTestKit.h"

#include <algorithm>
#include <set>

using namespace vantero;
using namespace vantero::animtest;

namespace {

// Expects the call to raise the game error with the message and set ErrorRaised.
template <typename Call>
void ExpectGameError(Call call, const std::string &message)
{
	ErrorRaised = false;
	try {
		call();
		ADD_FAILURE() << "no error, expected " << message;
	} catch (const EGameError &error) {
		EXPECT_EQ(error.what(), message);
	}
	EXPECT_TRUE(ErrorRaised);
	ErrorRaised = false;
}

} // namespace

// --- Timeline and interpolation ---

TEST_F(AnimationTest, FreshObjectHasOneKeyIsFinishedAndDrawsNothing)
{
	TAnimation animation;
	EXPECT_EQ(animation.Keys.Count(), 1);
	EXPECT_EQ(animation.LastKey().Time, 0);
	EXPECT_TRUE(animation.IsFinished());
	EXPECT_TRUE(RenderFrame(animation, 0.1).empty());
	EXPECT_DOUBLE_EQ(animation.Time, 0.1);
}

TEST_F(AnimationTest, AddKeyInterpolatesPositionAlphaAndScale)
{
	TAnimation animation;
	animation.LastKey().SetSprite("box");
	TKey &target = animation.AddKey(false, 0.5);
	target.X = 100;
	target.Alpha = 55;
	target.Scale = 2;
	EXPECT_FALSE(animation.IsFinished());

	EXPECT_EQ(RenderOne(animation, 0.25).X, 0);
	const TDrawCall half = RenderOne(animation, 0.25);
	EXPECT_EQ(half.X, 50);
	EXPECT_EQ(half.Alpha, 155);
	EXPECT_EQ(half.Scale, 1.5);
	EXPECT_EQ(RenderOne(animation, 0.25).X, 100); // at the last key: finished
	EXPECT_TRUE(animation.IsFinished());
}

TEST_F(AnimationTest, AddKeyAdvancesFrameAndTimeAndHoldKeepsTheFrame)
{
	TAnimation animation;
	animation.LastKey().FrameRate = 4;
	const TKey &forward = animation.AddKey(false, 0.5);
	EXPECT_EQ(forward.Frame, 2);
	EXPECT_EQ(forward.Time, 0.5);
	const TKey &backward = animation.AddKey(true, 0.25);
	EXPECT_EQ(backward.Frame, 1);
	EXPECT_EQ(backward.Time, 0.75);
	const TKey &held = animation.Hold(1);
	EXPECT_EQ(held.Frame, 1);
	EXPECT_EQ(held.Time, 1.75);
	EXPECT_EQ(animation.Keys.Count(), 4);

	ExpectGameError([&] { animation.AddKey(false, -0.001); }, "AddKey failed");
	EXPECT_EQ(animation.Keys.Count(), 4);
}

TEST_F(AnimationTest, LateAddKeyStartsAtTheCallInsteadOfJumping)
{
	TAnimation animation;
	animation.LastKey().SetSprite("box");
	animation.AddKey(false, 0.5);
	for (int i = 0; i < 4; ++i)
		RenderFrame(animation, 0.5); // the clock runs far past the last key
	EXPECT_DOUBLE_EQ(animation.Time, 2.0);

	TKey &target = animation.AddKey(false, 0.5);
	target.X = 100;
	EXPECT_EQ(target.Time, 2.5);
	EXPECT_EQ(RenderOne(animation, 0.25).X, 0);
	EXPECT_EQ(RenderOne(animation, 0.25).X, 50);
}

TEST_F(AnimationTest, PlaySequenceLoopsEveryFrameOnceAndNeverFinishes)
{
	TAnimation animation;
	TKey &start = animation.LastKey();
	start.SetSprite("spin");
	start.FrameRate = 20;
	animation.PlaySequence(true);
	ASSERT_NE(animation.LoopStart, nullptr);
	EXPECT_NEAR(animation.LoopEnd->Time - animation.LoopStart->Time, 0.49999, 1e-12);
	EXPECT_NEAR(animation.LoopEnd->Frame, 9.9998, 1e-9);

	std::vector<int> frames;
	for (int i = 0; i < 20; ++i)
		frames.push_back(RenderOne(animation, 0.025).Frame);
	EXPECT_TRUE(std::is_sorted(frames.begin(), frames.end()));
	EXPECT_EQ(std::set<int>(frames.begin(), frames.end()).size(), 10u);
	EXPECT_EQ(frames.back(), 9);
	// The clock reached the loop end: back to the start, the overshoot dropped.
	EXPECT_EQ(RenderOne(animation, 0.025).Frame, 0);
	EXPECT_NEAR(animation.Time, 0.025, 1e-12);
	for (int i = 0; i < 100; ++i)
		RenderFrame(animation, 0.025);
	EXPECT_FALSE(animation.IsFinished());
	EXPECT_LE(animation.Keys.Count(), 3);
}

TEST_F(AnimationTest, PlaySequenceOnceEndsOnTheLastFrame)
{
	TAnimation animation;
	animation.LastKey().SetSprite("walk");
	animation.LastKey().FrameRate = 10;
	animation.PlaySequence(false);
	EXPECT_EQ(animation.LoopStart, nullptr);
	for (int i = 0; i < 5; ++i)
		RenderFrame(animation, 0.1);
	EXPECT_TRUE(animation.IsFinished());
	EXPECT_EQ(RenderOne(animation, 0.1).Frame, 3);
	EXPECT_EQ(RenderOne(animation, 0.1).Frame, 3);
}

TEST_F(AnimationTest, UpdateStateKeepsTheLastValueWhenNoKeyPairBracketsTheClock)
{
	TAnimation animation;
	animation.LastKey().X = 10;
	animation.AddKey(false, 1).X = 20;
	animation.Keys[0].Time = 0.5; // the clock (0) now lies before every key
	animation.CurrentKey.X = -7;
	EXPECT_EQ(animation.GetCurrent().X, -7);
}

// --- Events, sounds and pruning ---

TEST_F(AnimationTest, OnFinishFiresOnceUnlessSetAgain)
{
	TAnimation animation;
	animation.AddKey(false, 0.1);
	int calls = 0;
	TAnimation *sender = nullptr;
	animation.OnFinish = [&](TAnimation &finished) {
		++calls;
		sender = &finished;
	};
	RenderFrame(animation, 0.1);
	EXPECT_EQ(calls, 0);
	RenderFrame(animation, 0.1);
	EXPECT_EQ(calls, 1);
	EXPECT_EQ(sender, &animation);
	EXPECT_FALSE(animation.OnFinish);
	animation.AddKey(false, 0.1);
	for (int i = 0; i < 5; ++i)
		RenderFrame(animation, 0.1);
	EXPECT_EQ(calls, 1);

	// A handler that chains a new handler keeps it.
	int chained = 0;
	animation.OnFinish = [&](TAnimation &finished) {
		++calls;
		finished.OnFinish = [&](TAnimation &) { ++chained; };
	};
	RenderFrame(animation, 0.1);
	EXPECT_EQ(calls, 2);
	EXPECT_EQ(chained, 0);
	RenderFrame(animation, 0.1);
	EXPECT_EQ(chained, 1);
}

TEST_F(AnimationTest, KeySoundPlaysOnceOnTheFirstFrameAfterItsTime)
{
	TAnimation animation;
	animation.AddKey(false, 0.1).Sound = "fx/hint";
	for (int frame = 0; frame < 3; ++frame)
		RenderFrame(animation, 0.05); // clocks 0, 0.05 and exactly 0.1
	EXPECT_TRUE(Sound->Played.empty());
	RenderFrame(animation, 0.05);
	ASSERT_EQ(Sound->Played, std::vector<std::string>{"fx/hint"});
	EXPECT_EQ(Sound->Volumes, std::vector<int>{-1});
	for (int frame = 0; frame < 3; ++frame)
		RenderFrame(animation, 0.05);
	EXPECT_EQ(Sound->Played.size(), 1u);
}

TEST_F(AnimationTest, KeyWithUnplayedSoundIsNotPrunedBeforeItPlays)
{
	TAnimation animation;
	animation.AddKey(false, 0.1).Sound = "fx/gem select";
	animation.AddKey(false, 0.1);
	// One long frame carries the clock past both keys; pruning stops at the sound key.
	RenderFrame(animation, 0.3);
	EXPECT_TRUE(Sound->Played.empty());
	ASSERT_EQ(animation.Keys.Count(), 2);
	RenderFrame(animation, 0.3);
	EXPECT_EQ(Sound->Played, std::vector<std::string>{"fx/gem select"});
	EXPECT_EQ(animation.Keys.Count(), 1);
}

TEST_F(AnimationTest, WithoutSoundEngineSoundsAreDroppedSoTheTimelineStillShrinks)
{
	SoundEngine = nullptr;
	TAnimation animation;
	for (int i = 0; i < 5; ++i)
		animation.AddKey(false, 0.1).Sound = "fx/hint";
	for (int i = 0; i < 10; ++i)
		RenderFrame(animation, 0.1);
	EXPECT_EQ(animation.Keys.Count(), 1);
}

TEST_F(AnimationTest, PruneKeysKeepsOneKeyBeforeTheClockAndStopsAtLoopStart)
{
	TAnimation animation;
	TKey &k1 = animation.AddKey(false, 0.1);
	animation.AddKey(false, 0.1);
	TKey &k3 = animation.AddKey(false, 0.1);
	animation.Time = 0.25;
	animation.PruneKeys();
	ASSERT_EQ(animation.Keys.Count(), 2); // 0.2 stays for interpolation, 0.3 is ahead
	EXPECT_DOUBLE_EQ(animation.Keys[0].Time, 0.2);
	EXPECT_EQ(&animation.Keys[1], &k3);

	TAnimation looped;
	looped.AddKey(false, 0.1);
	TKey &start = looped.AddKey(false, 0.1);
	TKey &end = looped.AddKey(false, 0.1);
	looped.LoopRange(&start, &end);
	looped.Time = 0.35;
	looped.PruneKeys();
	ASSERT_EQ(looped.Keys.Count(), 2);
	EXPECT_EQ(&looped.Keys[0], &start);

	// Past every key, still one remains.
	animation.Time = 10;
	animation.PruneKeys();
	EXPECT_EQ(animation.Keys.Count(), 1);
	EXPECT_EQ(&animation.LastKey(), &k3);
	(void)k1;
}

// --- Loop range and resetting ---

TEST_F(AnimationTest, LoopRangeRejectsEveryInvalidPair)
{
	TAnimation animation;
	TKey &first = animation.LastKey();
	TKey &middle = animation.AddKey(false, 1);
	TKey &last = animation.AddKey(false, 1);
	TKey outsider;
	RenderFrame(animation, 0.5); // clock 0.5: the first key lies before it

	const struct {
		const char *Name;
		TKey *First;
		TKey *Last;
	} cases[] = {
		{"first none", nullptr, &last},
		{"last none", &middle, nullptr},
		{"not a key of the timeline", &middle, &outsider},
		{"last before first", &last, &middle},
		{"key before the clock", &first, &last},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.Name);
		ExpectGameError([&] { animation.LoopRange(c.First, c.Last); }, "LoopRange failed");
		EXPECT_EQ(animation.LoopStart, nullptr);
	}

	animation.LoopRange(&middle, &middle);
	EXPECT_EQ(animation.LoopStart, &middle);
	EXPECT_FALSE(animation.IsFinished());
	animation.LoopRange(nullptr, nullptr);
	EXPECT_EQ(animation.LoopEnd, nullptr);
}

TEST_F(AnimationTest, ClearKeysLeavesOneDefaultKeyAtTheClock)
{
	TAnimation animation;
	animation.LastKey().SetSprite("spin");
	animation.PlaySequence(true);
	RenderFrame(animation, 0.5);
	animation.ClearKeys();
	ASSERT_EQ(animation.Keys.Count(), 1);
	EXPECT_EQ(animation.LoopStart, nullptr);
	EXPECT_EQ(animation.LastKey().Time, animation.Time);
	EXPECT_TRUE(animation.LastKey().SpriteName.empty());
	EXPECT_TRUE(animation.IsFinished());
}

TEST_F(AnimationTest, ResetToCurrentKeepsTheLookAndDropsThePlannedMotion)
{
	TAnimation animation;
	animation.LastKey().SetSprite("walk");
	animation.LastKey().Mirror = true;
	TKey &target = animation.AddKey(false, 1);
	target.X = 100;
	target.Alpha = 55;
	animation.AddKey(false, 1).Y = 300;
	RenderFrame(animation, 0.5);
	animation.ResetToCurrent();

	ASSERT_EQ(animation.Keys.Count(), 1);
	const TKey &only = animation.LastKey();
	EXPECT_DOUBLE_EQ(only.X, 50);
	EXPECT_DOUBLE_EQ(only.Alpha, 155);
	EXPECT_EQ(only.SpriteName, "walk");
	EXPECT_TRUE(only.Mirror);
	EXPECT_TRUE(animation.IsFinished());
	for (int i = 0; i < 3; ++i) {
		const TDrawCall call = RenderOne(animation, 0.5);
		EXPECT_EQ(call.X, 50);
		EXPECT_EQ(call.Y, 0);
		EXPECT_EQ(call.Alpha, 155);
	}
}

// --- Idle frames and pausing ---

TEST_F(AnimationTest, AnimateWhenIdleAdvancesTheFramesOfAFinishedTimeline)
{
	TAnimation animation;
	TKey &key = animation.LastKey();
	key.SetSprite("walk");
	key.FrameRate = 10;
	key.AnimateWhenIdle = true;
	std::vector<int> frames;
	for (int i = 0; i < 5; ++i)
		frames.push_back(RenderOne(animation, 0.1).Frame);
	EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0, 1}));

	animation.SetPaused(true);
	EXPECT_EQ(RenderOne(animation, 0.1).Frame, 1);
	EXPECT_EQ(RenderOne(animation, 0.1).Frame, 1);

	// Without the flag the last frame stays.
	animation.SetPaused(false);
	key.AnimateWhenIdle = false;
	EXPECT_EQ(RenderOne(animation, 0.1).Frame, 1);
	EXPECT_EQ(RenderOne(animation, 0.1).Frame, 1);
}

TEST_F(AnimationTest, PausedFreezesTheClockButStillDraws)
{
	TAnimation animation;
	animation.LastKey().SetSprite("box");
	animation.AddKey(false, 1).X = 100;
	RenderFrame(animation, 0.25);
	animation.SetPaused(true);
	EXPECT_TRUE(animation.GetPaused());
	for (int i = 0; i < 3; ++i)
		EXPECT_EQ(RenderOne(animation, 0.25).X, 25);
	EXPECT_DOUBLE_EQ(animation.Time, 0.25);
	animation.SetPaused(false);
	EXPECT_EQ(RenderOne(animation, 0.25).X, 25);
	EXPECT_EQ(RenderOne(animation, 0.25).X, 50);
}

// --- Drawing ---

TEST_F(AnimationTest, MirrorAndFaceRightDecideMirroring)
{
	const struct {
		bool Mirror;
		bool FaceRight;
		bool Mirrored;
	} cases[] = {{false, true, false}, {true, false, false}, {true, true, true}, {false, false, true}};
	for (const auto &c : cases) {
		SCOPED_TRACE(::testing::Message() << "Mirror " << c.Mirror << " FaceRight " << c.FaceRight);
		TAnimation animation;
		TKey &key = animation.LastKey();
		key.SetSprite("box");
		key.Mirror = c.Mirror;
		key.FaceRight = c.FaceRight;
		const TRect expected = c.Mirrored ? TRect{40, 0, 0, 30} : TRect{0, 0, 40, 30};
		EXPECT_EQ(RenderOne(animation, 0.1).Source, expected);
	}
}

TEST_F(AnimationTest, AnchorModesOffsetTheScaledClippedPicture)
{
	// Clip (4, 2)-(40, 30): 36 x 28 pixels; anchor at (100, 200), scale 2.
	const struct {
		uint8_t Align;
		int X;
		int Y;
	} cases[] = {
		{0, 100, 200}, {1, 28, 200}, {2, 100, 144}, {3, 28, 144},
		{4, 64, 144}, {5, 64, 172}, {6, 94, 190}, {7, 100, 200},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(::testing::Message() << "Align " << int(c.Align));
		TAnimation animation;
		TKey &key = animation.LastKey();
		key.SetSprite("box");
		key.ClipLeft = 4;
		key.ClipTop = 2;
		key.X = 100;
		key.Y = 200;
		key.Scale = 2;
		key.Align = c.Align;
		key.AnchorX = 3;
		key.AnchorY = 5;
		const TDrawCall call = RenderOne(animation, 0.1);
		EXPECT_EQ(call.X, c.X);
		EXPECT_EQ(call.Y, c.Y);
		EXPECT_EQ(call.Scale, 2);
		EXPECT_EQ(call.Source, (TRect{4, 2, 40, 30}));
	}
}

TEST_F(AnimationTest, DrawRoundsPositionAlphaAndClipHalfToEven)
{
	TAnimation animation;
	TKey &key = animation.LastKey();
	key.SetSprite("box");
	key.X = 100.5;
	key.Y = 101.5;
	key.Alpha = 128.5;
	key.ClipLeft = 2.5;
	key.ClipRight = 39.5;
	key.DrawMode = 2;
	const TDrawCall call = RenderOne(animation, 0.1);
	EXPECT_EQ(call.X, 100);
	EXPECT_EQ(call.Y, 102);
	EXPECT_EQ(call.Alpha, 128);
	EXPECT_EQ(call.Mode, 2);
	EXPECT_EQ(call.Source, (TRect{2, 0, 40, 30}));

	key.Hidden = true;
	EXPECT_TRUE(RenderFrame(animation, 0.1).empty());
}

TEST_F(AnimationTest, ChildIsDrawnRelativeToTheParentsAnchorPoint)
{
	TAnimation parent;
	TKey &p = parent.LastKey();
	p.SetSprite("box");
	p.X = 50;
	p.Y = 60;
	p.Align = 5; // centre: top-left corner at (30, 45)
	p.Scale = 3; // the parent's scale does not enter the offset
	TAnimation child;
	child.Parent = &parent;
	TKey &c = child.LastKey();
	c.SetSprite("walk");
	c.X = 10;
	c.Y = 5;
	c.Align = 3; // 20 x 10
	const TDrawCall call = RenderOne(child, 0.1);
	EXPECT_EQ(call.Sequence, "walk");
	EXPECT_EQ(call.X, 30 + 10 - 20);
	EXPECT_EQ(call.Y, 45 + 5 - 10);

	// The parent's interpolated state counts, not its target.
	parent.AddKey(false, 1).X = 150;
	parent.Time = 0.5;
	EXPECT_EQ(RenderOne(child, 0.1).X, 70);
}

namespace {

// Records the order of its per-frame hooks.
class THookedAnimation : public TAnimation {
public:
	explicit THookedAnimation(std::vector<std::string> &log) : Log(log) {}
	void BeforeRender() override { Log.push_back("before " + std::to_string(DrawLog().size())); }
	void AfterRender() override { Log.push_back("after " + std::to_string(DrawLog().size())); }
	bool GetPaused() const override { return true; }

private:
	std::vector<std::string> &Log;
};

} // namespace

TEST_F(AnimationTest, RenderCallsTheHooksAroundTheDrawAndAsksTheVirtualPause)
{
	std::vector<std::string> log;
	THookedAnimation animation(log);
	animation.LastKey().SetSprite("box");
	RenderFrame(animation, 0.1);
	EXPECT_EQ(log, (std::vector<std::string>{"before 0", "after 1"}));
	EXPECT_EQ(animation.Time, 0); // paused through the override
}
