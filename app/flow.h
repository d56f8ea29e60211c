// What each answer of the prompt does, and the exit code it leaves for
// whoever started the program.
#pragma once
#include <windows.h>

class TfrmMain;

enum ExitCode : UINT {
    kExitConnected = 0,      // the dial succeeded
    kExitNotConnected = 36,  // declined, closed, or the dial did not succeed
};

// Yes: hide the prompt, dial, then end normally (connected) or at once (not).
void Accept(TfrmMain& form);
// No, Escape or closing the window: end at once, nothing dialled.
[[noreturn]] void Decline();
// A key released over the window itself: Escape declines, whatever the modifiers.
void KeyReleased(WORD key);
