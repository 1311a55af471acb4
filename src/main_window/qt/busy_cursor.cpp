#include "busy_cursor.h"

#include <QApplication>
#include <QCursor>

namespace quorl {

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

NormalCursorWhileOpen::NormalCursorWhileOpen() {
    const QCursor* cursor = QApplication::overrideCursor();
    if (cursor != nullptr && cursor->shape() == Qt::WaitCursor) {
        QApplication::restoreOverrideCursor();
        lifted_ = true;
    }
}

NormalCursorWhileOpen::~NormalCursorWhileOpen() {
    if (lifted_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

}  // namespace quorl
