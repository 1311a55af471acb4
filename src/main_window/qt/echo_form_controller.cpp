#include "echo_form_controller.h"

#include <QPushButton>

#include <utility>

#include "busy_cursor.h"
#include "main_window/echo_command.h"

namespace quorl {

EchoFormController::EchoFormController(Platform& platform, MessageBoxPresenter present)
    : form_(window_, std::move(present)), platform_(platform) {
    QObject::connect(window_.Command1(), &QPushButton::clicked, &window_, [this] {
        const BusyCursor busy;
        EchoCommand(form_, platform_);
    });
}

}  // namespace quorl
