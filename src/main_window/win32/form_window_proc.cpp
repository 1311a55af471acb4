#include "main_window/echo_command.h"
#include "scoped_cursor.h"
#include "win32_form.h"

namespace quorl {

LRESULT CALLBACK Win32Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<Win32Form*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* form = reinterpret_cast<Win32Form*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return form->OnMessage(message, wParam, lParam);
}

LRESULT Win32Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_ACTIVATE:
            // Like a dialog: focus goes back where it was when the window
            // is activated again.
            if (LOWORD(wParam) == WA_INACTIVE) {
                lastFocus_ = ::GetFocus();
            } else {
                const HWND focus = lastFocus_ != nullptr && ::IsChild(window_, lastFocus_)
                                       ? lastFocus_
                                       : ::GetNextDlgTabItem(window_, nullptr, FALSE);
                ::SetFocus(focus);
            }
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(window_, message, wParam, lParam);
    }
}

// The window's one event: a click of Command1. Dialog navigation turns Enter
// into IDOK: on the focused Command1 that is a click, as on a form of the
// classic runtime; in a box Enter, like Escape (IDCANCEL), starts nothing.
void Win32Form::OnCommand(int controlId, int notification) {
    const HWND button = Control({ControlName::Command1});
    const bool clicked = notification == BN_CLICKED && controlId == ::GetDlgCtrlID(button);
    const bool enterOnButton = controlId == IDOK && ::GetFocus() == button;
    if (clicked || enterOnButton) {
        // The run blocks the window's thread until it is done.
        const ScopedCursor busy(WaitCursor());
        EchoCommand(*this, platform_);
    }
}

}  // namespace quorl
