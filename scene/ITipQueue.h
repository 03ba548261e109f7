#pragma once
// What game objects ask of a player's tip queue: a numbered tip, shown at most once per player.
// The tip queue of the scene implements it; game objects hold it only through this base.

#include <cstdint>

namespace vantero {

class ITipQueue {
public:
	virtual ~ITipQueue() = default;

	// Requests tip Index with its flags, centre, arrow point and distance (game-area pixels).
	virtual void ShowTip(int Index, uint8_t Flags, double CenterX, double CenterY, double ArrowX, double ArrowY,
		double Distance) = 0;
};

} // namespace vantero
