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

TEST(CenterOnVirtualScreen, CentresOnTheWholeVirtualScreen)
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
        Placement at = CenterOnVirtualScreen(c.x, c.y, c.cx, c.cy, c.width, c.height);
        EXPECT_EQ(at.left, c.left) << c.setup;
        EXPECT_EQ(at.top, c.top) << c.setup;
    }
}
