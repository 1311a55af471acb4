#include "main_window/qt/qt_form_runtime.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include "window_test_support.h"

namespace quorl::testing {
namespace {

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Count() const { return count_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count_;
        }
        return false;
    }

private:
    int count_ = 0;
};

struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QWidget* parent;
    bool modal;
};

class QtFormRuntimeTest : public ::testing::Test {
protected:
    Form1Window window;
    std::vector<ShownBox> shown;
    QtFormRuntime form{
        window, [this](QMessageBox& box) {
            shown.push_back({box.windowTitle(), box.text(), box.icon(), box.standardButtons(),
                             box.parentWidget(), box.windowModality() != Qt::NonModal});
        }};
};

TEST_F(QtFormRuntimeTest, BoxHoldsExactlyTheTextSetAndShowsItsStart) {
    std::u16string longText(250, u'x');
    longText.front() = u'\u20ac';
    for (const ControlId box : BoxesInTabOrder()) {
        form.SetText(box, longText);
        EXPECT_EQ(form.Text(box), longText);
        EXPECT_EQ(window.Box(box)->cursorPosition(), 0);
        form.SetText(box, u"");
        EXPECT_EQ(form.Text(box), u"");
    }
}

TEST_F(QtFormRuntimeTest, TextReadsWhatTheUserTyped) {
    ASSERT_TRUE(ShowAndActivate(window));
    window.Box(kText2)->setFocus();
    QTest::keyClicks(window.Box(kText2), "127.0.0.1");
    EXPECT_EQ(form.Text(kText2), u"127.0.0.1");
}

// The handler keeps the window's thread, so the box must be drawn inside the
// call, not on a later pass of the event loop.
TEST_F(QtFormRuntimeTest, RepaintDrawsTheBoxBeforeReturning) {
    ASSERT_TRUE(ShowAndActivate(window));
    QApplication::processEvents();
    PaintCounter paints(window.Box(Text4(3)));

    form.SetText(Text4(3), u"9 bytes");
    form.Repaint(Text4(3));
    EXPECT_GE(paints.Count(), 1);
}

TEST_F(QtFormRuntimeTest, MessageBoxesAreModalWithTheToolsNameAndOneOkButton) {
    form.ShowMessageBox(u"Call to gethostbyaddr failed.", MessageIcon::None);
    form.ShowMessageBox(u"Windows Sockets error occurred in Cleanup.", MessageIcon::Warning);

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Call to gethostbyaddr failed.");
    EXPECT_EQ(shown[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(shown[1].text, "Windows Sockets error occurred in Cleanup.");
    EXPECT_EQ(shown[1].icon, QMessageBox::Warning);
    for (const ShownBox& box : shown) {
        EXPECT_EQ(box.title, "Quorl");
        EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(box.parent, &window);
        EXPECT_TRUE(box.modal);
    }
}

}  // namespace
}  // namespace quorl::testing
