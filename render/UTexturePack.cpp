#include "render/UTexturePack.h"

#include "render/UD3DDevice.h"

namespace vantero {

using platform::TTextureFormat;

TTexturePack::TTexturePack(bool systemMemory) : SystemMemory(systemMemory) {}

TTextureFormat TTexturePack::FormatFor(uint8_t textureDepth, uint8_t alphaKind)
{
	if (textureDepth == 2)
		return TTextureFormat::A8R8G8B8;
	return alphaKind != 0 ? TTextureFormat::A4R4G4B4 : TTextureFormat::A1R5G5B5;
}

std::unique_ptr<platform::TBackendTexture> TTexturePack::CreateTexture(uint8_t alphaKind, bool systemMemory, int line) const
{
	std::unique_ptr<platform::TBackendTexture> texture;
	if (RenderDevice && RenderDevice->Device)
		texture = RenderDevice->Device->CreateTexture(FormatFor(RenderDevice->TextureDepth, alphaKind),
			systemMemory ? platform::TTexturePool::SystemMemory : platform::TTexturePool::Managed);
	if (!texture)
		AssertionFailed("Assertion failure", "UTexturePack", line,
			reinterpret_cast<uintptr_t>(__builtin_return_address(0)));
	return texture;
}

void TTexturePack::AllocRect(int w, int h, uint8_t alphaKind, int &textureIndex, TRect &rect)
{
	for (size_t i = 0; i < Textures.size(); ++i) {
		TTextureEntry &entry = Textures[i];
		if (entry.AlphaKind == alphaKind && entry.Allocator->Alloc(w, h, rect)) {
			textureIndex = static_cast<int>(i);
			return;
		}
	}
	TTextureEntry entry;
	entry.AlphaKind = alphaKind;
	entry.Texture = CreateTexture(alphaKind, SystemMemory, 203);
	entry.Allocator = std::make_unique<TRectAllocator>(TextureWidth, TextureHeight);
	// A piece larger than a texture has no room anywhere.
	if (!entry.Allocator->Alloc(w, h, rect))
		RaiseGameError("TTexturePack.AllocRect failed");
	Textures.push_back(std::move(entry));
	textureIndex = static_cast<int>(Textures.size()) - 1;
}

void TTexturePack::FreeRect(const TRect &rect, int textureIndex)
{
	if (textureIndex < 0 || static_cast<size_t>(textureIndex) >= Textures.size())
		return;
	Textures[static_cast<size_t>(textureIndex)].Allocator->Free(rect);
}

platform::TBackendTexture *TTexturePack::GetTexture(int textureIndex) const
{
	if (textureIndex < 0 || static_cast<size_t>(textureIndex) >= Textures.size())
		return nullptr;
	return Textures[static_cast<size_t>(textureIndex)].Texture.get();
}

int TTexturePack::TextureCount() const
{
	int count = 0;
	for (const TTextureEntry &entry : Textures)
		if (entry.Texture)
			++count;
	return count;
}

TTexturePack::TTextureEntry &TTexturePack::AddTexture(uint8_t alphaKind, std::unique_ptr<TRectAllocator> allocator)
{
	TTextureEntry entry;
	entry.AlphaKind = alphaKind;
	entry.Texture = CreateTexture(alphaKind, false, 247);
	entry.Allocator = std::move(allocator);
	Textures.push_back(std::move(entry));
	return Textures.back();
}

} // namespace vantero
