#pragma once
// The manager as screens and game objects see it: the 55 operations through which they reach the
// screens, the players, the high scores and the volumes without depending on the concrete manager.

#include <cstdint>
#include <functional>
#include <string>

namespace vantero {

class IGameScreen;
class ITipQueue;
class TGWidget;
struct THighScoreRec;

// What game objects need of a player profile; the player class derives from it (and may return
// itself covariantly from the manager's player operations).
class IPlayer {
public:
	virtual ~IPlayer() = default;

	// The player's tip queue.
	virtual ITipQueue &GetTips() = 0;
	// Whether the board's hidden transformation has been triggered for this player in this run.
	virtual bool GetEasterEgg() const = 0;
	// Sets that flag.
	virtual void SetEasterEgg(bool Value) = 0;
};

class IManager {
public:
	virtual ~IManager() = default;

	// 0: makes W the current widget (focus, tip host, evict request).
	virtual void SetCurrentWidget(TGWidget *W) = 0;
	// 1: copy of high-score entry Index (0..6).
	virtual void GetHighScore(int Index, THighScoreRec &Entry) = 0;
	// 2: number of high-score entries (7).
	virtual int HighScoreCount() = 0;
	// 3: enters a score into the table.
	virtual void AddHighScore(const std::u16string &Name, int Score, int Pass, int Rank) = 0;
	// 4: the largest volume (100).
	virtual int MaxVolume() = 0;
	// 5: back to the game screen from help or credits.
	virtual void ReturnToGameScreen() = 0;
	// 6: the player confirmed leaving.
	virtual bool QuitRequested() = 0;
	// 7: shows the main menu.
	virtual void ShowMainMenu() = 0;
	// 8: shows the map.
	virtual void ShowMap(bool FreePlay, int TrophyMonument, bool GameComplete) = 0;
	// 9: shows the congratulations screen.
	virtual void ShowCongratulations() = 0;
	// 10: a new game screen for the current player's saved campaign state.
	virtual void ContinueCampaign() = 0;
	// 11: shows the help screen.
	virtual void ShowHelp(bool FromGame) = 0;
	// 12: shows the credits.
	virtual void ShowCredits(int Value) = 0;
	// 13: opens the exit confirmation.
	virtual void ShowConfirmExit() = 0;
	// 14: opens the resolution confirmation.
	virtual void ShowResolutionConfirm() = 0;
	// 15: a free-play game screen for Level.
	virtual void StartFreePlay(int Level) = 0;
	// 16: shows the high scores.
	virtual void ShowHighScores(int A, int B) = 0;
	// 17: developer win of the current sub-level.
	virtual void WinSubLevel() = 0;
	// 18: toggles the game's pause.
	virtual void PauseGame(bool FromMenu) = 0;
	// 19: draws the current widget tree.
	virtual void RenderCurrent() = 0;
	// 20: a key message to the current widget.
	virtual void KeyDown(int Key, uint8_t Shift) = 0;
	// 21-24: mouse messages to the current widget.
	virtual void MouseMove(int X, int Y) = 0;
	virtual void MouseDown(int X, int Y) = 0;
	virtual void DoubleClick(int X, int Y) = 0;
	virtual void MouseUp(int X, int Y) = 0;
	// 25: the callback that switches mouse input on or off.
	virtual void SetInputSwitchHandler(std::function<void(bool)> Handler) = 0;
	// 26: calls that callback when set.
	virtual void SwitchInput(bool On) = 0;
	// 27: player slot Index (0..7).
	virtual IPlayer &GetPlayer(int Index) = 0;
	// 28: index of the current player.
	virtual int CurrentPlayerIndex() = 0;
	// 29: the current player ("Current player not defined" when there is none).
	virtual IPlayer &CurrentPlayer() = 0;
	// 30-33: the two volumes.
	virtual int GetSoundVolume() = 0;
	virtual void SetSoundVolume(int V) = 0;
	virtual int GetMusicVolume() = 0;
	virtual void SetMusicVolume(int V) = 0;
	// 34: makes player Index the current one.
	virtual void SetPlayerIdx(int Index) = 0;
	// 35: the next tip of the tip cycle.
	virtual void ShowNextTip() = 0;
	// 36: developer life change.
	virtual void ChangeLives(bool Up) = 0;
	// 37: developer loss of the current sub-level.
	virtual void LoseSubLevel() = 0;
	// 38: the current widget.
	virtual TGWidget *GetCurrentWidget() = 0;
	// 39: the game screen, or null.
	virtual IGameScreen *GetGameScreen() = 0;
	// 40: the controller's pause request.
	virtual void ControllerPause() = 0;
	// 41: shows the controller name entry.
	virtual void ShowControllerEnterName() = 0;
	// 42: the two completion handlers of the controller name entry.
	virtual void SetEnterNameHandlers(std::function<void()> OnDone, std::function<void()> OnCancel) = 0;
	// 43-44: the name typed on the controller name entry.
	virtual void GetEnteredName(std::u16string &Name) = 0;
	virtual void SetEnteredName(const std::u16string &Name) = 0;
	// 45: the game screen's shutter request.
	virtual void GameScreenShutter() = 0;
	// 46: the map screen is leaving.
	virtual bool MapScreenBusy() = 0;
	// 47: releases pressed buttons of the current widget.
	virtual void ReleaseButtons() = 0;
	// 48-52: exit permission and open dialogs.
	virtual bool GetExitAllowed() = 0;
	virtual void SetExitAllowed(bool B) = 0;
	virtual bool GetExitDialogOpen() = 0;
	virtual bool GetResolutionDialogOpen() = 0;
	virtual void SetExitDialogOpen(bool B) = 0;
	// 53: whether the game screen is paused.
	virtual bool IsGamePaused() = 0;
	// 54: the controller's back request.
	virtual void Back() = 0;
};

} // namespace vantero
