#pragma once

#include "form1_window.h"
#include "main_window/form_runtime.h"
#include "message_box.h"

namespace quorl {

// The window runtime on Qt: the boxes of a Form1Window and modal QMessageBoxes
// over it.
class QtFormRuntime final : public FormRuntime {
public:
    explicit QtFormRuntime(Form1Window& window, MessageBoxPresenter present = ExecMessageBox);

    std::u16string Text(ControlId box) override;
    void SetText(ControlId box, std::u16string_view text) override;
    void Repaint(ControlId box) override;
    void ShowMessageBox(std::u16string_view text, MessageIcon icon) override;

private:
    Form1Window& window_;
    MessageBoxPresenter present_;
};

}  // namespace quorl
