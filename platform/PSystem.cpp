#include "platform/PSystem.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace vantero::platform {

namespace {
std::function<void(const std::string &)> &FatalExitHandler()
{
	static std::function<void(const std::string &)> handler;
	return handler;
}
} // namespace

uint32_t GetTickCount32()
{
	using namespace std::chrono;
	const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
	return static_cast<uint32_t>(ms);
}

void ShowErrorBox(const std::string &title, const std::string &text)
{
	std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
	std::fflush(stderr);
	const char *driver = SDL_GetCurrentVideoDriver();
	const char *wanted = SDL_getenv("SDL_VIDEODRIVER");
	const bool headless = (driver && (SDL_strcmp(driver, "dummy") == 0 || SDL_strcmp(driver, "offscreen") == 0))
		|| (wanted && (SDL_strcmp(wanted, "dummy") == 0 || SDL_strcmp(wanted, "offscreen") == 0));
	if (!headless)
		SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr);
}

void SetFatalExitHandler(std::function<void(const std::string &)> handler)
{
	FatalExitHandler() = std::move(handler);
}

void ExitAfterFatalError(const std::string &message)
{
	if (FatalExitHandler())
		FatalExitHandler()(message);
	std::_Exit(1);
}

} // namespace vantero::platform
