// Many copies at once, and input a user should not be able to double up.
#include "harness.h"
#include "tests.h"

namespace {

struct Answer {
    const char* what;
    void (*give)(const Prompt&);
    long exitCode;
};

const Answer kAnswers[] = {
    {"Enter", [](const Prompt&) { Press(VK_RETURN); }, 0},
    {"Escape", [](const Prompt&) { Press(VK_ESCAPE); }, 36},
    {"No clicked", [](const Prompt& p) { ClickCentre(p.no); }, 36},
    {"Alt+F4", [](const Prompt&) { PressWith({VK_MENU}, VK_F4); }, 36},
    {"Space", [](const Prompt&) { Press(VK_SPACE); }, 0},
    {"Yes clicked", [](const Prompt& p) { ClickCentre(p.yes); }, 0},
    {"Tab, Enter", [](const Prompt&) { Press(VK_TAB); Press(VK_RETURN); }, 36},
};

void TwentyCopiesAtOnceEachEndWithItsOwnCode()
{
    SetDefaultConnectionText("My ISP");
    const int kCopies = 20;
    Prompt copies[kCopies];
    for (Prompt& p : copies)
        LaunchPrompt(&p);
    for (Prompt& p : copies)
        AwaitPrompt(&p);
    size_t accepted = 0;
    for (int i = 0; i < kCopies; ++i) {
        const Answer& a = kAnswers[i % (sizeof kAnswers / sizeof kAnswers[0])];
        if (!copies[i].window || !BringToFront(copies[i])) {
            CHECK(false, "copy " + std::to_string(i) + " could not be answered");
            continue;
        }
        a.give(copies[i]);
        CHECK_EQ(WaitExit(&copies[i]), a.exitCode, "copy " + std::to_string(i) + " answered " + a.what);
        accepted += a.exitCode == 0;
    }
    for (Prompt& p : copies)
        if (p.process.hProcess)
            WaitExit(&p, 1000);
    CHECK_EQ(DialLog().size(), accepted, "dials");
}

void EnterHeldDownDialsOnce()
{
    SetDefaultConnectionText("My ISP");
    Prompt p;
    if (!StartPrompt(&p, {.blockMs = 1000}))
        return;
    for (int i = 0; i < 15; ++i)  // the keyboard's auto-repeat: downs without ups
        KeyDown(VK_RETURN);
    KeyUp(VK_RETURN);
    CHECK_EQ(WaitExit(&p), 0L, "exit code");
    CHECK_EQ(DialLog().size(), size_t(1), "dials");
}

void EnterAndEscapeTogetherEndOnce()
{
    SetDefaultConnectionText("My ISP");
    for (int round = 0; round < 3; ++round) {
        ClearDialLog();
        Prompt p;
        if (!StartPrompt(&p))
            return;
        INPUT keys[4] = {};
        WORD order[4] = {VK_RETURN, VK_ESCAPE, VK_RETURN, VK_ESCAPE};
        for (int k = 0; k < 4; ++k) {
            keys[k].type = INPUT_KEYBOARD;
            keys[k].ki.wVk = order[k];
            keys[k].ki.dwFlags = k >= 2 ? KEYEVENTF_KEYUP : 0;
        }
        SendInput(4, keys, sizeof(INPUT));
        long code = WaitExit(&p);
        size_t dials = DialLog().size();
        CHECK(code == 0 || code == 36, "exit code " + std::to_string(code));
        CHECK_EQ(dials, size_t(code == 0 ? 1 : 0), "dials for exit code " + std::to_string(code));
    }
}

}  // namespace

void StressTests()
{
    RunCase("twenty copies at once each end with their own code", TwentyCopiesAtOnceEachEndWithItsOwnCode);
    RunCase("Enter held down dials once", EnterHeldDownDialsOnce);
    RunCase("Enter and Escape together end the program once", EnterAndEscapeTogetherEndOnce);
}
