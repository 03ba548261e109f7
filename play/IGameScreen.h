#pragma once
// The game screen as its game objects see it (board, workers, bricks, conveyor, figures): they reach
// each other and the level data only through these operations. The concrete game screen is also a
// widget screen; this base carries only the operations that follow the widget-screen slots.

#include <cstdint>
#include <string>

namespace vantero {

class IAmbulance;
class IBlockCarrying;
class IBrick;
class IHawker;
class IMechanic;
class ITimeBar;
class IWorker;
class TAnimation;
class TXMLLevelType;
class TXMLSubLevelType;

// The level-flow states of the game screen.
enum TEndState : uint8_t {
	esPlaying = 0,
	esPaused = 1,
	esLost = 2,
	esWon = 3,
	esIntro = 4,
	esGameOver = 5,
	esFinished = 6,
};

class IGameScreen {
public:
	virtual ~IGameScreen() = default;

	// 10: the ambulance.
	virtual IAmbulance *GetAmbulance() = 0;
	// 11-12: the score of the game.
	virtual double GetScore() = 0;
	virtual void SetScore(double Value) = 0;
	// 13: points toward the next life.
	virtual double GetLifePoints() = 0;
	// 14: the monument, 1 to 7.
	virtual int GetLevel() = 0;
	// 15: the sublevel, 1 to 7.
	virtual int GetSubLevelNo() = 0;
	// 16: the Level element of the monument.
	virtual TXMLLevelType &GetLevelNode() = 0;
	// 17: the SubLevel element being played.
	virtual TXMLSubLevelType &GetSubLevel() = 0;
	// 18-19: the workers.
	virtual IWorker *GetWorker(int Index) = 0;
	virtual int WorkerCount() = 0;
	// 20-21: the bricks.
	virtual IBrick *GetBrick(int Index) = 0;
	virtual int BrickCount() = 0;
	// 22: the mechanic.
	virtual IMechanic *GetMechanic() = 0;
	// 23: the time bar.
	virtual ITimeBar *GetTimeBar() = 0;
	// 24: the conveyor.
	virtual IBlockCarrying *GetBlockCarrying() = 0;
	// 25: the hawker.
	virtual IHawker *GetHawker() = 0;
	// 26: the level-flow state (TEndState).
	virtual uint8_t GetEndState() = 0;
	// 27: "levels/" + the monument with two digits + "/".
	virtual std::string GetLevelFolder() = 0;
	// 28: the lives left.
	virtual int GetLives() = 0;
	// 29: a brick thrown from a board position.
	virtual void AddBrick(double X, double Y) = 0;
	// 30: bursts a figure into particles.
	virtual void WorkerExplode(TAnimation &Figure) = 0;
	// 31: a message of the message roll.
	virtual void ShowMessage(uint8_t Number, bool Hold, bool Exclusive) = 0;
	// 32-33: ends the sublevel.
	virtual void WinSubLevel() = 0;
	virtual void LoseSubLevel() = 0;
	// 34: pauses or resumes play.
	virtual void TogglePause(bool Immediate) = 0;
	// 35: the controller's pause request.
	virtual void ControllerPause() = 0;
	// 36: lowers the parchment and pauses.
	virtual void LowerParchAndPause() = 0;
	// 37: whether the game is paused.
	virtual bool IsGamePaused() = 0;
};

} // namespace vantero
