#pragma once
// The main form: the start-up sequence, the splash and loading screens, the timer-driven
// frame loop, activation and minimising, and the orderly shutdown.

#include "platform/PWindow.h"
#include "shell/UInitialLoading.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vantero {

class TSpritePool;
class TD3DDevice;
class TGRegistry;

// The user's full-screen choice as read from the store at start.
extern bool FullScreenSetting;

// Stages of the form, compared as numbers: below stLoaded, loading is not over.
enum TStage : uint8_t {
	stCreated = 0,
	stStarting = 1,
	stSplash = 2,
	stSplashFading = 3,
	stLoading = 4,
	stLoaded = 5,
	stLeavingLoading = 6,
	stRunning = 7,
};

class TVanteroForm : public platform::IWindowHandler {
public:
	TVanteroForm();
	~TVanteroForm() override;
	TVanteroForm(const TVanteroForm &) = delete;
	TVanteroForm &operator=(const TVanteroForm &) = delete;

	// The whole start-up sequence; every failure ends the program through FatalError.
	void FormCreate();
	// Runs the message loop until the window closes.
	void Run();

	// One frame: timing, controller poll, render. Called by the timer and by FormPaint.
	void RunFrame();
	// Draws one frame according to Stage.
	void RenderFrame();
	// Timer tick: activation bookkeeping, then RunFrame.
	void GameTimerTimer();

	// Application activation handlers.
	void AppActivate();
	void AppActivateFake();
	void AppDeactivate();

	// Sets InputEnabled (handed to the manager as its input-enable callback).
	void SetInputEnabled(uint8_t value);
	// True while Stage is below stLoaded.
	bool IsLoading() const { return Stage < stLoaded; }
	// Volumes to 0 on deactivation and back on activation.
	void MuteVolumes();
	void RestoreVolumes();

	// Whether the graphics folder changed since the last run (folder checksum against "CheckSum").
	static bool GraphicsChanged();

	// Read access for tests and tools.
	TStage GetStage() const { return Stage; }
	bool IsAppActive() const { return AppActive; }
	bool IsFirstRun() const { return FirstRun; }
	double GetLoadingExpected() const { return LoadingExpected; }
	platform::TPlatformWindow &Window() { return *MainWindow; }

	// IWindowHandler
	void OnTimer() override { GameTimerTimer(); }
	void OnPaint() override { FormPaint(); }
	void OnActivate() override;
	void OnDeactivate() override;
	bool OnCloseQuery() override { return FormCloseQuery(); }
	void OnClose() override { FormClose(); }
	void OnKeyDown(int key, uint8_t shift) override { FormKeyDown(key, shift); }
	void OnMouseDown(platform::TMouseButton button, int x, int y) override;
	void OnMouseMove(int x, int y) override;
	void OnMouseUp(platform::TMouseButton button, int x, int y) override;
	void OnDoubleClick() override {}

private:
	// Published handlers of the form.
	void FormPaint();
	void FormKeyDown(int key, uint8_t shift);
	bool FormCloseQuery();
	void FormClose();

	// Start-up and loading steps.
	void ChooseWindowMode();
	void StartSplash(TGRegistry &registry);
	void StartLoading();
	void LoadResources();
	void LoadingFinished();
	void LoadingButtonClick();
	void CheckLoadingThread();

	// Drawing helpers of RenderFrame.
	void ShadeGameScreen();
	void DrawLoadingBar();
	void DrawBorder();
	void DrawSequenceFrame(TSpritePool &pool, const std::string &name, int x, int y, int alpha);

private:
	// The window and its loop.
	std::unique_ptr<platform::TPlatformWindow> MainWindow;
	int TimerInterval = 100;

	// Stage and activation.
	TStage Stage = stCreated;
	bool AppActive = false;
	bool LeftFullScreen = false;
	bool ActivatePending = false;
	bool ActivateFakeInstalled = false;
	// The window has the input focus (as far as its focus events tell).
	bool WindowFocused = true;

	// Input bookkeeping.
	uint8_t InputEnabled = 0;
	bool RecentInput = true;
	uint32_t LastInputTick = 0;
	int MouseX = 0;
	int MouseY = 0;
	bool ControllerPresent = false;
	int FrameCounter = 0;
	double KeyStackTime = 0.0;

	// Splash and loading clocks (seconds).
	double SplashRemaining = 0.0;
	double LoadingExpected = 0.0;
	double LoadingElapsed = 0.0;
	double FirstRunDuration = 0.0;
	double LoadingRealTime = 0.0;
	bool FirstRun = false;
	bool Reduced = false;

	// Owned subsystems.
	std::unique_ptr<TInitialLoading> LoadingThread;
	std::unique_ptr<TSpritePool> LoadingPool;
	std::unique_ptr<TSpritePool> BorderPool;
	std::unique_ptr<TSpritePool> CursorPool;
	std::unique_ptr<TSpritePool> GamePool;
	std::unique_ptr<TD3DDevice> Device;

	// Volumes saved while deactivated.
	bool VolumesMuted = false;
	int SavedMusicVolume = 0;
	int SavedSoundVolume = 0;
	bool DebugOverlay = false;
};

} // namespace vantero
