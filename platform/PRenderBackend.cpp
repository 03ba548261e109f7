#include "platform/PRenderBackend.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace vantero::platform {

int BytesPerTexel(TTextureFormat format)
{
	switch (format) {
	case TTextureFormat::A8R8G8B8:
	case TTextureFormat::X8R8G8B8:
		return 4;
	case TTextureFormat::R5G6B5:
	case TTextureFormat::A1R5G5B5:
	case TTextureFormat::A4R4G4B4:
		return 2;
	case TTextureFormat::Unknown:
		break;
	}
	return 0;
}

namespace {

uint32_t Expand5(uint32_t v) { return (v << 3) | (v >> 2); }
uint32_t Expand6(uint32_t v) { return (v << 2) | (v >> 4); }
uint32_t Expand4(uint32_t v) { return v * 17; }

} // namespace

uint32_t TexelToArgb(TTextureFormat format, uint32_t t)
{
	switch (format) {
	case TTextureFormat::A8R8G8B8:
		return t;
	case TTextureFormat::X8R8G8B8:
		return t | 0xFF000000u;
	case TTextureFormat::R5G6B5:
		return 0xFF000000u | Expand5((t >> 11) & 31) << 16 | Expand6((t >> 5) & 63) << 8 | Expand5(t & 31);
	case TTextureFormat::A1R5G5B5:
		return ((t & 0x8000) ? 0xFF000000u : 0u) | Expand5((t >> 10) & 31) << 16 | Expand5((t >> 5) & 31) << 8
			| Expand5(t & 31);
	case TTextureFormat::A4R4G4B4:
		return Expand4((t >> 12) & 15) << 24 | Expand4((t >> 8) & 15) << 16 | Expand4((t >> 4) & 15) << 8
			| Expand4(t & 15);
	case TTextureFormat::Unknown:
		break;
	}
	return 0;
}

uint32_t ArgbToTexel(TTextureFormat format, uint32_t c)
{
	const uint32_t a = c >> 24, r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
	switch (format) {
	case TTextureFormat::A8R8G8B8:
		return c;
	case TTextureFormat::X8R8G8B8:
		return c | 0xFF000000u;
	case TTextureFormat::R5G6B5:
		return (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3);
	case TTextureFormat::A1R5G5B5:
		return (a >> 7) << 15 | (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
	case TTextureFormat::A4R4G4B4:
		return (a >> 4) << 12 | (r >> 4) << 8 | (g >> 4) << 4 | (b >> 4);
	case TTextureFormat::Unknown:
		break;
	}
	return 0;
}

// --- Textures ---

TBackendTexture::TBackendTexture(TTextureFormat format, TTexturePool pool)
	: FFormat(format), FPool(pool), FPitch(Size * BytesPerTexel(format)),
	  FTexels(static_cast<size_t>(Size) * static_cast<size_t>(FPitch), 0), FArgb(static_cast<size_t>(Size * Size), 0)
{
	for (uint32_t &texel : FArgb)
		texel = TexelToArgb(format, 0);
}

uint8_t *TBackendTexture::Lock()
{
	if (FLocked)
		return nullptr;
	FLocked = true;
	return FTexels.data();
}

void TBackendTexture::Unlock()
{
	if (!FLocked)
		return;
	FLocked = false;
	const int bytes = BytesPerTexel(FFormat);
	const uint8_t *source = FTexels.data();
	uint32_t *target = FArgb.data();
	if (bytes == 4) {
		for (int i = 0; i < Size * Size; ++i) {
			uint32_t t;
			std::memcpy(&t, source + 4 * i, 4);
			target[i] = TexelToArgb(FFormat, t);
		}
	} else {
		for (int i = 0; i < Size * Size; ++i)
			target[i] = TexelToArgb(FFormat, static_cast<uint32_t>(source[2 * i] | source[2 * i + 1] << 8));
	}
	Changed();
}

// --- Window services shared by the backends ---

TDisplayMode IRenderBackend::DesktopMode() const
{
	TDisplayMode mode{1920, 1080, 60, TTextureFormat::X8R8G8B8};
	SDL_DisplayMode sdlMode;
	if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetDesktopDisplayMode(0, &sdlMode) == 0) {
		mode.Width = sdlMode.w;
		mode.Height = sdlMode.h;
		mode.RefreshRate = sdlMode.refresh_rate;
		mode.Format = SDL_BITSPERPIXEL(sdlMode.format) == 16 ? TTextureFormat::R5G6B5 : TTextureFormat::X8R8G8B8;
	}
	return mode;
}

TWindowRect IRenderBackend::GetWindowRect() const
{
	if (!FWindow.Window)
		return {0, 0, FWidth, FHeight};
	int x = 0, y = 0, w = 0, h = 0;
	SDL_GetWindowPosition(FWindow.Window, &x, &y);
	SDL_GetWindowSize(FWindow.Window, &w, &h);
	return {x, y, x + w, y + h};
}

void IRenderBackend::PlaceWindow(int x, int y, int width, int height)
{
	if (!FWindow.Window)
		return;
	SDL_SetWindowPosition(FWindow.Window, x, y);
	SDL_SetWindowSize(FWindow.Window, width, height);
}

void IRenderBackend::SetFullScreenWindow(bool fullScreen, int width, int height)
{
	if (!FWindow.Window)
		return;
	if (fullScreen) {
		SDL_DisplayMode mode;
		const bool haveDesktop = SDL_GetDesktopDisplayMode(0, &mode) == 0;
		SDL_SetWindowBordered(FWindow.Window, SDL_FALSE);
		if (haveDesktop && mode.w == width && mode.h == height) {
			// The desktop's own size: a borderless window over the whole display, no mode change.
			SDL_SetWindowPosition(FWindow.Window, 0, 0);
			SDL_SetWindowSize(FWindow.Window, width, height);
			SDL_SetWindowFullscreen(FWindow.Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
		} else {
			// Another size (a smaller desktop switched to the game's minimum): a real mode change.
			if (haveDesktop) {
				mode.w = width;
				mode.h = height;
				SDL_SetWindowDisplayMode(FWindow.Window, &mode);
			}
			SDL_SetWindowFullscreen(FWindow.Window, SDL_WINDOW_FULLSCREEN);
		}
	} else {
		SDL_SetWindowFullscreen(FWindow.Window, 0);
		SDL_SetWindowBordered(FWindow.Window, SDL_TRUE);
	}
}

void IRenderBackend::SetClientSize(int width, int height)
{
	if (FWindow.Window)
		SDL_SetWindowSize(FWindow.Window, width, height);
}

// --- Choice of backend ---

namespace {

bool HeadlessVideoDriver()
{
	const char *driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
	if (!driver)
		driver = std::getenv("SDL_VIDEODRIVER");
	if (!driver)
		return false;
	const std::string_view name(driver);
	return name == "dummy" || name == "offscreen";
}

} // namespace

std::unique_ptr<IRenderBackend> CreateRenderBackend(TWindowHandle window, const TPresentParams &params)
{
	const char *choice = std::getenv("VANTERO_RENDERER");
	const bool wantSoftware = choice && std::string_view(choice) == "software";
	if (!wantSoftware && !HeadlessVideoDriver()) {
		if (auto gl = CreateGLBackend(window, params))
			return gl;
		SDL_Log("OpenGL 3.3 is not available; drawing with the software renderer");
	}
	return CreateSoftwareBackend(window, params);
}

} // namespace vantero::platform
