#pragma once
// What the board needs of the input layer: whether a game controller is connected, the controller
// vibration, and the board's developer flags. The shell installs the real controller functions;
// without them no controller is connected and vibration does nothing.

#include <cstdint>
#include <functional>

namespace vantero {

// Installed by the input layer: polls the controllers, true when one is connected.
extern std::function<bool()> ControllerConnectedHandler;
// Installed by the input layer: both motors of every connected pad at Speed for Seconds.
extern std::function<void(uint16_t Speed, double Seconds)> VibrateHandler;

// Whether a game controller is connected (false without a handler).
bool ControllerConnected();
// Controller vibration (nothing without a handler).
void Vibrate(uint16_t Speed, double Seconds);

// Developer flags read by the board: the next refill drops that bonus or box. Each is cleared when acted on.
extern bool DevForceBonus1;
extern bool DevForceBonus2;
extern bool DevForceSuperBonus;
extern bool DevForceBox1;
extern bool DevForceBox2;

} // namespace vantero
