#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <vector>

#include "main_window/controls.h"

namespace quorl::testing {

inline const ControlId kText1{ControlName::Text1};
inline const ControlId kText2{ControlName::Text2};
inline const ControlId kText3{ControlName::Text3};

// The boxes in the order focus moves through them.
inline std::vector<ControlId> BoxesInTabOrder() {
    std::vector<ControlId> boxes = {kText1, kText2};
    for (int i = 0; i < kResultBoxCount; ++i) {
        boxes.push_back(Text4(i));
    }
    boxes.push_back(kText3);
    return boxes;
}

// Shows a window and waits until it is exposed and has the keyboard.
inline bool ShowAndActivate(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowExposed(&window) && QTest::qWaitForWindowActive(&window);
}

}  // namespace quorl::testing
