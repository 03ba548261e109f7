#include "platform/PDisplay.h"

#include "config/UResolution.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vantero;
using namespace vantero::platform;

TEST(Display, DesktopModeAndRequestedMode)
{
	::setenv("SDL_VIDEODRIVER", "dummy", 0);
	std::string error;
	const auto desktop = DesktopDisplayMode(&error);
	ASSERT_TRUE(desktop) << error;
	EXPECT_GT(desktop->Width, 0);
	EXPECT_GT(desktop->Height, 0);

	ASSERT_TRUE(ChangeDisplaySize(desktop->Width, desktop->Height));
	const auto requested = RequestedDisplayMode();
	ASSERT_TRUE(requested);
	EXPECT_GE(requested->Width, desktop->Width);
	EXPECT_GE(requested->Height, desktop->Height);

	RestoreDisplayAtExit = true;
	RestoreDisplayIfChanged();
	EXPECT_FALSE(RequestedDisplayMode());
	RestoreDisplayAtExit = false;

	EXPECT_FALSE(ChangeDisplaySize(100000, 100000));
	EXPECT_FALSE(RequestedDisplayMode());
	EXPECT_FALSE(ChangeDisplaySize(0, 600));
}
