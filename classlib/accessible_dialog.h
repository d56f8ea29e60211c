// What a dialog form hands to assistive technology for its client area: the
// system's standard object for the window, reporting the dialog role, so
// that screen readers read the dialog's text out when it appears. Nothing of
// it is loaded until an assistive technology asks (WM_GETOBJECT).
#pragma once
#include <windows.h>
#include <oleacc.h>

// MinGW's static libraries resolve these data imports to garbage: own copies.
extern const IID kIID_IUnknown;
extern const IID kIID_IDispatch;
extern const IID kIID_IAccessible;
extern const IID kIID_IEnumVARIANT;
extern const IID kIID_IOleWindow;

// Wraps the system's standard client object (holding references of its own)
// into one that reports ROLE_SYSTEM_DIALOG for itself and forwards all else.
// The new object holds one reference, the caller's; null when out of memory.
IAccessible* NewDialogAccessible(IAccessible* standard);

// The answer to WM_GETOBJECT for OBJID_CLIENT (`flags` is its wParam). The
// first question starts COM on this thread and loads oleacc from the system
// directory. 0 when the object cannot be had: the system then answers as for
// any other window.
LRESULT DialogClientObject(HWND window, WPARAM flags);
