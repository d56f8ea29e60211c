#include "accessible_dialog.h"

#include <stdlib.h>

#include "system_library.h"

const IID kIID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIID_IAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const IID kIID_IEnumVARIANT = {0x00020404, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIID_IOleWindow = {0x00000114, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

// The standard object also enumerates the children (which is how clients
// list them) and names its window; the wrapper offers those two interfaces
// when the standard object has them, so that a client never has to step
// past the wrapper to the object beneath, which reports the client role.
class DialogAccessible final : public IAccessible, public IEnumVARIANT, public IOleWindow {
public:
    static void* operator new(size_t size) noexcept { return malloc(size); }
    static void operator delete(void* p) { free(p); }

    explicit DialogAccessible(IAccessible* standard) : standard_(standard)
    {
        standard_->AddRef();
        standard_->QueryInterface(kIID_IEnumVARIANT, reinterpret_cast<void**>(&children_));
        standard_->QueryInterface(kIID_IOleWindow, reinterpret_cast<void**>(&window_));
    }

    // IUnknown, one for all three interfaces
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == kIID_IUnknown || iid == kIID_IDispatch || iid == kIID_IAccessible)
            *object = static_cast<IAccessible*>(this);
        else if (iid == kIID_IEnumVARIANT && children_)
            *object = static_cast<IEnumVARIANT*>(this);
        else if (iid == kIID_IOleWindow && window_)
            *object = static_cast<IOleWindow*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return ULONG(left);
    }

    // The one change: the object itself is a dialog.
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!role)
            return E_INVALIDARG;
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
            return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_DIALOG;
        return S_OK;
    }

    // IDispatch, forwarded
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override
    {
        return standard_->Invoke(member, iid, locale, flags, parameters, result, exception, badArgument);
    }

    // IAccessible, forwarded
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override
    {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard_->put_accValue(child, value);
    }

    // IEnumVARIANT, forwarded: the children as the standard object lists them
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* children, ULONG* fetched) override
    {
        return children_->Next(count, children, fetched);
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override { return children_->Skip(count); }
    HRESULT STDMETHODCALLTYPE Reset() override { return children_->Reset(); }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override { return children_->Clone(copy); }

    // IOleWindow, forwarded
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override { return window_->GetWindow(window); }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override
    {
        return window_->ContextSensitiveHelp(enter);
    }

private:
    ~DialogAccessible()
    {
        if (window_)
            window_->Release();
        if (children_)
            children_->Release();
        standard_->Release();
    }

    LONG references_ = 1;
    IAccessible* standard_;
    IEnumVARIANT* children_ = nullptr;
    IOleWindow* window_ = nullptr;
};

typedef HRESULT(WINAPI* CoInitializeExFn)(void*, DWORD);
typedef HRESULT(WINAPI* CreateStdAccessibleObjectFn)(HWND, LONG, REFIID, void**);
typedef LRESULT(WINAPI* LresultFromObjectFn)(REFIID, WPARAM, IUnknown*);

struct Oleacc {
    CreateStdAccessibleObjectFn createStandard;
    LresultFromObjectFn lresultFromObject;
};

template <class Fn>
Fn Function(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// Loaded once, on the first question, and kept: a screen reader asks again
// every time it looks.
const Oleacc* LoadOleacc()
{
    static Oleacc oleacc;
    static bool tried = false;
    if (!tried) {
        tried = true;
        // Handing the object to another process marshals it, which needs COM
        // on this thread. A thread that already has it (in either model) will do.
        CoInitializeExFn initialize = Function<CoInitializeExFn>(LoadSystemLibrary(L"ole32.dll"), "CoInitializeEx");
        HRESULT started = initialize ? initialize(nullptr, COINIT_APARTMENTTHREADED) : E_FAIL;
        if (SUCCEEDED(started) || started == RPC_E_CHANGED_MODE) {
            HMODULE module = LoadSystemLibrary(L"oleacc.dll");
            oleacc.createStandard = Function<CreateStdAccessibleObjectFn>(module, "CreateStdAccessibleObject");
            oleacc.lresultFromObject = Function<LresultFromObjectFn>(module, "LresultFromObject");
        }
    }
    return oleacc.createStandard && oleacc.lresultFromObject ? &oleacc : nullptr;
}

}  // namespace

IAccessible* NewDialogAccessible(IAccessible* standard) { return new DialogAccessible(standard); }

LRESULT DialogClientObject(HWND window, WPARAM flags)
{
    const Oleacc* oleacc = LoadOleacc();
    if (!oleacc)
        return 0;
    IAccessible* standard = nullptr;
    if (FAILED(oleacc->createStandard(window, OBJID_CLIENT, kIID_IAccessible, reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    IAccessible* dialog = NewDialogAccessible(standard);
    standard->Release();
    if (!dialog)
        return 0;
    LRESULT result = oleacc->lresultFromObject(kIID_IAccessible, flags, dialog);
    dialog->Release();  // the asker holds it now, through the marshalled reference
    return result > 0 ? result : 0;
}
