#pragma once
// A headless player for the board: stand-ins for the game screen, the manager, the player and
// the conveyor, a sprite pool of blank sequences named like the game's, and the bot that reads the
// board, picks a move, clicks the two cells like a person and lets the board run frame by frame.
// Shared by the board tests and tools/bot.

#include "game/IManager.h"
#include "play/IBlockCarrying.h"
#include "play/IGameScreen.h"
#include "play/UField.h"
#include "scene/ITipQueue.h"

#include <memory>
#include <string>
#include <vector>

namespace vantero {

class TSpritePool;
class TXMLLevelType;
class TXMLSubLevelType;

// --- Stand-ins ---

// A tip queue that records every request (and answers each number once, as the real one).
class TBotTipQueue : public ITipQueue {
public:
	struct TRequest {
		int Index = 0;
		uint8_t Flags = 0;
		double ArrowX = 0;
		double ArrowY = 0;
		double Distance = 0;
	};
	void ShowTip(int Index, uint8_t Flags, double CenterX, double CenterY, double ArrowX, double ArrowY,
		double Distance) override;
	// The first request of each tip number, in order.
	std::vector<TRequest> Shown;
};

class TBotPlayer : public IPlayer {
public:
	ITipQueue &GetTips() override { return Tips; }
	bool GetEasterEgg() const override { return EasterEgg; }
	void SetEasterEgg(bool Value) override { EasterEgg = Value; }

	TBotTipQueue Tips;
	bool EasterEgg = false;
};

// A manager with one player; everything else does nothing.
class TBotManager : public IManager {
public:
	void SetCurrentWidget(TGWidget *) override {}
	void GetHighScore(int, THighScoreRec &) override {}
	int HighScoreCount() override { return 7; }
	void AddHighScore(const std::u16string &, int, int, int) override {}
	int MaxVolume() override { return 100; }
	void ReturnToGameScreen() override {}
	bool QuitRequested() override { return false; }
	void ShowMainMenu() override {}
	void ShowMap(bool, int, bool) override {}
	void ShowCongratulations() override {}
	void ContinueCampaign() override {}
	void ShowHelp(bool) override {}
	void ShowCredits(int) override {}
	void ShowConfirmExit() override {}
	void ShowResolutionConfirm() override {}
	void StartFreePlay(int) override {}
	void ShowHighScores(int, int) override {}
	void WinSubLevel() override {}
	void PauseGame(bool) override {}
	void RenderCurrent() override {}
	void KeyDown(int, uint8_t) override {}
	void MouseMove(int, int) override {}
	void MouseDown(int, int) override {}
	void DoubleClick(int, int) override {}
	void MouseUp(int, int) override {}
	void SetInputSwitchHandler(std::function<void(bool)>) override {}
	void SwitchInput(bool) override {}
	IPlayer &GetPlayer(int) override { return Player; }
	int CurrentPlayerIndex() override { return 0; }
	IPlayer &CurrentPlayer() override { return Player; }
	int GetSoundVolume() override { return 0; }
	void SetSoundVolume(int) override {}
	int GetMusicVolume() override { return 0; }
	void SetMusicVolume(int) override {}
	void SetPlayerIdx(int) override {}
	void ShowNextTip() override {}
	void ChangeLives(bool) override {}
	void LoseSubLevel() override {}
	TGWidget *GetCurrentWidget() override { return nullptr; }
	IGameScreen *GetGameScreen() override { return nullptr; }
	void ControllerPause() override {}
	void ShowControllerEnterName() override {}
	void SetEnterNameHandlers(std::function<void()>, std::function<void()>) override {}
	void GetEnteredName(std::u16string &) override {}
	void SetEnteredName(const std::u16string &) override {}
	void GameScreenShutter() override {}
	bool MapScreenBusy() override { return false; }
	void ReleaseButtons() override {}
	bool GetExitAllowed() override { return true; }
	void SetExitAllowed(bool) override {}
	bool GetExitDialogOpen() override { return false; }
	bool GetResolutionDialogOpen() override { return false; }
	void SetExitDialogOpen(bool) override {}
	bool IsGamePaused() override { return false; }
	void Back() override {}

	TBotPlayer Player;
};

// The conveyor as the bot sees it: busy for as long as the real one would be with a box.
// Estimate per box (800x600 layout values, read from the configuration when it has them):
//   fall to "ConveyerY" at 400 px/s; the mechanic finishing his errand (1.5 s) and walking from the
//   middle of his range to the box at 40 px/s plus 0.4 s of start/stop frames; the push along the belt
//   to "LeftBlockFallBound" at 25 px/s and the tip-over (0.425 s); three carriers waiting 3.5 s at the
//   edge, then walking to "GameWorkersPosForBlockCarringX" + 113 - 18 at 40 px/s with 0.67 s of
//   start/stop frames and a 0.5 s turn; the drag (1.2 s, then 0.5 s per 10 px until x < -50).
// The box counts as delivered when it lands on the belt, as with the real conveyor.
class TBotConveyor : public IBlockCarrying {
public:
	void Reset() override { Delivered = 0; }
	int DeliveredCount() override { return Delivered; }
	uint8_t IsBusy() override { return ForceBusy || BusyLeft > 0 ? 1 : 0; }
	void PushBlock(int SpriteNo, double X, double Y) override;
	void UpdateAndSort(TAnimationSorter &) override {}
	// Advances the stand-in by Seconds.
	void Advance(double Seconds);
	// The estimated seconds of a box from the board position (X, Y) until the conveyor is free again.
	static double BusyTime(int SpriteNo, double X, double Y);

	int Delivered = 0;
	int Pushed = 0;
	double FallLeft = 0;
	double BusyLeft = 0;
	// Tests hold the conveyor busy with this.
	bool ForceBusy = false;
};

// A game screen that holds one sublevel; it counts bricks and messages and keeps the score.
class TBotGameScreen : public IGameScreen {
public:
	TBotGameScreen(TXMLLevelType *Level, TXMLSubLevelType &SubLevel, int LevelNo);

	IAmbulance *GetAmbulance() override { return nullptr; }
	double GetScore() override { return Score; }
	void SetScore(double Value) override { Score = Value; }
	double GetLifePoints() override { return 0; }
	int GetLevel() override { return LevelNo; }
	int GetSubLevelNo() override { return 1; }
	TXMLLevelType &GetLevelNode() override { return *Level; }
	TXMLSubLevelType &GetSubLevel() override { return SubLevel; }
	IWorker *GetWorker(int) override { return nullptr; }
	int WorkerCount() override { return 0; }
	IBrick *GetBrick(int) override { return nullptr; }
	int BrickCount() override { return 0; }
	IMechanic *GetMechanic() override { return nullptr; }
	ITimeBar *GetTimeBar() override { return nullptr; }
	IBlockCarrying *GetBlockCarrying() override { return &Conveyor; }
	IHawker *GetHawker() override { return nullptr; }
	uint8_t GetEndState() override { return esPlaying; }
	std::string GetLevelFolder() override;
	int GetLives() override { return 3; }
	void AddBrick(double, double) override { ++Bricks; }
	void WorkerExplode(TAnimation &) override {}
	void ShowMessage(uint8_t Number, bool Hold, bool Exclusive) override;
	void WinSubLevel() override {}
	void LoseSubLevel() override {}
	void TogglePause(bool) override {}
	void ControllerPause() override {}
	void LowerParchAndPause() override {}
	bool IsGamePaused() override { return false; }

	TXMLLevelType *Level;
	TXMLSubLevelType &SubLevel;
	int LevelNo;
	double Score = 0;
	int Bricks = 0;
	std::vector<int> Messages;
	TBotConveyor Conveyor;
};

// Adds blank sequences named like the game's pictures that the board uses (gems 1 to 20, boxes,
// bonuses, fireballs, scores, dust, hint, cell marks, and the tile letters a to MaxLetter of
// levels 1 to 7), with the game's proposed frame counts and sizes.
void AddBoardSequences(TSpritePool &Pool, int CellSize, int MaxLetter);

// --- The bot ---

enum class TBotPolicy {
	// The board's own move search (the hint).
	FindMove,
	// The best-looking swap: bonuses, boxes and uncleared tiles first.
	Greedy,
};

struct TBotOptions {
	TBotPolicy Policy = TBotPolicy::Greedy;
	// Seconds the player looks at an idle board before the first click, and between the two clicks.
	double ThinkTime = 0.5;
	double ClickGap = 0.15;
	// Seconds of play before giving up; 0 = the sublevel's TimeLimit.
	double TimeLimit = 0;
	uint32_t Seed = 1;
};

struct TBotResult {
	bool Won = false;
	bool AllCleared = false;
	bool AllBoxesOut = false;
	double Seconds = 0;
	int Moves = 0;
	int Cascades = 0;
	int BonusesMade = 0;
	int SuperBonuses = 0;
	int Reshuffles = 0;
	double Points = 0;
	double TimeLimit = 0;
	double ClearedFraction = 0;
};

// Plays one sublevel from the start until it is won or its time is up.
TBotResult PlaySubLevel(TXMLLevelType *Level, TXMLSubLevelType &SubLevel, int LevelNo, const TBotOptions &Options);

// The move the policy picks on an idle board; false when it sees none.
bool PickBotMove(TField &Field, TBotPolicy Policy, TCellPos &First, TCellPos &Second);
// Clicks a cell as a person would: the mouse moves to its centre, presses and releases.
void ClickCell(TField &Field, const TCellPos &Cell);

} // namespace vantero

namespace vantero {

// Copies the configuration source folder (Config.xml and cfg/) to a fresh temporary folder, loads it
// there with the given layout and language (R800x600, L1033), sets the game-area size and reads the
// layout values. Returns the temporary folder.
std::string LoadGameDataCopy(const std::string &SourceFolder, const std::string &Resolution, const std::string &Language);

} // namespace vantero
