#include "fake_form.h"

#include "fake_platform.h"

namespace quorl::testing {

std::string ControlText(ControlId control) {
    static const char* const kNames[] = {
        "Form1",  "Frame1", "Command1", "Text1",  "Text2",  "Text3",  "Text4",  "Label1",
        "Label2", "Label3", "Label4",   "Label5", "Label6", "Label7", "Label8", "Label9",
    };
    std::string text = kNames[static_cast<int>(control.name)];
    if (control.name == ControlName::Text4) {
        text += "(" + std::to_string(control.index) + ")";
    }
    return text;
}

std::u16string FakeForm::Text(ControlId box) {
    return boxes_[Key(box)];
}

void FakeForm::SetText(ControlId box, std::u16string_view text) {
    boxes_[Key(box)] = std::u16string(text);
    log_.Add("SetText " + ControlText(box) + " [" + Utf8(text) + "]");
}

void FakeForm::Repaint(ControlId box) {
    log_.Add("Repaint " + ControlText(box));
}

void FakeForm::ShowMessageBox(std::u16string_view text, MessageIcon icon) {
    log_.Add(MessageBoxEvent(text, icon));
}

}  // namespace quorl::testing
