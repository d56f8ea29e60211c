// The program's entry: asks once, dials on Yes, and leaves the outcome in the
// exit code (0 connected, 36 not).
#include <windows.h>

#include "../ui/Unit1.h"
#include "flow.h"

// Later DLL loads come from the system directory only, so a DLL dropped
// beside the program is never picked up. Looked up by name: older systems
// lack the call and keep their default search.
static void RestrictDllSearch()
{
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    SetDefaultDllDirectoriesFn restrict =
        reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (restrict)
        restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RestrictDllSearch();
    Application->Initialize();
    AnsiString error;
    if (!Application->CreateForm(frmMain, &error)) {
        Application->ShowException(error.c_str());
        Halt(kExitNotConnected);
    }
    Application->Run();
    Halt(kExitConnected);
}
