#include "scene/UKey.h"

#include "render/USpritePool.h"

#include <algorithm>
#include <cmath>

namespace vantero {

TKey &TKey::Create(TKeyCollection &collection)
{
	return collection.Add();
}

void TKey::AssignTo(TKey &dest) const
{
	dest.X = X;
	dest.Y = Y;
	dest.Alpha = Alpha;
	dest.FaceRight = FaceRight;
	dest.Frame = Frame;
	dest.Time = Time;
	dest.Align = Align;
	dest.AnchorX = AnchorX;
	dest.AnchorY = AnchorY;
	dest.SetSprite(SpriteName);
	dest.Mirror = Mirror;
	dest.FrameRate = FrameRate;
	dest.AnimateWhenIdle = AnimateWhenIdle;
	dest.Hidden = Hidden;
	dest.DrawMode = DrawMode;
	dest.Scale = Scale;
	dest.ClipLeft = ClipLeft;
	dest.ClipTop = ClipTop;
	dest.ClipRight = ClipRight;
	dest.ClipBottom = ClipBottom;
}

void TKey::SetSprite(const std::string &name)
{
	if (name == SpriteName)
		return;
	Sequence = nullptr;
	Width = 0;
	Height = 0;
	FrameCount = 0;
	Mirror = false;
	ClipLeft = 0;
	ClipTop = 0;
	ClipRight = 0;
	ClipBottom = 0;
	SpriteName = name;
	if (SpriteName.empty() || SpritePool == nullptr)
		return;
	Sequence = SpritePool->FindSequence(SpriteName);
	if (Sequence == nullptr)
		return;
	Width = Sequence->Width;
	Height = Sequence->Height;
	FrameCount = Sequence->FrameCount();
	ClipRight = Width;
	ClipBottom = Height;
}

int TKey::FrameIndex() const
{
	if (FrameCount <= 0)
		return 0;
	// Computed on doubles so that long idle runs cannot overflow; a frame played backwards
	// past 0 wraps to the end of the sequence instead of leaving it.
	double index = std::fmod(std::trunc(Frame), static_cast<double>(FrameCount));
	if (index < 0)
		index += FrameCount;
	if (!(index >= 0 && index < FrameCount))
		return 0; // not a number
	return static_cast<int>(index);
}

double TKey::AnchorOffsetX() const
{
	switch (Align) {
	case 1:
	case 3:
		return ClipRight - ClipLeft;
	case 4:
	case 5:
		return (ClipRight - ClipLeft) * 0.5;
	case 6:
		return AnchorX;
	default:
		return 0;
	}
}

double TKey::AnchorOffsetY() const
{
	switch (Align) {
	case 2:
	case 3:
	case 4:
		return ClipBottom - ClipTop;
	case 5:
		return (ClipBottom - ClipTop) * 0.5;
	case 6:
		return AnchorY;
	default:
		return 0;
	}
}

void TKey::SetAnchor(double ax, double ay)
{
	Align = 6;
	AnchorX = ax;
	AnchorY = ay;
}

void TKey::Interpolate(const TKey &a, const TKey &b, double t)
{
	Assign(a);
	const double span = b.Time - a.Time;
	const double f = span != 0 ? (t - a.Time) / span : 0.0;
	X = a.X + f * (b.X - a.X);
	Y = a.Y + f * (b.Y - a.Y);
	Alpha = a.Alpha + f * (b.Alpha - a.Alpha);
	Frame = a.Frame + f * (b.Frame - a.Frame);
	Scale = a.Scale + f * (b.Scale - a.Scale);
	ClipLeft = a.ClipLeft + f * (b.ClipLeft - a.ClipLeft);
	ClipTop = a.ClipTop + f * (b.ClipTop - a.ClipTop);
	ClipRight = a.ClipRight + f * (b.ClipRight - a.ClipRight);
	ClipBottom = a.ClipBottom + f * (b.ClipBottom - a.ClipBottom);
}

TKey &TKeyCollection::Add()
{
	Items.push_back(std::make_unique<TKey>());
	return *Items.back();
}

int TKeyCollection::IndexOf(const TKey *key) const
{
	if (key == nullptr)
		return -1;
	for (size_t i = 0; i < Items.size(); ++i)
		if (Items[i].get() == key)
			return static_cast<int>(i);
	return -1;
}

void TKeyCollection::DeleteFront(int count)
{
	const size_t n = std::min(Items.size(), static_cast<size_t>(std::max(count, 0)));
	Items.erase(Items.begin(), Items.begin() + static_cast<std::ptrdiff_t>(n));
}

} // namespace vantero
