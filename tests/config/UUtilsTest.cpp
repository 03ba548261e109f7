#include "config/UUtils.h"

#include <gtest/gtest.h>

using namespace vantero;

TEST(UUtils, RoundHalfEvenAndTwoDigits)
{
	EXPECT_EQ(RoundHalfEven(2.5), 2);
	EXPECT_EQ(RoundHalfEven(3.5), 4);
	EXPECT_EQ(RoundHalfEven(-2.5), -2);
	EXPECT_EQ(TwoDigits(7), "07");
	EXPECT_EQ(TwoDigits(12), "12");
}

TEST(UUtils, RaiseGameErrorAtJoinsWhereAndMessage)
{
	ErrorRaised = false;
	try {
		RaiseGameErrorAt("StrToHAlign", "Unknown HAlign");
		FAIL();
	} catch (const EGameError &error) {
		EXPECT_STREQ(error.what(), "StrToHAlign: Unknown HAlign");
	}
	EXPECT_TRUE(ErrorRaised);
	ErrorRaised = false;
}
