#include "shell/UVanteroForm.h"

#include "audio/IGSoundEngine.h"
#include "audio/UBassEngine.h"
#include "config/UConfig.h"
#include "config/UConfigKeys.h"
#include "config/UConfigPreprocessor.h"
#include "config/UFolders.h"
#include "config/UGRegistry.h"
#include "config/UResolution.h"
#include "config/ULanguage.h"
#include "config/UUtils.h"
#include "platform/PSystem.h"
#include "platform/PTolvane.h"
#include "text/UTextConvert.h"
#include "render/UD3DDevice.h"
#include "render/UBundleCache.h"
#include "render/USpritePool.h"
#include "config/UConfigKeyParser.h"

#include <cmath>
#include <exception>

namespace vantero {

bool FullScreenSetting = true;

namespace {

constexpr int BorderSize = 30;
constexpr uint32_t ShadeColour = 0x90000000u;

} // namespace

TVanteroForm::TVanteroForm() : MainWindow(std::make_unique<platform::TPlatformWindow>(*this)) {}

TVanteroForm::~TVanteroForm()
{
	if (LoadingThread)
		LoadingThread->WaitFor();
}

void TVanteroForm::Run()
{
	MainWindow->Show();
	MainWindow->Run();
}

// --- Start-up ---

void TVanteroForm::FormCreate()
{
	// The window exists before the form's creation handler runs; it stays hidden until shown.
	MainWindow->Create("Vantero", GameWidth, GameHeight);

	// 1-2: input guards and controllers.
	FrameCounter = 0;
	ControllerPresent = false;

	// 3: single instance.
	if (!IsSingleInstance("Vantero Vista"))
		FatalError("Vantero already running!");

	try {
		// 4
		RecentInput = true;
		Stage = stCreated;
		LeftFullScreen = false;

		// 5: video memory decides the quality level.
		const double memory = static_cast<double>(ProbeVideoMemory(MainWindow->Handle(), MainWindow->Handle()));
		Reduced = memory < 128000000.0;
		if (memory < 64000001.0) {
			LowDetail = true;
			VideoMemoryLow = true;
		} else if (memory < 128000000.0)
			VideoMemoryMedium = true;

		// 6: resolution, configuration, layout values.
		ChooseResolution();
		LoadConfig();
		ReadLayoutValues();
		if (ConfigEquals("AllocConsole", "1") || ConfigEquals("AllocConsole", "true"))
			AllocDebugConsole();

		// 7-8: Vista-only and parental-control checks.
		if (!IsVista && ConfigEquals("RunOnlyOnVista", "1"))
			FatalError(ConfigText("MsgApplicationIsOnlyVistaCompatible"));
		if (IsVista && platform::CallVerifyAccess(Utf8ToUtf16(ProgramPath())) == 1)
			FatalError(ConfigText("MsgParentalControlFailed"));

		// 9
		TimerInterval = 10;
		MainWindow->SetTimer(TimerInterval, true);

		// 10: sound engine; one that cannot start is replaced silently.
		if (ConfigInteger("SoundsEnabled") == 1) {
			try {
				SoundEngine = std::make_shared<TGBassEngine>(*Config, platform::TWindowHandle{}, 55, 45);
			} catch (const std::exception &error) {
				ErrorRaised = false;
				DebugLine(std::string("Sound engine unavailable: ") + error.what());
				SoundEngine = std::make_shared<TGSilentBassEngine>();
			}
		} else
			SoundEngine = std::make_shared<TGSilentBassEngine>();

		// 11
		LoadingThread.reset();
		Stage = stStarting;

		// 12-13: caption, device object, hooks.
		MainWindow->SetCaption("Vantero");
		Device = std::make_unique<TD3DDevice>();
		RenderDevice = Device.get();
		Device->OnCreate = [](TD3DDevice &) {};
		Device->OnLost = [](TD3DDevice &) {};
		Device->OnReset = [](TD3DDevice &) {};
		Device->OnDestroy = [](TD3DDevice &) {};
		Device->BundleCheck = [](const TD3DDevice &device) { return CheckBundles(device); };

		// 14-18, with the registry store open.
		TGRegistry registry;
		bool fullScreen = true;
		if (MediaCenterMode)
			FullScreenSetting = registry.ReadInteger("FullScreen", 1) == 1;
		else {
			const int value = registry.ReadInteger("FullScreen", 1);
			fullScreen = value != 0;
			if (fullScreen)
				FullScreenSetting = value == 1;
		}
		int width = ScreenWidth;
		int height = ScreenHeight;
		if (!fullScreen) {
			width = GameWidth;
			height = GameHeight;
			GameOffsetX = 0;
			GameOffsetY = 0;
		}
		MainWindow->SetClientSize(width, height);

		FirstRun = GraphicsChanged();
		Device->Open(width, height, MainWindow->Handle(), MainWindow->Handle(), FirstRun, fullScreen, false, Reduced);

		// 17: the cursor's and the frame's own pools (drawn in screen coordinates).
		CursorPool = std::make_unique<TSpritePool>(true);
		CursorPool->LoadFolder("no-gfx/base/arrows", FlattenPath("no-gfx/base/arrows"), false, false);
		if (FramedLayout) {
			BorderPool = std::make_unique<TSpritePool>(true);
			BorderPool->LoadFolder("no-gfx/base/backtextures", FlattenPath("no-gfx/base/backtextures"), false, false);
		}

		StartSplash(registry);
	} catch (const std::exception &error) {
		FatalError(error.what());
	}

	// 19
	KeyStackTime = 0.0;
	ResetFrameTimer();
}

bool TVanteroForm::GraphicsChanged()
{
	TGRegistry registry;
	const uint32_t stored = registry.ValueExists("CheckSum") ? static_cast<uint32_t>(registry.ReadInteger("CheckSum", 0)) : 0u;
	return FolderChecksum("graphics") != stored;
}

void TVanteroForm::StartSplash(TGRegistry &registry)
{
	// 1: the loading screen's own pool, filled from the no-gfx folders.
	LoadingPool = std::make_unique<TSpritePool>(false);
	const std::string folders[] = {
		"no-gfx/" + LanguageFolder + "/" + ResolutionTag + "/loading",
		"no-gfx/base/loading",
		"no-gfx/" + LanguageFolder + "/loading",
		"no-gfx/base/" + ResolutionTag + "/loading",
	};
	for (const std::string &folder : folders)
		LoadingPool->LoadFolder(folder, "loading", false, false);

	// 2-3
	MainWindow->ShowSystemCursor(false);
	InputEnabled = 1;
	TimerInterval = 20;
	MainWindow->SetTimer(TimerInterval, true);

	// 4
	if (registry.ReadInteger("SplashScreen", 1) != 0) {
		Stage = stSplash;
		SplashRemaining = ConfigStrToFloat(ConfigText("SplashScreenTimeout"));
	} else
		StartLoading();
}

void TVanteroForm::StartLoading()
{
	if (FirstRun)
		LoadingExpected = 75.0;
	else {
		TGRegistry registry;
		LoadingExpected = registry.ReadInteger("LoadingTime", 10000) * 0.001;
		if (LoadingExpected < 1.0)
			LoadingExpected = 10.0;
	}
	LoadingElapsed = 0.0;
	FirstRunDuration = 0.0;
	Stage = stLoading;
	LoadingThread = std::make_unique<TInitialLoading>([this] { LoadResources(); });
	LoadingThread->OnTerminate = [this] { LoadingFinished(); };
}

void TVanteroForm::LoadResources()
{
	// 1: the first run rebuilds the bundle cache from the graphics folders.
	if (FirstRun) {
		RebuildBundleCache();
		FirstRunDuration = LoadingElapsed;
	}
	// 2: the game's pool from the cached bundles.
	GamePool = std::make_unique<TSpritePool>(false);
	const std::string packs[] = {
		"base",
		LanguageFolder,
		FlattenPath(LanguageFolder + "/" + ResolutionTag),
		FlattenPath("base/" + ResolutionTag + "/"),
	};
	for (const std::string &packId : packs)
		GamePool->LoadBundle(packId, false);
	SpritePool = GamePool.get();
	// 3
	LoadingRealTime = LoadingElapsed - FirstRunDuration;
	if (SoundEngine)
		SoundEngine->LoadSounds();
}

void TVanteroForm::CheckLoadingThread()
{
	if (!LoadingThread || !LoadingThread->Finished() || !LoadingThread->OnTerminate)
		return;
	LoadingThread->WaitFor();
	const auto onTerminate = std::move(LoadingThread->OnTerminate);
	LoadingThread->OnTerminate = nullptr;
	onTerminate();
}

void TVanteroForm::LoadingFinished()
{
	Stage = stLoaded;
	LastInputTick = platform::GetTickCount32();
	RecentInput = true;
	TimerInterval = 10;
	MainWindow->SetTimer(TimerInterval, true);

	if (!LoadingThread->ErrorMessage().empty())
		FatalError(LoadingThread->ErrorMessage());

	LoadingExpected = LoadingElapsed;
	DebugLine("Loading time: " + std::to_string(LoadingElapsed));
	DebugLine("Initial time: " + std::to_string(FirstRunDuration));
	DebugLine("Real time: " + std::to_string(LoadingRealTime));

	TGRegistry registry;
	registry.WriteInteger("LoadingTime", RoundHalfEven(LoadingRealTime * 1000.0));
	registry.WriteInteger("CheckSum", static_cast<int>(FolderChecksum("graphics")));
}

void TVanteroForm::LoadingButtonClick()
{
	Stage = stLeavingLoading;
}

void TVanteroForm::SetInputEnabled(uint8_t value)
{
	InputEnabled = value;
}

// --- Frame loop ---

void TVanteroForm::GameTimerTimer()
{
	// The loading thread's end is reported even after an error, so that its message is shown.
	CheckLoadingThread();
	if (ErrorRaised)
		return;
	if (AppActive && MainWindow->IsMinimized())
		AppDeactivate();
	if (!AppActive && WindowFocused && !MainWindow->IsMinimized() && MainWindow->IsVisible()) {
		DebugLine("GameTimer Activate");
		AppActivate();
	}
	RunFrame();
}

void TVanteroForm::FormPaint()
{
	RunFrame();
}

void TVanteroForm::RunFrame()
{
	try {
		if (ErrorRaised)
			return;
		// A minimised window stays mapped: hidden, it would lose its taskbar entry and could not be restored.

		// 3-4: frame counting and the key stack's clock.
		const double fps = Device ? Device->Fps : 0.0;
		const int n = RoundHalfEven(fps * 10.0 / 60.0);
		++FrameCounter;
		if (n == 0 || FrameCounter % n == 0)
			KeyStackTime = 0.0;
		KeyStackTime += FrameTime;
		if (KeyStackTime > 0.1)
			KeyStackTime = 0.0;

		// 5
		RecentInput = platform::GetTickCount32() - LastInputTick < 3000u;

		RenderFrame();
	} catch (const std::exception &error) {
		FatalError(error.what());
	}
}

void TVanteroForm::RenderFrame()
{
	if (!Device)
		return;
	// 1: inactive, only present; inactive time is not counted.
	if (!AppActive) {
		Device->Present();
		ResetFrameTimer();
		return;
	}
	// 2: while loading, the frame runs under the resource lock.
	const bool locked = Stage == stLoading;
	if (locked)
		Lock();
	std::exception_ptr failure;
	try {
		// 3
		if (Device->BeginFrame()) {
			try {
				// 4
				TickFrameTimer();
				// 5
				if (FramedLayout) {
					if (Stage < stLoading)
						Device->ShadeScreen();
					else
						DrawBorder();
				}
				// 6: no fader yet: the fade is complete at once.
				if (Stage == stLeavingLoading) {
					LoadingPool.reset();
					Stage = stRunning;
				}
				// 7
				if (Stage >= stSplash && Stage <= stLeavingLoading) {
					if (!FramedLayout)
						ShadeGameScreen();
					if (Stage == stSplash || Stage == stSplashFading) {
						SplashRemaining -= FrameTime;
						if (SplashRemaining < 0.0) {
							ShadeGameScreen();
							StartLoading();
						} else {
							if (SplashRemaining < 1.0 && Stage == stSplash)
								Stage = stSplashFading;
							ShadeGameScreen();
							const TSequence &splash = LoadingPool->GetSequence("loading/splashscreen");
							DrawSpriteAt(splash.Frame(0), (GameWidth - splash.Width) / 2, (GameHeight - splash.Height) / 2);
						}
					} else {
						DrawSequenceFrame(*LoadingPool, "loading/loadingscreen", 0, 0, 255);
						DrawSequenceFrame(*LoadingPool, "loading/loadingscreen_sign", ConfigInteger("LoadingScreenCaptionX"),
							ConfigInteger("LoadingScreenCaptionY"), 255);
						DrawLoadingBar();
					}
				}
				// 10: the cursor.
				if (!IsLoading() && RecentInput && InputEnabled == 1 && CursorPool)
					DrawSequenceFrame(*CursorPool, "no-gfx/base/arrows/arrow", MouseX, MouseY, 255);
			} catch (...) {
				failure = std::current_exception();
			}
			// 11: the frame is ended and presented also when a step above raised.
			Device->EndFrame();
			Device->Present();
		}
	} catch (...) {
		if (!failure)
			failure = std::current_exception();
	}
	if (locked)
		Unlock();
	if (failure)
		std::rethrow_exception(failure);
}

void TVanteroForm::DrawSequenceFrame(TSpritePool &pool, const std::string &name, int x, int y, int alpha)
{
	DrawSprite(pool.GetSequence(name).Frame(0), alpha, 0, 1.0, x, y);
}

void TVanteroForm::ShadeGameScreen()
{
	Device->FillRect(TRect{0, 0, Device->Width, Device->Height}, {ShadeColour, ShadeColour, ShadeColour, ShadeColour});
}

void TVanteroForm::DrawLoadingBar()
{
	LoadingElapsed += FrameTime;
	double p = LoadingExpected > 0.0 ? LoadingElapsed / LoadingExpected : 1.0;
	if (p > 1.0)
		p = 1.0;
	const int x = ConfigInteger("LoadingBarX");
	const int y = ConfigInteger("LoadingBarY");
	LoadingPool->GetSequence("loading/loadingbar").Frame(0).Draw(TRect{0, 0, RoundHalfEven(p * 359.0), 46}, 255, 0, 1.0, x, y);
	if (Stage == stLoading) {
		double a = std::fabs(std::cos(4.0 * LoadingElapsed));
		if (a < 0.5)
			a = 0.5;
		DrawSequenceFrame(*LoadingPool, FirstRun ? "loading/initialization" : "loading/loading", x, y, RoundHalfEven(a * 255.0));
	}
}

void TVanteroForm::DrawBorder()
{
	if (!Device->IsFullScreen || !BorderPool)
		return;
	auto find = [this](const char *name) -> TSequence & {
		return BorderPool->GetSequence(std::string("base/backtextures/") + name);
	};
	TSequence &mainBack = find("mainback");
	for (int i = 0; i <= ScreenWidth / mainBack.Width; ++i)
		for (int j = 0; j <= ScreenHeight / mainBack.Height; ++j)
			DrawSpriteAt(mainBack.Frame(0), i * mainBack.Width, j * mainBack.Height);

	const int b = BorderSize;
	DrawSpriteAt(find("upleftcorner").Frame(0), GameOffsetX - b, GameOffsetY - b);

	TSequence &up = find("upbricks");
	TSequence &down = find("downbricks");
	int k = (GameWidth - b) / up.Width;
	for (int s = 0; s < k; ++s) {
		DrawSpriteAt(up.Frame(0), GameOffsetX + b + s * up.Width, GameOffsetY - b);
		DrawSpriteAt(down.Frame(0), GameOffsetX + b + s * down.Width, GameOffsetY + GameHeight);
	}
	const TRect horizontalRest{0, 0, (GameWidth - b) % up.Width, up.Height};
	up.Frame(0).Draw(horizontalRest, 255, 0, 1.0, GameOffsetX + b + k * up.Width, GameOffsetY - b);
	down.Frame(0).Draw(horizontalRest, 255, 0, 1.0, GameOffsetX + b + k * down.Width, GameOffsetY + GameHeight);

	TSequence &upRight = find("uprightcorner");
	DrawSpriteAt(upRight.Frame(0), GameOffsetX + GameWidth - (upRight.Width - b), GameOffsetY - b);

	TSequence &left = find("leftbricks");
	TSequence &right = find("rightbricks");
	k = (GameHeight - b) / left.Height;
	for (int s = 0; s < k; ++s) {
		const int y = GameOffsetY + b + s * left.Height;
		DrawSpriteAt(left.Frame(0), GameOffsetX - b, y);
		DrawSpriteAt(right.Frame(0), GameOffsetX + GameWidth - (right.Width - b), y);
	}
	const TRect verticalRest{0, 0, left.Width, (GameHeight - b) % left.Height};
	const int restY = GameOffsetY + b + k * left.Height;
	left.Frame(0).Draw(verticalRest, 255, 0, 1.0, GameOffsetX - b, restY);
	right.Frame(0).Draw(verticalRest, 255, 0, 1.0, GameOffsetX + GameWidth - (right.Width - b), restY);

	TSequence &downLeft = find("downleftcorner");
	TSequence &downRight = find("downrightcorner");
	DrawSpriteAt(downLeft.Frame(0), GameOffsetX - b, GameOffsetY + GameHeight - (downLeft.Height - b));
	DrawSpriteAt(downRight.Frame(0), GameOffsetX + GameWidth - (downRight.Width - b),
		GameOffsetY + GameHeight - (downRight.Height - b));
}

// --- Activation ---

void TVanteroForm::OnDeactivate()
{
	WindowFocused = false;
	AppDeactivate();
}

void TVanteroForm::OnActivate()
{
	WindowFocused = true;
	if (ActivateFakeInstalled)
		AppActivateFake();
	else
		AppActivate();
}

void TVanteroForm::AppActivate()
{
	DebugLine("AppActivate");
	if (ErrorRaised || AppActive)
		return;
	ActivateFakeInstalled = true;
	if (LeftFullScreen && Device && !Device->IsFullScreen) {
		LeftFullScreen = false;
		Device->ToggleFullScreen();
	}
	AppActive = true;
	MainWindow->Show();
	if (Device && Device->IsFullScreen)
		MainWindow->Maximize();
	else
		MainWindow->Restore();
	RestoreVolumes();
	if (Device)
		Device->ResetDevice(false);
	if (Device && Device->IsFullScreen)
		MainWindow->SetPosition(0, 0);
}

void TVanteroForm::AppActivateFake()
{
	DebugLine("AppActivateFake");
	if (ErrorRaised)
		return;
	if (!MainWindow->IsMinimized()) {
		AppActivate();
		return;
	}
	if (LeftFullScreen && ActivatePending) {
		ActivatePending = false;
		AppActivate();
		return;
	}
	ActivatePending = true;
}

void TVanteroForm::AppDeactivate()
{
	DebugLine("AppDeactivate");
	if (ErrorRaised || !AppActive)
		return;
	if (Device && Device->IsFullScreen) {
		LeftFullScreen = true;
		Device->ToggleFullScreen();
		ActivatePending = false;
	}
	// Leaving full screen minimises the game; a game in a window only pauses, since desktops here
	// move the focus freely (a window minimised on every focus change would be lost).
	if (LeftFullScreen)
		MainWindow->Minimize();
	MuteVolumes();
	AppActive = false;
}

void TVanteroForm::MuteVolumes()
{
	// The volumes belong to the manager; nothing to remember until it exists.
}

void TVanteroForm::RestoreVolumes()
{
}

// --- Input (the loading screen's click until the widgets exist) ---

void TVanteroForm::FormKeyDown(int key, uint8_t)
{
	constexpr int VkReturn = 0x0D;
	if (Stage == stLoaded && key == VkReturn)
		LoadingButtonClick();
}

void TVanteroForm::OnMouseDown(platform::TMouseButton, int x, int y)
{
	LastInputTick = platform::GetTickCount32();
	MouseX = x;
	MouseY = y;
	if (Stage == stLoaded)
		LoadingButtonClick();
}

void TVanteroForm::OnMouseMove(int x, int y)
{
	LastInputTick = platform::GetTickCount32();
	MouseX = x;
	MouseY = y;
}

void TVanteroForm::OnMouseUp(platform::TMouseButton, int x, int y)
{
	MouseX = x;
	MouseY = y;
}

// --- Closing ---

bool TVanteroForm::FormCloseQuery()
{
	return Stage == stLoaded || Stage == stRunning;
}

void TVanteroForm::FormClose()
{
	if (Stage != stRunning)
		std::_Exit(0);
	MainWindow->SetTimer(TimerInterval, false);
	{
		TGRegistry registry;
		registry.WriteInteger("ScreenResolution", ScreenResolutionSetting);
		const bool fullScreen = MediaCenterMode ? FullScreenSetting : (Device && Device->IsFullScreen);
		registry.WriteInteger("FullScreen", fullScreen ? 1 : 0);
	}
	SpritePool = nullptr;
	GamePool.reset();
	CursorPool.reset();
	BorderPool.reset();
	RenderDevice = nullptr;
	Device.reset();
	SoundEngine.reset();
	RestoreDisplayIfChanged();
}

} // namespace vantero
