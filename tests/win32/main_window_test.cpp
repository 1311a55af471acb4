// Form1 as a real window on the native window system, driven with the
// window messages that a user's clicks and keys produce.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "echo_permission.h"
#include "main_window/form_layout.h"
#include "main_window/win32/native_controls.h"
#include "main_window/win32/win32_form.h"
#include "network/platform/win32/win32_platform.h"
#include "support/fake_form.h"
#include "support/fake_platform.h"
#include "window_driver.h"

namespace quorl {
namespace {

using testing::SeenMessageBox;

class MainWindowTest : public ::testing::Test {
protected:
    void Open(Platform& platform) {
        form_ = Win32Form::Create(::GetModuleHandleW(nullptr), platform);
        ASSERT_NE(form_, nullptr);
        ::ShowWindow(form_->Window(), SW_SHOW);
        ::SetForegroundWindow(form_->Window());
        ::UpdateWindow(form_->Window());
        testing::PumpMessages(form_->Window());
    }
    void SetUp() override { Open(platform_); }

    HWND Box(ControlId id) const { return form_->Control(id); }
    std::wstring TextOf(ControlId id) const { return testing::WindowText(Box(id)); }

    // Clicks Command1 and returns the message boxes the run showed.
    std::vector<SeenMessageBox> ClickCommand1() {
        testing::MessageBoxCloser closer(::GetCurrentThreadId());
        testing::Click(Box({ControlName::Command1}));
        testing::PumpMessages(form_->Window());
        return closer.Seen();
    }

    void ExpectResultBoxes(const std::vector<std::wstring>& expected) const {
        for (int index = 0; index < kResultBoxCount; ++index) {
            EXPECT_EQ(TextOf(Text4(index)), expected[index]) << "Text4(" << index << ")";
        }
    }

    Win32Platform platform_;
    std::unique_ptr<Win32Form> form_;
};

// The window's rectangle of a control, in pixels of the form's client area.
RECT RectOnForm(HWND form, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(MainWindowTest, ClientAreaIsTheFormSizeInTwips) {
    const Dpi dpi = SystemDpi();
    RECT client{};
    ::GetClientRect(form_->Window(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(Form1Layout().clientWidth, dpi.x));
    EXPECT_EQ(client.bottom, TwipsToPixels(Form1Layout().clientHeight, dpi.y));
    EXPECT_EQ(testing::WindowText(form_->Window()), L"Quorl!   Brindlow   3/28/03");
}

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutTablePutsThem) {
    const Dpi dpi = SystemDpi();
    const PixelRect frame = ToPixels(*FindLayout({ControlName::Frame1}), dpi);
    for (const ControlLayout& layout : Form1Layout().controls) {
        const PixelRect expected = ToPixels(layout, dpi);
        const bool inFrame = layout.container == ControlName::Frame1;
        const RECT actual = RectOnForm(form_->Window(), Box(layout.id));
        SCOPED_TRACE(testing::ControlText(layout.id));
        EXPECT_EQ(actual.left, expected.left + (inFrame ? frame.left : 0));
        EXPECT_EQ(actual.top, expected.top + (inFrame ? frame.top : 0));
        EXPECT_EQ(actual.right - actual.left, expected.width);
        EXPECT_EQ(actual.bottom - actual.top, expected.height);
    }
}

TEST_F(MainWindowTest, EveryLabelShowsItsWholeCaption) {
    for (const ControlLayout& layout : Form1Layout().controls) {
        if (layout.kind != ControlKind::Label) {
            continue;
        }
        const HWND label = Box(layout.id);
        const HDC dc = ::GetDC(label);
        const HGDIOBJ previous =
            ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
        const std::wstring caption = ToWide(layout.text);
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        ::SelectObject(dc, previous);
        ::ReleaseDC(label, dc);
        RECT inside{};
        ::GetClientRect(label, &inside);
        EXPECT_LE(extent.cx, inside.right) << testing::ControlText(layout.id);
    }
}

TEST_F(MainWindowTest, BoxesOfTheFormLieAboveTheFrame) {
    for (int index = 0; index < kResultBoxCount; ++index) {
        const RECT box = RectOnForm(form_->Window(), Box(Text4(index)));
        const POINT middle{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        EXPECT_EQ(::ChildWindowFromPointEx(form_->Window(), middle, CWP_SKIPINVISIBLE),
                  Box(Text4(index)))
            << "Text4(" << index << ")";
    }
}

TEST_F(MainWindowTest, StartsWithOnlyTheDataBoxFilled) {
    for (const ControlLayout& layout : Form1Layout().controls) {
        EXPECT_EQ(TextOf(layout.id), ToWide(layout.text)) << testing::ControlText(layout.id);
    }
    EXPECT_EQ(TextOf({ControlName::Text3}), L"Echo This");
    EXPECT_EQ(TextOf({ControlName::Text1}), L"");
}

TEST_F(MainWindowTest, TabOrderFollowsTheTabIndex) {
    const std::vector<ControlId> order = {
        {ControlName::Text1},
        {ControlName::Text2},
        Text4(0),
        Text4(1),
        Text4(2),
        Text4(3),
        Text4(4),
        Text4(5),
        {ControlName::Text3},
        {ControlName::Command1},
    };
    for (std::size_t i = 0; i < order.size(); ++i) {
        const ControlId next = order[(i + 1) % order.size()];
        EXPECT_EQ(::GetNextDlgTabItem(form_->Window(), Box(order[i]), FALSE), Box(next))
            << "after " << testing::ControlText(order[i]);
    }
}

TEST_F(MainWindowTest, TabKeyFromTheAddressBoxGoesToTheFirstResultBox) {
    ::SetFocus(Box({ControlName::Text2}));
    testing::PressKey(form_->Window(), VK_TAB);
    EXPECT_EQ(::GetFocus(), Box(Text4(0)));
    testing::PressKey(form_->Window(), VK_TAB);
    EXPECT_EQ(::GetFocus(), Box(Text4(1)));
}

TEST_F(MainWindowTest, EnterAndEscapeInABoxStartNothing) {
    testing::MessageBoxCloser closer(::GetCurrentThreadId());
    testing::TypeInto(Box({ControlName::Text2}), L"letters");
    testing::PressKey(form_->Window(), VK_RETURN);
    testing::PressKey(form_->Window(), VK_ESCAPE);

    EXPECT_TRUE(closer.Seen().empty());
    EXPECT_TRUE(::IsWindow(form_->Window()));
    ExpectResultBoxes({L"", L"", L"", L"", L"", L""});
}

TEST_F(MainWindowTest, LettersInTheAddressBoxAreReportedBeforeTheResults) {
    testing::TypeInto(Box({ControlName::Text1}), L"");
    testing::TypeInto(Box({ControlName::Text2}), L"letters");
    const std::vector<SeenMessageBox> boxes = ClickCommand1();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"String passed is an invalid IP.");
    EXPECT_FALSE(boxes[0].hasIcon);
    EXPECT_EQ(TextOf({ControlName::Text1}), L"");
    ExpectResultBoxes({L"-1   [ inet_addr: bad IP format ]", L"0", L"0 ms", L"0 bytes", L"", L"0"});
}

TEST_F(MainWindowTest, ClickEchoesLoopbackIntoTheSixBoxes) {
    if (!testing::EchoPermitted()) {
        GTEST_SKIP() << testing::kNoEchoPermission;
    }
    testing::TypeInto(Box({ControlName::Text2}), L"127.0.0.1");
    const std::vector<SeenMessageBox> boxes = ClickCommand1();

    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(TextOf({ControlName::Text1}), L"localhost");
    EXPECT_EQ(TextOf({ControlName::Text2}), L"127.0.0.1");
    EXPECT_EQ(TextOf(Text4(0)), L"0   [ ip success ]");
    EXPECT_EQ(TextOf(Text4(1)), L"16777343");
    EXPECT_TRUE(TextOf(Text4(2)).ends_with(L" ms"));
    EXPECT_EQ(TextOf(Text4(3)), L"9 bytes");
    EXPECT_EQ(TextOf(Text4(4)), L"Echo This");
    EXPECT_NE(TextOf(Text4(5)), L"0");
}

class MainWindowOnFakePlatformTest : public MainWindowTest {
protected:
    void SetUp() override {
        fake_.addressNames["10.0.0.200"] = "host.example";
        fake_.echo = {0, testing::ParseDotted("10.0.0.200"), 3, 4, 1234, "abcd"};
        Open(fake_);
    }
    testing::EventLog log_;
    testing::FakePlatform fake_{log_};
};

TEST_F(MainWindowOnFakePlatformTest, FailedCleanupWarnsWithTheExclamationIcon) {
    fake_.cleanupResults = {0, 1};  // the reverse lookup's cleanup, then the run's
    testing::TypeInto(Box({ControlName::Text2}), L"10.0.0.200");
    const std::vector<SeenMessageBox> boxes = ClickCommand1();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Windows Sockets error occurred in Cleanup.");
    EXPECT_TRUE(boxes[0].hasIcon);
    EXPECT_EQ(TextOf({ControlName::Text1}), L"host.example");
    ExpectResultBoxes(
        {L"0   [ ip success ]", L"-939524086", L"3 ms", L"4 bytes", L"abcd", L"1234"});
}

TEST_F(MainWindowOnFakePlatformTest, FailedStartupShowsTheSocketsBoxAndNothingElse) {
    fake_.startupResults = {10091};  // WSASYSNOTREADY
    testing::TypeInto(Box({ControlName::Text2}), L"10.0.0.200");
    const std::vector<SeenMessageBox> boxes = ClickCommand1();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Windows Sockets for 32 bit Windows is not successfully responding.");
    EXPECT_FALSE(boxes[0].hasIcon);
    EXPECT_EQ(TextOf({ControlName::Text1}), L"");
    ExpectResultBoxes({L"", L"", L"", L"", L"", L""});
}

}  // namespace
}  // namespace quorl
