#include "scene/UAnimation.h"

#include "audio/IGSoundEngine.h"
#include "config/UUtils.h"

#include <utility>

namespace vantero {

TAnimation::TAnimation()
{
	AddKey(false, 0);
}

TKey &TAnimation::AddKey(bool backwards, double delay)
{
	if (delay < 0)
		RaiseGameError("AddKey failed");
	TKey *const previous = Keys.Last();
	TKey &key = Keys.Add();
	if (previous != nullptr)
		key.Assign(*previous);
	// A timeline that has fallen behind resumes from now instead of catching up.
	if (key.Time < Time) {
		key.Time = Time;
		if (previous != nullptr)
			previous->Time = Time;
	}
	const double frames = delay * key.FrameRate;
	key.Frame += backwards ? -frames : frames;
	key.Time += delay;
	return key;
}

TKey &TAnimation::Hold(double delay)
{
	const TKey &previous = LastKey();
	TKey &key = AddKey(false, delay);
	key.Frame = previous.Frame;
	return key;
}

void TAnimation::PlaySequence(bool loop)
{
	TKey &first = AddKey(false, 0);
	first.Frame = 0;
	TKey &last = AddKey(false, first.FrameDuration() * first.FrameCount - 0.00001);
	if (loop)
		LoopRange(&first, &last);
}

void TAnimation::LoopRange(TKey *first, TKey *last)
{
	if (first == nullptr && last == nullptr) {
		LoopStart = nullptr;
		LoopEnd = nullptr;
		return;
	}
	const int firstIndex = Keys.IndexOf(first);
	const int lastIndex = Keys.IndexOf(last);
	if (firstIndex < 0 || lastIndex < firstIndex || first->Time < Time || last->Time < Time)
		RaiseGameError("LoopRange failed");
	LoopStart = first;
	LoopEnd = last;
}

void TAnimation::ClearKeys()
{
	LoopStart = nullptr;
	LoopEnd = nullptr;
	Keys.Clear();
	AddKey(false, 0);
}

void TAnimation::ResetToCurrent()
{
	TKey remembered;
	remembered.Assign(GetCurrent());
	ClearKeys();
	LastKey().Assign(remembered);
}

TKey &TAnimation::GetCurrent()
{
	UpdateState();
	return CurrentKey;
}

bool TAnimation::IsFinished() const
{
	if (LoopStart != nullptr)
		return false;
	return LastKey().Time <= Time;
}

void TAnimation::UpdateState()
{
	if (IsFinished()) {
		CurrentKey.Assign(LastKey());
		if (OnFinish) {
			// Taken out first: the handler may set a new OnFinish, which then stays.
			const TNotifyEvent<TAnimation> handler = std::move(OnFinish);
			OnFinish = nullptr;
			handler(*this);
		}
		return;
	}
	if (LoopEnd != nullptr && Time >= LoopEnd->Time)
		Time = LoopStart->Time;
	const int count = Keys.Count();
	for (int i = 1; i < count; ++i) {
		const TKey &a = Keys[i - 1];
		const TKey &b = Keys[i];
		if (a.Time <= Time && Time < b.Time) {
			CurrentKey.Interpolate(a, b, Time);
			return;
		}
	}
}

void TAnimation::Render()
{
	BeforeRender();
	if (IsFinished() && !GetPaused()) {
		TKey &last = LastKey();
		if (last.AnimateWhenIdle)
			last.Frame += FrameTime * last.FrameRate;
	}
	for (TKey &key : Keys) {
		if (key.Time < Time && !key.Sound.empty()) {
			// Cleared even without an engine, so that the key can be pruned.
			const std::string sound = std::move(key.Sound);
			key.Sound.clear();
			if (SoundEngine)
				SoundEngine->PlaySound(sound, -1);
		}
	}
	UpdateState();
	DrawCurrent();
	if (!GetPaused())
		AddFrameTime(Time);
	PruneKeys();
	AfterRender();
}

void TAnimation::DrawCurrent()
{
	const TKey &key = CurrentKey;
	if (key.Sequence == nullptr || key.Hidden || key.FrameCount <= 0)
		return;
	const int frame = key.FrameIndex();
	if (frame >= key.Sequence->FrameCount())
		return;
	TRect source{RoundHalfEven(key.ClipLeft), RoundHalfEven(key.ClipTop), RoundHalfEven(key.ClipRight),
		RoundHalfEven(key.ClipBottom)};
	if (key.Mirror == key.FaceRight)
		source = MirrorRect(source);
	double parentX = 0;
	double parentY = 0;
	if (Parent != nullptr) {
		const TKey &p = Parent->GetCurrent();
		parentX = p.X - p.AnchorOffsetX();
		parentY = p.Y - p.AnchorOffsetY();
	}
	const int x = RoundHalfEven(key.X - key.AnchorOffsetX() * key.Scale + parentX);
	const int y = RoundHalfEven(key.Y - key.AnchorOffsetY() * key.Scale + parentY);
	key.Sequence->Frame(frame).Draw(source, RoundHalfEven(key.Alpha), key.DrawMode, key.Scale, x, y);
}

void TAnimation::PruneKeys()
{
	const int count = Keys.Count();
	int firstCurrent = count;
	for (int i = 0; i < count; ++i) {
		if (!(Keys[i].Time < Time)) {
			firstCurrent = i;
			break;
		}
	}
	// One key before the clock stays for interpolation.
	int deletable = 0;
	while (deletable < firstCurrent - 1) {
		const TKey &front = Keys[deletable];
		if (&front == LoopStart || !front.Sound.empty())
			break;
		++deletable;
	}
	Keys.DeleteFront(deletable);
}

} // namespace vantero
