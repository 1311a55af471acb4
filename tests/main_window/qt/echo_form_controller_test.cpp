#include "main_window/qt/echo_form_controller.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>
#include <tuple>

#include "network/ansi_text.h"
#include "network/platform/linux/icmp_socket.h"
#include "network/platform/linux/linux_platform.h"
#include "support/fake_platform.h"
#include "support/watched_platform.h"
#include "window_test_support.h"

namespace quorl::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::MatchesRegex;

std::string BoxText(Form1Window& window, ControlId box) {
    return window.Box(box)->text().toStdString();
}

void Click(Form1Window& window) {
    QTest::mouseClick(window.Command1(), Qt::LeftButton);
}

// A message box that appears where none is expected fails the test and is
// closed at once.
void UnexpectedMessageBox(QMessageBox& box) {
    ADD_FAILURE() << "message box: " << box.text().toStdString();
}

struct SeenMessageBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Watches for the real modal box of the running program, notes what it
// shows and presses its OK button, as the user would. Gives up after a while
// so that a box that never comes cannot hang the test.
class MessageBoxCloser {
public:
    MessageBoxCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { CloseActiveBox(); });
        timer_.start(10);
    }
    const std::vector<SeenMessageBox>& Seen() const { return seen_; }

private:
    static constexpr int kMaxPolls = 1000;

    void CloseActiveBox() {
        if (++polls_ > kMaxPolls) {
            timer_.stop();
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        seen_.push_back({box->windowTitle(), box->text(), box->icon()});
        box->button(QMessageBox::Ok)->click();
    }

    QTimer timer_;
    int polls_ = 0;
    std::vector<SeenMessageBox> seen_;
};

// Echoes 127.0.0.1 only; runs where the process may open an ICMP socket.
// Typed texts come back in the locale's code page: 1252 here, 1251 where
// CMakeLists.txt runs this in ru_RU.UTF-8 too.
TEST(EchoFormControllerTest, ClickEchoesLoopbackAndFillsEveryBox) {
    const std::tuple<unsigned, const char*, const char*, const char*> kEchoes[] = {
        {0, "Echo This", "Echo This", "9 bytes"},
        {1251, "Привет", "Привет", "6 bytes"},
        {1252, "Grüße, señor", "Grüße, señor", "12 bytes"},
        {1252, "Привет", "??????", "6 bytes"},
    };
    if (!IcmpSocket::Open()) {
        GTEST_SKIP() << "no ICMP socket: needs root, cap_net_raw or net.ipv4.ping_group_range";
    }
    LinuxPlatform platform;
    EchoFormController controller(platform, UnexpectedMessageBox);
    Form1Window& window = controller.Window();
    ASSERT_TRUE(ShowAndActivate(window));
    window.Box(kText2)->setText("127.0.0.1");

    for (const auto& [codePage, typed, shown, size] : kEchoes) {
        if (codePage != 0 && codePage != ProcessCodePage().number) {
            continue;
        }
        window.Box(kText1)->setText("");
        window.Box(kText3)->setText(QString::fromUtf8(typed));
        Click(window);

        EXPECT_EQ(BoxText(window, kText1), "localhost");
        EXPECT_EQ(BoxText(window, kText2), "127.0.0.1");
        EXPECT_EQ(BoxText(window, Text4(0)), "0   [ ip success ]");
        EXPECT_EQ(BoxText(window, Text4(1)), "16777343");
        EXPECT_THAT(BoxText(window, Text4(2)), MatchesRegex("[0-9]+ ms"));
        EXPECT_EQ(BoxText(window, Text4(3)), size);
        EXPECT_EQ(BoxText(window, Text4(4)), shown);
        EXPECT_THAT(BoxText(window, Text4(5)), MatchesRegex("-?[0-9]+"));
    }

    const QString picture = QStringLiteral(QUORL_TEST_OUTPUT_DIR "/quorl_window_after_echo.png");
    EXPECT_TRUE(window.grab().save(picture)) << picture.toStdString();
}

// Letters are no address: nothing is sent and no name is looked up, so this
// runs on the real platform anywhere.
TEST(EchoFormControllerTest, LettersForAnAddressShowTheRealMessageBoxFirst) {
    LinuxPlatform platform;
    EchoFormController controller(platform);
    Form1Window& window = controller.Window();
    ASSERT_TRUE(ShowAndActivate(window));
    window.Box(kText2)->setText("echo");

    MessageBoxCloser closer;
    Click(window);

    ASSERT_EQ(closer.Seen().size(), 1u);
    EXPECT_EQ(closer.Seen()[0].title, "Quorl");
    EXPECT_EQ(closer.Seen()[0].text, "String passed is an invalid IP.");
    EXPECT_EQ(closer.Seen()[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(BoxText(window, kText1), "");
    EXPECT_EQ(BoxText(window, Text4(0)), "-1   [ inet_addr: bad IP format ]");
    EXPECT_EQ(BoxText(window, Text4(1)), "0");
    EXPECT_EQ(BoxText(window, Text4(2)), "0 ms");
    EXPECT_EQ(BoxText(window, Text4(3)), "0 bytes");
    EXPECT_EQ(BoxText(window, Text4(4)), "");
    EXPECT_EQ(BoxText(window, Text4(5)), "0");
}

TEST(EchoFormControllerTest, OnlyAClickOfTheButtonRunsTheEchoCommand) {
    EventLog log;
    FakePlatform platform(log);
    RecordingMessageBoxes messageBoxes(log);
    EchoFormController controller(platform, [&](QMessageBox& box) {
        messageBoxes.ShowMessageBox(box.text().toStdU16String(), MessageIcon::None);
    });
    Form1Window& window = controller.Window();
    ASSERT_TRUE(ShowAndActivate(window));

    for (const ControlId box : BoxesInTabOrder()) {
        window.Box(box)->setFocus();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(window.Box(box), key);
        }
    }
    EXPECT_TRUE(log.Events().empty());
    EXPECT_TRUE(window.isVisible());

    Click(window);
    EXPECT_THAT(log.Events(),
                ElementsAre("WSAStartup 0x0101", "inet_addr ", "WSAStartup 0x0101", "inet_addr ",
                            "MessageBox None: String passed is an invalid IP.", "WSACleanup",
                            "WSACleanup"));
}

// "wait" while the override cursor is the wait cursor, "none" without one.
std::string CursorNow() {
    const QCursor* cursor = QApplication::overrideCursor();
    if (cursor == nullptr) {
        return "none";
    }
    return cursor->shape() == Qt::WaitCursor ? "wait" : "other";
}

// Notes the application's cursor inside each lookup, the echo and the
// cleanup, where a real run blocks. Repeats of a call in a row are noted
// once: how often the cleanup is called is not the matter here.
void NoteCursorIn(std::vector<std::string>& seen, const std::string& call) {
    if (call != "WSACleanup" && call != "gethostbyname" && call != "gethostbyaddr" &&
        call != "IcmpSendEcho") {
        return;
    }
    std::string note = call + " " + CursorNow();
    if (seen.empty() || seen.back() != note) {
        seen.push_back(std::move(note));
    }
}

class BusyCursorTest : public ::testing::Test {
protected:
    void Run(const char* hostName, const char* address) {
        window.Box(kText1)->setText(QString::fromLatin1(hostName));
        window.Box(kText2)->setText(QString::fromLatin1(address));
        Click(window);
        seen.push_back("after " + CursorNow());
    }

    EventLog log;
    FakePlatform fake{log};
    std::vector<std::string> seen;
    WatchedPlatform platform{fake, [this](const std::string& call) { NoteCursorIn(seen, call); }};
    EchoFormController controller{platform,
                                  [this](QMessageBox&) { seen.push_back("box " + CursorNow()); }};
    Form1Window& window = controller.Window();
};

TEST_F(BusyCursorTest, WaitCursorFromTheClickUntilTheHandlerReturns) {
    fake.addressNames = {{"127.0.0.1", "localhost"}};
    Run("", "127.0.0.1");
    EXPECT_THAT(seen, ElementsAre("IcmpSendEcho wait", "gethostbyaddr wait", "WSACleanup wait",
                                  "after none"));

    seen.clear();
    fake.hostAddresses = {{"localhost", {"127.0.0.1"}}};
    Run("localhost", "");
    EXPECT_THAT(seen, ElementsAre("gethostbyname wait", "IcmpSendEcho wait", "WSACleanup wait",
                                  "after none"));
}

// The arrow while a box waits for the user, the wait cursor again once it is
// closed and the run goes on, and none once the run has ended on any path.
TEST_F(BusyCursorTest, MessageBoxesShowTheNormalArrow) {
    Run("", "127.0.0.1");  // the reverse lookup fails: a box, then the cleanup
    EXPECT_THAT(seen, ElementsAre("IcmpSendEcho wait", "gethostbyaddr wait", "box none",
                                  "WSACleanup wait", "after none"));

    seen.clear();
    fake.startupResults = {10091};  // Windows Sockets cannot start: a box and the end
    Run("", "127.0.0.1");
    EXPECT_THAT(seen, ElementsAre("box none", "after none"));
}

}  // namespace
}  // namespace quorl::testing
