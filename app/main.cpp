// The program's entry: asks once, dials on Yes, and leaves the outcome in the
// exit code (0 connected, 36 not).
#include <windows.h>

#include "../classlib/system_library.h"
#include "../ui/Unit1.h"
#include "flow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RestrictDllSearchToSystem();  // before anything loads a DLL on demand
    Application->Initialize();
    AnsiString error;
    if (!Application->CreateForm(frmMain, &error)) {
        Application->ShowException(error.c_str());
        Halt(kExitNotConnected);
    }
    Application->Run();
    Halt(kExitConnected);
}
