#pragma once

#include <QMessageBox>
#include <functional>
#include <memory>
#include <string_view>

#include "network/message_boxes.h"

namespace quorl {

// Shows a prepared message box and returns once the user has closed it.
using MessageBoxPresenter = std::function<void(QMessageBox&)>;

// A modal box over parent with the text, the icon and one OK button,
// captioned with the tool's name.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, std::u16string_view text,
                                            MessageIcon icon);

// The presenter of the running program: the box's own modal event loop.
void ExecMessageBox(QMessageBox& box);

}  // namespace quorl
