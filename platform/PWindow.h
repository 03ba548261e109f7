#pragma once
// The game's one window and its message loop: an SDL2 window, a timer with a settable
// interval, and the activation, minimise, restore, close, key and mouse notifications
// mapped onto a handler interface.

#include "platform/PWindowHandle.h"

#include <cstdint>
#include <string>

namespace vantero::platform {

// Keys and buttons are reported with the game's own codes (Windows-style virtual-key numbers).
enum class TMouseButton : uint8_t { Left, Right, Middle };

// Shift state bits as the input handlers expect them.
enum TShiftFlags : uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };

class IWindowHandler {
public:
	virtual ~IWindowHandler() = default;

	// The timer fired (at the interval set last).
	virtual void OnTimer() = 0;
	// The window wants to be redrawn.
	virtual void OnPaint() = 0;
	// The application became active (focus gained or restored).
	virtual void OnActivate() = 0;
	// The application lost focus or was minimised.
	virtual void OnDeactivate() = 0;
	// Whether the window may close now (the close button, Alt+F4, a quit request).
	virtual bool OnCloseQuery() = 0;
	// The window closes.
	virtual void OnClose() = 0;
	// A key went down (virtual-key code, shift flags).
	virtual void OnKeyDown(int key, uint8_t shift) = 0;
	// Mouse input in client coordinates.
	virtual void OnMouseDown(TMouseButton button, int x, int y) = 0;
	virtual void OnMouseMove(int x, int y) = 0;
	virtual void OnMouseUp(TMouseButton button, int x, int y) = 0;
	virtual void OnDoubleClick() = 0;
};

class TPlatformWindow {
public:
	explicit TPlatformWindow(IWindowHandler &handler);
	~TPlatformWindow();
	TPlatformWindow(const TPlatformWindow &) = delete;
	TPlatformWindow &operator=(const TPlatformWindow &) = delete;

	// Creates the (hidden) window with the caption and client size; throws when SDL cannot make one.
	void Create(const std::string &caption, int clientWidth, int clientHeight);
	// Sets the caption.
	void SetCaption(const std::string &caption);
	// Sets the client size.
	void SetClientSize(int width, int height);
	// Shows, hides, minimises, maximises or restores the window.
	void Show();
	void Hide();
	void Minimize();
	void Maximize();
	void Restore();
	// Places the window's top-left corner.
	void SetPosition(int x, int y);
	// Whether the window is minimised.
	bool IsMinimized() const;
	// Whether the window is shown.
	bool IsVisible() const;
	// Shows or hides the system cursor over the window.
	void ShowSystemCursor(bool visible);
	// Sets the timer interval in milliseconds and whether it runs.
	void SetTimer(int intervalMs, bool enabled);
	// Asks the window to repaint soon (OnPaint from the loop).
	void Invalidate();
	// Runs the message loop until the window is closed.
	void Run();
	// Asks the window to close (OnCloseQuery decides).
	void Close();
	// Ends the message loop at once, without asking.
	void Terminate();
	// The handle the render device draws into.
	TWindowHandle Handle() const { return TWindowHandle{Window}; }
	// Whether a window exists.
	bool Exists() const { return Window != nullptr; }

private:
	void Dispatch(const void *event);
	void FireTimerIfDue();

private:
	// Who is told of the events.
	IWindowHandler &Handler;
	// The SDL window.
	SDL_Window *Window = nullptr;
	// Timer state.
	int TimerInterval = 100;
	bool TimerEnabled = false;
	uint32_t NextTimerTick = 0;
	// Loop state.
	bool Running = false;
	bool PaintPending = false;
	bool OwnsVideo = false;
};

} // namespace vantero::platform
