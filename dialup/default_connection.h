// The name of the dial-up entry Windows uses by default to reach the
// Internet for the current user.
#pragma once
#include "../classlib/ansi_string.h"

extern const char* const kAutodialKey;        // under HKEY_CURRENT_USER
extern const char* const kDefaultInternetValue;

// Gives the empty name when no default entry is configured (key or value
// absent, or a value with no data). Returns false with the registry error's
// text when the value cannot be read or is not text.
bool ReadDefaultConnection(AnsiString* name, AnsiString* error);
