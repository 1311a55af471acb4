#pragma once

#include "form1_window.h"
#include "network/platform/platform.h"
#include "qt_form_runtime.h"

namespace quorl {

// Owns Form1 and handles its one event: each click of Command1 runs the echo
// command over the window's boxes and the platform.
class EchoFormController {
public:
    explicit EchoFormController(Platform& platform, MessageBoxPresenter present = ExecMessageBox);
    EchoFormController(const EchoFormController&) = delete;
    EchoFormController& operator=(const EchoFormController&) = delete;

    Form1Window& Window() { return window_; }

private:
    Form1Window window_;
    QtFormRuntime form_;
    Platform& platform_;
};

}  // namespace quorl
