#include <QApplication>

#include "application_identity.h"
#include "display_environment.h"
#include "echo_form_controller.h"
#include "network/platform/linux/linux_platform.h"

int main(int argc, char* argv[]) {
    if (!quorl::DisplayAvailable()) {
        quorl::ReportNoDisplay();
        return 1;
    }
    // The tool has no command line: Qt is not handed one either.
    int qtArgumentCount = argc > 0 ? 1 : 0;
    QApplication application(qtArgumentCount, argv);
    quorl::SetApplicationIdentity();

    quorl::LinuxPlatform platform;
    quorl::EchoFormController controller(platform);
    controller.Window().show();
    return QApplication::exec();
}
