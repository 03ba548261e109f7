#pragma once
// The render device the whole game draws on: one instance for the run (RenderDevice), opened on the
// main window. It chooses the back-buffer formats, restores a lost device, switches between window
// and full screen at the end of a frame, counts frames per second, draws untextured colour quads
// and decides whether textures are 16-bit or 32-bit. Sprites and particles submit their quads to
// Device (the graphics backend) through the states set here.

#include "config/UEvents.h"
#include "config/UUtils.h"
#include "platform/PRenderBackend.h"
#include "platform/PWindowHandle.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace vantero {

class TD3DDevice {
public:
	// Makes an empty object; nothing is opened.
	TD3DDevice();
	// Calls OnDestroy and releases the device.
	~TD3DDevice();
	TD3DDevice(const TD3DDevice &) = delete;
	TD3DDevice &operator=(const TD3DDevice &) = delete;

	// Creates the device on deviceWindow with a width x height back buffer; sets firstRun when the
	// bundle cache is incomplete; probeOnly stops once the device exists; reduced forces 16-bit textures.
	void Open(int width, int height, platform::TWindowHandle focusWindow, platform::TWindowHandle deviceWindow,
		bool &firstRun, bool fullScreen, bool probeOnly, bool reduced);
	// The device's estimate of available texture memory in bytes.
	uint64_t AvailableTextureMemory() const;
	// False when nothing may be drawn this frame (device lost, or reset just done); else counts the frame.
	bool BeginFrame();
	// Ends the scene, then runs the pending eviction and window/full-screen switch.
	void EndFrame();
	// Shows the back buffer in Window; 0 on success (callers ignore the result).
	int Present();
	// Restores the device and the default render states (keepFormat: keep the back-buffer format).
	void ResetDevice(bool keepFormat);
	// Requests a switch at the end of the frame when the wish differs from IsFullScreen.
	void RequestFullScreen(bool fullScreen);
	// Switches between window and full screen (normally run by EndFrame).
	void ToggleFullScreen();
	// Requests the eviction of managed resources at the end of the frame.
	void RequestEvict();
	// Colour-interpolated, alpha-blended quad; colours top-left, top-right, bottom-right, bottom-left.
	void FillRect(const TRect &rect, const std::array<uint32_t, 4> &colors);
	// FillRect over the whole back buffer with 0x90000000 at every corner.
	void ShadeScreen();
	// Whether every cached graphics bundle for the current texture depth exists (through BundleCheck).
	bool CheckBundles() const;

public:
	// Adapter: the full-screen back-buffer format (Unknown: full screen impossible) and the desktop mode.
	platform::TTextureFormat FullScreenFormat = platform::TTextureFormat::Unknown;
	platform::TDisplayMode DisplayMode;
	// Parameters with which the device was created and is reset.
	platform::TPresentParams PresentParams;
	// The graphics device (owned).
	std::unique_ptr<platform::IRenderBackend> Device;
	bool IsFullScreen = false;
	// Frame-rate measurement.
	uint32_t FpsTick = 0;
	int FrameCount = 0;
	double Fps = 0.0;
	// The window's rectangle when the device was opened, and the window drawn into.
	platform::TWindowRect WindowRect;
	platform::TWindowHandle Window;
	// Back-buffer size.
	int Width = 0;
	int Height = 0;
	// Notifications: after creation, before every reset, after every reset, at destruction.
	TNotifyEvent<TD3DDevice> OnCreate;
	TNotifyEvent<TD3DDevice> OnLost;
	TNotifyEvent<TD3DDevice> OnReset;
	TNotifyEvent<TD3DDevice> OnDestroy;
	// Texture depth: 2 for 32-bit textures, 1 for 16-bit, and the decision behind it.
	uint8_t TextureDepth = 2;
	bool Use16Bit = false;
	// Requests run at the end of the frame.
	bool EvictPending = false;
	bool ToggleRequested = false;

	// --- Connections to the rest of the game (unset: the manager or cache does not exist yet) ---
	// Whether the manager's resolution-confirmation dialog is showing.
	std::function<bool()> ResolutionDialogShowing;
	// Asks the manager to show the resolution-confirmation dialog.
	std::function<void()> ShowResolutionConfirm;
	// Whether the bundle cache is complete for the device (unset: complete).
	std::function<bool(const TD3DDevice &)> BundleCheck;
	// Millisecond tick count of the frame-rate measurement (unset: the system tick count).
	std::function<uint32_t()> Clock;
	// Makes the graphics backend (unset: the one named by VANTERO_RENDERER, see PRenderBackend.h).
	std::function<std::unique_ptr<platform::IRenderBackend>(platform::TWindowHandle, const platform::TPresentParams &)>
		BackendFactory;

private:
	// Sets the render states shared by every quad: culling, depth test and lighting off.
	void SetCommonStates(bool flatShading);
	uint32_t Now() const;
};

// The one render device of the run (owned by the main form).
extern TD3DDevice *RenderDevice;

// Opens a temporary windowed 800x600 device with ProbeOnly and returns its available texture memory.
uint64_t ProbeVideoMemory(platform::TWindowHandle applicationWindow, platform::TWindowHandle formWindow);

} // namespace vantero
