#include "config/UResolution.h"

#include "LayoutTestSupport.h"
#include "config/UConfig.h"
#include "config/UGRegistry.h"
#include "config/UUtils.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <unistd.h>

#include <vector>

using namespace vantero;
using namespace vantero::testing;

namespace {

// A graphics folder with the 800x600 and 1280x720 layouts, and more on request.
class ResolutionTest : public ::testing::Test {
protected:
	ResolutionTest()
	{
		MakeFolder(Temp / "graphics/base/R800x600");
		MakeFolder(Temp / "graphics/base/R1280x720");
		VideoMemoryMedium = false;
		LowDetail = false;
	}
	~ResolutionTest() override
	{
		VideoMemoryMedium = false;
		LowDetail = false;
	}

	TResolutionInput Input(int width, int height, int screenResolution = 1)
	{
		TResolutionInput input;
		input.DesktopWidth = width;
		input.DesktopHeight = height;
		input.ScreenResolution = screenResolution;
		input.GraphicsFolder = Graphics();
		input.ChangeDisplay = [this](int w, int h) {
			Changes.emplace_back(w, h);
			return ChangeSucceeds;
		};
		return input;
	}
	std::string Graphics() const { return Temp / "graphics"; }

	TTempFolder Temp;
	TFatalErrorThrows FatalThrows;
	std::vector<std::pair<int, int>> Changes;
	bool ChangeSucceeds = true;
};

struct TResolutionCase {
	const char *Name;
	int DesktopWidth, DesktopHeight, ScreenResolution;
	bool Medium, Low;
	const char *ExtraLayout; // folder or file below graphics/ that gives the desktop its layout
	bool Framed;
	int ScreenWidth, ScreenHeight, GameWidth, GameHeight, OffsetX, OffsetY;
};

const TResolutionCase kCases[] = {
	{"1024x768 with its layout", 1024, 768, 1, false, false, "base/R1024x768", false, 1024, 768, 1024, 768, 0, 0},
	{"1024x768 with a packed layout", 1024, 768, 1, false, false, "base-R1024x768-l.gfx", false, 1024, 768, 1024, 768, 0, 0},
	{"1024x768 without a layout", 1024, 768, 1, false, false, nullptr, false, 800, 600, 800, 600, 0, 0},
	{"1152x864 without a layout", 1152, 864, 1, false, false, nullptr, false, 800, 600, 800, 600, 0, 0},
	{"1920x1080 allowing 1280x720", 1920, 1080, 1, false, false, nullptr, true, 1920, 1080, 1280, 720, 320, 180},
	{"1920x1080 allowing 800x600 only", 1920, 1080, 0, false, false, nullptr, true, 1920, 1080, 800, 600, 560, 240},
	{"only the low byte of the setting counts", 1920, 1080, 256, false, false, nullptr, true, 1920, 1080, 800, 600, 560, 240},
	{"1920x1080 with medium video memory", 1920, 1080, 1, true, false, nullptr, true, 1920, 1080, 800, 600, 560, 240},
	{"1920x1080 with low detail", 1920, 1080, 1, false, true, nullptr, false, 800, 600, 800, 600, 0, 0},
	{"1366x768 allowing 1280x720", 1366, 768, 1, false, false, nullptr, true, 1366, 768, 1280, 720, 43, 24},
	{"1366x768 allowing 800x600 only", 1366, 768, 0, false, false, nullptr, true, 1366, 768, 800, 600, 283, 84},
	{"1280x720 with its layout", 1280, 720, 1, false, false, "", false, 1280, 720, 1280, 720, 0, 0},
	{"1280x720 allowing 800x600 only", 1280, 720, 0, false, false, "", false, 800, 600, 800, 600, 0, 0},
	{"1280x720 with medium video memory", 1280, 720, 1, true, false, "", true, 1280, 720, 800, 600, 240, 60},
	{"odd desktop sizes round half offsets to even", 1601, 901, 0, false, false, nullptr, true, 1601, 901, 800, 600, 400, 150},
};

} // namespace

TEST_F(ResolutionTest, ChoosesScreenAndGameArea)
{
	for (const TResolutionCase &c : kCases) {
		SCOPED_TRACE(c.Name);
		if (c.ExtraLayout && *c.ExtraLayout) {
			const std::string path = Graphics() + "/" + c.ExtraLayout;
			if (std::string(c.ExtraLayout).ends_with(".gfx"))
				WriteTextFile(path, "packed");
			else
				MakeFolder(path);
		}
		VideoMemoryMedium = c.Medium;
		LowDetail = c.Low;
		GameOffsetX = GameOffsetY = -1;

		ChooseResolution(Input(c.DesktopWidth, c.DesktopHeight, c.ScreenResolution));

		EXPECT_EQ(FramedLayout, c.Framed);
		EXPECT_EQ(ScreenWidth, c.ScreenWidth);
		EXPECT_EQ(ScreenHeight, c.ScreenHeight);
		EXPECT_EQ(GameWidth, c.GameWidth);
		EXPECT_EQ(GameHeight, c.GameHeight);
		EXPECT_EQ(GameOffsetX, c.OffsetX);
		EXPECT_EQ(GameOffsetY, c.OffsetY);
		EXPECT_EQ(ResolutionTag, Format("R%dx%d", c.GameWidth, c.GameHeight));
		EXPECT_FALSE(RestoreDisplayAtExit);
		EXPECT_TRUE(Changes.empty());

		if (c.ExtraLayout && *c.ExtraLayout)
			std::filesystem::remove_all(Graphics() + "/" + c.ExtraLayout);
	}
}

TEST_F(ResolutionTest, SmallDesktopIsSwitchedTo800x600AndRestoredAtExit)
{
	ChooseResolution(Input(640, 480));

	ASSERT_EQ(Changes, (std::vector<std::pair<int, int>>{{800, 600}}));
	EXPECT_TRUE(RestoreDisplayAtExit);
	EXPECT_EQ(SavedDisplayWidth, 640);
	EXPECT_EQ(SavedDisplayHeight, 480);
	EXPECT_FALSE(FramedLayout);
	EXPECT_EQ(ScreenWidth, 800);
	EXPECT_EQ(ScreenHeight, 600);
	EXPECT_EQ(GameWidth, 800);
	EXPECT_EQ(GameHeight, 600);
	EXPECT_EQ(GameOffsetX, 0);
	EXPECT_EQ(GameOffsetY, 0);
	EXPECT_EQ(ResolutionTag, "R800x600");
}

TEST_F(ResolutionTest, FatalErrors)
{
	ChangeSucceeds = false;
	try {
		ChooseResolution(Input(800, 480));
		FAIL() << "no fatal error";
	} catch (const EGameError &error) {
		EXPECT_STREQ(error.what(), "Minimal resolution requirement for this game is 800x600!");
	}

	// The message names the game area's layout that is missing.
	std::filesystem::remove_all(Graphics() + "/base/R1280x720");
	try {
		ChooseResolution(Input(1920, 1080));
		FAIL() << "no fatal error";
	} catch (const EGameError &error) {
		EXPECT_STREQ(error.what(), "Can not find \"graphics/R1280x720\"");
	}
	std::filesystem::remove_all(Graphics() + "/base/R800x600");
	try {
		ChooseResolution(Input(1024, 768));
		FAIL() << "no fatal error";
	} catch (const EGameError &error) {
		EXPECT_STREQ(error.what(), "Can not find \"graphics/R800x600\"");
	}
}

TEST_F(ResolutionTest, RealRunReadsTheRegistrySetting)
{
	const TScopedEnv config("XDG_CONFIG_HOME", Temp / "config");
	TGRegistry(RegistryStoreFile()).WriteInteger("ScreenResolution", 256);
	const std::string oldFolder = std::filesystem::current_path();
	std::filesystem::current_path(Temp.Path());

	ChooseResolution(); // any desktop of 800x600 or more ends with the 800x600 game area

	std::filesystem::current_path(oldFolder);
	EXPECT_EQ(ScreenResolutionSetting, 0);
	EXPECT_EQ(ResolutionTag, "R800x600");
}

TEST(Resolution, ReadLayoutValuesReadsEveryKey)
{
	const char *names[] = {"CellSize", "ConveyerY", "GroundY", "LifeX", "LifeY", "TimeLineX", "TimeLineY", "FieldX",
		"FieldY", "LeftBound", "RightBound", "ParchX", "ParchY", "ParchYOut", "ParchPercentX", "MechanicY",
		"BrickAverageY"};
	const int *values[] = {&CellSize, &ConveyerY, &GroundY, &LifeX, &LifeY, &TimeLineX, &TimeLineY, &FieldX, &FieldY,
		&LeftBound, &RightBound, &ParchX, &ParchY, &ParchYOut, &ParchPercentX, &MechanicY, &BrickAverageY};
	pugi::xml_document document;
	pugi::xml_node node = document.append_child("Vantero");
	for (size_t i = 0; i < std::size(names); ++i)
		node.append_attribute(names[i]) = static_cast<int>(100 + i);
	TXMLVanteroType root(node);
	TXMLVanteroType *const oldConfig = Config;
	Config = &root;

	ReadLayoutValues();
	for (size_t i = 0; i < std::size(names); ++i)
		EXPECT_EQ(*values[i], static_cast<int>(100 + i)) << names[i];

	node.remove_attribute("BrickAverageY");
	try {
		ReadLayoutValues();
		ADD_FAILURE() << "a missing key was not reported";
	} catch (const EGameError &error) {
		EXPECT_NE(std::string(error.what()).find("BrickAverageY"), std::string::npos) << error.what();
	}
	Config = oldConfig;
}
