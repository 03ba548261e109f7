#include "vistautil/Tolvane.h"

#include "config/UUtils.h"
#include "platform/PTolvane.h"

#include <gtest/gtest.h>

using namespace vantero;

TEST(Tolvane, ExportsAnswerNotVistaAndAccessAllowed)
{
	EXPECT_EQ(CheckIsVistaRunning(), 1);
	EXPECT_EQ(VerifyAccess(u"/opt/vantero/VanteroVista"), 0);
	EXPECT_EQ(VerifyAccess(u""), 0);
	EXPECT_EQ(static_cast<uint32_t>(VerifyAccess(nullptr)), 0x80070057u);
}

TEST(Tolvane, GameBindsTheExportsByName)
{
	// The library sits beside this test program, as it does beside the game.
	ASSERT_TRUE(platform::TolvaneLoaded());
	EXPECT_NE(platform::TolvaneFile().find("libTolvane.so"), std::string::npos);
	EXPECT_EQ(platform::CallCheckIsVistaRunning(), 1);
	EXPECT_EQ(VerifyProgramAccess(ProgramPath()), 0);

	char name[] = "VanteroVista";
	char *argv[] = {name};
	IsVista = true;
	InitUtils(1, argv);
	EXPECT_FALSE(IsVista);
}
