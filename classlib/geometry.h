// Placement and scaling arithmetic of forms.
#pragma once

// value * numerator / denominator, rounded half away from zero, as the
// system's MulDiv does; used to scale a design at 96 pixels per inch.
int ScaleValue(int value, int numerator, int denominator);

struct Placement {
    int left;
    int top;
};

// Centres a window of the given outer size on the virtual screen (the
// rectangle spanning every monitor, whose origin is left of or above the
// primary screen's corner when a monitor lies there).
Placement CenterOnVirtualScreen(int screenLeft, int screenTop, int screenWidth,
                                int screenHeight, int width, int height);
