#include "controls.h"

#include "form.h"
#include "geometry.h"

int TScaler::operator()(int value) const { return ScaleValue(value, screenDpi, designDpi); }

bool TButton::Create(HWND parent, const ObjectDescription& d, const TScaler& scale, HFONT font)
{
    Default = d.isDefault;
    Cancel = d.isCancel;
    TabOrder = d.tabOrder;
    OnClick = d.onClick;
    framed_ = Default;
    // BS_NOTIFY makes the button report focus changes, which move the frame.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | (framed_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    Handle = CreateWindowExA(0, "BUTTON", d.caption.c_str(), style, scale(d.left), scale(d.top), scale(d.width),
                             scale(d.height), parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!Handle)
        return false;
    SendMessageA(Handle, WM_SETFONT, WPARAM(font), FALSE);
    return true;
}

void TButton::SetFramed(bool framed)
{
    if (framed == framed_)
        return;
    framed_ = framed;
    SendMessageA(Handle, BM_SETSTYLE, framed ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool TLabel::Create(HWND parent, const ObjectDescription& d, const TScaler& scale, HFONT font)
{
    int width = scale(d.width);
    int height = scale(d.height);
    UINT format = DT_NOPREFIX | (d.wordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    if (d.autoSize) {
        // The height follows the text as wrapped at the label's width.
        HDC dc = GetDC(parent);
        HGDIOBJ old = SelectObject(dc, font);
        RECT r = {0, 0, width, 0};
        DrawTextA(dc, d.caption.c_str(), -1, &r, format | DT_CALCRECT);
        SelectObject(dc, old);
        ReleaseDC(parent, dc);
        height = r.bottom;
        if (!d.wordWrap)
            width = r.right;
    }
    DWORD style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX | (d.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
    Handle = CreateWindowExA(0, "STATIC", d.caption.c_str(), style, scale(d.left), scale(d.top), width, height,
                             parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!Handle)
        return false;
    SendMessageA(Handle, WM_SETFONT, WPARAM(font), FALSE);
    return true;
}

TImage::~TImage()
{
    if (picture_)
        DeleteObject(picture_);
}

bool TImage::Create(const ObjectDescription& d, const TScaler& scale)
{
    transparent_ = d.transparent;
    int width = d.width, height = d.height;
    if (!d.picture.IsEmpty()) {
        picture_ = HBITMAP(LoadImageA(GetModuleHandleA(nullptr), d.picture.c_str(), IMAGE_BITMAP, 0, 0,
                                      LR_CREATEDIBSECTION));
        if (!picture_)
            return false;
        BITMAP info;
        GetObjectA(picture_, sizeof info, &info);
        pictureSize_ = {info.bmWidth, info.bmHeight};
        if (d.autoSize) {
            width = info.bmWidth;
            height = info.bmHeight;
        }
    }
    Bounds = {scale(d.left), scale(d.top), scale(d.left) + scale(width), scale(d.top) + scale(height)};
    return true;
}

void TImage::Paint(HDC dc) const
{
    if (!picture_)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture_);
    int width = Bounds.right - Bounds.left, height = Bounds.bottom - Bounds.top;
    if (transparent_) {
        // The bottom-left pixel names the colour that lets the form show through.
        COLORREF key = GetPixel(source, 0, pictureSize_.cy - 1);
        GdiTransparentBlt(dc, Bounds.left, Bounds.top, width, height, source, 0, 0, pictureSize_.cx,
                          pictureSize_.cy, key);
    } else {
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, Bounds.left, Bounds.top, width, height, source, 0, 0, pictureSize_.cx, pictureSize_.cy,
                   SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}
