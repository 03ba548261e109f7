#pragma once
// Test doubles for animation tests: a sprite pool of recording sprites, a recording sound
// engine and a fixture that installs both and drives the frame timer by hand.

#include "audio/IGSoundEngine.h"
#include "config/UUtils.h"
#include "render/USpritePool.h"
#include "scene/UAnimation.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vantero::animtest {

// One recorded TSprite::Draw call.
struct TDrawCall {
	std::string Sequence;
	int Frame = 0;
	TRect Source;
	int Alpha = 0;
	uint8_t Mode = 0;
	double Scale = 0;
	double X = 0;
	double Y = 0;
};

inline std::vector<TDrawCall> &DrawLog()
{
	static std::vector<TDrawCall> log;
	return log;
}

class TRecordingSprite : public TSprite {
public:
	TRecordingSprite(std::string sequence, int frame, int width, int height) : Sequence(std::move(sequence)), FrameNo(frame)
	{
		Width = width;
		Height = height;
	}
	void Draw(TRect sourceRect, int alpha, uint8_t mode, double scale, double x, double y) override
	{
		DrawLog().push_back(TDrawCall{Sequence, FrameNo, sourceRect, alpha, mode, scale, x, y});
	}

private:
	std::string Sequence;
	int FrameNo;
};

class TRecordingSoundEngine : public IGSoundEngine {
public:
	void LoadSounds() override {}
	bool IsSoundPlaying(const std::string &) override { return false; }
	void SetSoundVolume(int) override {}
	void PlaySound(const std::string &name, int volume) override
	{
		Played.push_back(name);
		Volumes.push_back(volume);
	}
	void StopSound(const std::string &, double) override {}
	void StopAllSounds(bool) override {}
	void FadeSound(const std::string &, bool, double) override {}
	void SetMusicVolume(int) override {}

	std::vector<std::string> Played;
	std::vector<int> Volumes;
};

// Installs a pool with "box" (1 frame 40x30), "walk" (4 frames 20x10) and "spin" (10 frames
// 16x16), and a recording sound engine; restores the globals afterwards.
class AnimationTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		SavedPool = SpritePool;
		SavedEngine = SoundEngine;
		AddSequence("box", 1, 40, 30);
		AddSequence("walk", 4, 20, 10);
		AddSequence("spin", 10, 16, 16);
		SpritePool = &Pool;
		Sound = std::make_shared<TRecordingSoundEngine>();
		SoundEngine = Sound;
		DrawLog().clear();
		FrameTime = 0;
		ErrorRaised = false;
	}
	void TearDown() override
	{
		SpritePool = SavedPool;
		SoundEngine = SavedEngine;
		FrameTime = 0;
		ErrorRaised = false;
	}

	void AddSequence(const std::string &name, int frames, int width, int height)
	{
		auto sequence = std::make_unique<TSequence>(name, true);
		for (int i = 0; i < frames; ++i)
			sequence->AddFrame(std::make_unique<TRecordingSprite>(name, i, width, height));
		Pool.AddSequence("test", std::move(sequence));
	}

	// Renders once with the given frame time and returns the draw calls of that frame.
	std::vector<TDrawCall> RenderFrame(TAnimation &animation, double frameTime)
	{
		FrameTime = frameTime;
		DrawLog().clear();
		animation.Render();
		return DrawLog();
	}

	// Renders once and returns the single draw of that frame (fails when there is not exactly one).
	TDrawCall RenderOne(TAnimation &animation, double frameTime)
	{
		const std::vector<TDrawCall> calls = RenderFrame(animation, frameTime);
		EXPECT_EQ(calls.size(), 1u);
		return calls.empty() ? TDrawCall{} : calls.front();
	}

	TSpritePool Pool{true};
	std::shared_ptr<TRecordingSoundEngine> Sound;

private:
	TSpritePool *SavedPool = nullptr;
	std::shared_ptr<IGSoundEngine> SavedEngine;
};

} // namespace vantero::animtest
