#include "render/USprite.h"

#include <stdexcept>

namespace vantero {

void TSprite::DrawPieces(TRect, int, uint8_t, double, double, double)
{
	// Drawing through the render device is added with the device.
}

void TSprite::Draw(TRect sourceRect, int alpha, uint8_t mode, double scale, double x, double y)
{
	DrawPieces(sourceRect, alpha, mode, scale, x, y);
}

TSprite &TSequence::Frame(int index) const
{
	if (index < 0 || index >= FrameCount())
		throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
	return *Frames[static_cast<size_t>(index)];
}

void TSequence::SetUseAlpha(bool value)
{
	UseAlpha = value;
	for (const auto &frame : Frames)
		frame->UseAlpha = value;
}

void TSequence::AddFrame(std::unique_ptr<TSprite> frame)
{
	frame->UseAlpha = UseAlpha;
	if (Frames.empty()) {
		Width = frame->Width;
		Height = frame->Height;
	}
	Frames.push_back(std::move(frame));
}

void DrawSprite(TSprite &sprite, int alpha, uint8_t mode, double scale, double x, double y)
{
	sprite.Draw(TRect{0, 0, sprite.Width, sprite.Height}, alpha, mode, scale, x, y);
}

void DrawSpriteAt(TSprite &sprite, double x, double y)
{
	DrawSprite(sprite, 255, 0, 1.0, x, y);
}

} // namespace vantero
