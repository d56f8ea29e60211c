#include "flow.h"

#include "../ui/Unit1.h"

void Accept(TfrmMain& form)
{
    form.Hide();  // before the registry is read and the dial prompt appears
    if (!form.ConnectToInternet())
        Halt(kExitNotConnected);
    Application->Terminate();
}

void Decline() { Halt(kExitNotConnected); }

void KeyReleased(WORD key)
{
    if (key == VK_ESCAPE)
        Decline();
}
