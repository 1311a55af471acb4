#pragma once

#include <windows.h>

#include <memory>

#include "com_apartment.h"
#include "form_builder.h"
#include "gdi_handles.h"
#include "main_window/form_runtime.h"
#include "network/platform/platform.h"

namespace quorl {

// Form1 as a native window, built from the layout table: the boxes, labels,
// frame and button, the click of Command1 and the message boxes.
class Win32Form final : public FormRuntime {
public:
    // Creates the window hidden; null when the system refuses. The click of
    // Command1 runs the echo command on platform.
    static std::unique_ptr<Win32Form> Create(HINSTANCE instance, Platform& platform);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    HWND Window() const { return window_; }
    // The native control of a control of Form1; null for the form itself.
    HWND Control(ControlId control) const;

    std::u16string Text(ControlId box) override;
    void SetText(ControlId box, std::u16string_view text) override;
    void Repaint(ControlId box) override;
    void ShowMessageBox(std::u16string_view text, MessageIcon icon) override;

private:
    explicit Win32Form(Platform& platform);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int controlId, int notification);

    // Joined before the window is made and left after it is gone: the boxes
    // hand their accessible objects to screen readers through COM.
    ComApartment apartment_;
    Platform& platform_;
    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
    UniqueFont font_;
    NativeControls controls_;
};

}  // namespace quorl
