#include "qt_form_runtime.h"

#include <QLineEdit>

#include "busy_cursor.h"
#include "qt_text.h"

namespace quorl {

QtFormRuntime::QtFormRuntime(Form1Window& window, MessageBoxPresenter present)
    : window_(window), present_(std::move(present)) {}

std::u16string QtFormRuntime::Text(ControlId box) {
    return ToU16String(window_.Box(box)->text());
}

void QtFormRuntime::SetText(ControlId box, std::u16string_view text) {
    QLineEdit* lineEdit = window_.Box(box);
    lineEdit->setText(ToQString(text));
    // A new text is shown from its start, not scrolled to its end.
    lineEdit->setCursorPosition(0);
}

void QtFormRuntime::Repaint(ControlId box) {
    window_.Box(box)->repaint();
}

void QtFormRuntime::ShowMessageBox(std::u16string_view text, MessageIcon icon) {
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(&window_, text, icon);
    const NormalCursorWhileOpen arrow;
    present_(*box);
}

}  // namespace quorl
