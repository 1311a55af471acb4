#pragma once

#include "form1_window.h"
#include "network/platform/platform.h"
#include "qt_form_runtime.h"

namespace quorl {

// Form1 with its one event: each click of Command1 runs the echo command
// over the window's boxes and the platform.
class EchoWindow {
public:
    explicit EchoWindow(Platform& platform, MessageBoxPresenter present = ExecMessageBox);
    EchoWindow(const EchoWindow&) = delete;
    EchoWindow& operator=(const EchoWindow&) = delete;

    Form1Window& Window() { return window_; }

private:
    Form1Window window_;
    QtFormRuntime form_;
    Platform& platform_;
};

}  // namespace quorl
