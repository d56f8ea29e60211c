// The prompt window: asks whether to connect to the Internet and hands the
// answer to the flow.
#pragma once
#include "../classlib/application.h"

class TfrmMain : public TForm {
public:
    TfrmMain() : TForm("frmMain") {}

    // Published controls, in the order the definition binds them.
    TButton Button1{this, "Button1"};
    TXPManifest XPManifest1{this, "XPManifest1"};
    TImage Image1{this, "Image1"};
    TLabel Label1{this, "Label1"};
    TButton Button2{this, "Button2"};

    // Published methods.
    // True only when the default connection was dialled and connected.
    bool ConnectToInternet();
    // The default connection's name, empty when none is configured; false
    // once the application has shown a registry error.
    bool GetDefConn(AnsiString* name);
    void Button1Click(TComponent* Sender);
    void Button2Click(TComponent* Sender);
    void FormKeyUp(TComponent* Sender, WORD& Key, TShiftState Shift);
    void FormClose(TComponent* Sender);

protected:
    const char* ClassName() const override { return "TfrmMain"; }
    const TMethodEntry* Methods(int* count) const override;
};

extern TfrmMain* frmMain;
