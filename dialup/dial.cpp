#include "dial.h"

// MinGW's header maps InternetDial to a prototype with a 32-bit connection
// pointer; the real entry point takes a DWORD_PTR.
typedef DWORD(WINAPI* InternetDialAFn)(HWND parent, LPSTR connectoid, DWORD flags, DWORD_PTR* connection,
                                       DWORD reserved);

enum { kInternetDialForcePrompt = 0x2000 };

static HMODULE LoadWininet()
{
    HMODULE module = LoadLibraryExW(L"wininet.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || GetLastError() != ERROR_INVALID_PARAMETER)
        return module;
    // A system without the restricted search flag: name the file by its full path.
    wchar_t path[MAX_PATH + 16];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    lstrcpyW(path + length, L"\\wininet.dll");
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool DialWithPrompt(HWND parent, const char* connectionName)
{
    // Never freed: the connection it makes outlives the program anyway.
    HMODULE wininet = LoadWininet();
    InternetDialAFn dial = wininet ? reinterpret_cast<InternetDialAFn>(reinterpret_cast<void*>(GetProcAddress(wininet, "InternetDialA"))) : nullptr;
    if (!dial)
        return false;
    DWORD_PTR connection = 0;  // not every dial service writes it
    char empty[1] = "";
    LPSTR name = connectionName ? const_cast<LPSTR>(connectionName) : empty;
    return dial(parent, name, kInternetDialForcePrompt, &connection, 0) == ERROR_SUCCESS;
}
