#include "harness.h"

#include <stdio.h>
#include <stdlib.h>

int g_failures = 0;
static const char* g_case = "";
static int g_caseFailures = 0;

void Fail(const char* file, int line, const std::string& what)
{
    ++g_failures;
    ++g_caseFailures;
    const char* name = strrchr(file, '/');
    printf("  FAIL %s (%s:%d): %s\n", g_case, name ? name + 1 : file, line, what.c_str());
    fflush(stdout);
}


void RunCase(const char* name, void (*body)())
{
    g_case = name;
    g_caseFailures = 0;
    ClearDialLog();
    body();
    printf("%s %s\n", g_caseFailures ? "FAILED" : "ok", name);
    fflush(stdout);
}

static std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of("\\/")); }

std::string ProgramPath()
{
    // The drivers live below build/<arch>/, beside which the program is.
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder = Folder(self);
    for (int up = 0; up < 4; ++up, folder = Folder(folder))
        if (GetFileAttributesA((folder + "\\dialprompt.exe").c_str()) != INVALID_FILE_ATTRIBUTES)
            return folder + "\\dialprompt.exe";
    return "dialprompt.exe";
}

std::string ProgramPath(const char* arch)
{
    // <build>\<arch>\dialprompt.exe, whichever build the driver is of.
    std::string build = Folder(Folder(ProgramPath()));
    return build + "\\" + arch + "\\dialprompt.exe";
}

const BYTE* Resource(HMODULE module, LPCSTR name, LPCSTR type, DWORD* size)
{
    HRSRC found = FindResourceA(module, name, type);
    *size = found ? SizeofResource(module, found) : 0;
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    return loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
}

std::string BuildFile(const char* relative) { return Folder(ProgramPath()) + "\\" + relative; }

std::string TempFolder(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "dialprompt-" + name;
    std::string pattern = folder + "\\*";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

static std::string DialLogPath()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "dialprompt-dial.log";
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

static BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM context)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[64];
    bool ofProcess = search->processId ? pid == search->processId : pid != GetCurrentProcessId();
    if (ofProcess && IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) &&
        lstrcmpiA(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindProcessWindow(DWORD processId, const char* className, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        WindowSearch search = {processId, className, nullptr};
        EnumWindows(FindWindowOfProcess, LPARAM(&search));
        if (search.found)
            return search.found;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

static HWND ChildWithText(HWND parent, const char* className, const char* text)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64], caption[256];
        GetClassNameA(child, name, sizeof name);
        GetWindowTextA(child, caption, sizeof caption);
        if (lstrcmpiA(name, className) == 0 && (!text || strcmp(caption, text) == 0))
            return child;
    }
    return nullptr;
}

bool LaunchPrompt(Prompt* prompt, const DialSetup& dial, const std::string& exe)
{
    SetEnvironmentVariableA("DIALPROMPT_DOUBLE_LOG", DialLogPath().c_str());
    SetEnvironmentVariableA("DIALPROMPT_DOUBLE_RESULT", std::to_string(dial.result).c_str());
    SetEnvironmentVariableA("DIALPROMPT_DOUBLE_BLOCK_MS", std::to_string(dial.blockMs).c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    *prompt = Prompt();
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &prompt->process)) {
        Fail(__FILE__, __LINE__, "cannot start " + exe);
        return false;
    }
    return true;
}

bool AwaitPrompt(Prompt* prompt)
{
    prompt->window = FindProcessWindow(prompt->process.dwProcessId, "TfrmMain", 20000);
    if (!prompt->window) {
        Fail(__FILE__, __LINE__, "the prompt window did not appear");
        return false;
    }
    prompt->yes = ChildWithText(prompt->window, "Button", "Yes");
    prompt->no = ChildWithText(prompt->window, "Button", "No");
    prompt->label = ChildWithText(prompt->window, "Static", nullptr);
    return true;
}

bool BringToFront(const Prompt& prompt)
{
    // Input goes to the foreground window: wait until the prompt is it, a
    // button has the focus, and it stays so for a moment. Wine's X11 driver
    // resynchronises the modifier keys shortly after a window takes the
    // focus (a held Alt sent before then is forgotten), and a late focus
    // event from the X server can still activate another window. A user's
    // first key press comes later than this anyway.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (GetForegroundWindow() != prompt.window)
            SetForegroundWindow(prompt.window);
        DWORD start = GetTickCount();
        while ((GetForegroundWindow() != prompt.window || !FocusOf(prompt)) && GetTickCount() - start < 1000)
            Sleep(20);
        Sleep(300);
        if (GetForegroundWindow() == prompt.window && FocusOf(prompt))
            return true;
    }
    Fail(__FILE__, __LINE__, "the prompt did not come to the front");
    return false;
}

bool StartPrompt(Prompt* prompt, const DialSetup& dial, const std::string& exe)
{
    return LaunchPrompt(prompt, dial, exe) && AwaitPrompt(prompt) && BringToFront(*prompt);
}

long WaitExit(Prompt* prompt, DWORD timeoutMs)
{
    if (!prompt->process.hProcess)
        return -1;
    DWORD code = DWORD(-1);
    if (WaitForSingleObject(prompt->process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(prompt->process.hProcess, &code);
    } else {
        TerminateProcess(prompt->process.hProcess, 99);
        WaitForSingleObject(prompt->process.hProcess, 5000);
        code = DWORD(-1);
    }
    CloseHandle(prompt->process.hProcess);
    CloseHandle(prompt->process.hThread);
    prompt->process = PROCESS_INFORMATION();
    return long(code);
}

bool StillRunning(const Prompt& prompt, DWORD forMs)
{
    return WaitForSingleObject(prompt.process.hProcess, forMs) == WAIT_TIMEOUT;
}

HWND FocusOf(const Prompt& prompt)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(prompt.process.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

bool Framed(HWND button) { return (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

static void SendKey(WORD vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

void KeyDown(WORD vk) { SendKey(vk, false); }
void KeyUp(WORD vk) { SendKey(vk, true); }
void Press(WORD vk)
{
    KeyDown(vk);
    KeyUp(vk);
}

void PressWith(const std::vector<WORD>& held, WORD vk)
{
    for (WORD k : held)
        KeyDown(k);
    Press(vk);
    for (size_t i = held.size(); i-- > 0;)
        KeyUp(held[i]);
}

void ClickAt(int x, int y)
{
    SetCursorPos(x, y);
    Sleep(30);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input[0], sizeof(INPUT));
    Sleep(30);
    SendInput(1, &input[1], sizeof(INPUT));
    Sleep(30);
}

void ClickCentre(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void Settle(DWORD ms) { Sleep(ms); }

static const char kAutodialKey[] = "Software\\Microsoft\\RAS Autodial\\Default";

void ClearDefaultConnection() { RegDeleteTreeA(HKEY_CURRENT_USER, kAutodialKey); }

void SetDefaultConnection(DWORD type, const void* data, DWORD size)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kAutodialKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        Fail(__FILE__, __LINE__, "cannot create the autodial key");
        return;
    }
    if (RegSetValueExA(key, "DefaultInternet", 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        Fail(__FILE__, __LINE__, "cannot set DefaultInternet");
    RegCloseKey(key);
}

void SetDefaultConnectionText(const char* name) { SetDefaultConnection(REG_SZ, name, DWORD(strlen(name) + 1)); }

void ClearDialLog() { DeleteFileA(DialLogPath().c_str()); }

static std::string Field(const std::string& line, const char* name)
{
    std::string key = std::string(" ") + name + "=";
    size_t at = (" " + line).find(key);
    if (at == std::string::npos)
        return "";
    size_t start = at + key.size() - 1;
    size_t end = line.find(' ', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::vector<DialRecord> DialLog()
{
    std::vector<DialRecord> records;
    FILE* log = fopen(DialLogPath().c_str(), "rb");
    if (!log)
        return records;
    char line[200000];
    while (fgets(line, sizeof line, log)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        DialRecord r;
        r.entry = Field(text, "entry");
        r.parent = strtoull(Field(text, "parent").c_str(), nullptr, 16);
        r.visible = Field(text, "visible") == "1";
        r.flags = strtoul(Field(text, "flags").c_str(), nullptr, 16);
        r.connection = Field(text, "connection") == "1";
        r.reserved = strtoul(Field(text, "reserved").c_str(), nullptr, 10);
        std::string hex = Field(text, "name");
        r.nullName = hex == "(null)";
        for (size_t i = 0; !r.nullName && i + 1 < hex.size(); i += 2)
            r.name += char(strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
        records.push_back(r);
    }
    fclose(log);
    return records;
}

std::vector<COLORREF> ScreenPixels(const RECT& r)
{
    int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<COLORREF> pixels(size_t(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const BYTE* p = static_cast<const BYTE*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB(p[4 * i + 2], p[4 * i + 1], p[4 * i]);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool SaveScreenBitmap(const RECT& r, const std::string& path)
{
    int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<COLORREF> pixels = ScreenPixels(r);
    int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = DWORD(rowBytes) * height;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    FILE* out = fopen(path.c_str(), "wb");
    if (!out)
        return false;
    fwrite(&file, sizeof file, 1, out);
    fwrite(&header, sizeof header, 1, out);
    std::vector<BYTE> row(rowBytes);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixels[size_t(y) * width + x];
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
        fwrite(row.data(), 1, row.size(), out);
    }
    return fclose(out) == 0;
}

void SetSystemColour(int element, COLORREF colour)
{
    SetSysColors(1, &element, &colour);
    static const struct {
        int element;
        const char* name;
    } names[] = {{COLOR_BTNFACE, "ButtonFace"}, {COLOR_WINDOWTEXT, "WindowText"}};
    for (const auto& n : names) {
        if (n.element != element)
            continue;
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            std::string value = std::to_string(GetRValue(colour)) + " " + std::to_string(GetGValue(colour)) + " " +
                                std::to_string(GetBValue(colour));
            RegSetValueExA(key, n.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
            RegCloseKey(key);
        }
    }
}
