#include "platform/PWindow.h"

#include "platform/PSystem.h"

#include <SDL.h>

#include <stdexcept>

namespace vantero::platform {

namespace {

// Milliseconds left between the end of one timer handler and the next tick.
constexpr uint32_t MinimumTimerGap = 3;

// Windows-style virtual-key number of an SDL key; 0 for keys the game does not know.
int VirtualKey(SDL_Keycode key)
{
	if (key >= SDLK_a && key <= SDLK_z)
		return 'A' + (key - SDLK_a);
	if (key >= SDLK_0 && key <= SDLK_9)
		return '0' + (key - SDLK_0);
	if (key >= SDLK_F1 && key <= SDLK_F12)
		return 0x70 + (key - SDLK_F1);
	if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
		return 0x61 + (key - SDLK_KP_1);
	switch (key) {
	case SDLK_KP_0: return 0x60;
	case SDLK_BACKSPACE: return 0x08;
	case SDLK_TAB: return 0x09;
	case SDLK_RETURN:
	case SDLK_KP_ENTER: return 0x0D;
	case SDLK_LSHIFT:
	case SDLK_RSHIFT: return 0x10;
	case SDLK_LCTRL:
	case SDLK_RCTRL: return 0x11;
	case SDLK_LALT:
	case SDLK_RALT: return 0x12;
	case SDLK_PAUSE: return 0x13;
	case SDLK_ESCAPE: return 0x1B;
	case SDLK_SPACE: return 0x20;
	case SDLK_PAGEUP: return 0x21;
	case SDLK_PAGEDOWN: return 0x22;
	case SDLK_END: return 0x23;
	case SDLK_HOME: return 0x24;
	case SDLK_LEFT: return 0x25;
	case SDLK_UP: return 0x26;
	case SDLK_RIGHT: return 0x27;
	case SDLK_DOWN: return 0x28;
	case SDLK_INSERT: return 0x2D;
	case SDLK_DELETE: return 0x2E;
	default: return 0;
	}
}

uint8_t ShiftFlags(uint16_t mod)
{
	uint8_t flags = 0;
	if (mod & KMOD_SHIFT)
		flags |= ssShift;
	if (mod & KMOD_ALT)
		flags |= ssAlt;
	if (mod & KMOD_CTRL)
		flags |= ssCtrl;
	return flags;
}

TMouseButton Button(uint8_t sdlButton)
{
	switch (sdlButton) {
	case SDL_BUTTON_RIGHT: return TMouseButton::Right;
	case SDL_BUTTON_MIDDLE: return TMouseButton::Middle;
	default: return TMouseButton::Left;
	}
}

} // namespace

TPlatformWindow::TPlatformWindow(IWindowHandler &handler) : Handler(handler) {}

TPlatformWindow::~TPlatformWindow()
{
	if (Window)
		SDL_DestroyWindow(Window);
	if (OwnsVideo)
		SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS);
}

void TPlatformWindow::Create(const std::string &caption, int clientWidth, int clientHeight)
{
	if (!SDL_WasInit(SDL_INIT_VIDEO)) {
		if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0)
			throw std::runtime_error(std::string("SDL video could not start: ") + SDL_GetError());
		OwnsVideo = true;
	}
	const Uint32 flags = SDL_WINDOW_HIDDEN;
	Window = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, clientWidth, clientHeight,
		flags | SDL_WINDOW_OPENGL);
	if (!Window)
		Window = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, clientWidth,
			clientHeight, flags);
	if (!Window)
		throw std::runtime_error(std::string("The window could not be created: ") + SDL_GetError());
}

void TPlatformWindow::SetCaption(const std::string &caption)
{
	SDL_SetWindowTitle(Window, caption.c_str());
}

void TPlatformWindow::SetClientSize(int width, int height)
{
	SDL_SetWindowSize(Window, width, height);
}

void TPlatformWindow::Show()
{
	SDL_ShowWindow(Window);
}

void TPlatformWindow::Hide()
{
	SDL_HideWindow(Window);
}

void TPlatformWindow::Minimize()
{
	SDL_MinimizeWindow(Window);
}

void TPlatformWindow::Maximize()
{
	SDL_MaximizeWindow(Window);
}

void TPlatformWindow::Restore()
{
	SDL_RestoreWindow(Window);
}

void TPlatformWindow::SetPosition(int x, int y)
{
	SDL_SetWindowPosition(Window, x, y);
}

bool TPlatformWindow::IsMinimized() const
{
	return Window && (SDL_GetWindowFlags(Window) & SDL_WINDOW_MINIMIZED) != 0;
}

bool TPlatformWindow::IsVisible() const
{
	return Window && (SDL_GetWindowFlags(Window) & SDL_WINDOW_SHOWN) != 0;
}

void TPlatformWindow::ShowSystemCursor(bool visible)
{
	SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void TPlatformWindow::SetTimer(int intervalMs, bool enabled)
{
	TimerInterval = intervalMs > 0 ? intervalMs : 1;
	TimerEnabled = enabled;
	NextTimerTick = GetTickCount32() + static_cast<uint32_t>(TimerInterval);
}

void TPlatformWindow::Invalidate()
{
	PaintPending = true;
}

void TPlatformWindow::Close()
{
	SDL_Event event{};
	event.type = SDL_QUIT;
	SDL_PushEvent(&event);
}

void TPlatformWindow::Terminate()
{
	Running = false;
}

void TPlatformWindow::FireTimerIfDue()
{
	if (!TimerEnabled)
		return;
	const uint32_t now = GetTickCount32();
	if (static_cast<int32_t>(now - NextTimerTick) < 0)
		return;
	// A late tick fires once; the timer does not try to catch up.
	NextTimerTick = now + static_cast<uint32_t>(TimerInterval);
	Handler.OnTimer();
	// A frame that ran longer than the interval still leaves a moment before the next one, so that
	// the loading thread gets the resource lock that every loading frame holds.
	const uint32_t earliest = GetTickCount32() + MinimumTimerGap;
	if (static_cast<int32_t>(NextTimerTick - earliest) < 0)
		NextTimerTick = earliest;
}

void TPlatformWindow::Run()
{
	Running = true;
	while (Running) {
		int wait = 0;
		if (TimerEnabled) {
			const auto remaining = static_cast<int32_t>(NextTimerTick - GetTickCount32());
			wait = remaining > 0 ? remaining : 0;
		} else
			wait = 50;
		SDL_Event event;
		if (SDL_WaitEventTimeout(&event, wait)) {
			Dispatch(&event);
			while (Running && SDL_PollEvent(&event))
				Dispatch(&event);
		}
		if (!Running)
			break;
		FireTimerIfDue();
		if (PaintPending && Running) {
			PaintPending = false;
			Handler.OnPaint();
		}
	}
}

void TPlatformWindow::Dispatch(const void *raw)
{
	const SDL_Event &event = *static_cast<const SDL_Event *>(raw);
	switch (event.type) {
	case SDL_QUIT:
		if (Handler.OnCloseQuery()) {
			Handler.OnClose();
			Running = false;
		}
		break;
	case SDL_WINDOWEVENT:
		switch (event.window.event) {
		case SDL_WINDOWEVENT_CLOSE:
			if (Handler.OnCloseQuery()) {
				Handler.OnClose();
				Running = false;
			}
			break;
		case SDL_WINDOWEVENT_FOCUS_GAINED:
		case SDL_WINDOWEVENT_RESTORED:
			Handler.OnActivate();
			break;
		case SDL_WINDOWEVENT_FOCUS_LOST:
		case SDL_WINDOWEVENT_MINIMIZED:
			Handler.OnDeactivate();
			break;
		case SDL_WINDOWEVENT_EXPOSED:
			PaintPending = true;
			break;
		default:
			break;
		}
		break;
	case SDL_KEYDOWN: {
		const int key = VirtualKey(event.key.keysym.sym);
		if (key != 0)
			Handler.OnKeyDown(key, ShiftFlags(event.key.keysym.mod));
		break;
	}
	case SDL_MOUSEBUTTONDOWN:
		Handler.OnMouseDown(Button(event.button.button), event.button.x, event.button.y);
		if (event.button.clicks == 2)
			Handler.OnDoubleClick();
		break;
	case SDL_MOUSEBUTTONUP:
		Handler.OnMouseUp(Button(event.button.button), event.button.x, event.button.y);
		break;
	case SDL_MOUSEMOTION:
		Handler.OnMouseMove(event.motion.x, event.motion.y);
		break;
	default:
		break;
	}
}

} // namespace vantero::platform
