// Loading DLLs from the system directory only, never from the program's own
// folder or the current directory, where anyone could have dropped one.
#pragma once
#include <windows.h>

// Restricts every later DLL search of the process to the system directory,
// and loads up front the DLLs that the system's controls load on demand: not
// every loader applies the restriction to those on-demand loads.
void RestrictDllSearchToSystem();

// Loads `name` from the system directory; null when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* name);
