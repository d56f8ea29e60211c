// A top-level form made from its stored definition: a native window with a
// dialog frame, the controls the definition places on it, and the dialog keys
// (Tab, arrows, Enter, Escape) handled the way a Windows dialog handles them.
#pragma once
#include <windows.h>

#include "ansi_string.h"
#include "controls.h"

class TForm;
typedef void (TForm::*TNotifyEvent)(TComponent* Sender);
typedef void (TForm::*TKeyEvent)(TComponent* Sender, WORD& Key, TShiftState Shift);

// One published method: its name and, for an event handler, how to call it.
struct TMethodEntry {
    const char* name;
    TNotifyEvent notify;
    TKeyEvent key;
};

class TForm : public TComponent {
public:
    explicit TForm(const char* name);
    virtual ~TForm();

    // Reads the definition stored as the RCDATA resource named after the form
    // class, binds its handlers and creates the window and its controls,
    // hidden. False with the reason in `error`.
    bool Create(AnsiString* error);
    void Show();
    void Hide();
    void Close();
    bool Visible() const { return Handle && IsWindowVisible(Handle); }

    // Handles a key going down within the form; true when it was a dialog key.
    bool DialogKey(WPARAM key);

    void AddComponent(TComponent* component);

    HWND Handle = nullptr;

protected:
    // The form class's name and published methods, in declaration order.
    virtual const char* ClassName() const = 0;
    virtual const TMethodEntry* Methods(int* count) const = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateWindowAndControls(const FormDefinition& definition, AnsiString* error);
    TButton* ButtonFromHandle(HWND hwnd) const;
    void SelectNext(bool forward);
    void SetFramedButton(TButton* button);
    void Click(TButton* button);
    void Paint();
    const TMethodEntry& Method(int index) const;

    enum { kMaxComponents = FormDefinition::kMaxControls };
    TComponent* components_[kMaxComponents] = {};
    int componentCount_ = 0;
    TButton* buttons_[kMaxComponents] = {};  // in tab order
    int buttonCount_ = 0;
    TImage* images_[kMaxComponents] = {};
    int imageCount_ = 0;

    TButton* activeControl_ = nullptr;  // the button that has or last had the focus
    HFONT font_ = nullptr;
    int color_ = kColorBtnFace;
    int fontColor_ = kColorWindowText;
    bool centerOnShow_ = false;
    bool dialog_ = false;  // a dialog frame: reported as a dialog to assistive technology
    int onKeyUp_ = -1;
    int onClose_ = -1;
};

// The state of Shift, Alt and Ctrl now.
TShiftState KeyboardShiftState();
