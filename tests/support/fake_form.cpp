#include "fake_form.h"

#include "fake_platform.h"

namespace quorl::testing {

std::u16string FakeForm::Text(ControlId box) {
    return boxes_[Key(box)];
}

void FakeForm::SetText(ControlId box, std::u16string_view text) {
    boxes_[Key(box)] = std::u16string(text);
    log_.Add("SetText " + ControlNameText(box) + " [" + Utf8(text) + "]");
}

void FakeForm::Repaint(ControlId box) {
    log_.Add("Repaint " + ControlNameText(box));
}

void FakeForm::ShowMessageBox(std::u16string_view text, MessageIcon icon) {
    log_.Add(MessageBoxEvent(text, icon));
}

}  // namespace quorl::testing
