#pragma once
// Bundle serialization of texture packs (allocator state and texel rows), sprites and sequences
// in the tagged value encoding, and the building of a sequence from a decoded graphics file.
// Readers check what they read, so that a corrupt bundle is an EStreamError and never leaves a
// sprite pointing outside its pack.

#include "render/USprite.h"
#include "render/UValueStream.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vantero {

class TGraphicsFile;
class TRectAllocator;
class TTexturePack;

// The allocator state in the order of its fields.
void WriteRectAllocator(TValueWriter &writer, const TRectAllocator &allocator);
// An allocator read back; EStreamError when the state is not a consistent 256x256 grid.
std::unique_ptr<TRectAllocator> ReadRectAllocator(TValueReader &writer);

// The entry count, then per texture its allocator, AlphaKind, row pitch and 256 rows of texels.
void WriteTexturePack(TValueWriter &writer, const TTexturePack &pack);
// Replaces the pack's entries by the stream's (managed textures of the current texture depth);
// "TTexturePack.ReadTexture failed!" when the stored pitch differs from the texture's.
void ReadTexturePack(TValueReader &reader, TTexturePack &pack);

// Width, Height, UseAlpha, piece count and the 36-byte pieces.
void WriteSprite(TValueWriter &writer, const TSprite &sprite);
// A frame sprite (clipped in the framed layout unless unclipped) whose pieces lie in the pack.
std::unique_ptr<TSprite> ReadSprite(TValueReader &reader, TTexturePack &pack, bool unclipped);

// Name, Width, Height, UseAlpha, frame count and the frames.
void WriteSequence(TValueWriter &writer, const TSequence &sequence);
std::unique_ptr<TSequence> ReadSequence(TValueReader &reader, bool unclipped, TTexturePack &pack);

// The sequence of a decoded picture: one frame sprite per frame, its alpha from the companion's
// frame when given (which must have as many frames and the same frame-0 size, else
// "TSequence.Create failed"), otherwise from the picture's own alpha. UseAlpha is false.
std::unique_ptr<TSequence> CreateSequence(std::string name, const TGraphicsFile &picture, bool unclipped,
	uint8_t alphaKind, TTexturePack &pack, const TGraphicsFile *alphaPicture);

} // namespace vantero
