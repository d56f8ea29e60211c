#include <gtest/gtest.h>

#include "../../classlib/geometry.h"

TEST(ScaleValue, RoundsHalfAwayFromZeroLikeMulDiv)
{
    struct Case {
        int value, dpi, expected;
    } cases[] = {
        {408, 96, 408}, {408, 144, 612}, {96, 144, 144}, {23, 144, 35},   // 34.5 rounds up
        {-11, 144, -17},                                                  // -16.5 rounds away from zero
        {-11, 120, -14}, {350, 120, 438}, {0, 144, 0}, {1, 192, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleValue(c.value, c.dpi, 96), c.expected) << c.value << " at " << c.dpi;
}

TEST(CentreIn, CentresWindowsOnTheWholeVirtualScreen)
{
    struct Case {
        const char* setup;
        int x, y, cx, cy, width, height, left, top;
    } cases[] = {
        {"one 1024x768 screen", 0, 0, 1024, 768, 414, 122, 305, 323},
        {"odd differences truncate", 0, 0, 1025, 769, 414, 122, 305, 323},
        {"two screens side by side, primary left", 0, 0, 2048, 768, 414, 122, 817, 323},
        {"second screen left of the primary", -1024, 0, 2048, 768, 414, 122, -207, 323},
        {"second screen above the primary", 0, -768, 1024, 1536, 414, 122, 305, 323 - 384},
        {"window wider than the screen: truncates toward zero", 0, 0, 300, 200, 415, 122, -57, 39},
    };
    for (const Case& c : cases) {
        Placement at = CentreIn(c.x, c.y, c.cx, c.cy, c.width, c.height);
        EXPECT_EQ(at.left, c.left) << c.setup;
        EXPECT_EQ(at.top, c.top) << c.setup;
    }
}

// The picture at a system resolution: the box is the 32-pixel design scaled,
// the sides those the artwork is drawn at.
TEST(LargestFittingSide, TakesTheLargestPictureThatFitsTheScaledBox)
{
    const int drawn[] = {32, 40, 48, 64};
    struct Case {
        int dpi, expected;
    } cases[] = {
        {96, 32}, {120, 40}, {144, 48}, {192, 64},  // the sizes drawn for these
        {108, 32},                                   // 36: between two sizes
        {168, 48},                                   // 56
        {191, 64},                                   // 63.7 rounds to 64: fits
        {190, 48},                                   // 63: one short of 64
        {240, 64}, {288, 64},                        // beyond the largest
        {72, 32},                                    // 24: none fits, the smallest
    };
    for (const Case& c : cases) {
        int box = ScaleValue(32, c.dpi, 96);
        EXPECT_EQ(LargestFittingSide(drawn, 4, box, box), c.expected) << c.dpi << " pixels per inch, box " << box;
    }
    const int unordered[] = {64, 32, 48, 40};
    EXPECT_EQ(LargestFittingSide(unordered, 4, 50, 50), 48);
    EXPECT_EQ(LargestFittingSide(drawn, 4, 64, 47), 40) << "the narrower side of the box decides";
    EXPECT_EQ(LargestFittingSide(drawn, 0, 64, 64), 0) << "no picture";
}

TEST(CentreIn, CentresThePictureInItsBox)
{
    // 36-pixel box at (13, 13) with the 32 picture; 56 box with the 48; a
    // 24 box at 72 pixels per inch with the 32 picture overhanging it evenly.
    struct Case {
        int box, side, expected;
    } cases[] = {{48, 48, 13}, {36, 32, 15}, {56, 48, 17}, {63, 48, 20}, {24, 32, 9}};
    for (const Case& c : cases) {
        Placement at = CentreIn(13, 13, c.box, c.box, c.side, c.side);
        EXPECT_EQ(at.left, c.expected) << c.side << " in " << c.box;
        EXPECT_EQ(at.top, c.expected) << c.side << " in " << c.box;
    }
}

TEST(PictureSideFromName, ReadsTheSideOfAPictureDrawnAtAnotherSize)
{
    struct Case {
        const char* name;
        int expected;
    } cases[] = {
        {"QUESTION_48", 48}, {"question_64", 64}, {"Question_40", 40},
        {"QUESTION", 0},        // the picture itself
        {"QUESTION_", 0},       // no digits
        {"QUESTION_4x", 0},     {"QUESTION48", 0}, {"QUESTIONS_48", 0}, {"QUEST_48", 0},
        {"OTHER_48", 0},        {"", 0},
        {"QUESTION_99999999999", 0},  // too large to be a picture
    };
    for (const Case& c : cases)
        EXPECT_EQ(PictureSideFromName("QUESTION", c.name), c.expected) << c.name;
    EXPECT_EQ(PictureSideFromName("", "_48"), 0) << "a control without a picture";
}
