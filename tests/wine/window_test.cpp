// The prompt window as the user sees it: its place, frame, controls, font,
// picture and taskbar entry, read back through the Windows API.
#include <algorithm>

#include "harness.h"
#include "tests.h"

namespace {

RECT ClientRectOf(HWND control, HWND form)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The form's font as designed, at a system resolution.
HFONT FormFont(int dpi)
{
    return CreateFontA(MulDiv(-11, dpi, 96), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
}

// Geometry, captions and font at a given system resolution.
void CheckLayout(const Prompt& p, int dpi)
{
    auto s = [dpi](int v) { return MulDiv(v, dpi, 96); };
    RECT client;
    GetClientRect(p.window, &client);
    CHECK_EQ(client.right, s(408), "client width");
    CHECK_EQ(client.bottom, s(96), "client height");

    struct Control {
        HWND window;
        const char* kind;
        const char* text;
        int left, top, width, height;
    } controls[] = {
        {p.yes, "Button", "Yes", 142, 62, 64, 23},
        {p.no, "Button", "No", 212, 62, 64, 23},
        {p.label, "Static", "No Internet connection detected. Would you like to connect to the Internet now?", 54, 16,
         350, -1},
    };
    for (const Control& c : controls) {
        CHECK(c.window != nullptr, std::string("no ") + c.text);
        if (!c.window)
            continue;
        RECT r = ClientRectOf(c.window, p.window);
        CHECK_EQ(ClassOf(c.window), std::string(c.kind), c.text);
        CHECK_EQ(TextOf(c.window), std::string(c.text), "caption");
        CHECK_EQ(r.left, s(c.left), std::string(c.text) + " left");
        CHECK_EQ(r.top, s(c.top), std::string(c.text) + " top");
        CHECK_EQ(r.right - r.left, s(c.width), std::string(c.text) + " width");
        if (c.height > 0)
            CHECK_EQ(r.bottom - r.top, s(c.height), std::string(c.text) + " height");

    }
    HFONT font = FormFont(dpi);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(memory, font);
    TEXTMETRICA tm;
    GetTextMetricsA(memory, &tm);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(memory, sizeof face, face);
    CHECK_EQ(std::string(face), std::string("MS Sans Serif"), "the font the system gives for MS Sans Serif");

    // The text wraps within the label's width (into two lines as designed;
    // at other sizes the font's own widths decide), the label is as tall as
    // the lines are, and on screen it is exactly that text in that font.
    if (p.label) {
        RECT r = ClientRectOf(p.label, p.window);
        int width = r.right - r.left, height = r.bottom - r.top;
        RECT wrapped = {0, 0, width, 0};
        DrawTextA(memory, TextOf(p.label).c_str(), -1, &wrapped, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
        CHECK_EQ(height, int(wrapped.bottom), "label height: the wrapped lines of text");
        if (dpi == 96)
            CHECK_EQ(height, 2 * tm.tmHeight, "label height: two lines of text");
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP canvas = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ oldBitmap = SelectObject(memory, canvas);
        RECT area = {0, 0, width, height};
        FillRect(memory, &area, GetSysColorBrush(COLOR_BTNFACE));
        SetBkMode(memory, TRANSPARENT);
        SetTextColor(memory, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextA(memory, TextOf(p.label).c_str(), -1, &area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        GdiFlush();
        RECT screen;
        GetWindowRect(p.label, &screen);
        std::vector<COLORREF> shown = ScreenPixels(screen);
        int differ = 0;
        const BYTE* drawn = static_cast<const BYTE*>(bits);
        for (size_t i = 0; i < shown.size(); ++i)
            differ += shown[i] != RGB(drawn[4 * i + 2], drawn[4 * i + 1], drawn[4 * i]);
        CHECK_EQ(differ, 0, "label pixels that differ from its text drawn in MS Sans Serif");
        SelectObject(memory, oldBitmap);
        DeleteObject(canvas);
    }
    // The No button's caption is as wide on screen as "No" in that font.
    if (p.no) {
        SIZE extent;
        GetTextExtentPoint32A(memory, "No", 2, &extent);
        RECT r;
        GetWindowRect(p.no, &r);
        InflateRect(&r, -3, -3);  // inside the button's border
        std::vector<COLORREF> px = ScreenPixels(r);
        int w = r.right - r.left, left = w, right = -1;
        for (size_t i = 0; i < px.size(); ++i)
            if (GetRValue(px[i]) + GetGValue(px[i]) + GetBValue(px[i]) < 200) {
                left = std::min(left, int(i % w));
                right = std::max(right, int(i % w));
            }
        // The extent includes the letters' side bearings, which carry no ink.
        int ink = right - left + 1, slack = std::max(2, int(extent.cx) / 6);
        CHECK(right >= left && ink <= extent.cx && ink >= extent.cx - slack,
              "ink of \"No\" is " + std::to_string(ink) + " pixels wide, the font's " +
                  std::to_string(extent.cx));
    }
    SelectObject(memory, oldFont);
    DeleteDC(memory);
    DeleteObject(font);
}

void WindowLooksAsDesigned()
{
    Prompt p;
    if (!StartPrompt(&p))
        return;
    CHECK_EQ(TextOf(p.window), std::string("Internet Connection"), "caption");
    LONG style = GetWindowLongA(p.window, GWL_STYLE), ex = GetWindowLongA(p.window, GWL_EXSTYLE);
    CHECK((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU), "title bar with system menu and close box");
    CHECK(!(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)), "minimise, maximise or sizing frame");
    CHECK(ex & WS_EX_DLGMODALFRAME, "dialog frame (and so no icon in the title bar)");
    CHECK(ex & WS_EX_TOPMOST, "not topmost");
    CheckLayout(p, 96);

    // Centred on the virtual screen.
    RECT w;
    GetWindowRect(p.window, &w);
    int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int vw = GetSystemMetrics(SM_CXVIRTUALSCREEN), vh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    CHECK_EQ(w.left, vx + (vw - (w.right - w.left)) / 2, "left");
    CHECK_EQ(w.top, vy + (vh - (w.bottom - w.top)) / 2, "top");

    // Yes has the focus and the default-button frame; No has neither.
    CHECK(FocusOf(p) == p.yes, "Yes is not focused");
    CHECK(Framed(p.yes) && !Framed(p.no), "the default frame is not on Yes alone");
    Press(VK_ESCAPE);
    CHECK_EQ(WaitExit(&p), 36L, "exit code");
}

bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) <= 2 && abs(GetGValue(a) - GetGValue(b)) <= 2 &&
           abs(GetBValue(a) - GetBValue(b)) <= 2;
}

std::string Hex(COLORREF c)
{
    char text[16];
    sprintf(text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// The picture's background takes the window colour, whatever it is. The
// colour is set before the program starts: Wine does not pass a change on to
// running programs.
void PictureBackgroundIsTheWindowColour()
{
    const COLORREF original = GetSysColor(COLOR_BTNFACE);
    const COLORREF colours[] = {original, RGB(200, 120, 40)};
    for (COLORREF colour : colours) {
        SetSystemColour(COLOR_BTNFACE, colour);
        Prompt p;
        if (!StartPrompt(&p))
            break;
        POINT origin = {0, 0};
        ClientToScreen(p.window, &origin);
        RECT picture = {origin.x + 12, origin.y + 12, origin.x + 44, origin.y + 44};
        std::vector<COLORREF> px = ScreenPixels(picture);
        COLORREF bottomLeft = px[31 * 32], topLeft = px[0];
        COLORREF form = ScreenPixels({origin.x + 4, origin.y + 80, origin.x + 5, origin.y + 81})[0];
        CHECK(Near(form, colour), "window colour " + Hex(form) + ", wanted " + Hex(colour));
        CHECK(Near(bottomLeft, colour), "picture's bottom-left corner " + Hex(bottomLeft) + " on " + Hex(colour));
        CHECK(Near(topLeft, colour), "picture's top-left corner " + Hex(topLeft) + " on " + Hex(colour));
        // The bubble itself is drawn: light blue in the middle, dark blue where the mark's stem is.
        COLORREF bubble = px[16 * 32 + 6], mark = px[15 * 32 + 16];
        CHECK(GetBValue(bubble) > 200 && GetRValue(bubble) < 200, "bubble colour " + Hex(bubble));
        CHECK(GetBValue(mark) > 100 && GetRValue(mark) < 60, "question mark colour " + Hex(mark));
        Press(VK_ESCAPE);
        CHECK_EQ(WaitExit(&p), 36L, "exit code");
    }
    SetSystemColour(COLOR_BTNFACE, original);
}

struct TaskbarSearch {
    DWORD processId;
    std::vector<HWND> entries;
};

// What a taskbar lists: visible top-level windows without an owner that are not tool windows.
BOOL CALLBACK AddTaskbarEntry(HWND w, LPARAM context)
{
    TaskbarSearch* s = reinterpret_cast<TaskbarSearch*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == s->processId && IsWindowVisible(w) && !GetWindow(w, GW_OWNER) &&
        !(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        s->entries.push_back(w);
    return TRUE;
}

std::vector<HWND> TaskbarEntries(DWORD processId)
{
    TaskbarSearch search = {processId, {}};
    EnumWindows(AddTaskbarEntry, LPARAM(&search));
    return search.entries;
}

void OneTaskbarEntryNamedWithTheTitle()
{
    SetDefaultConnectionText("My ISP");
    Prompt p;
    if (!StartPrompt(&p, {.blockMs = 1500}))
        return;
    std::vector<HWND> entries = TaskbarEntries(p.process.dwProcessId);
    CHECK_EQ(entries.size(), size_t(1), "taskbar entries while asking");
    if (entries.size() == 1) {
        CHECK_EQ(TextOf(entries[0]), std::string("dialprompt"), "taskbar entry name");
        // Its icon cannot be asked for from another process under Wine
        // (WM_GETICON is not passed between processes); the resources test
        // checks the icon the program carries.
    }
    Press(VK_RETURN);
    Settle(400);  // the dial double is holding the dial
    CHECK_EQ(TaskbarEntries(p.process.dwProcessId).size(), size_t(0), "taskbar entries while dialling");
    CHECK_EQ(WaitExit(&p), 0L, "exit code");
}

void AfterYesTheWindowNeverShowsAgain()
{
    SetDefaultConnectionText("My ISP");
    for (DWORD result : {DWORD(ERROR_SUCCESS), DWORD(ERROR_CANCELLED)}) {
        ClearDialLog();
        Prompt p;
        if (!StartPrompt(&p, {.result = result, .blockMs = 1500}))
            return;
        RECT yes;
        GetWindowRect(p.yes, &yes);
        Press(VK_RETURN);
        Settle(200);
        // Answers given while the dial runs change nothing.
        Press(VK_RETURN);
        Press(VK_ESCAPE);
        Press(VK_SPACE);
        ClickAt((yes.left + yes.right) / 2, (yes.top + yes.bottom) / 2);
        bool shown = false;
        while (StillRunning(p, 20))
            shown = shown || IsWindowVisible(p.window);
        CHECK(!shown, "the window showed again, dial result " + std::to_string(result));
        CHECK_EQ(WaitExit(&p), result == ERROR_SUCCESS ? 0L : 36L, "exit code, dial result " + std::to_string(result));
        CHECK_EQ(DialLog().size(), size_t(1), "dials");
    }
}

void TwoCopiesRunSideBySide()
{
    SetDefaultConnectionText("My ISP");
    Prompt first, second;
    if (!StartPrompt(&first) || !StartPrompt(&second))
        return;
    CHECK(first.window != second.window, "one window for two copies");
    CHECK(IsWindowVisible(first.window) && IsWindowVisible(second.window), "both windows visible");
    Press(VK_ESCAPE);  // the second copy is in front
    CHECK_EQ(WaitExit(&second), 36L, "second copy's exit code");
    CHECK(StillRunning(first, 100), "the first copy ended with the second");
    SetForegroundWindow(first.window);
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != first.window && GetTickCount() - start < 3000)
        Sleep(20);
    Settle(300);
    Press(VK_RETURN);
    CHECK_EQ(WaitExit(&first), 0L, "first copy's exit code");
    CHECK_EQ(DialLog().size(), size_t(1), "dials");
}

// Another program's window, activated over the prompt, stays beneath it.
void StaysAboveAnotherActivatedWindow()
{
    Prompt p;
    if (!StartPrompt(&p))
        return;
    RECT r;
    GetWindowRect(p.window, &r);
    InflateRect(&r, 40, 40);
    HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_CAPTION | WS_VISIBLE, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    for (int i = 0; i < 50 && GetForegroundWindow() != other; ++i) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&m);
        Sleep(20);
    }
    CHECK(GetForegroundWindow() == other, "the other window was not activated");
    bool promptFirst = false;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == p.window || w == other) {
            promptFirst = w == p.window;
            break;
        }
    }
    CHECK(promptFirst, "the prompt went beneath the activated window");
    DestroyWindow(other);
    BringToFront(p);
    Press(VK_ESCAPE);
    CHECK_EQ(WaitExit(&p), 36L, "exit code");
}

}  // namespace

void WindowTests()
{
    RunCase("the window: frame, place, controls, font, focus", WindowLooksAsDesigned);
    RunCase("the picture's background is the window colour", PictureBackgroundIsTheWindowColour);
    RunCase("one taskbar entry named with the title, gone while dialling", OneTaskbarEntryNamedWithTheTitle);
    RunCase("after Yes the window never shows again", AfterYesTheWindowNeverShowsAgain);
    RunCase("two copies run side by side", TwoCopiesRunSideBySide);
    RunCase("stays above another window when that is activated", StaysAboveAnotherActivatedWindow);
}

// ---- at a higher system resolution ------------------------------------------
// Each run in a prefix of its own, set to that resolution before Wine starts.

namespace {

int g_dpi = 96;

int Scaled(int value) { return MulDiv(value, g_dpi, 96); }

void EverythingScalesByTheRatio()
{
    Prompt p;
    if (!StartPrompt(&p))
        return;
    CheckLayout(p, g_dpi);
    Press(VK_ESCAPE);
    CHECK_EQ(WaitExit(&p), 36L, "exit code");
}

// The picture the program carries for a size, as the screen should show it
// on a window of `background`: top-down rows, the key colour replaced.
std::vector<COLORREF> PictureAsShown(const char* name, int side, COLORREF background)
{
    std::vector<COLORREF> shown;
    HMODULE module = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    DWORD size = 0;
    const BITMAPINFOHEADER* h = module ? reinterpret_cast<const BITMAPINFOHEADER*>(
                                             Resource(module, name, MAKEINTRESOURCEA(2) /* RT_BITMAP */, &size))
                                       : nullptr;
    CHECK(h && h->biWidth == side && h->biHeight == side && h->biBitCount == 24, std::string("no picture ") + name);
    if (h && h->biWidth == side && h->biHeight == side && h->biBitCount == 24) {
        const BYTE* bits = reinterpret_cast<const BYTE*>(h) + h->biSize;
        int stride = (side * 3 + 3) & ~3;
        auto at = [&](int x, int y) {  // rows are stored bottom-up
            const BYTE* px = bits + (side - 1 - y) * stride + 3 * x;
            return RGB(px[2], px[1], px[0]);
        };
        COLORREF key = at(0, side - 1);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                shown.push_back(at(x, y) == key ? background : at(x, y));
    }
    if (module)
        FreeLibrary(module);
    return shown;
}

// The columns (or rows) that repeat their neighbour and carry some of the
// picture: a stretched copy repeats whole columns and rows, the artwork never.
int RepeatedLines(const std::vector<COLORREF>& px, int side, COLORREF background, bool columns)
{
    int repeated = 0;
    for (int line = 1; line < side; ++line) {
        bool same = true, ink = false;
        for (int along = 0; along < side; ++along) {
            size_t here = columns ? size_t(along) * side + line : size_t(line) * side + along;
            size_t before = columns ? here - 1 : here - side;
            same = same && px[here] == px[before];
            ink = ink || px[here] != background;
        }
        repeated += same && ink;
    }
    return repeated;
}

void ThePictureIsDrawnForTheSizeNotStretched()
{
    // The artwork drawn for each of the resolutions the tests run at.
    const struct {
        int dpi;
        const char* name;
    } drawn[] = {{120, "QUESTION_40"}, {144, "QUESTION_48"}, {192, "QUESTION_64"}};
    const char* name = nullptr;
    for (const auto& d : drawn)
        if (d.dpi == g_dpi)
            name = d.name;
    CHECK(name != nullptr, "no picture is drawn for " + std::to_string(g_dpi) + " pixels per inch");
    if (!name)
        return;
    Prompt p;
    if (!StartPrompt(&p))
        return;
    const int side = Scaled(32);
    POINT origin = {0, 0};
    ClientToScreen(p.window, &origin);
    RECT box = {origin.x + Scaled(12), origin.y + Scaled(12), origin.x + Scaled(12) + side,
                origin.y + Scaled(12) + side};
    std::vector<COLORREF> px = ScreenPixels(box);
    COLORREF form = ScreenPixels({origin.x + 4, origin.y + Scaled(90), origin.x + 5, origin.y + Scaled(90) + 1})[0];

    // The corners let the window's colour through.
    for (size_t corner : {size_t(0), size_t(side - 1) * side})
        CHECK(Near(px[corner], form), "picture corner " + Hex(px[corner]) + " on the window's " + Hex(form));
    // Exactly the artwork drawn at this size, in the scaled box.
    std::vector<COLORREF> wanted = PictureAsShown(name, side, form);
    if (wanted.size() == px.size()) {
        int differ = 0;
        for (size_t i = 0; i < px.size(); ++i)
            differ += !Near(px[i], wanted[i]);
        CHECK_EQ(differ, 0, std::string("pixels that differ from ") + name);
    }
    // Its drawn size: the ink spans the box as the artwork's does, well past 32 pixels.
    int left = side, right = -1;
    for (size_t i = 0; i < px.size(); ++i)
        if (!Near(px[i], form)) {
            left = std::min(left, int(i % side));
            right = std::max(right, int(i % side));
        }
    CHECK(right - left + 1 > 32 * side / 36, "the picture is drawn " + std::to_string(right - left + 1) +
                                                 " pixels wide in a box of " + std::to_string(side));
    CHECK_EQ(RepeatedLines(px, side, form, true), 0, "columns repeating their neighbour");
    CHECK_EQ(RepeatedLines(px, side, form, false), 0, "rows repeating their neighbour");
    Press(VK_ESCAPE);
    CHECK_EQ(WaitExit(&p), 36L, "exit code");
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

void CaptionTextAndButtonsFit()
{
    Prompt p;
    if (!StartPrompt(&p))
        return;
    RECT client;
    GetClientRect(p.window, &client);
    RECT label = ClientRectOf(p.label, p.window), yes = ClientRectOf(p.yes, p.window), no = ClientRectOf(p.no, p.window);
    CHECK(Inside(yes, client), "Yes at " + Describe(yes) + " outside the client area " + Describe(client));
    CHECK(Inside(no, client), "No at " + Describe(no) + " outside the client area " + Describe(client));
    CHECK(Inside(label, client), "the label at " + Describe(label) + " outside " + Describe(client));

    HFONT font = FormFont(g_dpi);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, font);
    // Every wrapped line of the question is inside the label, the last one above the buttons.
    RECT wrapped = {0, 0, label.right - label.left, 0};
    DrawTextA(memory, TextOf(p.label).c_str(), -1, &wrapped, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    CHECK(wrapped.bottom <= label.bottom - label.top && wrapped.right <= label.right - label.left,
          "the question needs " + Describe(wrapped) + ", the label is " + Describe(label));
    CHECK(label.top + wrapped.bottom <= std::min(yes.top, no.top), "the question's last line reaches the buttons");
    // The answers' captions within their buttons' borders.
    for (HWND button : {p.yes, p.no}) {
        std::string text = TextOf(button);
        SIZE extent;
        GetTextExtentPoint32A(memory, text.c_str(), int(text.size()), &extent);
        RECT r = ClientRectOf(button, p.window);
        CHECK(extent.cx + 8 <= r.right - r.left && extent.cy + 4 <= r.bottom - r.top, "\"" + text + "\" does not fit");
    }
    SelectObject(memory, old);
    DeleteObject(font);

    // The caption in the title bar's font, beside the close box.
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT captionFont = CreateFontIndirectA(&metrics.lfCaptionFont);
    old = SelectObject(memory, captionFont);
    std::string caption = TextOf(p.window);
    SIZE extent;
    GetTextExtentPoint32A(memory, caption.c_str(), int(caption.size()), &extent);
    RECT outer;
    GetWindowRect(p.window, &outer);
    int room = outer.right - outer.left - 2 * GetSystemMetrics(SM_CXDLGFRAME) - metrics.iCaptionWidth - 8;
    CHECK(extent.cx <= room, "the caption needs " + std::to_string(extent.cx) + " pixels, the title bar has " +
                                 std::to_string(room));
    SelectObject(memory, old);
    DeleteObject(captionFont);
    DeleteDC(memory);
    Press(VK_ESCAPE);
    CHECK_EQ(WaitExit(&p), 36L, "exit code");
}

}  // namespace

void HighDpiTests(int dpi)
{
    g_dpi = dpi;
    HDC screen = GetDC(nullptr);
    int seen = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    // A prefix at another resolution would test nothing that was asked for.
    CHECK_EQ(seen, dpi, "pixels per inch of this Wine prefix");
    if (seen != dpi)
        return;
    RunCase("the client area, the controls and the font scale by the ratio", EverythingScalesByTheRatio);
    RunCase("the picture is the one drawn for the size, never stretched", ThePictureIsDrawnForTheSizeNotStretched);
    RunCase("the caption, the question and both buttons fit", CaptionTextAndButtonsFit);
}
