/* Stands in for the Windows Internet library's dial entry points in the test
 * Wine prefix (Wine's own always succeeds). Appends one line per call to the
 * file named by DIALPROMPT_DOUBLE_LOG with every argument it received, waits
 * DIALPROMPT_DOUBLE_BLOCK_MS milliseconds (a user busy with the dial prompt),
 * and returns DIALPROMPT_DOUBLE_RESULT (default 0, connected). */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

static DWORD EnvNumber(const char* name, DWORD fallback)
{
    char text[32];
    DWORD n = GetEnvironmentVariableA(name, text, sizeof text);
    return n > 0 && n < sizeof text ? (DWORD)strtoul(text, NULL, 0) : fallback;
}

static DWORD Record(HWND parent, const char* name, size_t nameBytes, DWORD flags, DWORD_PTR* connection,
                    DWORD reserved, const char* entry)
{
    char path[MAX_PATH];
    DWORD visible = parent && IsWindowVisible(parent);
    DWORD pathLength = GetEnvironmentVariableA("DIALPROMPT_DOUBLE_LOG", path, sizeof path);
    if (pathLength > 0 && pathLength < sizeof path) {
        FILE* log = fopen(path, "ab");
        if (log) {
            fprintf(log, "entry=%s parent=%llx visible=%lu flags=%lx connection=%d reserved=%lu name=", entry,
                    (unsigned long long)(ULONG_PTR)parent, visible, flags, connection != NULL, reserved);
            if (!name)
                fputs("(null)", log);
            for (size_t i = 0; name && i < nameBytes; ++i)
                fprintf(log, "%02x", (unsigned char)name[i]);
            fputs("\n", log);
            fclose(log);
        }
    }
    Sleep(EnvNumber("DIALPROMPT_DOUBLE_BLOCK_MS", 0));
    if (connection)
        *connection = 0x1234;
    return EnvNumber("DIALPROMPT_DOUBLE_RESULT", ERROR_SUCCESS);
}

__declspec(dllexport) DWORD WINAPI InternetDialA(HWND parent, LPSTR name, DWORD flags, DWORD_PTR* connection,
                                                 DWORD reserved)
{
    return Record(parent, name, name ? strlen(name) : 0, flags, connection, reserved, "A");
}

__declspec(dllexport) DWORD WINAPI InternetDialW(HWND parent, LPWSTR name, DWORD flags, DWORD_PTR* connection,
                                                 DWORD reserved)
{
    return Record(parent, (const char*)name, name ? lstrlenW(name) * 2 : 0, flags, connection, reserved, "W");
}

__declspec(dllexport) DWORD WINAPI InternetDial(HWND parent, LPSTR name, DWORD flags, DWORD_PTR* connection,
                                                DWORD reserved)
{
    return Record(parent, name, name ? strlen(name) : 0, flags, connection, reserved, "plain");
}
