#include "geometry.h"

int ScaleValue(int value, int numerator, int denominator)
{
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    long long scaled = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return static_cast<int>(scaled);
}

Placement CentreIn(int areaLeft, int areaTop, int areaWidth, int areaHeight, int width, int height)
{
    // C++ division truncates toward zero, which is the rule for the larger thing too.
    return {areaLeft + (areaWidth - width) / 2, areaTop + (areaHeight - height) / 2};
}

int LargestFittingSide(const int* sides, int count, int boxWidth, int boxHeight)
{
    int largest = 0, smallest = 0;
    for (int i = 0; i < count; ++i) {
        int side = sides[i];
        if (side <= 0)
            continue;
        if (side <= boxWidth && side <= boxHeight && side > largest)
            largest = side;
        if (smallest == 0 || side < smallest)
            smallest = side;
    }
    return largest ? largest : smallest;
}

static char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

int PictureSideFromName(const char* picture, const char* name)
{
    if (!*picture)
        return 0;
    while (*picture && Upper(*picture) == Upper(*name)) {
        ++picture;
        ++name;
    }
    if (*picture || *name != '_' || !name[1])
        return 0;
    int side = 0;
    for (const char* digit = name + 1; *digit; ++digit) {
        if (*digit < '0' || *digit > '9' || side > 10000)
            return 0;
        side = side * 10 + (*digit - '0');
    }
    return side;
}
