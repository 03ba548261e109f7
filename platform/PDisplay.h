#pragma once
// The desktop's display mode and the mode the full-screen window is to use.
// Changing the desktop size is done the SDL way: a requested mode is tested and recorded here,
// and the full-screen window applies it; leaving full screen gives the desktop its own mode back.

#include <cstdint>
#include <optional>
#include <string>

namespace vantero::platform {

struct TDisplayMode {
	int Width = 0;
	int Height = 0;
	int RefreshRate = 0;  // Hz, 0 when unknown
	uint32_t Format = 0;  // SDL pixel format, 0 for the desktop's
};

// The desktop mode of the first display (starts SDL's video part when needed; the environment
// variable VANTERO_DESKTOP=WxH stands in for it in headless runs); nothing when
// there is none, with SDL's reason in Error when given.
std::optional<TDisplayMode> DesktopDisplayMode(std::string *error = nullptr);
// Tests a mode of at least Width x Height on the first display; when the display has one, records
// the closest such mode for the full-screen window and returns true.
bool RequestDisplayMode(int width, int height);
// The mode recorded by RequestDisplayMode; nothing means the desktop's own mode.
std::optional<TDisplayMode> RequestedDisplayMode();
// Forgets the recorded mode: full screen uses the desktop's own mode again.
void ClearRequestedDisplayMode();

} // namespace vantero::platform
