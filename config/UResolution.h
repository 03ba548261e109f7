#pragma once
// The screen and game-area resolution chosen from the desktop size and the layouts that exist,
// the desktop-size change for small desktops, and the layout values read once after loading.
// The resolution globals themselves (ScreenWidth, GameWidth, ..., ResolutionTag) live in config/UUtils.h.

#include <cstdint>
#include <functional>
#include <string>

namespace vantero {

// --- Resolution choice ---
// The low byte of the registry value "ScreenResolution": 0 allows only the 800x600 layout.
extern uint8_t ScreenResolutionSetting;
// The desktop was switched to 800x600 and is to be restored when the game ends.
extern bool RestoreDisplayAtExit;
// The desktop size saved by SaveDisplaySize.
extern uint16_t SavedDisplayWidth;
extern uint16_t SavedDisplayHeight;

// --- Layout values (read by ReadLayoutValues) ---
extern int CellSize;
extern int ConveyerY;
extern int GroundY;
extern int LifeX;
extern int LifeY;
extern int TimeLineX;
extern int TimeLineY;
extern int FieldX;
extern int FieldY;
extern int LeftBound;
extern int RightBound;
extern int ParchX;
extern int ParchY;
extern int ParchYOut;
extern int ParchPercentX;
extern int MechanicY;
extern int BrickAverageY;

// What ChooseResolution works from; the real run takes it from the desktop and the registry.
struct TResolutionInput {
	int DesktopWidth = 800;
	int DesktopHeight = 600;
	// The registry value "ScreenResolution" (default 1).
	int ScreenResolution = 1;
	// Where the layouts are looked for.
	std::string GraphicsFolder = "graphics";
	// Changes the desktop size; empty means ChangeDisplaySize.
	std::function<bool(int, int)> ChangeDisplay;
};

// Chooses the resolution for the desktop and the "ScreenResolution" registry value, sets ResolutionTag.
void ChooseResolution();
// The same from the given facts (VideoMemoryMedium and LowDetail are read from their globals).
void ChooseResolution(const TResolutionInput &input);

// Whether a layout exists for Width x Height: "graphics/base/R<w>x<h>" or "graphics/base-R<w>x<h>*.gfx".
bool HasLayout(int width, int height);
// The same below another graphics folder.
bool HasLayout(int width, int height, const std::string &graphicsFolder);
// GameOffsetX/Y := the game area centred in the screen (rounded, halves to even).
void ComputeGameOffsets();
// Reads the seventeen layout values from the configuration keys of the same names.
void ReadLayoutValues();

// Asks for a desktop of Width x Height (used by the full-screen window); true when the display has one.
bool ChangeDisplaySize(int width, int height);
// Saves the current desktop size in SavedDisplayWidth/Height.
void SaveDisplaySize();
// Gives the desktop its saved size back.
void RestoreDisplaySize();
// RestoreDisplaySize when RestoreDisplayAtExit is set (the end of the run).
void RestoreDisplayIfChanged();

} // namespace vantero
