#include "form.h"

#include "accessible_dialog.h"
#include "application.h"
#include "geometry.h"

TShiftState KeyboardShiftState()
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    return shift;
}

TForm::TForm(const char* name) : TComponent(nullptr, name, okForm) {}

TForm::~TForm()
{
    if (Handle)
        DestroyWindow(Handle);
    if (font_)
        DeleteObject(font_);
}

void TForm::AddComponent(TComponent* component)
{
    if (componentCount_ < kMaxComponents)
        components_[componentCount_++] = component;
}

bool TForm::Create(AnsiString* error)
{
    HRSRC found = FindResourceA(nullptr, ClassName(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!text) {
        *error = "The form definition is missing from the program";
        return false;
    }

    PublishedField fields[kMaxComponents];
    for (int i = 0; i < componentCount_; ++i)
        fields[i] = {components_[i]->Name(), components_[i]->Kind()};
    int methodCount = 0;
    const TMethodEntry* methods = Methods(&methodCount);
    PublishedMethod names[16];
    if (methodCount > 16)
        methodCount = 16;
    for (int i = 0; i < methodCount; ++i)
        names[i] = {methods[i].name, methods[i].notify ? ekNotify : methods[i].key ? ekKey : ekNone};
    PublishedTable published = {ClassName(), fields, componentCount_, names, methodCount};

    // Held static: the definition is large for the stack and read once.
    static FormDefinition definition;
    if (!ReadFormDefinition(text, SizeofResource(nullptr, found), published, &definition, error))
        return false;
    return CreateWindowAndControls(definition, error);
}

bool TForm::CreateWindowAndControls(const FormDefinition& definition, AnsiString* error)
{
    const ObjectDescription& d = definition.form;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
    windowClass.lpszClassName = ClassName();
    RegisterClassA(&windowClass);

    HDC screen = GetDC(nullptr);
    TScaler scale = {GetDeviceCaps(screen, LOGPIXELSY), d.pixelsPerInch > 0 ? d.pixelsPerInch : 96};
    ReleaseDC(nullptr, screen);

    color_ = d.color;
    fontColor_ = d.fontColor;
    onKeyUp_ = d.onKeyUp;
    onClose_ = d.onClose;
    centerOnShow_ = d.position == poDesktopCenter;
    dialog_ = d.borderStyle == bsDialog;

    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = d.formStyle == fsStayOnTop ? WS_EX_TOPMOST : 0;
    if (d.borderStyle == bsDialog)
        exStyle |= WS_EX_DLGMODALFRAME;  // the dialog frame, without an icon in the title bar
    else if (d.borderStyle == bsSizeable)
        style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    else
        style |= WS_MINIMIZEBOX;
    RECT outer = {0, 0, scale(d.width), scale(d.height)};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    Handle = CreateWindowExA(exStyle, ClassName(), d.caption.c_str(), style, scale(d.left), scale(d.top),
                             outer.right - outer.left, outer.bottom - outer.top, Application->Handle, nullptr,
                             instance, this);
    if (!Handle) {
        *error = "The form's window could not be created";
        return false;
    }
    if (d.borderStyle == bsDialog) {
        // A dialog frame cannot be sized, minimised or maximised; its menu says so.
        HMENU menu = GetSystemMenu(Handle, FALSE);
        DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    }

    font_ = CreateFontA(scale(d.fontHeight), 0, 0, 0, (d.fontStyle & fsBold) ? FW_BOLD : FW_NORMAL,
                        (d.fontStyle & fsItalic) != 0, (d.fontStyle & fsUnderline) != 0,
                        (d.fontStyle & fsStrikeOut) != 0, BYTE(d.fontCharset), OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, d.fontName.c_str());

    for (int i = 0; i < definition.controlCount; ++i) {
        const ObjectDescription& c = definition.controls[i];
        TComponent* component = components_[c.field];
        bool created = true;
        if (c.kind == okButton) {
            TButton* button = static_cast<TButton*>(component);
            created = button->Create(Handle, c, scale, font_);
            int at = buttonCount_++;
            while (at > 0 && buttons_[at - 1]->TabOrder > button->TabOrder) {
                buttons_[at] = buttons_[at - 1];
                --at;
            }
            buttons_[at] = button;
        } else if (c.kind == okLabel) {
            created = static_cast<TLabel*>(component)->Create(Handle, c, scale, font_);
        } else if (c.kind == okImage) {
            created = static_cast<TImage*>(component)->Create(c, scale);
            images_[imageCount_++] = static_cast<TImage*>(component);
        }
        if (!created) {
            *error = "The control '";
            error->Append(c.name.c_str());
            error->Append("' could not be created");
            return false;
        }
    }
    activeControl_ = buttonCount_ ? buttons_[0] : nullptr;
    return true;
}

void TForm::Show()
{
    if (centerOnShow_) {
        centerOnShow_ = false;  // placed once, when first shown
        RECT r;
        GetWindowRect(Handle, &r);
        Placement at = CentreIn(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                r.right - r.left, r.bottom - r.top);
        SetWindowPos(Handle, nullptr, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(Handle, SW_SHOW);
    SetForegroundWindow(Handle);
    if (activeControl_)
        SetFocus(activeControl_->Handle);
}

void TForm::Hide()
{
    ShowWindow(Handle, SW_HIDE);
    if (Application->MainForm == this)
        ShowWindow(Application->Handle, SW_HIDE);  // the taskbar entry goes with the main form
}

const TMethodEntry& TForm::Method(int index) const
{
    int count = 0;
    return Methods(&count)[index];
}

void TForm::Close()
{
    if (onClose_ >= 0) {
        (this->*Method(onClose_).notify)(this);
    } else if (Application->MainForm == this) {
        Application->Terminate();
    } else {
        Hide();
    }
}

TButton* TForm::ButtonFromHandle(HWND hwnd) const
{
    for (int i = 0; i < buttonCount_; ++i)
        if (buttons_[i]->Handle == hwnd)
            return buttons_[i];
    return nullptr;
}

void TForm::SelectNext(bool forward)
{
    if (buttonCount_ == 0)
        return;
    int at = 0;
    for (int i = 0; i < buttonCount_; ++i)
        if (buttons_[i] == activeControl_)
            at = i;
    // From the window itself the first step lands on the first or last button.
    if (!activeControl_ || GetFocus() == Handle)
        at = forward ? buttonCount_ - 1 : 0;
    at = (at + (forward ? 1 : buttonCount_ - 1)) % buttonCount_;
    SetFocus(buttons_[at]->Handle);
}

void TForm::SetFramedButton(TButton* framed)
{
    for (int i = 0; i < buttonCount_; ++i)
        buttons_[i]->SetFramed(buttons_[i] == framed);
}

void TForm::Click(TButton* button)
{
    // Once hidden the form takes no answer: input queued while a handler ran
    // (a repeated Enter, a late click) must not act twice.
    if (!button || !Visible() || button->OnClick < 0)
        return;
    (this->*Method(button->OnClick).notify)(button);
}

bool TForm::DialogKey(WPARAM key)
{
    if (!Visible())
        return true;  // swallowed: see Click
    TShiftState shift = KeyboardShiftState();
    switch (key) {
    case VK_TAB:
        if (shift & ssCtrl)
            return false;
        SelectNext(!(shift & ssShift));
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        SelectNext(true);
        return true;
    case VK_LEFT:
    case VK_UP:
        SelectNext(false);
        return true;
    case VK_RETURN:
    case VK_ESCAPE:
        if (shift & (ssShift | ssCtrl))
            return false;
        for (int i = 0; i < buttonCount_; ++i) {
            TButton* b = buttons_[i];
            if (key == VK_RETURN ? b->Framed() : b->Cancel) {
                Click(b);
                return true;
            }
        }
        return false;
    }
    return false;
}

void TForm::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle, &ps);
    for (int i = 0; i < imageCount_; ++i)
        images_[i]->Paint(dc);
    EndPaint(Handle, &ps);
}

LRESULT CALLBACK TForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TForm* self;
    if (message == WM_NCCREATE) {
        self = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(self));
        self->Handle = hwnd;
    } else {
        self = reinterpret_cast<TForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    return self ? self->HandleMessage(message, wParam, lParam) : DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (TButton* button = ButtonFromHandle(HWND(lParam))) {
            if (HIWORD(wParam) == BN_CLICKED)
                Click(button);
            else if (HIWORD(wParam) == BN_SETFOCUS) {
                activeControl_ = button;
                SetFramedButton(button);
            }
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // Coming back to the form gives the focus back to the button that had it.
        if (LOWORD(wParam) != WA_INACTIVE && activeControl_ && IsWindowVisible(Handle)) {
            SetFocus(activeControl_->Handle);
            return 0;
        }
        break;
    case WM_SETFOCUS:  // the window itself has the focus: the default button wears the frame
        activeControl_ = nullptr;
        for (int i = 0; i < buttonCount_; ++i)
            if (buttons_[i]->Default)
                SetFramedButton(buttons_[i]);
        return 0;
    case WM_KEYUP:
        if (onKeyUp_ >= 0) {
            WORD key = WORD(wParam);
            (this->*Method(onKeyUp_).key)(this, key, KeyboardShiftState());
        }
        return 0;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(Handle, &r);
        FillRect(HDC(wParam), &r, GetSysColorBrush(color_));
        return 1;
    }
    case WM_PAINT:
        Paint();
        return 0;
    case WM_CTLCOLORSTATIC:
        SetTextColor(HDC(wParam), GetSysColor(fontColor_));
        SetBkColor(HDC(wParam), GetSysColor(color_));
        return LRESULT(GetSysColorBrush(color_));
    case WM_SYSCOLORCHANGE:
        InvalidateRect(Handle, nullptr, TRUE);
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_GETOBJECT:
        // Only the client object changes, and only for a dialog; the system
        // answers for everything else.
        if (dialog_ && LONG(lParam) == OBJID_CLIENT)
            if (LRESULT object = DialogClientObject(Handle, wParam))
                return object;
        break;
    case WM_WINDOWPOSCHANGED: {
        // As the system's dialogs do: a screen reader reads a dialog's text
        // out when it starts. Hiding covers destruction too, which hides first.
        UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
        if (dialog_ && (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
            NotifyWinEvent(flags & SWP_SHOWWINDOW ? EVENT_SYSTEM_DIALOGSTART : EVENT_SYSTEM_DIALOGEND, Handle,
                           OBJID_WINDOW, CHILDID_SELF);
        break;
    }
    }
    return DefWindowProcA(Handle, message, wParam, lParam);
}
