// The benchmark's floor: the least a Win32 program does to show a window of
// the prompt's size with two buttons and end on Escape. Built with the same
// flags, runtime and manifest as the prompt, for comparison only.
#include <windows.h>

static LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
        ExitProcess(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "Floor";
    RegisterClassA(&windowClass);
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT r = {0, 0, 408, 96};
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, "Floor", "Floor", style, 300, 300,
                                  r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    HWND yes = CreateWindowExA(0, "BUTTON", "Yes", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 142, 62, 64,
                               23, window, nullptr, instance, nullptr);
    CreateWindowExA(0, "BUTTON", "No", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 212, 62, 64, 23, window, nullptr, instance,
                    nullptr);
    ShowWindow(window, SW_SHOW);
    SetFocus(yes);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE)
            ExitProcess(0);
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
