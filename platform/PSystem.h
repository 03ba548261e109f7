#pragma once
// Operating-system services the game needs outside the window: the millisecond tick
// count and the error box. The only place (with the rest of platform/) that includes SDL.

#include <cstdint>
#include <functional>
#include <string>

namespace vantero::platform {

// Milliseconds since an arbitrary start, wrapping at 2^32.
uint32_t GetTickCount32();
// Shows a modal error box with an OK button (when a video driver allows) and writes the text to stderr.
void ShowErrorBox(const std::string &title, const std::string &text);
// Replaces how the process ends on a fatal error (tests install a handler that throws).
void SetFatalExitHandler(std::function<void(const std::string &)> handler);
// Ends the process after a fatal error: calls the installed handler, else exits with status 1.
[[noreturn]] void ExitAfterFatalError(const std::string &message);

} // namespace vantero::platform
