#pragma once

#include <string>
#include <string_view>

#include "controls.h"
#include "network/message_boxes.h"

namespace quorl {

// The operations of the form runtime that the echo command relies on: the
// text boxes of the main window and its modal message boxes.
class FormRuntime : public MessageBoxes {
public:
    virtual std::u16string Text(ControlId box) = 0;
    // The box holds exactly that text afterwards.
    virtual void SetText(ControlId box, std::u16string_view text) = 0;
    // Draws the box with its current text before returning, while the
    // handler still holds the window's thread.
    virtual void Repaint(ControlId box) = 0;
};

}  // namespace quorl
