#include "win32_form.h"

#include "form_builder.h"
#include "form_font.h"
#include "main_window/application_title.h"
#include "main_window/echo_command.h"
#include "scoped_cursor.h"
#include "screen_dpi.h"
#include "wide_text.h"

namespace quorl {

std::unique_ptr<Win32Form> Win32Form::Create(HINSTANCE instance, Platform& platform) {
    std::unique_ptr<Win32Form> form(new Win32Form(platform));
    CreateFormWindow(instance, &WindowProc, form.get());
    if (form->window_ == nullptr) {
        return nullptr;
    }
    form->controls_ = CreateFormControls(form->window_, SystemDpi(), form->font_.get());
    if (form->controls_.empty()) {
        return nullptr;
    }
    return form;
}

Win32Form::Win32Form(Platform& platform)
    : platform_(platform), font_(CreateFormFont(SystemDpi())) {}

Win32Form::~Win32Form() {
    if (window_ != nullptr && ::IsWindow(window_)) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

HWND Win32Form::Control(ControlId control) const {
    for (const auto& [id, window] : controls_) {
        if (id == control) {
            return window;
        }
    }
    return nullptr;
}

std::u16string Win32Form::Text(ControlId box) {
    const HWND control = Control(box);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    const int length = ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return FromWide(text);
}

void Win32Form::SetText(ControlId box, std::u16string_view text) {
    ::SetWindowTextW(Control(box), ToWide(text).c_str());
}

void Win32Form::Repaint(ControlId box) {
    const HWND control = Control(box);
    ::InvalidateRect(control, nullptr, TRUE);
    ::UpdateWindow(control);
}

// The arrow while the box is open; a run's wait cursor comes back after it,
// since the run goes on blocking the window.
void Win32Form::ShowMessageBox(std::u16string_view text, MessageIcon icon) {
    const ScopedCursor arrow(ArrowCursor());
    const UINT type = MB_OK | (icon == MessageIcon::Warning ? MB_ICONEXCLAMATION : 0);
    ::MessageBoxW(window_, ToWide(text).c_str(), ToWide(kApplicationTitle).c_str(), type);
}

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
