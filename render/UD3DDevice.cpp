#include "render/UD3DDevice.h"

#include "config/UConfigKeys.h"
#include "config/UResolution.h"
#include "platform/PSystem.h"

namespace vantero {

using platform::TDeviceStatus;
using platform::TTextureFormat;

TD3DDevice *RenderDevice = nullptr;

namespace {

const char *const NotSupportedMessage = "Sorry, but your system does not support\n\rthe queried technique for this game.";
const char *const LostMessage = "Device is lost. Possibly, this video mode is not supported.";

[[noreturn]] void DeviceAssertion(int line)
{
	AssertionFailed("Assertion failure", "UD3DDevice", line, reinterpret_cast<uintptr_t>(__builtin_return_address(0)));
}

// A configuration key compared as a number.
double KeyNumber(const char *key)
{
	return ConfigReal(key);
}

} // namespace

TD3DDevice::TD3DDevice() = default;

TD3DDevice::~TD3DDevice()
{
	try {
		CallEvent(OnDestroy, *this);
	} catch (...) {
		// A destructor never throws; the device is released regardless.
	}
	Device.reset();
	if (RenderDevice == this)
		RenderDevice = nullptr;
}

uint32_t TD3DDevice::Now() const
{
	return Clock ? Clock() : platform::GetTickCount32();
}

void TD3DDevice::Open(int width, int height, platform::TWindowHandle focusWindow, platform::TWindowHandle deviceWindow,
	bool &firstRun, bool fullScreen, bool probeOnly, bool reduced)
{
	(void)focusWindow; // SDL has no separate focus window: the device window takes the focus.
	Width = width;
	Height = height;
	Window = deviceWindow;

	// The graphics interface itself, first with a windowed back buffer of the requested size.
	platform::TPresentParams probe;
	probe.BackBufferWidth = width;
	probe.BackBufferHeight = height;
	Device = BackendFactory ? BackendFactory(Window, probe) : platform::CreateRenderBackend(Window, probe);
	if (!Device)
		FatalError(NotSupportedMessage);

	FullScreenFormat = TTextureFormat::Unknown;
	for (const TTextureFormat candidate : {TTextureFormat::X8R8G8B8, TTextureFormat::R5G6B5})
		if (Device->SupportsFullScreenFormat(candidate)) {
			FullScreenFormat = candidate;
			break;
		}
	DisplayMode = Device->DesktopMode();

	IsFullScreen = fullScreen && FullScreenFormat != TTextureFormat::Unknown;
	PresentParams = platform::TPresentParams{};
	PresentParams.BackBufferWidth = Width;
	PresentParams.BackBufferHeight = Height;
	PresentParams.Windowed = !IsFullScreen;
	PresentParams.BackBufferFormat = IsFullScreen ? FullScreenFormat : DisplayMode.Format;
	PresentParams.Immediate = IsFullScreen;

	WindowRect = Device->GetWindowRect();
	if (!Device->Reset(PresentParams))
		RaiseGameError("CreateDevice: Invalid call");
	if (probeOnly)
		return;

	if (IsFullScreen) {
		Device->SetFullScreenWindow(true, Width, Height);
		Device->PlaceWindow(0, 0, Width, Height);
	} else {
		const platform::TWindowRect own = Device->GetWindowRect();
		Device->PlaceWindow(DisplayMode.Width / 2 - Width / 2, DisplayMode.Height / 2 - Height / 2,
			own.Right - own.Left, own.Bottom - own.Top);
	}

	Use16Bit = KeyNumber("Force16Bit") == 1.0
		|| static_cast<double>(AvailableTextureMemory()) < KeyNumber("MinimumVideoMemoryTo32Bit") || reduced;
	firstRun = firstRun || !CheckBundles();
	CallEvent(OnCreate, *this);
	TextureDepth = FullScreenFormat == TTextureFormat::X8R8G8B8 && !Use16Bit ? 2 : 1;
	ResetDevice(false);
}

uint64_t TD3DDevice::AvailableTextureMemory() const
{
	return Device ? Device->AvailableTextureMemory() : 0;
}

bool TD3DDevice::CheckBundles() const
{
	return BundleCheck ? BundleCheck(*this) : true;
}

void TD3DDevice::ResetDevice(bool keepFormat)
{
	if (ErrorRaised || !Device)
		return;
	if (Device->Status() == TDeviceStatus::Lost)
		return;
	CallEvent(OnLost, *this);
	if (PresentParams.Windowed && !keepFormat) {
		DisplayMode = Device->DesktopMode();
		PresentParams.BackBufferFormat = DisplayMode.Format;
	}
	if (!Device->Reset(PresentParams))
		RaiseGameError(LostMessage);
	// A reset returns every state to its default; then the game's defaults, in this order.
	platform::TRenderStates &states = Device->States;
	states = platform::TRenderStates{};
	states.CullNone = true;
	states.DepthTest = false;
	states.FlatShading = false;
	states.Lighting = false;
	states.AlphaTest = true;
	states.AlphaRef = 0;
	states.AlphaFunc = platform::TCompare::NotEqual;
	CallEvent(OnReset, *this);
	// Viewport and projection: the backends map pixel (x, y) of the Width x Height back buffer
	// to (2x / Width - 1, 1 - 2y / Height) with pixel centres on integer coordinates.
}

bool TD3DDevice::BeginFrame()
{
	if (!Device)
		return false;
	switch (Device->Status()) {
	case TDeviceStatus::Lost:
		return false;
	case TDeviceStatus::NotReset:
		ResetDevice(false);
		return false;
	case TDeviceStatus::Ok:
		break;
	}
	const uint32_t now = Now();
	if (now - FpsTick > 1000) {
		Fps = static_cast<double>(FrameCount) / static_cast<double>(now - FpsTick) * 1000.0;
		FpsTick = now;
		FrameCount = 0;
	}
	++FrameCount;
	if (!Device->BeginScene())
		DeviceAssertion(330);
	return true;
}

void TD3DDevice::EndFrame()
{
	if (!Device)
		return;
	if (!Device->EndScene())
		DeviceAssertion(337);
	if (EvictPending) {
		EvictPending = false;
		if (!Device->EvictManagedResources())
			DeviceAssertion(750);
	}
	if (ToggleRequested) {
		ToggleRequested = false;
		ToggleFullScreen();
	}
}

int TD3DDevice::Present()
{
	if (!Device)
		return -1;
	if (Device->Status() != TDeviceStatus::Ok)
		return 1;
	Device->Present();
	return 0;
}

void TD3DDevice::RequestFullScreen(bool fullScreen)
{
	if (fullScreen != IsFullScreen)
		ToggleRequested = true;
}

void TD3DDevice::RequestEvict()
{
	EvictPending = true;
}

void TD3DDevice::ToggleFullScreen()
{
	if (!Device)
		return;
	if (ResolutionDialogShowing && ResolutionDialogShowing())
		return;
	if (IsFullScreen) {
		Device->SetFullScreenWindow(false, Width, Height);
		Device->PlaceWindow(WindowRect.Left, WindowRect.Top, WindowRect.Right - WindowRect.Left,
			WindowRect.Bottom - WindowRect.Top);
		PresentParams.Windowed = true;
		PresentParams.BackBufferFormat = DisplayMode.Format;
		PresentParams.Immediate = false;
		if (FramedLayout) {
			PresentParams.BackBufferWidth = GameWidth;
			PresentParams.BackBufferHeight = GameHeight;
			Width = GameWidth;
			Height = GameHeight;
			GameOffsetX = 0;
			GameOffsetY = 0;
			Device->SetClientSize(GameWidth, GameHeight);
		}
		IsFullScreen = false;
	} else {
		if (FullScreenFormat == TTextureFormat::Unknown)
			return;
		if (FramedLayout) {
			Width = ScreenWidth;
			Height = ScreenHeight;
			ComputeGameOffsets();
			Device->SetClientSize(ScreenWidth, ScreenHeight);
		}
		Device->SetFullScreenWindow(true, Width, Height);
		Device->PlaceWindow(0, 0, Width, Height);
		PresentParams.Windowed = false;
		PresentParams.BackBufferFormat = FullScreenFormat;
		PresentParams.Immediate = true;
		if (FramedLayout) {
			PresentParams.BackBufferWidth = ScreenWidth;
			PresentParams.BackBufferHeight = ScreenHeight;
		}
		IsFullScreen = true;
	}
	ResetDevice(true);
	if (IsFullScreen && ShowResolutionConfirm && !(ResolutionDialogShowing && ResolutionDialogShowing()))
		ShowResolutionConfirm();
}

void TD3DDevice::SetCommonStates(bool flatShading)
{
	platform::TRenderStates &states = Device->States;
	states.CullNone = true;
	states.DepthTest = false;
	states.FlatShading = flatShading;
	states.Lighting = false;
}

void TD3DDevice::FillRect(const TRect &rect, const std::array<uint32_t, 4> &colors)
{
	if (!Device)
		return;
	SetCommonStates(false);
	platform::TRenderStates &states = Device->States;
	states.AlphaBlend = true;
	states.SrcBlend = platform::TBlend::SrcAlpha;
	states.DestBlend = platform::TBlend::InvSrcAlpha;
	states.AlphaOp = platform::TStageOp::SelectArg1;
	states.AlphaArg1 = platform::TStageArg::Diffuse;
	const float left = static_cast<float>(rect.Left) - 0.5f, right = static_cast<float>(rect.Right) - 0.5f;
	const float top = static_cast<float>(rect.Top) - 0.5f, bottom = static_cast<float>(rect.Bottom) - 0.5f;
	const platform::TColorVertex vertices[4] = {
		{left, bottom, 0.0f, colors[3]},
		{right, bottom, 0.0f, colors[2]},
		{left, top, 0.0f, colors[0]},
		{right, top, 0.0f, colors[1]},
	};
	Device->SetTexture(nullptr);
	Device->DrawColorStrip(vertices, 4);
}

void TD3DDevice::ShadeScreen()
{
	FillRect(TRect{0, 0, Width, Height}, {0x90000000u, 0x90000000u, 0x90000000u, 0x90000000u});
}

uint64_t ProbeVideoMemory(platform::TWindowHandle applicationWindow, platform::TWindowHandle formWindow)
{
	TD3DDevice device;
	bool firstRun = false;
	device.Open(800, 600, applicationWindow, formWindow, firstRun, false, true, false);
	return device.AvailableTextureMemory();
}

} // namespace vantero
