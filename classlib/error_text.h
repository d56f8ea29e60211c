// Texts of the application's default error box and of the registry errors.
#pragma once
#include "ansi_string.h"

// The error box ends its text with a full stop only when the last character
// sorts after one, so a text that already ends in '.', '!' or an apostrophe
// gets none.
AnsiString ErrorBoxText(const char* message);

// `format` with its first "%s" replaced by `first` and its second by `second`.
AnsiString FormatText(const char* format, const char* first, const char* second = "");
