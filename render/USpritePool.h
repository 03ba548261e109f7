#pragma once
// The sprite pool owns sequences and the texture packs behind them and finds a sequence by name.
// Pictures come from folders under "graphics/", from their packed ".gfx" files, or from the
// ".pak" bundles of the per-user cache folder (zlib snapshots of ready packs and sequences).

#include "render/USprite.h"
#include "render/UTexturePack.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantero {

class TGfxWriter;
class TGraphicsFile;

class TSpritePool {
public:
	explicit TSpritePool(bool unclipped) : Unclipped(unclipped) {}
	// Frees every sequence, then every pack.
	~TSpritePool();
	TSpritePool(const TSpritePool &) = delete;
	TSpritePool &operator=(const TSpritePool &) = delete;

	// Loads the pictures of "graphics/" + folder (directly or through its ".gfx", as the key
	// "LoadFromGFX" says) into the pack of packId; makeGfx writes the folder's ".gfx" and reads
	// the pictures back from it; systemMemory makes the pack lockable only (bundle building).
	void LoadFolder(const std::string &folder, const std::string &packId, bool systemMemory, bool makeGfx);
	// The first sequence whose name ends with the lower-cased request; "Sequence '<name>' not loaded".
	TSequence &GetSequence(std::string_view name) const;
	// The first sequence, in load order, whose name ends with the lower-cased request; null when none.
	TSequence *FindSequence(std::string_view name) const;
	// Appends a sequence under a PackId (the pool owns it).
	TSequence &AddSequence(const std::string &packId, std::unique_ptr<TSequence> sequence);
	// The pack of packId, made empty when there is none; "TSpritePool.GetPack" when its
	// SystemMemory flag differs.
	TTexturePack &GetPack(const std::string &packId, bool systemMemory);
	// The pack of packId; null when there is none.
	TTexturePack *FindPack(std::string_view packId) const;
	// Frees every sequence of packId and its pack; the rest keep their order.
	void RemovePack(const std::string &packId);
	// Writes the bundle of packId into the cache folder (replacing it).
	void SaveBundle(const std::string &packId);
	// Replaces packId's content by its bundle's; true. A missing bundle raises
	// "TSpritePool.LoadBundle failed (PackId: <id>)"; a bundle that cannot be read is deleted
	// (so that the cache counts as incomplete at the next start) and raises its error.
	bool LoadBundle(const std::string &packId, bool systemMemory);
	// Frees all sequences and packs.
	void Clear();
	// Number of textures in all packs.
	int TextureCount() const;

	// Decodes a picture (and its companion) from memory and adds its sequence; fromGfx selects
	// the unknown-extension message of ".gfx" reading.
	void LoadPicture(const std::string &path, const std::vector<uint8_t> &data, const std::string *companionPath,
		const std::vector<uint8_t> *companionData, uint8_t alphaKind, const std::string &packId, bool systemMemory,
		bool fromGfx);

public:
	struct TSequenceEntry {
		std::string PackId;
		std::unique_ptr<TSequence> Sequence;
	};
	struct TPackEntry {
		std::string PackId;
		std::unique_ptr<TTexturePack> Pack;
	};
	// Packs first, so that sequences (whose sprites return their rectangles) go before them.
	std::vector<TPackEntry> Packs;
	// Sequences in load order.
	std::vector<TSequenceEntry> Sequences;
	bool UseAlphaDefault = true;
	bool Unclipped = false;

private:
	// Loads or packs every picture of the folder; gfx set: writes them into it instead.
	void ScanFolder(const std::string &folder, const std::string &packId, bool systemMemory, TGfxWriter *gfx);
	// Loads every picture of a ".gfx".
	void ReadGfx(const std::string &path, const std::string &packId, bool systemMemory);
	std::unique_ptr<TGraphicsFile> Decode(const std::string &path, const std::vector<uint8_t> &data, bool fromGfx) const;
};

// The sequence name of a picture path: lower-cased, without a leading "graphics/", cut at the first ".".
std::string SequenceNameFromPath(std::string_view path);
// Whether the path ends (any case) with one of the twelve names of on/off transparency (AlphaKind 0).
bool IsAlphaKindZeroName(std::string_view path);
// Whether the path ends (any case) with one of the 48 names skipped when video memory is low.
bool IsLowVideoMemoryName(std::string_view path);
// "graphics/" + FlattenPath(folder) + ".gfx".
std::string GfxFileName(const std::string &folder);
// The cache folder, packId, "." + "16" or "32" + ".pak" (16 when use16Bit).
std::string BundleFileName(const std::string &packId, bool use16Bit);
// BundleFileName for the render device's Use16Bit (32 without a device).
std::string BundleFileName(const std::string &packId);

// The game's global pool (owned by the main form).
extern TSpritePool *SpritePool;

} // namespace vantero
