#include "form1_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "command_button.h"
#include "main_window/accessible_names.h"
#include "main_window/form_geometry.h"
#include "qt_text.h"

namespace quorl {
namespace {

// Logical pixels are 1/96 inch, which makes 15 twips a pixel; Qt's high-DPI
// scaling takes it from there.
constexpr Dpi kLogicalDpi{96, 96};

// A font whose line fits the 315-twip boxes and whose widest label fits its
// 1365 twips. Set in pixels, so it scales with the layout on every screen.
QFont FormFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setStretch(QFont::SemiCondensed);
    return font;
}

QRect PlaceOf(const ControlLayout& layout) {
    const PixelRect rect = PixelRectOf(layout, kLogicalDpi);
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

QWidget* CreateWidget(const ControlLayout& layout, QWidget* container) {
    const QString text = ToQString(layout.text);
    switch (layout.kind) {
        case ControlKind::Frame:
            return new QGroupBox(text, container);
        case ControlKind::Label:
            return new QLabel(text, container);
        case ControlKind::TextBox:
            return new QLineEdit(text, container);
        case ControlKind::CommandButton:
            // Neither default nor cancel: Enter and Escape in a box start nothing.
            return new CommandButton(text, container);
    }
    return nullptr;
}

}  // namespace

QString ControlObjectName(ControlId control) {
    return QString::fromStdString(ControlNameText(control));
}

Form1Window::Form1Window() {
    const FormLayout& form = Form1Layout();
    setObjectName(ControlObjectName({ControlName::Form1}));
    setWindowTitle(ToQString(form.caption));
    setFont(FormFont());
    // The content has a fixed layout, so the window keeps its size.
    const PixelSize client = ClientPixelSize(form, kLogicalDpi);
    setFixedSize(client.width, client.height);

    // Frames first: a widget created later is drawn above its earlier
    // siblings, so the form's boxes end up above Frame1.
    for (const ControlLayout& layout : form.controls) {
        if (layout.kind == ControlKind::Frame) {
            CreateControl(layout);
        }
    }
    for (const ControlLayout& layout : form.controls) {
        if (layout.kind != ControlKind::Frame) {
            CreateControl(layout);
        }
    }
    SetTabOrder();
}

void Form1Window::CreateControl(const ControlLayout& layout) {
    QWidget* widget = CreateWidget(layout, ContainerOf(layout));
    widget->setObjectName(ControlObjectName(layout.id));
    widget->setGeometry(PlaceOf(layout));
    if (layout.kind == ControlKind::TextBox) {
        // A screen reader names each box by the label beside it; every other
        // control already goes by its own caption.
        widget->setAccessibleName(ToQString(AccessibleName(layout.id)));
    }
    controls_.emplace_back(layout.id, widget);
}

QWidget* Form1Window::ContainerOf(const ControlLayout& layout) {
    if (layout.container == ControlName::Form1) {
        return this;
    }
    return Control({layout.container});
}

// Focus follows the layout table, which is in tab-index order, through the
// controls that take it; labels and the frame never do.
void Form1Window::SetTabOrder() {
    std::vector<const ControlLayout*> focusable;
    for (const ControlLayout& layout : Form1Layout().controls) {
        if (layout.kind == ControlKind::TextBox || layout.kind == ControlKind::CommandButton) {
            focusable.push_back(&layout);
        }
    }
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        setTabOrder(Control(focusable[i - 1]->id), Control(focusable[i]->id));
    }
    // The window opens with the keyboard in the first of them.
    if (!focusable.empty()) {
        Control(focusable.front()->id)->setFocus();
    }
}

QWidget* Form1Window::Control(ControlId control) const {
    const auto found =
        std::find_if(controls_.begin(), controls_.end(),
                     [control](const auto& entry) { return entry.first == control; });
    return found == controls_.end() ? nullptr : found->second;
}

QLineEdit* Form1Window::Box(ControlId box) const {
    return qobject_cast<QLineEdit*>(Control(box));
}

QPushButton* Form1Window::Command1() const {
    return qobject_cast<QPushButton*>(Control({ControlName::Command1}));
}

}  // namespace quorl
