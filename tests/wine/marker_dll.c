/* A DLL planted beside the program under a system DLL's name. If it is ever
 * loaded it leaves a file named after itself in DIALPROMPT_MARKER_DIR. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        char dir[MAX_PATH], self[MAX_PATH], path[2 * MAX_PATH];
        DWORD n = GetEnvironmentVariableA("DIALPROMPT_MARKER_DIR", dir, MAX_PATH);
        DWORD m = GetModuleFileNameA(instance, self, MAX_PATH);
        if (n > 0 && n < MAX_PATH && m > 0 && m < MAX_PATH) {
            const char* name = self;
            for (const char* p = self; *p; ++p)
                if (*p == '\\' || *p == '/')
                    name = p + 1;
            wsprintfA(path, "%s\\%s.loaded", dir, name);
            HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        }
    }
    return TRUE;
}
