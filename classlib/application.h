// The application object: the title and the taskbar entry, the main form,
// the message loop, the default error box and the two ways the process ends.
#pragma once
#include <windows.h>

#include "ansi_string.h"
#include "form.h"

class TApplication {
public:
    // Sets the title from the program file's name and creates the hidden
    // window that carries the taskbar entry and the icon.
    void Initialize();

    // Creates the form from its definition; the first form becomes the main
    // form. On failure the reason is in `error`.
    template <class TFormClass>
    bool CreateForm(TFormClass*& reference, AnsiString* error)
    {
        static TFormClass form;
        reference = &form;
        if (!MainForm)
            MainForm = &form;
        return form.Create(error);
    }

    // Shows the main form, then dispatches messages until Terminate.
    void Run();
    // Asks the message loop to stop once the running handler has returned.
    void Terminate();
    // The default error box: the text, the title as caption, the error icon, OK.
    void ShowException(const char* message);
    // Destroys the windows; the last step before the process ends.
    void Shutdown();

    const AnsiString& Title() const { return title_; }

    HWND Handle = nullptr;
    TForm* MainForm = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool IsDialogKey(const MSG& message);

    AnsiString title_;
};

extern TApplication* Application;

// The immediate end: runs the shutdown and ends the process with `code`
// from wherever it is called.
[[noreturn]] void Halt(UINT code);
