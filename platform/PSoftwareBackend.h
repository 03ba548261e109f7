#pragma once
// Software rasteriser into a memory back buffer: headless runs, tests, screenshots, and machines
// without OpenGL. Pixel centres on integer coordinates with the top-left fill rule, nearest-texel
// sampling, 8-bit integer blending. Axis-aligned quads (every sprite) take a fast span path.

#include "platform/PRenderBackend.h"

#include <vector>

namespace vantero::platform {

class TSoftwareBackend : public IRenderBackend {
public:
	explicit TSoftwareBackend(TWindowHandle window);
	~TSoftwareBackend() override;

	std::string Name() const override { return "software"; }
	bool Create(const TPresentParams &params) override;
	bool SupportsFullScreenFormat(TTextureFormat format) const override;
	uint64_t AvailableTextureMemory() const override { return TextureMemory; }

	bool Reset(const TPresentParams &params) override;
	bool BeginScene() override;
	bool EndScene() override;
	void Present() override;
	bool EvictManagedResources() override { return true; }

	std::unique_ptr<TBackendTexture> CreateTexture(TTextureFormat format, TTexturePool pool) override;
	void SetTexture(TBackendTexture *texture) override { FTexture = texture; }
	void DrawTexturedStrip(const TTexVertex *vertices, int count) override;
	void DrawColorStrip(const TColorVertex *vertices, int count) override;
	void DrawPoints(const TColorVertex *points, int count) override;
	void Clear(uint32_t argb) override;
	std::vector<uint32_t> ReadPixels() const override { return FPixels; }

	// Direct view of the back buffer (ARGB, Width() per row).
	const std::vector<uint32_t> &Pixels() const { return FPixels; }

public:
	// Knobs for tests and headless runs: the full-screen formats the "adapter" accepts and the
	// texture memory it reports (512 MiB by default: a machine of the game's era with room for 32-bit textures).
	std::vector<TTextureFormat> FullScreenFormats{TTextureFormat::X8R8G8B8, TTextureFormat::R5G6B5};
	uint64_t TextureMemory = 512ull * 1024 * 1024;

private:
	// One vertex as the rasteriser sees it.
	struct TRasterVertex {
		float X, Y, U, V;
		uint32_t Color;
	};
	void DrawStrip(const TRasterVertex *vertices, int count, const TBackendTexture *texture);
	bool DrawRect(const TRasterVertex *v, const TBackendTexture *texture);
	void DrawTriangle(const TRasterVertex &a, const TRasterVertex &b, const TRasterVertex &c, uint32_t flatColor,
		const TBackendTexture *texture);

	// Back buffer and scene state.
	std::vector<uint32_t> FPixels;
	bool FInScene = false;
	// Texture of stage 0 (not owned).
	TBackendTexture *FTexture = nullptr;
};

} // namespace vantero::platform
