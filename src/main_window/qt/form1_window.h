#pragma once

#include <QWidget>
#include <utility>
#include <vector>

#include "main_window/controls.h"
#include "main_window/form_layout.h"

class QLineEdit;
class QPushButton;

namespace quorl {

// Form1, built from its layout table alone: twips become logical pixels at
// 15 twips a pixel, and Qt's high-DPI scaling takes it from there.
class Form1Window final : public QWidget {
public:
    Form1Window();

    // The widget of a control; null for one the form does not have.
    QWidget* Control(ControlId control) const;
    QLineEdit* Box(ControlId box) const;
    QPushButton* Command1() const;

private:
    void CreateControl(const ControlLayout& layout);
    QWidget* ContainerOf(const ControlLayout& layout);
    void SetTabOrder();

    std::vector<std::pair<ControlId, QWidget*>> controls_;
};

// The object name of each control's widget: its name as ControlNameText
// spells it.
QString ControlObjectName(ControlId control);

}  // namespace quorl
