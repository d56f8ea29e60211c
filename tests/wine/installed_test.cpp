// The installed program as a logon script reaches it: by its App Paths name
// through "start /wait", from a folder that does not hold it, its exit code
// coming back as cmd.exe's errorlevel. Run after the package is installed.
#include <stdlib.h>

#include "harness.h"
#include "tests.h"

namespace {

std::string ImagePath(HANDLE process)
{
    char path[MAX_PATH];
    DWORD size = MAX_PATH;
    return QueryFullProcessImageNameA(process, 0, path, &size) ? std::string(path, size) : std::string();
}

void StartWaitByNameGivesErrorlevel36OnEscape()
{
    // Where the package of this driver's architecture installs the program.
    const char* programFiles = getenv("ProgramFiles");
    std::string installed = std::string(programFiles ? programFiles : "") + "\\dialprompt\\dialprompt.exe";

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION cmd = {};
    std::string commandLine = "cmd.exe /c start \"\" /wait dialprompt.exe";
    char folder[MAX_PATH];  // a folder without the program, as a logon script's may be
    GetTempPathA(MAX_PATH, folder);
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                        &cmd)) {
        Fail(__FILE__, __LINE__, "cannot start cmd.exe");
        return;
    }
    CloseHandle(cmd.hThread);

    Prompt p;
    p.window = FindProcessWindow(0, "TfrmMain", 20000);  // started by cmd.exe, its id unknown here
    CHECK(p.window != nullptr, "no prompt appeared for start /wait dialprompt.exe");
    if (p.window) {
        p.process.dwThreadId = GetWindowThreadProcessId(p.window, &p.process.dwProcessId);
        p.process.hProcess =
            OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, p.process.dwProcessId);
        CHECK(p.process.hProcess != nullptr, "cannot open the prompt's process");
        if (p.process.hProcess) {
            CHECK(lstrcmpiA(ImagePath(p.process.hProcess).c_str(), installed.c_str()) == 0,
                  "started " + ImagePath(p.process.hProcess) + ", not " + installed);
            if (AwaitPrompt(&p) && BringToFront(p))
                Press(VK_ESCAPE);
            CHECK_EQ(WaitExit(&p), 36L, "the program's exit code after Escape");
        }
    }

    DWORD errorlevel = DWORD(-1);
    if (WaitForSingleObject(cmd.hProcess, 10000) == WAIT_OBJECT_0)
        GetExitCodeProcess(cmd.hProcess, &errorlevel);
    else
        TerminateProcess(cmd.hProcess, 99);
    CloseHandle(cmd.hProcess);
    CHECK_EQ(long(errorlevel), 36L, "cmd.exe's errorlevel after start /wait");
}

}  // namespace

void InstalledTests()
{
    RunCase("start /wait dialprompt.exe runs the installed program and passes back 36 on Escape",
            StartWaitByNameGivesErrorlevel36OnEscape);
}
