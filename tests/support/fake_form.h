#pragma once

#include <map>
#include <string>

#include "event_log.h"
#include "main_window/form_runtime.h"

namespace quorl::testing {

// A window of text boxes only, recording every change, repaint and message
// box in the shared log. Reads are not logged: they change nothing.
class FakeForm final : public FormRuntime {
public:
    explicit FakeForm(EventLog& log) : log_(log) {}

    std::u16string Text(ControlId box) override;
    void SetText(ControlId box, std::u16string_view text) override;
    void Repaint(ControlId box) override;
    void ShowMessageBox(std::u16string_view text, MessageIcon icon) override;

    // Sets a box without logging, as the user typing would.
    void Type(ControlId box, std::u16string text) { boxes_[Key(box)] = std::move(text); }

private:
    static std::pair<int, int> Key(ControlId box) {
        return {static_cast<int>(box.name), box.index};
    }

    EventLog& log_;
    std::map<std::pair<int, int>, std::u16string> boxes_;
};

}  // namespace quorl::testing
