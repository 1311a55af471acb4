#include "command_button.h"

#include <QKeyEvent>

namespace quorl {

CommandButton::CommandButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
    setDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // A held key repeats; one press is one run.
    if (!event->isAutoRepeat()) {
        click();
    }
    event->accept();
}

}  // namespace quorl
