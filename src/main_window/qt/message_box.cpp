#include "message_box.h"

#include "main_window/application_title.h"
#include "qt_text.h"

namespace quorl {

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, std::u16string_view text,
                                            MessageIcon icon) {
    const QMessageBox::Icon qtIcon =
        icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon;
    auto box = std::make_unique<QMessageBox>(qtIcon, ToQString(kApplicationTitle), ToQString(text),
                                             QMessageBox::Ok, parent);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

void ExecMessageBox(QMessageBox& box) {
    box.exec();
}

}  // namespace quorl
