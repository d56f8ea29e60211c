// Every answer ends the real program with its exit code, and Yes dials the
// default connection with the system's prompt forced.
#include "harness.h"
#include "tests.h"

namespace {

const unsigned long kForcePrompt = 0x2000;

void AcceptDialsTheDefaultEntryHiddenAndConnects()
{
    SetDefaultConnectionText("My ISP");
    Prompt p;
    if (!StartPrompt(&p))
        return;
    Press(VK_RETURN);
    CHECK_EQ(WaitExit(&p), 0L, "exit code after a successful dial");
    std::vector<DialRecord> log = DialLog();
    CHECK_EQ(log.size(), size_t(1), "dials");
    if (log.empty())
        return;
    const DialRecord& d = log[0];
    CHECK_EQ(d.entry, std::string("A"), "entry point");
    CHECK_EQ(d.parent, (unsigned long long)(ULONG_PTR)p.window, "parent of the dial prompt");
    CHECK(!d.visible, "the prompt was still visible when the dial prompt appeared");
    CHECK_EQ(d.flags, kForcePrompt, "dial flags");
    CHECK(d.connection, "no connection variable passed");
    CHECK_EQ(d.reserved, 0ul, "reserved argument");
    CHECK_EQ(d.name, std::string("My ISP"), "connection name");
}

void FailedOrCancelledDialEndsWith36()
{
    SetDefaultConnectionText("My ISP");
    const DWORD results[] = {ERROR_CANCELLED, 668 /* no connection */, 1, 0xFFFFFFFF};
    for (DWORD result : results) {
        ClearDialLog();
        Prompt p;
        if (!StartPrompt(&p, {.result = result}))
            return;
        ClickCentre(p.yes);
        CHECK_EQ(WaitExit(&p), 36L, "exit code for dial result " + std::to_string(result));
        CHECK_EQ(DialLog().size(), size_t(1), "dials for result " + std::to_string(result));
    }
}

struct Answer {
    const char* what;
    void (*give)(const Prompt&);
};

void DeclineEscapeAndCloseEndWith36WithoutDialling()
{
    const Answer answers[] = {
        {"No clicked", [](const Prompt& p) { ClickCentre(p.no); }},
        {"Escape", [](const Prompt&) { Press(VK_ESCAPE); }},
        {"Alt+F4", [](const Prompt&) { PressWith({VK_MENU}, VK_F4); }},
        {"close box", [](const Prompt& p) {
             // The close box sits at the right end of the caption.
             RECT r;
             GetWindowRect(p.window, &r);
             int frame = GetSystemMetrics(SM_CXFIXEDFRAME), button = GetSystemMetrics(SM_CXSIZE);
             ClickAt(r.right - frame - button / 2 - 1, r.top + GetSystemMetrics(SM_CYFIXEDFRAME) +
                                                          GetSystemMetrics(SM_CYCAPTION) / 2);
         }},
        {"system menu Close", [](const Prompt&) {
             PressWith({VK_MENU}, VK_SPACE);
             Settle();
             Press('C');
         }},
    };
    SetDefaultConnectionText("My ISP");
    for (const Answer& a : answers) {
        ClearDialLog();
        Prompt p;
        if (!StartPrompt(&p))
            return;
        a.give(p);
        CHECK_EQ(WaitExit(&p), 36L, a.what);
        CHECK_EQ(DialLog().size(), size_t(0), std::string("dials after ") + a.what);
    }
}

void NoDefaultEntryStillDialsWithAnEmptyName()
{
    ClearDefaultConnection();
    Prompt p;
    if (!StartPrompt(&p))
        return;
    Press(VK_RETURN);
    CHECK_EQ(WaitExit(&p), 0L, "exit code");
    std::vector<DialRecord> log = DialLog();
    CHECK_EQ(log.size(), size_t(1), "dials");
    if (!log.empty()) {
        CHECK(!log[0].nullName, "the name was passed as a null pointer");
        CHECK_EQ(log[0].name, std::string(), "name");
    }
}

void RegistryErrorShowsTheBoxThenEndsWith36()
{
    struct Case {
        DWORD type;
        std::string data;
    } cases[] = {{REG_DWORD, std::string("\x2a\0\0\0", 4)}, {REG_MULTI_SZ, std::string("A\0B\0\0", 5)}};
    for (const Case& c : cases) {
        ClearDialLog();
        SetDefaultConnection(c.type, c.data.data(), DWORD(c.data.size()));
        Prompt p;
        if (!StartPrompt(&p))
            return;
        Press(VK_RETURN);
        HWND box = FindProcessWindow(p.process.dwProcessId, "#32770", 5000);
        CHECK(box != nullptr, "no error box");
        if (box) {
            char caption[100] = "", text[200] = "";
            GetWindowTextA(box, caption, sizeof caption);
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            CHECK_EQ(std::string(caption), std::string("dialprompt"), "error box caption");
            CHECK_EQ(std::string(text), std::string("Invalid data type for 'DefaultInternet'"), "error box text");
            CHECK(!IsWindowVisible(p.window), "the prompt came back with the error box");
            CHECK(StillRunning(p, 300), "the program ended before the box was dismissed");
            SetForegroundWindow(box);
            Settle();
            Press(VK_RETURN);
        }
        CHECK_EQ(WaitExit(&p), 36L, "exit code after the error box");
        CHECK_EQ(DialLog().size(), size_t(0), "dials after a registry error");
    }
    ClearDefaultConnection();
}

// Plants a marker DLL under each name beside a copy of the program, answers
// Yes and checks that the dial went through the system's library and that
// no marker was loaded.
void DialWithPlantedDlls(const char* folderName, const std::vector<std::string>& names)
{
    std::string folder = TempFolder(folderName);
    std::string exe = folder + "\\dialprompt.exe";
    std::string marker = BuildFile("tests\\wine\\marker.dll");
    CHECK(CopyFileA(ProgramPath().c_str(), exe.c_str(), FALSE), "copy the program");
    for (const std::string& name : names)
        CHECK(CopyFileA(marker.c_str(), (folder + "\\" + name + ".dll").c_str(), FALSE), "plant " + name);
    SetEnvironmentVariableA("DIALPROMPT_MARKER_DIR", folder.c_str());
    SetDefaultConnectionText("My ISP");
    Prompt p;
    if (!StartPrompt(&p, DialSetup(), exe))
        return;
    Press(VK_RETURN);
    CHECK_EQ(WaitExit(&p), 0L, "exit code");
    CHECK_EQ(DialLog().size(), size_t(1), "dials through the system's library");
    for (const std::string& name : names)
        CHECK(GetFileAttributesA((folder + "\\" + name + ".dll.loaded").c_str()) == INVALID_FILE_ATTRIBUTES,
              "the planted " + name + ".dll was loaded");
}

void WininetPlantedBesideTheProgramIsNeverLoaded() { DialWithPlantedDlls("planted", {"wininet"}); }

// Every DLL the program and the system components it uses load, as Wine's
// load tracing lists them, planted beside a copy of the program: none may be
// loaded from there. Run with the DLLs that load after the program has
// started made native-first (under Wine: WINEDLLOVERRIDES=...=n,b), so that
// Wine would take a planted file if the program searched its own folder. The
// ones Wine's own system DLLs import before the program's first instruction
// stay builtin: Windows keeps those in its KnownDLLs list, which Wine lacks.
void NoDllIsLoadedFromTheProgramsFolder()
{
    DialWithPlantedDlls("planted-all", {"advapi32", "combase", "comctl32", "gdi32", "imm32", "kernel32",
                                        "kernelbase", "msimg32", "msvcrt", "ole32", "rpcrt4", "sechost",
                                        "ucrtbase", "user32", "uxtheme", "version", "wininet", "dwmapi",
                                        "oleaut32", "shell32", "shlwapi"});
}

// Run with the library made unloadable (under Wine: WINEDLLOVERRIDES=wininet=d).
void WininetThatCannotBeLoadedIsAFailedDial()
{
    Prompt p;
    if (!StartPrompt(&p))
        return;
    Press(VK_RETURN);
    CHECK_EQ(WaitExit(&p), 36L, "exit code");
    CHECK_EQ(DialLog().size(), size_t(0), "dials");
}

}  // namespace

void FlowTests()
{
    RunCase("Yes dials the default entry, hidden, with the prompt forced: 0", AcceptDialsTheDefaultEntryHiddenAndConnects);
    RunCase("a failed or cancelled dial: 36", FailedOrCancelledDialEndsWith36);
    RunCase("No, Escape and closing: 36, nothing dialled", DeclineEscapeAndCloseEndWith36WithoutDialling);
    RunCase("no default entry: dials an empty name", NoDefaultEntryStillDialsWithAnEmptyName);
    RunCase("a value of the wrong type: error box, then 36", RegistryErrorShowsTheBoxThenEndsWith36);
    RunCase("a wininet.dll beside the program is never loaded", WininetPlantedBesideTheProgramIsNeverLoaded);
}

void PlantingTests() { RunCase("no DLL is loaded from the program's folder", NoDllIsLoadedFromTheProgramsFolder); }

void NoWininetTests() { RunCase("no wininet to load: 36", WininetThatCannotBeLoadedIsAFailedDial); }
