#include "render/USpriteBundle.h"

#include "render/UGraphicsFile.h"
#include "render/URectAllocator.h"
#include "render/UTexturePack.h"

#include <cstring>

namespace vantero {

namespace {

constexpr int TextureSize = TTexturePack::TextureWidth;
// Largest picture side a bundle may describe.
constexpr int MaxSpriteSide = 1 << 16;

[[noreturn]] void Invalid(const char *what)
{
	throw EStreamError(std::string("Invalid ") + what);
}

// A count that must not be negative.
int ReadCount(TValueReader &reader)
{
	const int count = reader.ReadInteger();
	if (count < 0)
		Invalid("count");
	return count;
}

void WriteCuts(TValueWriter &writer, const std::vector<int> &cuts)
{
	writer.WriteInteger(static_cast<int32_t>(cuts.size()));
	for (const int cut : cuts)
		writer.WriteInteger(cut);
}

std::vector<int> ReadCuts(TValueReader &reader, int size)
{
	const int count = ReadCount(reader);
	std::vector<int> cuts;
	for (int i = 0; i < count; ++i) {
		const int cut = reader.ReadInteger();
		// Grid lines ascend strictly from 0 to the far edge.
		if ((i == 0 && cut != 0) || (i > 0 && cut <= cuts.back()) || cut > size)
			Invalid("allocator state");
		cuts.push_back(cut);
	}
	if (cuts.size() < 2 || cuts.back() != size)
		Invalid("allocator state");
	return cuts;
}

bool InsideTexture(const TRect &r)
{
	return r.Left >= 0 && r.Top >= 0 && r.Left < r.Right && r.Top < r.Bottom && r.Right <= TextureSize
		&& r.Bottom <= TextureSize;
}

// The 36 bytes of a piece: nine little-endian 32-bit integers.
void EncodePiece(const TSpritePiece &piece, uint8_t out[36])
{
	const int32_t values[9] = {piece.SpriteRect.Left, piece.SpriteRect.Top, piece.SpriteRect.Right,
		piece.SpriteRect.Bottom, piece.TextureRect.Left, piece.TextureRect.Top, piece.TextureRect.Right,
		piece.TextureRect.Bottom, piece.TextureIndex};
	for (int i = 0; i < 9; ++i)
		for (int b = 0; b < 4; ++b)
			out[4 * i + b] = static_cast<uint8_t>(static_cast<uint32_t>(values[i]) >> (8 * b));
}

TSpritePiece DecodePiece(const uint8_t in[36])
{
	int32_t values[9];
	for (int i = 0; i < 9; ++i) {
		uint32_t bits = 0;
		for (int b = 0; b < 4; ++b)
			bits |= static_cast<uint32_t>(in[4 * i + b]) << (8 * b);
		values[i] = static_cast<int32_t>(bits);
	}
	return TSpritePiece{TRect{values[0], values[1], values[2], values[3]},
		TRect{values[4], values[5], values[6], values[7]}, values[8]};
}

// Unlocks a texture when reading or writing its rows ends, however it ends.
struct TTextureLock {
	platform::TBackendTexture &Texture;
	uint8_t *Texels;
	explicit TTextureLock(platform::TBackendTexture &texture) : Texture(texture), Texels(texture.Lock()) {}
	~TTextureLock()
	{
		if (Texels)
			Texture.Unlock();
	}
	TTextureLock(const TTextureLock &) = delete;
	TTextureLock &operator=(const TTextureLock &) = delete;
};

} // namespace

void WriteRectAllocator(TValueWriter &writer, const TRectAllocator &allocator)
{
	writer.WriteInteger(allocator.Width);
	writer.WriteInteger(allocator.Height);
	writer.WriteInteger(allocator.SearchRow);
	writer.WriteInteger(allocator.Granularity);
	writer.WriteInteger(static_cast<int32_t>(allocator.Cells.size()));
	for (const std::vector<uint8_t> &row : allocator.Cells) {
		writer.WriteInteger(static_cast<int32_t>(row.size()));
		for (const uint8_t cell : row)
			writer.WriteChar(static_cast<char>(cell));
	}
	WriteCuts(writer, allocator.XCuts);
	WriteCuts(writer, allocator.YCuts);
	writer.WriteFloat(allocator.UsedArea);
}

std::unique_ptr<TRectAllocator> ReadRectAllocator(TValueReader &reader)
{
	const int width = reader.ReadInteger();
	const int height = reader.ReadInteger();
	if (width != TextureSize || height != TextureSize)
		Invalid("allocator state");
	auto allocator = std::make_unique<TRectAllocator>(width, height);
	allocator->SearchRow = reader.ReadInteger();
	allocator->Granularity = reader.ReadInteger();
	const int rows = ReadCount(reader);
	allocator->Cells.clear();
	for (int r = 0; r < rows; ++r) {
		const int cells = ReadCount(reader);
		std::vector<uint8_t> row;
		for (int c = 0; c < cells; ++c) {
			const char cell = reader.ReadChar();
			if (cell != 0 && cell != 1)
				Invalid("allocator state");
			row.push_back(static_cast<uint8_t>(cell));
		}
		allocator->Cells.push_back(std::move(row));
	}
	allocator->XCuts = ReadCuts(reader, width);
	allocator->YCuts = ReadCuts(reader, height);
	allocator->UsedArea = reader.ReadFloat();
	// The grid the allocator's operations rely on: granularity 4, one row per y cut, one cell per x cut.
	if (allocator->Granularity != 4 || allocator->SearchRow < 0
		|| allocator->SearchRow >= static_cast<int>(allocator->YCuts.size())
		|| allocator->Cells.size() != allocator->YCuts.size())
		Invalid("allocator state");
	for (const std::vector<uint8_t> &row : allocator->Cells)
		if (row.size() != allocator->XCuts.size())
			Invalid("allocator state");
	return allocator;
}

void WriteTexturePack(TValueWriter &writer, const TTexturePack &pack)
{
	writer.WriteInteger(static_cast<int32_t>(pack.Textures.size()));
	for (const TTexturePack::TTextureEntry &entry : pack.Textures) {
		WriteRectAllocator(writer, *entry.Allocator);
		writer.WriteInteger(entry.AlphaKind);
		if (!entry.Texture)
			AssertionFailed("Assertion failure", "UTexturePack", 286, 0);
		TTextureLock lock(*entry.Texture);
		if (!lock.Texels)
			AssertionFailed("Assertion failure", "UTexturePack", 286, 0);
		const int pitch = entry.Texture->Pitch();
		writer.WriteInteger(pitch);
		writer.WriteRaw(lock.Texels, static_cast<size_t>(TTexturePack::TextureHeight) * static_cast<size_t>(pitch));
	}
}

void ReadTexturePack(TValueReader &reader, TTexturePack &pack)
{
	pack.Textures.clear();
	const int count = ReadCount(reader);
	for (int i = 0; i < count; ++i) {
		std::unique_ptr<TRectAllocator> allocator = ReadRectAllocator(reader);
		TResourceLock resourceLock;
		const int alphaKind = reader.ReadInteger();
		if (alphaKind < 0 || alphaKind > 255)
			Invalid("AlphaKind");
		TTexturePack::TTextureEntry &entry = pack.AddTexture(static_cast<uint8_t>(alphaKind), std::move(allocator));
		TTextureLock lock(*entry.Texture);
		if (!lock.Texels)
			AssertionFailed("Assertion failure", "UTexturePack", 248, 0);
		const int pitch = reader.ReadInteger();
		if (pitch != entry.Texture->Pitch())
			RaiseGameError("TTexturePack.ReadTexture failed!");
		reader.ReadRaw(lock.Texels, static_cast<size_t>(TTexturePack::TextureHeight) * static_cast<size_t>(pitch));
	}
}

void WriteSprite(TValueWriter &writer, const TSprite &sprite)
{
	writer.WriteInteger(sprite.Width);
	writer.WriteInteger(sprite.Height);
	writer.WriteBoolean(sprite.UseAlpha);
	writer.WriteInteger(static_cast<int32_t>(sprite.Pieces.size()));
	for (const TSpritePiece &piece : sprite.Pieces) {
		uint8_t bytes[36];
		EncodePiece(piece, bytes);
		writer.WriteRaw(bytes, sizeof bytes);
	}
}

std::unique_ptr<TSprite> ReadSprite(TValueReader &reader, TTexturePack &pack, bool unclipped)
{
	std::unique_ptr<TSprite> sprite =
		FramedLayout && !unclipped ? std::make_unique<TSpriteClipped>() : std::make_unique<TSprite>();
	sprite->Width = reader.ReadInteger();
	sprite->Height = reader.ReadInteger();
	sprite->UseAlpha = reader.ReadBoolean();
	if (sprite->Width < 0 || sprite->Height < 0 || sprite->Width > MaxSpriteSide || sprite->Height > MaxSpriteSide)
		Invalid("sprite");
	// The pieces are returned to the pack when the sprite is freed, so every one must lie in it.
	sprite->Pack = &pack;
	const int count = ReadCount(reader);
	for (int i = 0; i < count; ++i) {
		uint8_t bytes[36];
		reader.ReadRaw(bytes, sizeof bytes);
		const TSpritePiece piece = DecodePiece(bytes);
		const TRect &s = piece.SpriteRect, &t = piece.TextureRect;
		const bool valid = piece.TextureIndex >= 0 && piece.TextureIndex < static_cast<int>(pack.Textures.size())
			&& InsideTexture(t) && s.Left >= 0 && s.Top >= 0 && s.Right <= sprite->Width && s.Bottom <= sprite->Height
			&& s.Right - s.Left == t.Right - t.Left && s.Bottom - s.Top == t.Bottom - t.Top;
		if (!valid)
			Invalid("sprite");
		sprite->Pieces.push_back(piece);
	}
	return sprite;
}

void WriteSequence(TValueWriter &writer, const TSequence &sequence)
{
	writer.WriteString(sequence.Name);
	writer.WriteInteger(sequence.Width);
	writer.WriteInteger(sequence.Height);
	writer.WriteBoolean(sequence.UseAlpha);
	writer.WriteInteger(sequence.FrameCount());
	for (const auto &frame : sequence.Frames)
		WriteSprite(writer, *frame);
}

std::unique_ptr<TSequence> ReadSequence(TValueReader &reader, bool unclipped, TTexturePack &pack)
{
	auto sequence = std::make_unique<TSequence>(reader.ReadString(), unclipped);
	sequence->Width = reader.ReadInteger();
	sequence->Height = reader.ReadInteger();
	sequence->UseAlpha = reader.ReadBoolean();
	const int count = ReadCount(reader);
	// Frames keep the UseAlpha they were stored with.
	for (int i = 0; i < count; ++i)
		sequence->Frames.push_back(ReadSprite(reader, pack, unclipped));
	return sequence;
}

std::unique_ptr<TSequence> CreateSequence(std::string name, const TGraphicsFile &picture, bool unclipped,
	uint8_t alphaKind, TTexturePack &pack, const TGraphicsFile *alphaPicture)
{
	if (picture.FrameCount() == 0)
		RaiseGameError("TSequence.Create failed");
	if (alphaPicture
		&& (alphaPicture->FrameCount() != picture.FrameCount()
			|| alphaPicture->Picture(0).Width() != picture.Picture(0).Width()
			|| alphaPicture->Picture(0).Height() != picture.Picture(0).Height()))
		RaiseGameError("TSequence.Create failed");
	auto sequence = std::make_unique<TSequence>(std::move(name), unclipped);
	sequence->UseAlpha = false;
	for (int i = 0; i < picture.FrameCount(); ++i) {
		const TGSoftwareSurface *alpha = alphaPicture ? &alphaPicture->Picture(i) : picture.AlphaPicture(i);
		sequence->AddFrame(CreateSpriteFrame(picture.Picture(i), alphaKind, pack, alpha, unclipped));
	}
	return sequence;
}

} // namespace vantero
