// The keyboard as a user drives the prompt: which key does what, where the
// focus and the default-button frame go.
#include "harness.h"
#include "tests.h"

namespace {

struct Keys {
    std::vector<WORD> held;
    WORD key;
};

// Each row: keys pressed in order from the start, and the outcome.
struct Row {
    const char* what;
    std::vector<Keys> keys;
    long exitCode;  // -1: the program must keep waiting
    size_t dials;
};

void KeysEndTheProgramAsTheyShould()
{
    const Row rows[] = {
        {"Enter on Yes dials", {{{}, VK_RETURN}}, 0, 1},
        {"Tab then Enter declines", {{{}, VK_TAB}, {{}, VK_RETURN}}, 36, 0},
        {"Escape with Yes focused declines", {{{}, VK_ESCAPE}}, 36, 0},
        {"Space on Yes dials", {{{}, VK_SPACE}}, 0, 1},
        {"Right then Space declines", {{{}, VK_RIGHT}, {{}, VK_SPACE}}, 36, 0},
        {"Alt+F4 declines", {{{VK_MENU}, VK_F4}}, 36, 0},
        {"Ctrl+Enter does nothing", {{{VK_CONTROL}, VK_RETURN}}, -1, 0},
        {"Shift+Enter does nothing", {{{VK_SHIFT}, VK_RETURN}}, -1, 0},
        {"Shift+Escape does nothing", {{{VK_SHIFT}, VK_ESCAPE}}, -1, 0},
        {"Ctrl+Escape does nothing", {{{VK_CONTROL}, VK_ESCAPE}}, -1, 0},
        {"Alt+Y does nothing: no access keys", {{{VK_MENU}, 'Y'}}, -1, 0},
    };
    SetDefaultConnectionText("My ISP");
    for (const Row& row : rows) {
        ClearDialLog();
        Prompt p;
        if (!StartPrompt(&p))
            return;
        for (const Keys& k : row.keys)
            PressWith(k.held, k.key);
        if (row.exitCode < 0) {
            CHECK(StillRunning(p, 500), std::string(row.what) + ": the program ended");
            CHECK(IsWindowVisible(p.window), std::string(row.what) + ": the window went");
            Press(VK_ESCAPE);
            CHECK_EQ(WaitExit(&p), 36L, std::string(row.what) + ": Escape afterwards");
        } else {
            CHECK_EQ(WaitExit(&p), row.exitCode, row.what);
        }
        CHECK_EQ(DialLog().size(), row.dials, std::string(row.what) + ": dials");
    }
}

void FocusAndFrameFollowTheKeys()
{
    Prompt p;
    if (!StartPrompt(&p))
        return;
    struct Step {
        Keys keys;
        const char* focused;  // "Yes" or "No"
    } steps[] = {
        {{{}, VK_TAB}, "No"},           {{{}, VK_TAB}, "Yes"},          {{{VK_SHIFT}, VK_TAB}, "No"},
        {{{VK_SHIFT}, VK_TAB}, "Yes"},  {{{}, VK_RIGHT}, "No"},         {{{}, VK_RIGHT}, "Yes"},
        {{{}, VK_DOWN}, "No"},          {{{}, VK_LEFT}, "Yes"},         {{{}, VK_UP}, "No"},
        {{{VK_CONTROL}, VK_TAB}, "No"}, {{{VK_MENU}, VK_RIGHT}, "No"}, {{{VK_MENU}, VK_LEFT}, "No"},
    };
    std::string sequence;
    for (const Step& s : steps) {
        PressWith(s.keys.held, s.keys.key);
        Settle(50);
        sequence += std::string(s.keys.held.empty() ? "" : "mod+") + std::to_string(s.keys.key) + " ";
        HWND expected = strcmp(s.focused, "Yes") == 0 ? p.yes : p.no;
        HWND other = expected == p.yes ? p.no : p.yes;
        CHECK(FocusOf(p) == expected, "after " + sequence + "the focus is not on " + s.focused);
        CHECK(Framed(expected) && !Framed(other), "after " + sequence + "the frame is not on " + s.focused);
    }
    // Enter clicks the framed button, which is now No.
    Press(VK_RETURN);
    CHECK_EQ(WaitExit(&p), 36L, "Enter with No framed");
    CHECK_EQ(DialLog().size(), size_t(0), "dials");
}

// Gives the keyboard focus to the form itself, as when neither button has it.
void FocusTheWindowItself(const Prompt& p)
{
    DWORD self = GetCurrentThreadId();
    AttachThreadInput(self, p.process.dwThreadId, TRUE);
    SetFocus(p.window);
    AttachThreadInput(self, p.process.dwThreadId, FALSE);
    Settle(100);
}

void KeysOverTheWindowItself()
{
    SetDefaultConnectionText("My ISP");
    struct Case {
        const char* what;
        Keys keys;
        long exitCode;
        size_t dials;
    } cases[] = {
        {"Escape released with Shift held", {{VK_SHIFT}, VK_ESCAPE}, 36, 0},
        {"Escape released with Ctrl held", {{VK_CONTROL}, VK_ESCAPE}, 36, 0},
        {"Enter clicks the default button", {{}, VK_RETURN}, 0, 1},
    };
    for (const Case& c : cases) {
        ClearDialLog();
        Prompt p;
        if (!StartPrompt(&p))
            return;
        FocusTheWindowItself(p);
        CHECK(FocusOf(p) == p.window, std::string(c.what) + ": the window itself does not have the focus");
        CHECK(Framed(p.yes) && !Framed(p.no), std::string(c.what) + ": the default button lost its frame");
        PressWith(c.keys.held, c.keys.key);
        CHECK_EQ(WaitExit(&p), c.exitCode, c.what);
        CHECK_EQ(DialLog().size(), c.dials, std::string(c.what) + ": dials");
    }
}

void KeyReleasedOverAButtonDoesNotReachTheWindow()
{
    // Escape goes down elsewhere, then is released over the prompt's focused button: nothing happens.
    Prompt p;
    if (!StartPrompt(&p))
        return;
    KeyDown(VK_SHIFT);
    KeyDown(VK_ESCAPE);
    KeyUp(VK_ESCAPE);
    KeyUp(VK_SHIFT);
    CHECK(StillRunning(p, 500), "a key-up over Yes ended the program");
    Press(VK_ESCAPE);
    CHECK_EQ(WaitExit(&p), 36L, "exit code");
}

// Escape acts as the key goes down; Space as it comes up, like any push button.
void EscapeActsOnPressSpaceOnRelease()
{
    SetDefaultConnectionText("My ISP");
    Prompt p;
    if (StartPrompt(&p)) {
        KeyDown(VK_ESCAPE);
        CHECK_EQ(WaitExit(&p, 3000), 36L, "Escape held down");
        KeyUp(VK_ESCAPE);
    }
    ClearDialLog();
    if (StartPrompt(&p)) {
        KeyDown(VK_SPACE);
        CHECK(StillRunning(p, 500), "Space acted before it was released");
        KeyUp(VK_SPACE);
        CHECK_EQ(WaitExit(&p), 0L, "Space released on Yes");
        CHECK_EQ(DialLog().size(), size_t(1), "dials");
    }
}

}  // namespace

void KeyboardTests()
{
    RunCase("keys end the program as they should", KeysEndTheProgramAsTheyShould);
    RunCase("focus and default frame follow Tab and the arrows", FocusAndFrameFollowTheKeys);
    RunCase("keys over the window itself", KeysOverTheWindowItself);
    RunCase("a key released over a button does not reach the window", KeyReleasedOverAButtonDoesNotReachTheWindow);
    RunCase("Escape acts on the press, Space on the release", EscapeActsOnPressSpaceOnRelease);
}
