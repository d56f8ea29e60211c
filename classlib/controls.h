// The controls a form can hold: native push buttons and static text, a
// picture painted by the form, and the manifest component.
#pragma once
#include <windows.h>

#include "component.h"

// Converts design pixels (at the definition's pixels per inch) to screen pixels.
struct TScaler {
    int screenDpi;
    int designDpi;
    int operator()(int value) const;
};

class TButton : public TComponent {
public:
    TButton(TForm* owner, const char* name) : TComponent(owner, name, okButton) {}
    bool Create(HWND parent, const ObjectDescription& d, const TScaler& scale, HFONT font);
    // Moves the default-button frame onto or off this button.
    void SetFramed(bool framed);
    bool Framed() const { return framed_; }

    HWND Handle = nullptr;
    bool Default = false;
    bool Cancel = false;
    int TabOrder = 0;
    int OnClick = -1;  // index of the owner's published method

private:
    bool framed_ = false;
};

class TLabel : public TComponent {
public:
    TLabel(TForm* owner, const char* name) : TComponent(owner, name, okLabel) {}
    bool Create(HWND parent, const ObjectDescription& d, const TScaler& scale, HFONT font);

    HWND Handle = nullptr;
};

// The picture is drawn at its own size, never stretched: at another system
// resolution the control takes the largest copy of its picture drawn for a
// size that fits the scaled box (bitmap resources named like "QUESTION_48"),
// centred in the box.
class TImage : public TComponent {
public:
    TImage(TForm* owner, const char* name) : TComponent(owner, name, okImage) {}
    ~TImage();
    bool Create(const ObjectDescription& d, const TScaler& scale);
    void Paint(HDC dc) const;

    RECT Bounds = {};

private:
    HBITMAP picture_ = nullptr;
    SIZE pictureSize_ = {};
    POINT pictureAt_ = {};
    bool transparent_ = false;
};

// Stands on the form so that the visual-styles manifest is part of the
// program; it does nothing at run time.
class TXPManifest : public TComponent {
public:
    TXPManifest(TForm* owner, const char* name) : TComponent(owner, name, okManifest) {}
};
