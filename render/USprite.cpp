#include "render/USprite.h"

#include "render/UD3DDevice.h"
#include "render/UGSoftwareSurface.h"
#include "render/UTexturePack.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace vantero {

namespace {

constexpr int TileSize = TTexturePack::TextureWidth;
constexpr uint32_t ColourKey = 0xFF00FF;

// Copies a piece of the picture (combined with its alpha picture) into its texture rectangle.
void FillPiece(const TSpritePiece &piece, const TGSoftwareSurface &bitmap, const TGSoftwareSurface *alphaBitmap,
	platform::TBackendTexture &texture)
{
	uint8_t *texels = texture.Lock();
	VANTERO_ASSERT(texels != nullptr, "UGSoftwareSurface");
	const platform::TTextureFormat format = texture.Format();
	const int bytes = platform::BytesPerTexel(format);
	const int w = piece.SpriteRect.Right - piece.SpriteRect.Left;
	const int h = piece.SpriteRect.Bottom - piece.SpriteRect.Top;
	for (int row = 0; row < h; ++row) {
		const int sy = piece.SpriteRect.Top + row;
		uint8_t *target = texels + static_cast<size_t>(piece.TextureRect.Top + row) * static_cast<size_t>(texture.Pitch())
			+ static_cast<size_t>(piece.TextureRect.Left) * static_cast<size_t>(bytes);
		for (int column = 0; column < w; ++column, target += bytes) {
			const int sx = piece.SpriteRect.Left + column;
			uint32_t pixel = bitmap.Pixel(sx, sy);
			if (alphaBitmap) {
				const bool inside = sx < alphaBitmap->Width() && sy < alphaBitmap->Height();
				const uint32_t alpha = inside ? (alphaBitmap->Pixel(sx, sy) & 0xFF) : 0xFF;
				pixel = alpha << 24 | (pixel & 0xFFFFFF);
			}
			// The colour key is transparent; writing it as 0 also clears texels of a reused rectangle.
			if ((pixel & 0xFFFFFF) == ColourKey)
				pixel = 0;
			const uint32_t texel = platform::ArgbToTexel(format, pixel);
			std::memcpy(target, &texel, static_cast<size_t>(bytes));
		}
	}
	texture.Unlock();
}

// Clears the render states of one sprite draw and sets the blending of the draw mode.
void SetSpriteStates(platform::TRenderStates &states, bool useAlpha, int alpha, uint8_t mode, uint8_t textureDepth)
{
	states.CullNone = true;
	states.DepthTest = false;
	states.FlatShading = true;
	states.Lighting = false;
	if (textureDepth == 1) {
		states.AlphaRef = 0;
		states.AlphaTest = true;
		states.AlphaFunc = platform::TCompare::NotEqual;
	}
	if (mode == 1 || mode == 2) {
		states.AlphaBlend = true;
		states.SrcBlend = mode == 1 ? platform::TBlend::Zero : platform::TBlend::One;
		states.DestBlend = mode == 1 ? platform::TBlend::InvSrcColor : platform::TBlend::One;
		return;
	}
	if (alpha == 255) {
		// Opaque pictures skip blending; the alpha test still sees the texture's own alpha.
		states.AlphaBlend = useAlpha;
		states.SrcBlend = platform::TBlend::SrcAlpha;
		states.DestBlend = platform::TBlend::InvSrcAlpha;
		states.AlphaOp = platform::TStageOp::SelectArg1;
		states.AlphaArg1 = platform::TStageArg::Texture;
	} else {
		states.AlphaBlend = true;
		states.SrcBlend = platform::TBlend::SrcAlpha;
		states.DestBlend = platform::TBlend::InvSrcAlpha;
		states.AlphaOp = platform::TStageOp::Modulate;
		states.AlphaArg1 = platform::TStageArg::Texture;
		states.AlphaArg2 = platform::TStageArg::Diffuse;
	}
}

} // namespace

TSprite::TSprite(const TGSoftwareSurface &bitmap, uint8_t alphaKind, TTexturePack &pack, const TGSoftwareSurface *alphaBitmap)
	: Pack(&pack), Width(bitmap.Width()), Height(bitmap.Height()), AlphaKind(alphaKind)
{
	TResourceLock lock;
	for (int top = 0; top < Height; top += TileSize) {
		for (int left = 0; left < Width; left += TileSize) {
			TSpritePiece piece;
			piece.SpriteRect = TRect{left, top, std::min(left + TileSize, Width), std::min(top + TileSize, Height)};
			int textureIndex = 0;
			pack.AllocRect(piece.SpriteRect.Right - left, piece.SpriteRect.Bottom - top, alphaKind, textureIndex,
				piece.TextureRect);
			piece.TextureIndex = textureIndex;
			Pieces.push_back(piece);
		}
	}
	for (const TSpritePiece &piece : Pieces)
		FillPiece(piece, bitmap, alphaBitmap, *pack.GetTexture(piece.TextureIndex));
}

TSprite::~TSprite()
{
	if (!Pack)
		return;
	TResourceLock lock;
	for (const TSpritePiece &piece : Pieces)
		Pack->FreeRect(piece.TextureRect, piece.TextureIndex);
}

void TSprite::DrawPieces(TRect s, int alpha, uint8_t mode, double scale, double x, double y)
{
	if (!RenderDevice || !RenderDevice->Device || !Pack)
		return;
	platform::IRenderBackend &device = *RenderDevice->Device;
	alpha = std::clamp(alpha, 0, 255);
	const uint32_t a = static_cast<uint32_t>(alpha);
	const uint32_t color = (mode == 1 || mode == 2) ? 0xFF000000u | a << 16 | a << 8 | a : a << 24 | 0xFFFFFFu;
	const bool mirrorX = s.Right < s.Left;
	const bool mirrorY = s.Bottom < s.Top;
	if (mirrorX)
		std::swap(s.Left, s.Right);
	if (mirrorY)
		std::swap(s.Top, s.Bottom);
	SetSpriteStates(device.States, UseAlpha, alpha, mode, RenderDevice->TextureDepth);

	constexpr float texelSize = 1.0f / static_cast<float>(TTexturePack::TextureWidth);
	for (const TSpritePiece &piece : Pieces) {
		TRect d = piece.SpriteRect;
		if (mirrorX) {
			d.Left = Width - piece.SpriteRect.Right;
			d.Right = Width - piece.SpriteRect.Left;
		}
		if (mirrorY) {
			d.Top = Height - piece.SpriteRect.Bottom;
			d.Bottom = Height - piece.SpriteRect.Top;
		}
		if (d.Left >= s.Right || s.Left >= d.Right || d.Top >= s.Bottom || s.Top >= d.Bottom)
			continue;
		platform::TBackendTexture *texture = Pack->GetTexture(piece.TextureIndex);
		if (!texture)
			continue;
		const TRect c{std::max(d.Left, s.Left), std::max(d.Top, s.Top), std::min(d.Right, s.Right),
			std::min(d.Bottom, s.Bottom)};
		const int w = c.Right - c.Left, h = c.Bottom - c.Top;
		const TRect &t = piece.TextureRect;
		const int u0 = mirrorX ? t.Right - (c.Left - d.Left) : t.Left + (c.Left - d.Left);
		const int u1 = mirrorX ? u0 - w : u0 + w;
		const int vt = mirrorY ? t.Bottom - (c.Top - d.Top) : t.Top + (c.Top - d.Top);
		const int vb = mirrorY ? vt - h : vt + h;
		const double x0 = x + scale * (c.Left - s.Left - 0.5);
		const double y0 = y + scale * (c.Top - s.Top - 0.5);
		const double x1 = x0 + scale * w;
		const double y1 = y0 + scale * h;
		const float fx0 = static_cast<float>(x0), fx1 = static_cast<float>(x1);
		const float fy0 = static_cast<float>(y0), fy1 = static_cast<float>(y1);
		const float fu0 = static_cast<float>(u0) * texelSize, fu1 = static_cast<float>(u1) * texelSize;
		const float fvt = static_cast<float>(vt) * texelSize, fvb = static_cast<float>(vb) * texelSize;
		const platform::TTexVertex vertices[4] = {
			{fx0, fy1, 0.0f, color, fu0, fvb},
			{fx1, fy1, 0.0f, color, fu1, fvb},
			{fx0, fy0, 0.0f, color, fu0, fvt},
			{fx1, fy0, 0.0f, color, fu1, fvt},
		};
		device.SetTexture(texture);
		device.DrawTexturedStrip(vertices, 4);
	}
}

void TSprite::Draw(TRect sourceRect, int alpha, uint8_t mode, double scale, double x, double y)
{
	DrawPieces(sourceRect, alpha, mode, scale, x, y);
}

void TSpriteClipped::DrawPieces(TRect sourceRect, int alpha, uint8_t mode, double scale, double x, double y)
{
	TSprite::DrawPieces(sourceRect, alpha, mode, scale, x + GameOffsetX, y + GameOffsetY);
}

void TSpriteClipped::Draw(TRect r, int alpha, uint8_t mode, double scale, double x, double y)
{
	const bool mirrorX = r.Right < r.Left;
	const bool mirrorY = r.Bottom < r.Top;
	if (mirrorX)
		std::swap(r.Left, r.Right);
	if (mirrorY)
		std::swap(r.Top, r.Bottom);
	if (scale <= 0.0)
		return;
	const double s = scale;
	// The overflow beyond the game area is measured in screen pixels of the part still drawn and
	// taken off the source rectangle in picture pixels.
	if (y < 0) {
		if (y + (r.Bottom - r.Top) * s < 0)
			return;
		r.Top = RoundHalfEven(r.Top - y / s);
		y = 0;
	}
	if (x < 0) {
		if (x + (r.Right - r.Left) * s < 0)
			return;
		r.Left = RoundHalfEven(r.Left - x / s);
		x = 0;
	}
	if (y + (r.Bottom - r.Top) * s > GameHeight) {
		if (y > GameHeight)
			return;
		r.Bottom = RoundHalfEven(r.Bottom - (y + (r.Bottom - r.Top) * s - GameHeight) / s);
	}
	if (x + (r.Right - r.Left) * s > GameWidth) {
		if (x > GameWidth)
			return;
		r.Right = RoundHalfEven(r.Right - (x + (r.Right - r.Left) * s - GameWidth) / s);
	}
	if (r.Left >= r.Right || r.Top >= r.Bottom)
		return;
	if (mirrorX)
		std::swap(r.Left, r.Right);
	if (mirrorY)
		std::swap(r.Top, r.Bottom);
	DrawPieces(r, alpha, mode, scale, x, y);
}

std::unique_ptr<TSprite> CreateSpriteFrame(const TGSoftwareSurface &bitmap, uint8_t alphaKind, TTexturePack &pack,
	const TGSoftwareSurface *alphaBitmap, bool unclipped)
{
	if (FramedLayout && !unclipped)
		return std::make_unique<TSpriteClipped>(bitmap, alphaKind, pack, alphaBitmap);
	return std::make_unique<TSprite>(bitmap, alphaKind, pack, alphaBitmap);
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
