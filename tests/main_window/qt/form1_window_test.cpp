#include "main_window/qt/form1_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>

#include "main_window/accessible_name_table.h"
#include "main_window/form_pixels.h"
#include "main_window/qt/application_identity.h"
#include "network/echo_status_text.h"
#include "window_test_support.h"

namespace quorl::testing {
namespace {

// Qt places the form in logical pixels, 96 to the inch on every screen.
const FormPixels& kAt96Dpi = kFormPixels[0];

QString Name(ControlId control) {
    return ControlObjectName(control);
}

class Form1WindowTest : public ::testing::Test {
protected:
    QWidget* Control(ControlName name) { return window.Control({name}); }

    Form1Window window;
};

TEST_F(Form1WindowTest, EveryControlStandsAtItsPlaceInPixels) {
    ASSERT_EQ(kAt96Dpi.dpi, 96);
    for (const PlacedControl& placed : kAt96Dpi.controls) {
        const QWidget* widget = window.Control(placed.control);
        ASSERT_NE(widget, nullptr) << Name(placed.control).toStdString();
        const PixelRect& pixels = placed.pixels;
        EXPECT_EQ(widget->geometry(), QRect(pixels.left, pixels.top, pixels.width, pixels.height))
            << Name(placed.control).toStdString();
        const QWidget* container = placed.container == ControlName::Form1
                                       ? static_cast<QWidget*>(&window)
                                       : Control(placed.container);
        EXPECT_EQ(widget->parentWidget(), container) << Name(placed.control).toStdString();
    }
}

TEST_F(Form1WindowTest, ClientAreaHasAFixedSize) {
    const QSize client(kAt96Dpi.client.width, kAt96Dpi.client.height);
    EXPECT_EQ(window.size(), client);
    EXPECT_EQ(window.minimumSize(), client);
    EXPECT_EQ(window.maximumSize(), client);
}

// The form's boxes overlap the frame and must stay visible and clickable.
TEST_F(Form1WindowTest, FormBoxesAreDrawnAboveTheFrame) {
    for (const ControlId box : BoxesInTabOrder()) {
        QLineEdit* lineEdit = window.Box(box);
        const QPoint centre = lineEdit->mapTo(&window, lineEdit->rect().center());
        EXPECT_EQ(window.childAt(centre), lineEdit) << Name(box).toStdString();
    }
}

TEST_F(Form1WindowTest, StartsWithOnlyTheDataToSend) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorl!   Brindlow   3/28/03"));
    for (const ControlId box : BoxesInTabOrder()) {
        const QString expected = box == kText3 ? QStringLiteral("Echo This") : QString();
        EXPECT_EQ(window.Box(box)->text(), expected) << Name(box).toStdString();
        EXPECT_FALSE(window.Box(box)->isReadOnly()) << Name(box).toStdString();
    }
    EXPECT_EQ(qobject_cast<QGroupBox*>(Control(ControlName::Frame1))->title(), "Quorl!");
    EXPECT_EQ(window.Command1()->text(), "Quorl!");
}

TEST_F(Form1WindowTest, FocusStartsInTheHostNameAndTabMovesThroughTheBoxesThenTheButton) {
    ASSERT_TRUE(ShowAndActivate(window));
    ASSERT_EQ(QApplication::focusWidget(), window.Box(kText1));

    QStringList visited;
    for (int step = 0; step < 10; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, QStringList({"Text2", "Text4(0)", "Text4(1)", "Text4(2)", "Text4(3)",
                                    "Text4(4)", "Text4(5)", "Text3", "Command1", "Text1"}));
}

TEST_F(Form1WindowTest, EnterAndEscapeInABoxClickNothing) {
    ASSERT_TRUE(ShowAndActivate(window));
    QSignalSpy clicks(window.Command1(), &QPushButton::clicked);
    EXPECT_FALSE(window.Command1()->isDefault());
    EXPECT_FALSE(window.Command1()->autoDefault());

    for (const ControlId box : BoxesInTabOrder()) {
        window.Box(box)->setFocus();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(window.Box(box), key);
        }
    }
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_TRUE(window.isVisible());
}

// Return and keypad Enter click the button that has the focus, once per
// press; a held key's repeats start no further runs.
TEST_F(Form1WindowTest, EnterOnTheFocusedButtonClicksIt) {
    ASSERT_TRUE(ShowAndActivate(window));
    QPushButton* button = window.Command1();
    QSignalSpy clicks(button, &QPushButton::clicked);
    button->setFocus();

    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks.count(), 2);
    QTest::keyEvent(QTest::KeyAction::Press, button, Qt::Key_Return, Qt::NoModifier, -1);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(button, &repeat);
    EXPECT_EQ(clicks.count(), 3);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 4);
}

QString AccessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

TEST_F(Form1WindowTest, AssistiveTechnologyNamesEachBoxByItsLabel) {
    for (const ControlId box : BoxesInTabOrder()) {
        const std::u16string_view name = AccessibleNameByHand(box);
        EXPECT_EQ(AccessibleName(window.Box(box)), QStringView(name).toString())
            << Name(box).toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(window.Box(box))->role(),
                  QAccessible::EditableText);
    }
    EXPECT_EQ(AccessibleName(window.Command1()), "Quorl!");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window.Command1())->role(),
              QAccessible::Button);
}

// Room a line edit keeps between its border and its text, in pixels.
int LineEditChrome(const QLineEdit& box) {
    const int frame = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &box);
    const int textMargin = 1;
    return 2 * (frame + textMargin);
}

TEST_F(Form1WindowTest, EveryTextFitsItsControl) {
    for (const PlacedControl& placed : kAt96Dpi.controls) {
        const auto* label = qobject_cast<const QLabel*>(window.Control(placed.control));
        if (label == nullptr) {
            continue;
        }
        const QFontMetrics metrics = label->fontMetrics();
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
            << label->text().toStdString();
        EXPECT_LE(metrics.height(), label->height()) << label->text().toStdString();
    }

    QLineEdit* statusBox = window.Box(Text4(0));
    const QFontMetrics boxMetrics = statusBox->fontMetrics();
    EXPECT_LE(boxMetrics.height() + LineEditChrome(*statusBox), statusBox->height());
    for (const std::int32_t status : {-1, 0, 7, 500, 11004, 11013, 11050, 11255}) {
        const QString line = QString::fromStdU16String(EchoStatusText(status));
        EXPECT_LE(boxMetrics.horizontalAdvance(line) + LineEditChrome(*statusBox),
                  statusBox->width())
            << line.toStdString();
    }

    QPushButton* button = window.Command1();
    EXPECT_LT(button->fontMetrics().horizontalAdvance(button->text()), button->width());
}

TEST(ApplicationIdentityTest, NameVersionAndIconInThreeSizes) {
    EXPECT_EQ(QApplication::applicationName(), "Quorl");
    EXPECT_EQ(QApplication::applicationVersion(), "1.00");
    const QList<QSize> sizes = ApplicationIcon().availableSizes();
    EXPECT_EQ(sizes, QList<QSize>({QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
    EXPECT_FALSE(ApplicationIcon().pixmap(48).isNull());
}

}  // namespace
}  // namespace quorl::testing
