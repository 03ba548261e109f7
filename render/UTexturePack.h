#pragma once
// A texture pack owns the 256x256 textures of one group of sprites and finds room for each piece
// with one grid allocator per texture. Pieces of different AlphaKind never share a texture.

#include "config/UUtils.h"
#include "platform/PRenderBackend.h"
#include "render/URectAllocator.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vantero {

class TTexturePack {
public:
	static constexpr int TextureWidth = 256;
	static constexpr int TextureHeight = 256;

	// One texture with its allocator and the AlphaKind of the pieces it holds.
	struct TTextureEntry {
		std::unique_ptr<platform::TBackendTexture> Texture;
		std::unique_ptr<TRectAllocator> Allocator;
		uint8_t AlphaKind = 0;
	};

	// An empty pack; systemMemory: textures are only locked (bundle building), never drawn.
	explicit TTexturePack(bool systemMemory);
	TTexturePack(const TTexturePack &) = delete;
	TTexturePack &operator=(const TTexturePack &) = delete;

	// Room for a w x h piece of the AlphaKind, creating a texture when no existing one has room.
	void AllocRect(int w, int h, uint8_t alphaKind, int &textureIndex, TRect &rect);
	// Returns a piece's rectangle to its texture's allocator.
	void FreeRect(const TRect &rect, int textureIndex);
	// The texture of an entry; null for an index outside the entries.
	platform::TBackendTexture *GetTexture(int textureIndex) const;
	// Number of entries holding a texture.
	int TextureCount() const;
	// Appends an entry with a new managed texture of the format for the current texture depth (bundle reading).
	TTextureEntry &AddTexture(uint8_t alphaKind, std::unique_ptr<TRectAllocator> allocator);

	// The texture format for a texture depth (2: 32-bit, 1: 16-bit) and AlphaKind.
	static platform::TTextureFormat FormatFor(uint8_t textureDepth, uint8_t alphaKind);

public:
	// The textures in creation order.
	std::vector<TTextureEntry> Textures;
	// Fixed at creation: textures in system memory instead of the managed pool.
	const bool SystemMemory;

private:
	std::unique_ptr<platform::TBackendTexture> CreateTexture(uint8_t alphaKind, bool systemMemory, int line) const;
};

} // namespace vantero
