#include "application.h"

#include "app_title.h"
#include "error_text.h"

static TApplication application;
TApplication* Application = &application;

static void LowerAnsi(char* text, unsigned length) { CharLowerBuffA(text, length); }

void TApplication::Initialize()
{
    char path[MAX_PATH + 1] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    title_ = AppTitleFromPath(path, LowerAnsi);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "MAINICON");
    windowClass.lpszClassName = "TApplication";
    RegisterClassA(&windowClass);
    // A window of no size whose only use is the taskbar entry: named with the
    // title, not the form's caption, and owner of the forms, which therefore
    // have no entry of their own.
    Handle = CreateWindowExA(0, "TApplication", title_.c_str(),
                             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                             GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                             nullptr, instance, nullptr);
    HANDLE small = LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                              GetSystemMetrics(SM_CYSMICON), 0);
    if (Handle && small)
        SendMessageA(Handle, WM_SETICON, ICON_SMALL, LPARAM(small));
}

void TApplication::Run()
{
    if (!MainForm)
        return;
    ShowWindow(Handle, SW_SHOWNA);
    MainForm->Show();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool TApplication::IsDialogKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN || !MainForm || !MainForm->Handle)
        return false;
    if (message.hwnd != MainForm->Handle && !IsChild(MainForm->Handle, message.hwnd))
        return false;
    return MainForm->DialogKey(message.wParam);
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::ShowException(const char* message)
{
    // No owner: the main form may already be hidden, and an unowned box gets
    // a taskbar entry of its own, so the user can find it.
    MessageBoxA(nullptr, ErrorBoxText(message).c_str(), title_.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void TApplication::Shutdown()
{
    if (MainForm && MainForm->Handle) {
        DestroyWindow(MainForm->Handle);
        MainForm->Handle = nullptr;
    }
    if (Handle) {
        DestroyWindow(Handle);
        Handle = nullptr;
    }
}

LRESULT CALLBACK TApplication::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TForm* form = application.MainForm;
    bool formShown = form && form->Visible();
    switch (message) {
    case WM_SYSCOMMAND:
        // "Close" on the taskbar entry closes the main form.
        if ((wParam & 0xFFF0) == SC_CLOSE && form) {
            form->Close();
            return 0;
        }
        break;
    case WM_CLOSE:
        if (form)
            form->Close();
        return 0;
    case WM_SETFOCUS:
        if (formShown)
            SetActiveWindow(form->Handle);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Halt(UINT code)
{
    Application->Shutdown();
    ExitProcess(code);
}
