#include "win32_form.h"

#include "form_builder.h"
#include "form_font.h"
#include "native_controls.h"
#include "scoped_cursor.h"

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

}  // namespace quorl
