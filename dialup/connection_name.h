// What the stored default-connection value gives as a connection name.
#pragma once
#include "../classlib/ansi_string.h"

enum { kRegSz = 1, kRegExpandSz = 2 };  // the registry's REG_SZ and REG_EXPAND_SZ

// The name is the data as stored, up to its first NUL byte or its end, with
// %VARIABLE% references left unexpanded. Returns false, leaving `name` alone,
// when the value is not of a text type.
bool ConnectionNameFromData(unsigned long type, const unsigned char* data, size_t size,
                            AnsiString* name);
