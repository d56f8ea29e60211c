// What a screen reader gets from the prompt: a dialog named with the caption
// whose children are the question and then the two answers, Yes focused, and
// the dialog-start event when it appears. Also the object the program hands
// out, tried in this process, where its reference counts can be seen.
#include <oleacc.h>
#include <stdio.h>
#include <string.h>
#include <tlhelp32.h>

#include "../../classlib/accessible_dialog.h"
#include "harness.h"
#include "tests.h"

namespace {

const char kQuestion[] = "No Internet connection detected. Would you like to connect to the Internet now?";

std::string Narrow(BSTR text)
{
    std::string narrow;
    for (UINT i = 0; text && i < SysStringLen(text); ++i)
        narrow += text[i] < 128 ? char(text[i]) : '?';
    return narrow;
}

VARIANT Self()
{
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

LONG RoleOf(IAccessible* object)
{
    VARIANT role;
    VariantInit(&role);
    HRESULT hr = object->get_accRole(Self(), &role);
    LONG value = SUCCEEDED(hr) && role.vt == VT_I4 ? role.lVal : -1;
    VariantClear(&role);
    return value;
}

std::string NameOf(IAccessible* object)
{
    BSTR name = nullptr;
    object->get_accName(Self(), &name);
    std::string text = Narrow(name);
    SysFreeString(name);
    return text;
}

// What a reader says of a child window: the name of its client object.
std::string NameOfWindow(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, kIID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return "(no object)";
    std::string name = NameOf(object);
    object->Release();
    return name;
}

HWND WindowOf(IDispatch* child)
{
    IAccessible* object = nullptr;
    HWND window = nullptr;
    if (child && SUCCEEDED(child->QueryInterface(kIID_IAccessible, reinterpret_cast<void**>(&object)))) {
        WindowFromAccessibleObject(object, &window);
        object->Release();
    }
    return window;
}

// The reference count, seen by adding one and taking it away again.
ULONG References(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

// Whether the process's DLLs could be listed, and the path of the one named
// (empty when it is not loaded). Under qemu's user-mode emulator, where the
// 32-bit runs go (they set DIALPROMPT_EMULATED), no process can read
// another's memory, so there the list cannot be had and the x86_64 run
// checks the same code; anywhere else not listing is a failure.
bool LoadedModule(DWORD processId, const char* name, std::string* path)
{
    path->clear();
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        CHECK(GetEnvironmentVariableA("DIALPROMPT_EMULATED", nullptr, 0) > 0,
              "cannot list the prompt's DLLs, error " + std::to_string(error));
        printf("  note: the prompt's DLLs cannot be listed under emulation; not checked here\n");
        return false;
    }
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot, &module); more && path->empty(); more = Module32Next(snapshot, &module))
        if (lstrcmpiA(module.szModule, name) == 0)
            *path = module.szExePath;
    CloseHandle(snapshot);
    return true;
}

std::string SystemFile(const char* name)
{
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

void Pump(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&m);
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

// ---- the dialog events, as a screen reader hears them ------------------------

struct DialogEvent {
    DWORD event;
    HWND window;
    LONG object;
};
std::vector<DialogEvent> g_events;

void CALLBACK RecordDialogEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (child == CHILDID_SELF)
        g_events.push_back({event, window, object});
}

struct DialogEvents {
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_DIALOGSTART, EVENT_SYSTEM_DIALOGEND, nullptr,
                                         RecordDialogEvent, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    DialogEvents() { g_events.clear(); }
    ~DialogEvents() { UnhookWinEvent(hook); }
    // Waits for the event from `window` (or from any window when null).
    bool Await(DWORD event, HWND window, DWORD timeoutMs = 5000) const
    {
        DWORD start = GetTickCount();
        do {
            for (const DialogEvent& e : g_events)
                if (e.event == event && (!window || e.window == window))
                    return e.object == OBJID_WINDOW;
            Pump(20);
        } while (GetTickCount() - start < timeoutMs);
        return false;
    }
    int Count(DWORD event, HWND window) const
    {
        int n = 0;
        for (const DialogEvent& e : g_events)
            n += e.event == event && e.window == window;
        return n;
    }
};

// Starts the prompt, pumping this thread's messages meanwhile so that the
// events reach the hook as they happen.
bool StartHeard(Prompt* p, const DialogEvents& events, const DialSetup& dial = DialSetup(),
                const std::string& exe = ProgramPath())
{
    if (!events.hook) {
        Fail(__FILE__, __LINE__, "SetWinEventHook failed");
        return false;
    }
    if (!LaunchPrompt(p, dial, exe))
        return false;
    CHECK(events.Await(EVENT_SYSTEM_DIALOGSTART, nullptr, 20000), "no dialog-start event for OBJID_WINDOW");
    return AwaitPrompt(p) && BringToFront(*p);
}

IAccessible* ClientObject(HWND window)
{
    IAccessible* object = nullptr;
    HRESULT hr = AccessibleObjectFromWindow(window, OBJID_CLIENT, kIID_IAccessible, reinterpret_cast<void**>(&object));
    CHECK(SUCCEEDED(hr) && object, "AccessibleObjectFromWindow failed: " + std::to_string(long(hr)));
    return SUCCEEDED(hr) ? object : nullptr;
}

// ---- the prompt, end to end ------------------------------------------------

void AScreenReaderFindsADialogWithTheQuestionFirst()
{
    DialogEvents events;
    Prompt p;
    if (!StartHeard(&p, events))
        return;
    CHECK_EQ(events.Count(EVENT_SYSTEM_DIALOGSTART, p.window), 1, "dialog-start events from the prompt");
    std::string oleacc;
    if (LoadedModule(p.process.dwProcessId, "oleacc.dll", &oleacc))
        CHECK(oleacc.empty(), "oleacc was loaded before anybody asked");

    IAccessible* dialog = ClientObject(p.window);
    if (dialog) {
        CHECK_EQ(RoleOf(dialog), LONG(ROLE_SYSTEM_DIALOG), "role of the prompt's client object");
        CHECK_EQ(NameOf(dialog), std::string("Internet Connection"), "name of the dialog");

        // The children as a reader lists them: the question, then Yes and No.
        VARIANT children[8];
        LONG count = 0;
        HRESULT hr = AccessibleChildren(dialog, 0, 8, children, &count);
        CHECK(SUCCEEDED(hr), "AccessibleChildren failed: " + std::to_string(long(hr)));
        std::vector<HWND> windows;
        for (LONG i = 0; SUCCEEDED(hr) && i < count; ++i) {
            windows.push_back(children[i].vt == VT_DISPATCH ? WindowOf(children[i].pdispVal) : nullptr);
            VariantClear(&children[i]);
        }
        CHECK(windows == std::vector<HWND>({p.label, p.yes, p.no}),
              "children are not the question, Yes, No: " + std::to_string(windows.size()) + " children");
        struct Named {
            HWND window;
            const char* name;
        } names[] = {{p.label, kQuestion}, {p.yes, "Yes"}, {p.no, "No"}};
        for (const Named& n : names)
            CHECK_EQ(NameOfWindow(n.window), std::string(n.name), "accessible name of a child");

        VARIANT focus;
        VariantInit(&focus);
        hr = dialog->get_accFocus(&focus);
        CHECK(SUCCEEDED(hr) && focus.vt == VT_DISPATCH && WindowOf(focus.pdispVal) == p.yes,
              "the focused child is not Yes (variant type " + std::to_string(focus.vt) + ")");
        VariantClear(&focus);
        dialog->Release();
    }
    // Loaded on that question, from the system directory.
    if (LoadedModule(p.process.dwProcessId, "oleacc.dll", &oleacc))
        CHECK(lstrcmpiA(oleacc.c_str(), SystemFile("oleacc.dll").c_str()) == 0, "oleacc loaded from \"" + oleacc + "\"");

    // The prompt still answers as before, and says that the dialog has ended.
    Press(VK_ESCAPE);
    CHECK_EQ(WaitExit(&p), 36L, "exit code");
    CHECK(events.Await(EVENT_SYSTEM_DIALOGEND, p.window), "no dialog-end event when the prompt went away");
}

// Hidden for the dial: the dialog ends then, not when the program does.
void HidingForTheDialEndsTheDialog()
{
    SetDefaultConnectionText("My ISP");
    DialogEvents events;
    Prompt p;
    if (!StartHeard(&p, events, {.blockMs = 1500}))
        return;
    CHECK_EQ(events.Count(EVENT_SYSTEM_DIALOGEND, p.window), 0, "dialog-end events while asking");
    Press(VK_RETURN);
    CHECK(events.Await(EVENT_SYSTEM_DIALOGEND, p.window, 1000), "no dialog-end event when Yes hid the prompt");
    CHECK(StillRunning(p, 0), "the program ended before the dial had finished");
    CHECK_EQ(WaitExit(&p), 0L, "exit code");
    CHECK_EQ(events.Count(EVENT_SYSTEM_DIALOGSTART, p.window), 1, "dialog-start events");
    CHECK_EQ(events.Count(EVENT_SYSTEM_DIALOGEND, p.window), 1, "dialog-end events");
}

// An oleacc.dll beside the program is not the one it loads. Under Wine this
// needs oleacc made native-first (WINEDLLOVERRIDES=oleacc=n,b, which Wine
// takes from the environment it was started with, not from this driver's),
// or Wine would take its own oleacc whatever folder the program searched.
void APlantedOleaccIsNeverLoaded()
{
    char overrides[512] = "";
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    const char* oleacc = strstr(overrides, "oleacc");
    bool underWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    CHECK(!underWine || (oleacc && strstr(oleacc, "=n")), "not run with oleacc native-first: \"" +
                                                               std::string(overrides) + "\"");
    std::string folder = TempFolder("planted-oleacc");
    std::string exe = folder + "\\dialprompt.exe";
    CHECK(CopyFileA(ProgramPath().c_str(), exe.c_str(), FALSE), "copy the program");
    CHECK(CopyFileA(BuildFile("tests\\wine\\marker.dll").c_str(), (folder + "\\oleacc.dll").c_str(), FALSE),
          "plant oleacc.dll");
    SetEnvironmentVariableA("DIALPROMPT_MARKER_DIR", folder.c_str());
    DialogEvents events;
    Prompt p;
    if (!StartHeard(&p, events, DialSetup(), exe))
        return;
    if (IAccessible* dialog = ClientObject(p.window)) {
        CHECK_EQ(RoleOf(dialog), LONG(ROLE_SYSTEM_DIALOG), "role with oleacc.dll planted");
        dialog->Release();
    }
    CHECK(GetFileAttributesA((folder + "\\oleacc.dll.loaded").c_str()) == INVALID_FILE_ATTRIBUTES,
          "the planted oleacc.dll was loaded");
    Press(VK_ESCAPE);
    CHECK_EQ(WaitExit(&p), 36L, "exit code");
}

// ---- the object itself, in this process ------------------------------------

// A window of this process with two buttons, whose client object is the dialog one.
LRESULT CALLBACK DialogLikeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETOBJECT && LONG(lParam) == OBJID_CLIENT)
        if (LRESULT object = DialogClientObject(window, wParam))
            return object;
    return DefWindowProcA(window, message, wParam, lParam);
}

struct TestDialog {
    HWND window = nullptr;
    TestDialog()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DialogLikeProc;
        windowClass.lpszClassName = "DialogLike";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "DialogLike", "A dialog", WS_POPUP | WS_CAPTION, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        for (const char* caption : {"One", "Two"})
            CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, window, nullptr, nullptr, nullptr);
    }
    ~TestDialog() { DestroyWindow(window); }
};

// The wrapper over the system's object: its role, what it forwards, its
// interfaces, and that it gives back every reference it took.
void TheWrapperForwardsAllButTheRoleAndCountsRight()
{
    TestDialog dialog;
    IAccessible* standard = nullptr;
    HRESULT hr = CreateStdAccessibleObject(dialog.window, OBJID_CLIENT, kIID_IAccessible,
                                           reinterpret_cast<void**>(&standard));
    CHECK(SUCCEEDED(hr) && standard, "CreateStdAccessibleObject failed");
    if (!standard)
        return;
    const ULONG standardAlone = References(standard);

    IAccessible* wrapper = NewDialogAccessible(standard);
    CHECK(wrapper != nullptr, "no wrapper");
    if (!wrapper) {
        standard->Release();
        return;
    }
    CHECK_EQ(References(wrapper), 1ul, "references of a new wrapper");
    CHECK(References(standard) > standardAlone, "the wrapper holds no reference to the standard object");
    CHECK_EQ(RoleOf(wrapper), LONG(ROLE_SYSTEM_DIALOG), "role");
    CHECK_EQ(RoleOf(standard), LONG(ROLE_SYSTEM_CLIENT), "role of the object beneath");
    VARIANT child = Self(), role;
    child.lVal = 1;
    VariantInit(&role);
    CHECK_EQ(wrapper->get_accRole(child, &role), standard->get_accRole(child, &role), "a child's role is forwarded");
    VariantClear(&role);
    CHECK_EQ(NameOf(wrapper), std::string("A dialog"), "name, forwarded");
    LONG count = 0;
    CHECK(SUCCEEDED(wrapper->get_accChildCount(&count)) && count == 2, "child count, forwarded");

    // Each interface it answers adds one reference to the wrapper, and each
    // leads back to the same object; others are refused without one.
    IUnknown* identity = nullptr;
    wrapper->QueryInterface(kIID_IUnknown, reinterpret_cast<void**>(&identity));
    const IID* answered[] = {&kIID_IUnknown, &kIID_IDispatch, &kIID_IAccessible, &kIID_IEnumVARIANT, &kIID_IOleWindow};
    for (const IID* iid : answered) {
        IUnknown* face = nullptr;
        hr = wrapper->QueryInterface(*iid, reinterpret_cast<void**>(&face));
        CHECK(SUCCEEDED(hr) && face, "an interface the wrapper should answer");
        if (!face)
            continue;
        CHECK_EQ(References(wrapper), 3ul, "references while an interface is held");
        IUnknown* back = nullptr;
        face->QueryInterface(kIID_IUnknown, reinterpret_cast<void**>(&back));
        CHECK(back == identity, "an interface leads to another object");
        if (back)
            back->Release();
        face->Release();
    }
    const IID kIID_IServiceProvider = {0x6d5140c1, 0x7436, 0x11ce, {0x80, 0x34, 0x00, 0xaa, 0x00, 0x60, 0x09, 0xfa}};
    const IID kIID_IPersist = {0x0000010c, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    for (const IID* iid : {&kIID_IServiceProvider, &kIID_IPersist}) {
        void* face = reinterpret_cast<void*>(1);
        CHECK_EQ(long(wrapper->QueryInterface(*iid, &face)), long(E_NOINTERFACE), "an interface not offered");
        CHECK(face == nullptr, "the refused interface's pointer is not cleared");
    }
    identity->Release();
    CHECK_EQ(References(wrapper), 1ul, "references after the interfaces are given back");

    // The children and the window come from the object beneath.
    IEnumVARIANT* children = nullptr;
    wrapper->QueryInterface(kIID_IEnumVARIANT, reinterpret_cast<void**>(&children));
    if (children) {
        VARIANT listed[4];
        ULONG fetched = 0;
        children->Reset();
        children->Next(4, listed, &fetched);
        CHECK_EQ(fetched, 2ul, "children listed");
        for (ULONG i = 0; i < fetched; ++i)
            VariantClear(&listed[i]);
        children->Release();
    }
    HWND window = nullptr;
    CHECK(SUCCEEDED(WindowFromAccessibleObject(wrapper, &window)) && window == dialog.window, "its window");

    CHECK_EQ(wrapper->Release(), 0ul, "the last release does not destroy the wrapper");
    CHECK_EQ(References(standard), standardAlone, "references the wrapper did not give back");
    standard->Release();
}

// Asked again and again, as a screen reader does: every object handed out
// is freed by the asker's release alone.
void RepeatedQuestionsLeakNothing()
{
    TestDialog dialog;
    for (int i = 0; i < 20; ++i) {
        IAccessible* object = ClientObject(dialog.window);
        if (!object)
            return;
        CHECK_EQ(RoleOf(object), LONG(ROLE_SYSTEM_DIALOG), "role, question " + std::to_string(i));
        ULONG left = object->Release();
        CHECK_EQ(left, 0ul, "references left after the asker's release, question " + std::to_string(i));
        if (left)
            return;
    }
}

}  // namespace

void AccessibilityTests()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    RunCase("the wrapper: dialog role, the rest forwarded, references given back",
            TheWrapperForwardsAllButTheRoleAndCountsRight);
    RunCase("repeated questions leak no object", RepeatedQuestionsLeakNothing);
    RunCase("a screen reader finds a dialog, the question first, Yes focused", AScreenReaderFindsADialogWithTheQuestionFirst);
    RunCase("hiding for the dial ends the dialog", HidingForTheDialEndsTheDialog);
    RunCase("an oleacc.dll beside the program is never loaded", APlantedOleaccIsNeverLoaded);
    CoUninitialize();
}
