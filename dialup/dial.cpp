#include "dial.h"

#include "../classlib/system_library.h"

// MinGW's header maps InternetDial to a prototype with a 32-bit connection
// pointer; the real entry point takes a DWORD_PTR.
typedef DWORD(WINAPI* InternetDialAFn)(HWND parent, LPSTR connectoid, DWORD flags, DWORD_PTR* connection,
                                       DWORD reserved);

enum { kInternetDialForcePrompt = 0x2000 };

bool DialWithPrompt(HWND parent, const char* connectionName)
{
    // Never freed: the connection it makes outlives the program anyway.
    HMODULE wininet = LoadSystemLibrary(L"wininet.dll");
    FARPROC entry = wininet ? GetProcAddress(wininet, "InternetDialA") : nullptr;
    if (!entry)
        return false;
    InternetDialAFn dial = reinterpret_cast<InternetDialAFn>(reinterpret_cast<void*>(entry));
    DWORD_PTR connection = 0;  // not every dial service writes it
    char empty[1] = "";
    LPSTR name = connectionName ? const_cast<LPSTR>(connectionName) : empty;
    return dial(parent, name, kInternetDialForcePrompt, &connection, 0) == ERROR_SUCCESS;
}
