#include "geometry.h"

int ScaleValue(int value, int numerator, int denominator)
{
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    long long scaled = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return static_cast<int>(scaled);
}

Placement CenterOnVirtualScreen(int screenLeft, int screenTop, int screenWidth,
                                int screenHeight, int width, int height)
{
    // C++ division truncates toward zero, which is the rule for a window
    // larger than the screen too.
    return {screenLeft + (screenWidth - width) / 2, screenTop + (screenHeight - height) / 2};
}
