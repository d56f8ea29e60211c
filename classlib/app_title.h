// The application's title when the program sets none: its file name.
#pragma once
#include "ansi_string.h"

// "C:\Tools\ABC.EXE" gives "Abc": the name without its folder, cut before its
// first full stop, every character after the first lowered by `lower` (which
// lowers a run of ANSI characters in place, as the system's CharLowerBuffA does).
AnsiString AppTitleFromPath(const char* path, void (*lower)(char* text, unsigned length));
