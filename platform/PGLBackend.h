#pragma once
// OpenGL 3.3 core backend through SDL_GL. Everything is drawn into an offscreen frame buffer of
// the back-buffer size (rows top-down, like the software backend), which Present copies to the
// window. Textures keep their texel rows in memory and are uploaded as ARGB when they change, so
// 16-bit formats give exactly the texel values of the software path.

#include "platform/PRenderBackend.h"

#include <memory>

namespace vantero::platform {

struct TGLState;

class TGLBackend : public IRenderBackend {
public:
	explicit TGLBackend(TWindowHandle window);
	~TGLBackend() override;

	std::string Name() const override { return "gl"; }
	bool Create(const TPresentParams &params) override;
	bool SupportsFullScreenFormat(TTextureFormat format) const override;
	uint64_t AvailableTextureMemory() const override;

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
	std::vector<uint32_t> ReadPixels() const override;

private:
	bool CreateFrameBuffer();
	void ApplyStates(bool textured);

	// Context, programs and buffers; shared with the textures so they can outlive the backend safely.
	std::shared_ptr<TGLState> FGL;
	// Texture of stage 0 (not owned).
	TBackendTexture *FTexture = nullptr;
	bool FInScene = false;
	// A window made here when none was given (hidden), destroyed with the backend.
	bool FOwnWindow = false;
	bool FOwnVideo = false;
};

} // namespace vantero::platform
