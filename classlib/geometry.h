// Placement and scaling arithmetic of forms.
#pragma once

// value * numerator / denominator, rounded half away from zero, as the
// system's MulDiv does; used to scale a design at 96 pixels per inch.
int ScaleValue(int value, int numerator, int denominator);

struct Placement {
    int left;
    int top;
};

// Centres something of the given size in an area: a window on the virtual
// screen (the rectangle spanning every monitor, whose origin is left of or
// above the primary screen's corner when a monitor lies there), a picture in
// its control. Odd differences truncate toward zero, also when the thing is
// larger than the area.
Placement CentreIn(int areaLeft, int areaTop, int areaWidth, int areaHeight, int width, int height);

// Of a picture drawn square at each of `sides` (any order), the side of the
// largest that fits a box of `boxWidth` x `boxHeight`; the smallest when
// none fits. 0 when there is none.
int LargestFittingSide(const int* sides, int count, int boxWidth, int boxHeight);

// The side a bitmap resource's name gives for a picture drawn at another
// size: "QUESTION_48" is the picture "QUESTION" drawn 48 pixels square (any
// letter case). 0 for every other name.
int PictureSideFromName(const char* picture, const char* name);
