#pragma once

#include <QIcon>

namespace quorl {

// The program's name, version and icon, and the widget style its fixed
// layout is drawn in. Called once, right after the QApplication is made.
void SetApplicationIdentity();

// The application icon in its three images: 16, 32 and 48 pixels.
QIcon ApplicationIcon();

}  // namespace quorl
