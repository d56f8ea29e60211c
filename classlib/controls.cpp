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

static HBITMAP LoadPicture(const char* name, SIZE* size)
{
    HBITMAP picture = HBITMAP(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info;
    if (picture && GetObjectA(picture, sizeof info, &info))
        *size = {info.bmWidth, info.bmHeight};
    return picture;
}

struct DrawnSides {
    const char* picture;
    int sides[8];
    int count;
};

static BOOL CALLBACK AddDrawnSide(HMODULE, LPCSTR, LPSTR name, LONG_PTR context)
{
    DrawnSides* found = reinterpret_cast<DrawnSides*>(context);
    int side = IS_INTRESOURCE(name) ? 0 : PictureSideFromName(found->picture, name);
    if (side)
        found->sides[found->count++] = side;
    return found->count < int(sizeof found->sides / sizeof found->sides[0]);
}

bool TImage::Create(const ObjectDescription& d, const TScaler& scale)
{
    transparent_ = d.transparent;
    int width = d.width, height = d.height;
    if (!d.picture.IsEmpty()) {
        picture_ = LoadPicture(d.picture.c_str(), &pictureSize_);
        if (!picture_)
            return false;
        if (d.autoSize) {
            width = pictureSize_.cx;
            height = pictureSize_.cy;
        }
    }
    Bounds = {scale(d.left), scale(d.top), scale(d.left) + scale(width), scale(d.top) + scale(height)};
    int boxWidth = Bounds.right - Bounds.left, boxHeight = Bounds.bottom - Bounds.top;
    if (picture_ && scale.screenDpi != scale.designDpi && pictureSize_.cx == pictureSize_.cy) {
        // At the design's resolution the box is the picture: nothing to look for.
        DrawnSides drawn = {d.picture.c_str(), {int(pictureSize_.cx)}, 1};
        EnumResourceNamesA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(2) /* RT_BITMAP */, AddDrawnSide,
                           LONG_PTR(&drawn));
        int side = LargestFittingSide(drawn.sides, drawn.count, boxWidth, boxHeight);
        if (side != pictureSize_.cx) {
            AnsiString name = d.picture;
            char suffix[16];
            wsprintfA(suffix, "_%d", side);
            name.Append(suffix);
            SIZE size = {};
            if (HBITMAP larger = LoadPicture(name.c_str(), &size)) {
                DeleteObject(picture_);
                picture_ = larger;
                pictureSize_ = size;
            }
        }
    }
    Placement at = CentreIn(Bounds.left, Bounds.top, boxWidth, boxHeight, pictureSize_.cx, pictureSize_.cy);
    pictureAt_ = {at.left, at.top};
    return true;
}

void TImage::Paint(HDC dc) const
{
    if (!picture_)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture_);
    int width = pictureSize_.cx, height = pictureSize_.cy;
    if (transparent_) {
        // The bottom-left pixel names the colour that lets the form show through.
        COLORREF key = GetPixel(source, 0, height - 1);
        GdiTransparentBlt(dc, pictureAt_.x, pictureAt_.y, width, height, source, 0, 0, width, height, key);
    } else {
        BitBlt(dc, pictureAt_.x, pictureAt_.y, width, height, source, 0, 0, SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}
