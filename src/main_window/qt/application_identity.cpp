#include "application_identity.h"

#include <QApplication>

#include "main_window/application_title.h"
#include "qt_text.h"
#include "quorl_version.h"

namespace quorl {

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/icons/quorl-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

void SetApplicationIdentity() {
    QApplication::setApplicationName(ToQString(kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    QApplication::setWindowIcon(ApplicationIcon());
    // The boxes are 21 pixels high; Fusion draws a line edit's text in them
    // with room to spare, whatever the desktop's own style would do.
    QApplication::setStyle(QStringLiteral("Fusion"));
}

}  // namespace quorl
