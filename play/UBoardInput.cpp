#include "play/UBoardInput.h"

namespace vantero {

std::function<bool()> ControllerConnectedHandler;
std::function<void(uint16_t Speed, double Seconds)> VibrateHandler;

bool DevForceBonus1 = false;
bool DevForceBonus2 = false;
bool DevForceSuperBonus = false;
bool DevForceBox1 = false;
bool DevForceBox2 = false;

bool ControllerConnected()
{
	return ControllerConnectedHandler ? ControllerConnectedHandler() : false;
}

void Vibrate(uint16_t Speed, double Seconds)
{
	if (VibrateHandler)
		VibrateHandler(Speed, Seconds);
}

} // namespace vantero
