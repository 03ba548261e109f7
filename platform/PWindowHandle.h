#pragma once
// An opaque handle of the game's window, handed from the shell to the render device.

struct SDL_Window;

namespace vantero::platform {

struct TWindowHandle {
	SDL_Window *Window = nullptr;
};

} // namespace vantero::platform
