#include "system_library.h"

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || GetLastError() != ERROR_INVALID_PARAMETER)
        return module;
    // A system without the restricted search flag: name the file by its full path.
    wchar_t path[MAX_PATH + 32];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || lstrlenW(name) > 30)
        return nullptr;
    path[length] = L'\\';
    lstrcpyW(path + length + 1, name);
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void RestrictDllSearchToSystem()
{
    // Looked up by name: older systems lack the call and keep their default search.
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
    SetDefaultDllDirectoriesFn restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (restrict)
        restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The visual-styles controls draw through these, loaded when first needed.
    LoadSystemLibrary(L"msimg32.dll");
    LoadSystemLibrary(L"ole32.dll");
}
