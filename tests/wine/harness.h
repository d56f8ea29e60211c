// What the in-Wine tests share: checks, starting the program, finding its
// windows, real input through SendInput, and reading what the dial double saw.
// Plain Win32 throughout, so the same tests run on Windows.
#pragma once
#include <windows.h>

#include <string>
#include <type_traits>
#include <vector>

// ---- checks ----------------------------------------------------------------
extern int g_failures;
void Fail(const char* file, int line, const std::string& what);
#define CHECK(condition, what)                                     \
    do {                                                           \
        if (!(condition))                                          \
            Fail(__FILE__, __LINE__, std::string(#condition " -- ") + (what)); \
    } while (0)
#define CHECK_EQ(actual, expected, what)                                                        \
    do {                                                                                        \
        auto a_ = (actual);                                                                     \
        auto e_ = (expected);                                                                   \
        if (!(a_ == e_))                                                                        \
            Fail(__FILE__, __LINE__, std::string(what) + ": got " + Show(a_) + ", wanted " + Show(e_)); \
    } while (0)
template <class T>
std::string Show(const T& value)
{
    if constexpr (std::is_arithmetic_v<T>)
        return std::to_string(value);
    else
        return "\"" + std::string(value) + "\"";
}

// Runs one named case and reports it.
void RunCase(const char* name, void (*body)());

// ---- the program -----------------------------------------------------------
std::string ProgramPath();          // build/<arch>/dialprompt.exe, above the drivers' folders
std::string ProgramPath(const char* arch);  // the program of a given build: "i686", "x86_64"
std::string BuildFile(const char* relative);  // a file of this build, e.g. "tests\\wine\\marker.dll"
std::string TempFolder(const char* name);  // empty, under the prefix's temp
// A resource of a module (a program opened as data), with its size; null when absent.
const BYTE* Resource(HMODULE module, LPCSTR name, LPCSTR type, DWORD* size);

// What the dial double is to do in the next program started.
struct DialSetup {
    DWORD result = ERROR_SUCCESS;
    DWORD blockMs = 0;
};

struct Prompt {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;   // the form
    HWND yes = nullptr;
    HWND no = nullptr;
    HWND label = nullptr;
};

// Starts the program and waits until its window is shown and in front.
bool StartPrompt(Prompt* prompt, const DialSetup& dial = DialSetup(), const std::string& exe = ProgramPath());
// The same in steps, for starting many copies at once: start the process,
// wait for its window, bring it to the front.
bool LaunchPrompt(Prompt* prompt, const DialSetup& dial = DialSetup(), const std::string& exe = ProgramPath());
bool AwaitPrompt(Prompt* prompt);
bool BringToFront(const Prompt& prompt);
// Waits for the program to end and gives its exit code; on timeout kills it and gives -1.
long WaitExit(Prompt* prompt, DWORD timeoutMs = 10000);
bool StillRunning(const Prompt& prompt, DWORD forMs);
// A visible top-level window of the class; processId 0: of any process but this one.
HWND FindProcessWindow(DWORD processId, const char* className, DWORD timeoutMs);
HWND FocusOf(const Prompt& prompt);
bool Framed(HWND button);  // wears the default-button frame

// ---- input -----------------------------------------------------------------
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void Press(WORD vk);                          // down and up
void PressWith(const std::vector<WORD>& held, WORD vk);  // modifiers held around a press
void ClickAt(int x, int y);                   // screen coordinates, left button
void ClickCentre(HWND window);
void Settle(DWORD ms = 150);                  // lets the program process what was sent

// ---- the registry value the program reads ------------------------------------
void ClearDefaultConnection();                // the key absent
void SetDefaultConnection(DWORD type, const void* data, DWORD size);
void SetDefaultConnectionText(const char* name);

// ---- what the dial double recorded -----------------------------------------
struct DialRecord {
    std::string entry;
    unsigned long long parent = 0;
    bool visible = false;
    unsigned long flags = 0;
    bool connection = false;
    unsigned long reserved = 0;
    bool nullName = false;
    std::string name;  // the bytes it received
};
std::vector<DialRecord> DialLog();
void ClearDialLog();

// ---- what the user sees ------------------------------------------------------
// The screen's pixels in `r` (screen coordinates), top-down rows of COLORREF.
std::vector<COLORREF> ScreenPixels(const RECT& r);
bool SaveScreenBitmap(const RECT& r, const std::string& path);
// Sets a system colour for programs started from now on: on Windows through
// SetSysColors, under Wine also in the registry, where new programs read it.
void SetSystemColour(int element, COLORREF colour);
