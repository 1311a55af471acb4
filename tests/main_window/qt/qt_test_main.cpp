// The tests of the Qt window run in one QApplication on Qt's offscreen
// platform, with the program's name, icon and style. This main is linked
// ahead of GoogleTest's own, which is then left out.
#include <gtest/gtest.h>

#include <QApplication>

#include "main_window/qt/application_identity.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    quorl::SetApplicationIdentity();
    return RUN_ALL_TESTS();
}
