#pragma once
// The graphics interface under the render device: 256x256 textures with lockable texel rows,
// triangle strips and point lists drawn from memory with fixed-function style states, a back
// buffer that can be cleared, presented and read back. Two implementations: OpenGL 3.3 core
// (PGLBackend) and a software rasteriser into memory (PSoftwareBackend).
//
// Conventions every backend keeps:
// - Vertices are in back-buffer pixels, z ignored; pixel centres lie on integer coordinates,
//   so a quad from (x - 0.5, y - 0.5) to (x + w - 0.5, y + h - 0.5) covers exactly w x h pixels.
// - Colours are 32-bit ARGB (0xAARRGGBB). Texture coordinates are in [0, 1] of the 256x256
//   texture; sampling is nearest-texel with wrapping.
// - Untextured draws take colour and alpha from the vertices alone.

#include "platform/PWindowHandle.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantero::platform {

// Texel and back-buffer formats, numbered like the classic format codes.
enum class TTextureFormat : uint32_t {
	Unknown = 0,
	A8R8G8B8 = 21,
	X8R8G8B8 = 22,
	R5G6B5 = 23,
	A1R5G5B5 = 25,
	A4R4G4B4 = 26,
};

// Bytes per texel of a format (4 or 2; 0 for Unknown).
int BytesPerTexel(TTextureFormat format);
// A texel of the format (its low bytes, little-endian) as ARGB; 16-bit formats expand by bit replication.
uint32_t TexelToArgb(TTextureFormat format, uint32_t texel);
// An ARGB colour as a texel of the format (16-bit formats truncate each channel).
uint32_t ArgbToTexel(TTextureFormat format, uint32_t argb);

// Where a texture lives: managed (drawable, kept over resets) or system memory (lockable only).
enum class TTexturePool { Managed, SystemMemory };

// One 256x256 texture with a single level. The texel rows are kept in memory in the format's
// own layout, so they can be written to and read from bundles unchanged.
class TBackendTexture {
public:
	static constexpr int Size = 256;

	TBackendTexture(TTextureFormat format, TTexturePool pool);
	virtual ~TBackendTexture() = default;
	TBackendTexture(const TBackendTexture &) = delete;
	TBackendTexture &operator=(const TBackendTexture &) = delete;

	TTextureFormat Format() const { return FFormat; }
	TTexturePool Pool() const { return FPool; }
	// Row pitch in bytes (256 x bytes per texel).
	int Pitch() const { return FPitch; }
	// Locks the whole level 0: returns its first row (Size rows of Pitch() bytes); null when already locked.
	uint8_t *Lock();
	// Ends a lock; the backend takes the new texels (conversion cache, upload).
	void Unlock();
	bool Locked() const { return FLocked; }
	// The texel rows (read-only view, valid any time).
	const uint8_t *Texels() const { return FTexels.data(); }
	// The texels as ARGB, row-major, 256 per row; up to date after every Unlock.
	const uint32_t *Argb() const { return FArgb.data(); }

protected:
	// Called by Unlock after the conversion cache is refreshed.
	virtual void Changed() {}

private:
	TTextureFormat FFormat;
	TTexturePool FPool;
	int FPitch;
	bool FLocked = false;
	// Texels in the format's layout and their ARGB expansion.
	std::vector<uint8_t> FTexels;
	std::vector<uint32_t> FArgb;
};

// Blend factors of the colour blender.
enum class TBlend : uint8_t { Zero, One, SrcColor, InvSrcColor, SrcAlpha, InvSrcAlpha };
// Alpha test comparisons that the game uses.
enum class TCompare : uint8_t { Always, NotEqual, Greater };
// Texture stage 0 alpha operation and its arguments.
enum class TStageOp : uint8_t { SelectArg1, Modulate };
enum class TStageArg : uint8_t { Texture, Diffuse };

// The render states; they persist between draws until changed, like device states.
struct TRenderStates {
	// Blending: result = source x SrcBlend + destination x DestBlend.
	bool AlphaBlend = false;
	TBlend SrcBlend = TBlend::One;
	TBlend DestBlend = TBlend::Zero;
	// Alpha test: a pixel is written only when its alpha passes AlphaFunc against AlphaRef.
	bool AlphaTest = false;
	TCompare AlphaFunc = TCompare::Always;
	uint8_t AlphaRef = 0;
	// Shading: flat takes each triangle's colour from its first vertex.
	bool FlatShading = false;
	// Culling, depth and lighting are always off in this game; kept so states read like the device's.
	bool CullNone = true;
	bool DepthTest = false;
	bool Lighting = false;
	// Texture stage 0 alpha; the colour is always texture x diffuse.
	TStageOp AlphaOp = TStageOp::SelectArg1;
	TStageArg AlphaArg1 = TStageArg::Texture;
	TStageArg AlphaArg2 = TStageArg::Diffuse;
	// Side of the squares drawn for points, in pixels.
	float PointSize = 1.0f;
};

// Vertex of a textured draw (24 bytes) and of an untextured draw or point (16 bytes).
struct TTexVertex {
	float X, Y, Z;
	uint32_t Color;
	float U, V;
};
struct TColorVertex {
	float X, Y, Z;
	uint32_t Color;
};

// State of the device as a cooperative-level check reports it.
enum class TDeviceStatus { Ok, Lost, NotReset };

// What a backend needs to (re)create its back buffer.
struct TPresentParams {
	int BackBufferWidth = 0;
	int BackBufferHeight = 0;
	TTextureFormat BackBufferFormat = TTextureFormat::X8R8G8B8;
	bool Windowed = true;
	bool Immediate = false;
};

// Desktop display mode.
struct TDisplayMode {
	int Width = 0;
	int Height = 0;
	int RefreshRate = 0;
	TTextureFormat Format = TTextureFormat::X8R8G8B8;
};

// Window rectangle in screen coordinates (right and bottom exclusive).
struct TWindowRect {
	int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class IRenderBackend {
public:
	virtual ~IRenderBackend() = default;

	// Short name: "gl" or "software".
	virtual std::string Name() const = 0;
	// Creates the back buffer for the parameters; false when the backend cannot run.
	virtual bool Create(const TPresentParams &params) = 0;
	// Whether a full-screen back buffer of the format can be had.
	virtual bool SupportsFullScreenFormat(TTextureFormat format) const = 0;
	// The desktop mode of the first display.
	virtual TDisplayMode DesktopMode() const;
	// Estimate of the texture memory still available, in bytes.
	virtual uint64_t AvailableTextureMemory() const = 0;

	// Cooperative level: Ok, Lost (wait) or NotReset (Reset may be called).
	TDeviceStatus Status() const { return FStatus; }
	// Recreates the back buffer with new parameters; false when the mode is refused.
	virtual bool Reset(const TPresentParams &params) = 0;
	// Brackets the drawing of one frame.
	virtual bool BeginScene() = 0;
	virtual bool EndScene() = 0;
	// Shows the back buffer in the window (a no-op without a window).
	virtual void Present() = 0;
	// Drops what managed textures keep on the graphics card (they come back when drawn).
	virtual bool EvictManagedResources() = 0;

	// Makes a 256x256 texture of the format in the pool.
	virtual std::unique_ptr<TBackendTexture> CreateTexture(TTextureFormat format, TTexturePool pool) = 0;
	// Binds the texture of stage 0 (null: untextured).
	virtual void SetTexture(TBackendTexture *texture) = 0;
	// Triangle strip from memory with the bound texture.
	virtual void DrawTexturedStrip(const TTexVertex *vertices, int count) = 0;
	// Triangle strip without texture.
	virtual void DrawColorStrip(const TColorVertex *vertices, int count) = 0;
	// Point list: squares of PointSize around each point, without texture.
	virtual void DrawPoints(const TColorVertex *points, int count) = 0;
	// Fills the back buffer with the colour.
	virtual void Clear(uint32_t argb) = 0;
	// The back buffer as ARGB pixels, row-major from the top, alpha 255.
	virtual std::vector<uint32_t> ReadPixels() const = 0;

	// Back-buffer size.
	int Width() const { return FWidth; }
	int Height() const { return FHeight; }

	// Window services: the window rectangle, placement, full-screen switch and client size.
	virtual TWindowRect GetWindowRect() const;
	virtual void PlaceWindow(int x, int y, int width, int height);
	virtual void SetFullScreenWindow(bool fullScreen, int width, int height);
	virtual void SetClientSize(int width, int height);

	// Test and platform hooks: the device is lost (Lost), becomes resettable (NotReset).
	void SimulateLoss() { FStatus = TDeviceStatus::Lost; }
	void SimulateResettable() { if (FStatus == TDeviceStatus::Lost) FStatus = TDeviceStatus::NotReset; }

public:
	// Current render states; draws read them.
	TRenderStates States;

protected:
	explicit IRenderBackend(TWindowHandle window) : FWindow(window) {}

	TWindowHandle FWindow;
	int FWidth = 0;
	int FHeight = 0;
	TDeviceStatus FStatus = TDeviceStatus::Ok;
};

// The backend named by VANTERO_RENDERER ("software" or "gl", default gl); falls back to software
// when no GL context can be had, and is always software under the dummy or offscreen video driver.
std::unique_ptr<IRenderBackend> CreateRenderBackend(TWindowHandle window, const TPresentParams &params);
// A software backend (tests, screenshots).
std::unique_ptr<IRenderBackend> CreateSoftwareBackend(TWindowHandle window, const TPresentParams &params);
// A GL backend, or null when no GL 3.3 core context can be had (window may be empty: a hidden one is made).
std::unique_ptr<IRenderBackend> CreateGLBackend(TWindowHandle window, const TPresentParams &params);

} // namespace vantero::platform
