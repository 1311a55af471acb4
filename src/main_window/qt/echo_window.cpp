#include "echo_window.h"

#include <QPushButton>

#include "main_window/echo_command.h"

namespace quorl {

EchoWindow::EchoWindow(Platform& platform, MessageBoxPresenter present)
    : form_(window_, std::move(present)), platform_(platform) {
    QObject::connect(window_.Command1(), &QPushButton::clicked, &window_,
                     [this] { EchoCommand(form_, platform_); });
}

}  // namespace quorl
