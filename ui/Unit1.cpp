#include "Unit1.h"

#include "../app/flow.h"
#include "../dialup/default_connection.h"
#include "../dialup/dial.h"

TfrmMain* frmMain;

const TMethodEntry* TfrmMain::Methods(int* count) const
{
    static const TMethodEntry methods[] = {
        {"ConnectToInternet", nullptr, nullptr},
        {"GetDefConn", nullptr, nullptr},
        {"Button1Click", static_cast<TNotifyEvent>(&TfrmMain::Button1Click), nullptr},
        {"Button2Click", static_cast<TNotifyEvent>(&TfrmMain::Button2Click), nullptr},
        {"FormKeyUp", nullptr, static_cast<TKeyEvent>(&TfrmMain::FormKeyUp)},
        {"FormClose", static_cast<TNotifyEvent>(&TfrmMain::FormClose), nullptr},
    };
    *count = sizeof methods / sizeof methods[0];
    return methods;
}

bool TfrmMain::GetDefConn(AnsiString* name)
{
    AnsiString error;
    if (ReadDefaultConnection(name, &error))
        return true;
    Application->ShowException(error.c_str());
    return false;
}

bool TfrmMain::ConnectToInternet()
{
    AnsiString name;
    return GetDefConn(&name) && DialWithPrompt(Handle, name.c_str());
}

void TfrmMain::Button1Click(TComponent*) { Accept(*this); }

void TfrmMain::Button2Click(TComponent*) { Decline(); }

void TfrmMain::FormKeyUp(TComponent*, WORD& Key, TShiftState) { KeyReleased(Key); }

void TfrmMain::FormClose(TComponent*) { Decline(); }
