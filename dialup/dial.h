// Dials a dial-up entry through the Windows Internet library, with the
// system's own dial prompt.
#pragma once
#include <windows.h>

// True only when the dial service reports a connection. The library is
// loaded from the system directory alone, never from the program's folder.
bool DialWithPrompt(HWND parent, const char* connectionName);
