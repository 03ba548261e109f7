#pragma once
// An animation object: a timeline of key frames on its own clock. Rendering once per frame
// advances the clock, interpolates the current state, draws it, plays the sounds of passed
// keys and drops keys that lie wholly in the past. Everything drawn derives from it.
// (The shared coin flip of the scene is RandomBoolean in config/UUtils.h.)

#include "config/UEvents.h"
#include "scene/UKey.h"

namespace vantero {

class TAnimation {
public:
	// One default key at clock 0.
	TAnimation();
	virtual ~TAnimation() = default;
	TAnimation(const TAnimation &) = delete;
	TAnimation &operator=(const TAnimation &) = delete;

	// Per-frame work of subclasses, at the start of Render (does nothing here).
	virtual void BeforeRender() {}
	// Per-frame work of subclasses, at the end of Render (does nothing here).
	virtual void AfterRender() {}
	// Whether the clock and the frames are frozen.
	virtual bool GetPaused() const { return Paused; }
	// Freezes or releases the clock and the frames.
	virtual void SetPaused(bool value) { Paused = value; }

	// Appends a copy of the last key, delay seconds later and its frame advanced (or moved
	// back) by delay x FrameRate; a stale timeline is first moved to the clock. Throws "AddKey failed" on delay < 0.
	TKey &AddKey(bool backwards, double delay);
	// AddKey(false, delay) keeping the previous frame: the picture stands still for delay.
	TKey &Hold(double delay);
	// Plays the last key's sequence once from frame 0 at its FrameRate, looping when loop is set.
	void PlaySequence(bool loop);
	// Sets the loop range (both null clears it); throws "LoopRange failed" unless both are keys of
	// the timeline, last not before first, and neither lies before the clock.
	void LoopRange(TKey *first, TKey *last);
	// Drops the timeline for one default key at the clock and clears the loop.
	void ClearKeys();
	// Keeps the current look and place as the single key; all planned motion is dropped.
	void ResetToCurrent();
	// UpdateState, then the current state.
	TKey &GetCurrent();
	// No loop and the last key is not later than the clock.
	bool IsFinished() const;
	// The last key of the timeline.
	TKey &LastKey() { return *Keys.Last(); }
	const TKey &LastKey() const { return *Keys.Last(); }
	// The per-frame step: advance, play passed sounds, interpolate, draw, prune.
	void Render();
	// Interpolates CurrentKey at the clock (fires OnFinish once when finished; applies the loop).
	void UpdateState();
	// Deletes front keys wholly in the past, keeping one before the clock, LoopStart and unplayed sounds.
	void PruneKeys();

public:
	// The timeline, in time order, never empty; the loop range points into it.
	TKeyCollection Keys;
	TKey *LoopStart = nullptr;
	TKey *LoopEnd = nullptr;
	// The interpolated state at the clock (outside the timeline).
	TKey CurrentKey;
	// The object's clock, seconds, and whether it is frozen.
	double Time = 0;
	bool Paused = false;
	// When set, the object is drawn relative to the parent's anchor point.
	TAnimation *Parent = nullptr;
	// Called once when the timeline has ended, then cleared.
	TNotifyEvent<TAnimation> OnFinish;

private:
	// Draws CurrentKey when it has a picture and is not hidden.
	void DrawCurrent();
};

} // namespace vantero
