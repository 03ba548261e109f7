#pragma once
// A sprite is one picture uploaded in pieces of at most 256x256 into a texture pack;
// a sequence is the ordered frames of one animation, found by name in the sprite pool.

#include "config/UUtils.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantero {

class TTexturePack;
class TGSoftwareSurface;

// One piece of a sprite: 36 bytes, stored in this exact layout in bundle files.
struct TSpritePiece {
	TRect SpriteRect;
	TRect TextureRect;
	int32_t TextureIndex = 0;
};
static_assert(sizeof(TSpritePiece) == 36);

class TSprite {
public:
	// An empty sprite (no pieces, no pack); bundle reading and test doubles fill the fields.
	TSprite() = default;
	// Cuts the picture into 256x256 tiles, row-major, each placed in the pack with the AlphaKind and
	// filled from the picture; alphaBitmap, when given, supplies the alpha (from its blue channel),
	// else the picture's own alpha is used. Pixels of colour 0xFF00FF stay transparent.
	TSprite(const TGSoftwareSurface &bitmap, uint8_t alphaKind, TTexturePack &pack, const TGSoftwareSurface *alphaBitmap);
	// Returns every piece's rectangle to the pack (the pack must outlive its sprites).
	virtual ~TSprite();
	TSprite(const TSprite &) = delete;
	TSprite &operator=(const TSprite &) = delete;

	// Renders the part of the picture inside sourceRect (a mirrored rectangle mirrors the picture);
	// mode 0 normal (alpha blended), 1 darkens by the picture's colour, 2 adds it as light.
	virtual void DrawPieces(TRect sourceRect, int alpha, uint8_t mode, double scale, double x, double y);
	// Draws through DrawPieces; the clipped sprite of the framed layout overrides both.
	virtual void Draw(TRect sourceRect, int alpha, uint8_t mode, double scale, double x, double y);

public:
	// Pieces of the picture and where they live.
	std::vector<TSpritePiece> Pieces;
	TTexturePack *Pack = nullptr;
	// Size and transparency of the picture.
	int Width = 0;
	int Height = 0;
	bool UseAlpha = false;
	uint8_t AlphaKind = 2;
};

// A sprite of the framed layout: drawn with the game-area offset and clipped to the game area.
class TSpriteClipped : public TSprite {
public:
	using TSprite::TSprite;

	// Adds GameOffsetX/GameOffsetY, then draws as TSprite does.
	void DrawPieces(TRect sourceRect, int alpha, uint8_t mode, double scale, double x, double y) override;
	// Clips the request to the game area (game coordinates), then calls DrawPieces.
	void Draw(TRect sourceRect, int alpha, uint8_t mode, double scale, double x, double y) override;
};

// A frame sprite for a sequence: TSpriteClipped in the framed layout unless unclipped, else TSprite.
std::unique_ptr<TSprite> CreateSpriteFrame(const TGSoftwareSurface &bitmap, uint8_t alphaKind, TTexturePack &pack,
	const TGSoftwareSurface *alphaBitmap, bool unclipped);

class TSequence {
public:
	TSequence(std::string name, bool unclipped) : Name(std::move(name)), Unclipped(unclipped) {}
	TSequence(const TSequence &) = delete;
	TSequence &operator=(const TSequence &) = delete;

	// The sprite of frame index (0-based); an index outside the frames throws std::out_of_range.
	TSprite &Frame(int index) const;
	// Number of frames.
	int FrameCount() const { return static_cast<int>(Frames.size()); }
	// Sets UseAlpha of the sequence and of every frame.
	void SetUseAlpha(bool value);
	// Appends a frame (copies UseAlpha into it; frame 0 sets the sequence size).
	void AddFrame(std::unique_ptr<TSprite> frame);

public:
	// Lower-case sequence name and the size of frame 0.
	std::string Name;
	int Width = 0;
	int Height = 0;
	// The frames, owned.
	std::vector<std::unique_ptr<TSprite>> Frames;
	bool UseAlpha = true;
	bool Unclipped = false;
};

// Draws the whole picture, source rectangle (0, 0, Width, Height).
void DrawSprite(TSprite &sprite, int alpha, uint8_t mode, double scale, double x, double y);
// DrawSprite with alpha 255, mode 0, scale 1.
void DrawSpriteAt(TSprite &sprite, double x, double y);

} // namespace vantero
