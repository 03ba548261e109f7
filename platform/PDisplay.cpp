#include "platform/PDisplay.h"

#include <SDL.h>

namespace vantero::platform {

namespace {

std::optional<TDisplayMode> &Requested()
{
	static std::optional<TDisplayMode> mode;
	return mode;
}

bool StartVideo()
{
	return SDL_WasInit(SDL_INIT_VIDEO) != 0 || SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

TDisplayMode FromSdl(const SDL_DisplayMode &mode)
{
	return TDisplayMode{mode.w, mode.h, mode.refresh_rate, mode.format};
}

} // namespace

std::optional<TDisplayMode> DesktopDisplayMode(std::string *error)
{
	// Headless runs (screenshots, tests) may pretend to have another desktop: VANTERO_DESKTOP=1920x1080.
	if (const char *forced = SDL_getenv("VANTERO_DESKTOP")) {
		int width = 0;
		int height = 0;
		if (SDL_sscanf(forced, "%dx%d", &width, &height) == 2 && width > 0 && height > 0)
			return TDisplayMode{width, height, 60, 0};
	}
	SDL_DisplayMode mode{};
	if (!StartVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) {
		if (error)
			*error = SDL_GetError();
		return std::nullopt;
	}
	return FromSdl(mode);
}

bool RequestDisplayMode(int width, int height)
{
	if (width <= 0 || height <= 0 || !StartVideo())
		return false;
	SDL_DisplayMode wanted{};
	wanted.w = width;
	wanted.h = height;
	SDL_DisplayMode closest{};
	if (!SDL_GetClosestDisplayMode(0, &wanted, &closest))
		return false;
	Requested() = FromSdl(closest);
	return true;
}

std::optional<TDisplayMode> RequestedDisplayMode()
{
	return Requested();
}

void ClearRequestedDisplayMode()
{
	Requested().reset();
}

} // namespace vantero::platform
