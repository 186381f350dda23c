// Colour texts of skin descriptions.

#include "skin/data/ColourText.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadColourText, ThreeNumbersAreRedGreenBlueWhateverSeparatesThem) {
    EXPECT_EQ(ReadColourText("0,128,255", -1), 0xFF8000);
    EXPECT_EQ(ReadColourText("0 128 255 ", -1), 0xFF8000);
    EXPECT_EQ(ReadColourText(" 10; 20 ;30", -1), 0x1E140A);
    EXPECT_EQ(ReadColourText("1,,2,,3", -1), 0x030201);
}

TEST(ReadColourText, ANumberEndingTheTextCountsOnlyAsBlue) {
    EXPECT_EQ(ReadColourText("255 128", -1), 0x0000FF);
    EXPECT_EQ(ReadColourText("12", -1), 0x000000);
    EXPECT_EQ(ReadColourText("255,128,", -1), 0x0080FF);
}

TEST(ReadColourText, NumbersAreCutToEightBitsAndAFourthIsIgnored) {
    EXPECT_EQ(ReadColourText("256,257,511", -1), 0xFF0100);
    EXPECT_EQ(ReadColourText("1000000000000001,0,0", -1), 1) << "10^15 is a multiple of 256";
    EXPECT_EQ(ReadColourText("1,2,3,4", -1), 0x030201);
}

TEST(ReadColourText, AnEmptyTextKeepsTheDefault) {
    EXPECT_EQ(ReadColourText("", SystemColor(8)), SystemColor(8));
    EXPECT_EQ(ReadColourText("red", 7), 0);
}

} // namespace
