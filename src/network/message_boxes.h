#pragma once

#include <string_view>

namespace quorl {

enum class MessageIcon { None, Warning };

// Modal message boxes with one OK button, captioned with the tool's name.
// ShowMessageBox returns only once the user has closed the box.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void ShowMessageBox(std::u16string_view text, MessageIcon icon) = 0;
};

}  // namespace quorl
