#include "config/UResolution.h"

#include "config/UConfigKeys.h"
#include "config/UFolders.h"
#include "config/UGRegistry.h"
#include "config/UUtils.h"
#include "platform/PDisplay.h"
#include "platform/PPaths.h"

namespace vantero {

uint8_t ScreenResolutionSetting = 1;
bool RestoreDisplayAtExit = false;
uint16_t SavedDisplayWidth = 0;
uint16_t SavedDisplayHeight = 0;

int CellSize = 0;
int ConveyerY = 0;
int GroundY = 0;
int LifeX = 0;
int LifeY = 0;
int TimeLineX = 0;
int TimeLineY = 0;
int FieldX = 0;
int FieldY = 0;
int LeftBound = 0;
int RightBound = 0;
int ParchX = 0;
int ParchY = 0;
int ParchYOut = 0;
int ParchPercentX = 0;
int MechanicY = 0;
int BrickAverageY = 0;

namespace {

std::string Tag(int width, int height)
{
	return Format("R%dx%d", width, height);
}

void SetAllSizes(int width, int height)
{
	ScreenWidth = GameWidth = width;
	ScreenHeight = GameHeight = height;
}

void ResetToUnframed800x600()
{
	FramedLayout = false;
	SetAllSizes(800, 600);
}

void SaveDisplaySize(int width, int height)
{
	SavedDisplayWidth = static_cast<uint16_t>(width);
	SavedDisplayHeight = static_cast<uint16_t>(height);
}

} // namespace

void ChooseResolution()
{
	TResolutionInput input;
	{
		const TGRegistry registry;
		input.ScreenResolution = registry.ReadInteger("ScreenResolution", 1);
	}
	std::string error;
	const auto desktop = platform::DesktopDisplayMode(&error);
	if (!desktop)
		FatalError("Can not read the desktop resolution: " + error);
	input.DesktopWidth = desktop->Width;
	input.DesktopHeight = desktop->Height;
	ChooseResolution(input);
}

void ChooseResolution(const TResolutionInput &input)
{
	const int sw = input.DesktopWidth;
	const int sh = input.DesktopHeight;
	const auto hasLayout = [&](int width, int height) { return HasLayout(width, height, input.GraphicsFolder); };

	ScreenResolutionSetting = static_cast<uint8_t>(input.ScreenResolution & 0xFF);
	RestoreDisplayAtExit = false;
	FramedLayout = false;
	SetAllSizes(800, 600);

	const bool is1280x720 = sw == 1280 && sh == 720;
	if (!hasLayout(sw, sh) || (is1280x720 && VideoMemoryMedium) || LowDetail) {
		FramedLayout = true;
		ScreenWidth = sw;
		ScreenHeight = sh;
		if (sw < 1280 || sh < 720 || VideoMemoryMedium || ScreenResolutionSetting == 0) {
			if (sw < 800 || sh < 600) {
				SaveDisplaySize(sw, sh);
				const bool changed = input.ChangeDisplay ? input.ChangeDisplay(800, 600) : ChangeDisplaySize(800, 600);
				if (!changed)
					FatalError("Minimal resolution requirement for this game is 800x600!");
				RestoreDisplayAtExit = true;
				ResetToUnframed800x600();
			} else {
				GameWidth = 800;
				GameHeight = 600;
			}
		} else {
			GameWidth = 1280;
			GameHeight = 720;
		}
		if ((sw == 1024 && sh == 768) || (sw == 1152 && sh == 864) || LowDetail)
			ResetToUnframed800x600();
	} else {
		SetAllSizes(sw, sh);
		if (is1280x720 && ScreenResolutionSetting == 0)
			SetAllSizes(800, 600);
	}
	ComputeGameOffsets();

	// The message names the layout that is missing, that of the chosen game area.
	if (!hasLayout(GameWidth, GameHeight))
		FatalError("Can not find \"graphics/" + Tag(GameWidth, GameHeight) + "\"");
	ResolutionTag = Tag(GameWidth, GameHeight);
}

bool HasLayout(int width, int height)
{
	return HasLayout(width, height, "graphics");
}

bool HasLayout(int width, int height, const std::string &graphicsFolder)
{
	const std::string tag = Tag(width, height);
	return platform::FolderExists(graphicsFolder + "/base/" + tag)
		|| FileMatchExists(graphicsFolder, "base-" + tag + "*.gfx");
}

void ComputeGameOffsets()
{
	GameOffsetX = RoundHalfEven((ScreenWidth - GameWidth) / 2.0);
	GameOffsetY = RoundHalfEven((ScreenHeight - GameHeight) / 2.0);
}

void ReadLayoutValues()
{
	CellSize = ConfigInteger("CellSize");
	ConveyerY = ConfigInteger("ConveyerY");
	GroundY = ConfigInteger("GroundY");
	LifeX = ConfigInteger("LifeX");
	LifeY = ConfigInteger("LifeY");
	TimeLineX = ConfigInteger("TimeLineX");
	TimeLineY = ConfigInteger("TimeLineY");
	FieldX = ConfigInteger("FieldX");
	FieldY = ConfigInteger("FieldY");
	LeftBound = ConfigInteger("LeftBound");
	RightBound = ConfigInteger("RightBound");
	ParchX = ConfigInteger("ParchX");
	ParchY = ConfigInteger("ParchY");
	ParchYOut = ConfigInteger("ParchYOut");
	ParchPercentX = ConfigInteger("ParchPercentX");
	MechanicY = ConfigInteger("MechanicY");
	BrickAverageY = ConfigInteger("BrickAverageY");
}

bool ChangeDisplaySize(int width, int height)
{
	return platform::RequestDisplayMode(width, height);
}

void SaveDisplaySize()
{
	if (const auto desktop = platform::DesktopDisplayMode())
		SaveDisplaySize(desktop->Width, desktop->Height);
}

void RestoreDisplaySize()
{
	// Full screen goes back to the desktop's own mode, which is the saved size.
	platform::ClearRequestedDisplayMode();
}

void RestoreDisplayIfChanged()
{
	if (RestoreDisplayAtExit)
		RestoreDisplaySize();
}

} // namespace vantero
