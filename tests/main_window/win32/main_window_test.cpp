// Form1 as a real window on the native window system, driven with the
// window messages that a user's clicks and keys produce.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "main_window/accessible_name_table.h"
#include "main_window/form_layout.h"
#include "main_window/form_pixels.h"
#include "main_window/win32/wide_text.h"
#include "main_window/win32/win32_form.h"
#include "network/platform/win32/echo_permission.h"
#include "network/platform/win32/win32_platform.h"
#include "support/fake_form.h"
#include "support/fake_platform.h"
#include "support/watched_platform.h"
#include "window_driver.h"

namespace quorl {
namespace {

using testing::SeenMessageBox;

// Unbuffered, so that a crash under Wine still leaves the log of the tests
// before it.
const int kUnbufferedOutput = std::setvbuf(stdout, nullptr, _IONBF, 0);

// The desktop is ready before the first window is made.
class WineDesktop : public ::testing::Environment {
public:
    void SetUp() override { testing::StartWineDesktop(); }
};
::testing::Environment* const kWineDesktop = ::testing::AddGlobalTestEnvironment(new WineDesktop);

class MainWindowTest : public ::testing::Test {
protected:
    void Open(Platform& platform) {
        // Like Quorl.exe, whose manifest declares it DPI-aware: the system
        // then reports its real DPI rather than 96.
        ::SetProcessDPIAware();
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

// Where the hand-worked table puts a control on the form: a control of the
// frame counts from the frame's place.
RECT EdgesOnForm(const testing::FormPixels& form, const testing::PlacedControl& placed) {
    const testing::PlacedControl* frame = testing::FindPlaced(form, {ControlName::Frame1});
    const bool inFrame = placed.container == ControlName::Frame1 && frame != nullptr;
    const LONG left = placed.pixels.left + (inFrame ? frame->pixels.left : 0);
    const LONG top = placed.pixels.top + (inFrame ? frame->pixels.top : 0);
    return {left, top, left + placed.pixels.width, top + placed.pixels.height};
}

class FormPlacementTest : public MainWindowTest {
protected:
    static int ScreenDpi(int axis) {
        const HDC screen = ::GetDC(nullptr);
        const int dpi = ::GetDeviceCaps(screen, axis);
        ::ReleaseDC(nullptr, screen);
        return dpi;
    }
    // The hand-worked places (form_pixels.h) at the screen's DPI; null, and
    // the test fails, at a DPI that has none.
    static const testing::FormPixels* Expected() {
        const int dpi = ScreenDpi(LOGPIXELSX);
        for (const testing::FormPixels& placement : testing::kFormPixels) {
            if (placement.dpi == dpi && ScreenDpi(LOGPIXELSY) == dpi) {
                return &placement;
            }
        }
        ADD_FAILURE() << "no places worked out for " << dpi << " DPI";
        return nullptr;
    }
    RECT Actual(ControlId control) const { return RectOnForm(form_->Window(), Box(control)); }
};

TEST_F(FormPlacementTest, RunsAtTheDpiTheTestAskedFor) {
    // A new Wine prefix says 96; main_window.sh sets each DPI in the registry.
    const char* asked = std::getenv("QUORL_EXPECTED_DPI");
    const int dpi = asked != nullptr ? std::atoi(asked) : 96;
    EXPECT_EQ(ScreenDpi(LOGPIXELSX), dpi);
    EXPECT_EQ(ScreenDpi(LOGPIXELSY), dpi);
}

TEST_F(FormPlacementTest, ClientAreaIsTheFormSizeInTwips) {
    const testing::FormPixels* expected = Expected();
    ASSERT_NE(expected, nullptr);
    RECT client{};
    ::GetClientRect(form_->Window(), &client);
    EXPECT_EQ(client.right, expected->client.width);
    EXPECT_EQ(client.bottom, expected->client.height);
    EXPECT_EQ(testing::WindowText(form_->Window()), L"Quorl!   Brindlow   3/28/03");
}

TEST_F(FormPlacementTest, EveryEdgeStandsWhereItsTwipsOnTheFormPutIt) {
    const testing::FormPixels* expected = Expected();
    ASSERT_NE(expected, nullptr);
    for (const testing::PlacedControl& control : expected->controls) {
        const RECT actual = Actual(control.control);
        const RECT edges = EdgesOnForm(*expected, control);
        SCOPED_TRACE(ControlNameText(control.control));
        EXPECT_EQ(actual.left, edges.left);
        EXPECT_EQ(actual.top, edges.top);
        EXPECT_EQ(actual.right, edges.right);
        EXPECT_EQ(actual.bottom, edges.bottom);
    }
}

// The labels belong to the frame and most boxes to the form: their tops meet
// only when both are placed from the form.
TEST_F(FormPlacementTest, EachLabelLinesUpWithItsBox) {
    for (const ControlLayout& layout : Form1Layout().controls) {
        if (const std::optional<ControlId> label = LabelOf(layout.id)) {
            EXPECT_EQ(Actual(*label).top, Actual(layout.id).top)
                << ControlNameText(*label) << " beside " << ControlNameText(layout.id);
        }
    }
}

TEST_F(FormPlacementTest, ButtonSpansFromTheHostNameBoxToTheDataBox) {
    const RECT button = Actual({ControlName::Command1});
    EXPECT_EQ(button.top, Actual({ControlName::Text1}).top);
    EXPECT_EQ(button.bottom, Actual({ControlName::Text3}).bottom);
}

TEST_F(FormPlacementTest, EveryLabelShowsItsWholeCaption) {
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
        EXPECT_LE(extent.cx, inside.right) << ControlNameText(layout.id);
    }
}

TEST_F(MainWindowTest, BoxesOfTheFormLieAboveTheFrame) {
    int boxes = 0;
    for (const ControlLayout& layout : Form1Layout().controls) {
        if (layout.kind != ControlKind::TextBox || layout.container != ControlName::Form1) {
            continue;
        }
        const RECT box = RectOnForm(form_->Window(), Box(layout.id));
        const POINT middle{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        EXPECT_EQ(::ChildWindowFromPointEx(form_->Window(), middle, CWP_SKIPINVISIBLE),
                  Box(layout.id))
            << ControlNameText(layout.id);
        ++boxes;
    }
    EXPECT_EQ(boxes, 2 + kResultBoxCount);  // Text1, Text2 and the six results
}

// What a screen reader announces: each box by the caption of the label
// beside it, every other control by its own caption, all with the roles of
// the system's own objects.
TEST_F(MainWindowTest, ScreenReadersHearEachBoxByItsLabel) {
    for (const auto& [control, name] : testing::kAccessibleNames) {
        if (control == ControlId{ControlName::Form1}) {
            continue;
        }
        SCOPED_TRACE(ControlNameText(control));
        const testing::AccessibleReading heard = testing::ReadAccessible(Box(control));
        EXPECT_EQ(heard.name, ToWide(name));
        EXPECT_EQ(heard.role, testing::ReadSystemAccessible(Box(control)).role);
        if (FindLayout(control)->kind == ControlKind::TextBox) {
            EXPECT_EQ(heard.role, ROLE_SYSTEM_TEXT);
        }
    }
}

TEST_F(MainWindowTest, StartsWithOnlyTheDataBoxFilled) {
    for (const ControlLayout& layout : Form1Layout().controls) {
        EXPECT_EQ(TextOf(layout.id), ToWide(layout.text)) << ControlNameText(layout.id);
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
            << "after " << ControlNameText(order[i]);
    }
}

// Control IDs come from the names, within limits: each must still be the
// control's own, and none may be one that dialog navigation sends for Enter
// or Escape, or a control's notifications would pass for those keys.
TEST_F(MainWindowTest, EveryControlHasAnIdOfItsOwn) {
    std::set<int> seen;
    for (const ControlLayout& layout : Form1Layout().controls) {
        const int id = ::GetDlgCtrlID(Box(layout.id));
        EXPECT_GT(id, IDCANCEL) << ControlNameText(layout.id);
        EXPECT_TRUE(seen.insert(id).second) << ControlNameText(layout.id) << " shares " << id;
    }
    // Scripts find the controls by these (UI Automation's AutomationId).
    EXPECT_EQ(::GetDlgCtrlID(Box({ControlName::Text1})), 1010);
    EXPECT_EQ(::GetDlgCtrlID(Box(Text4(5))), 1045);
    EXPECT_EQ(::GetDlgCtrlID(Box({ControlName::Label9})), 2090);
    EXPECT_EQ(::GetDlgCtrlID(Box({ControlName::Command1})), 3010);
    EXPECT_EQ(::GetDlgCtrlID(Box({ControlName::Frame1})), 4010);
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

// Typed texts come back in the process's code page: 1252 here, 1251 where
// CMakeLists.txt runs this in ru_RU.UTF-8 too.
TEST_F(MainWindowTest, ClickEchoesLoopbackIntoTheSixBoxes) {
    struct Echo {
        unsigned codePage;  // 0: in every code page
        const wchar_t* typed;
        const wchar_t* shown;
        const wchar_t* size;
    };
    const Echo kEchoes[] = {
        {0, nullptr, L"Echo This", L"9 bytes"},
        {1251, L"\u041f\u0440\u0438\u0432\u0435\u0442", L"\u041f\u0440\u0438\u0432\u0435\u0442",
         L"6 bytes"},
        {1252, L"Gr\u00fc\u00dfe, se\u00f1or", L"Gr\u00fc\u00dfe, se\u00f1or", L"12 bytes"},
        {1252, L"\u041f\u0440\u0438\u0432\u0435\u0442", L"??????", L"6 bytes"},
    };
    if (!testing::EchoPermitted()) {
        GTEST_SKIP() << testing::kNoEchoPermission;
    }
    testing::TypeInto(Box({ControlName::Text2}), L"127.0.0.1");
    for (const Echo& echo : kEchoes) {
        if (echo.codePage != 0 && echo.codePage != ::GetACP()) {
            continue;
        }
        SCOPED_TRACE(::testing::Message() << "echo " << (&echo - kEchoes) << " in " << ::GetACP());
        if (echo.typed != nullptr) {
            testing::TypeInto(Box({ControlName::Text3}), echo.typed);
        }
        const std::vector<SeenMessageBox> boxes = ClickCommand1();

        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(TextOf({ControlName::Text1}), L"localhost");
        EXPECT_EQ(TextOf({ControlName::Text2}), L"127.0.0.1");
        EXPECT_EQ(TextOf(Text4(0)), L"0   [ ip success ]");
        EXPECT_EQ(TextOf(Text4(1)), L"16777343");
        EXPECT_TRUE(TextOf(Text4(2)).ends_with(L" ms"));
        EXPECT_EQ(TextOf(Text4(3)), echo.size);
        EXPECT_EQ(TextOf(Text4(4)), echo.shown);
        EXPECT_NE(TextOf(Text4(5)), L"0");
    }
}

// The fake platform, watched: onCall_ runs inside each of its calls, while
// the run is blocked there.
class MainWindowOnFakePlatformTest : public MainWindowTest {
protected:
    void SetUp() override {
        fake_.addressNames["10.0.0.200"] = "host.example";
        fake_.hostAddresses["host.example"] = {"10.0.0.200"};
        fake_.echo = {0, testing::ParseDotted("10.0.0.200"), 3, 4, 1234, "abcd"};
        Open(watched_);
    }
    testing::EventLog log_;
    testing::FakePlatform fake_{log_};
    std::function<void(const std::string&)> onCall_;
    testing::WatchedPlatform watched_{fake_, [this](const std::string& call) {
                                          if (onCall_) {
                                              onCall_(call);
                                          }
                                      }};
};

const std::vector<std::wstring> kFakeEchoBoxes = {
    L"0   [ ip success ]", L"-939524086", L"3 ms", L"4 bytes", L"abcd", L"1234"};

// The system's cursors, as the test loads them itself.
HCURSOR ArrowCursor() {
    return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
}
HCURSOR WaitCursor() {
    return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));  // IDC_WAIT
}
std::string CursorName() {
    const HCURSOR cursor = ::GetCursor();
    return cursor == WaitCursor() ? "wait" : cursor == ArrowCursor() ? "arrow" : "other";
}

TEST_F(MainWindowOnFakePlatformTest, ResultBoxesAreDrawnEmptyBeforeASlowEchoReturns) {
    testing::TypeInto(Box({ControlName::Text2}), L"10.0.0.200");
    ClickCommand1();
    ExpectResultBoxes(kFakeEchoBoxes);
    // Each box shows its text, so an empty box would be seen.
    for (int index = 0; index < kResultBoxCount; ++index) {
        ASSERT_FALSE(testing::ShowsOneColour(Box(Text4(index)))) << "Text4(" << index << ")";
    }

    int echoes = 0;
    onCall_ = [&](const std::string& call) {
        if (call != "IcmpSendEcho") {
            return;
        }
        ++echoes;
        for (int index = 0; index < kResultBoxCount; ++index) {
            const HWND box = Box(Text4(index));
            SCOPED_TRACE("Text4(" + std::to_string(index) + ")");
            EXPECT_EQ(testing::WindowText(box), L"");
            EXPECT_FALSE(::GetUpdateRect(box, nullptr, FALSE)) << "not painted yet";
            EXPECT_TRUE(testing::ShowsOneColour(box)) << "old text still on the screen";
        }
    };
    ClickCommand1();
    EXPECT_EQ(echoes, 1);
    ExpectResultBoxes(kFakeEchoBoxes);
}

// The wait cursor inside every call of the run, the arrow inside each message
// box, and the arrow again once the run is over, whichever way it ends.
TEST_F(MainWindowOnFakePlatformTest, WaitCursorWhileTheRunBlocksArrowInMessageBoxes) {
    std::vector<std::string> seen;
    onCall_ = [&](const std::string& call) { seen.push_back(call + " " + CursorName()); };
    const testing::MessageBoxWatch boxes([&] { seen.push_back("box " + CursorName()); });
    const auto run = [&](const wchar_t* hostName, const wchar_t* address) {
        seen.clear();
        testing::TypeInto(Box({ControlName::Text1}), hostName);
        testing::TypeInto(Box({ControlName::Text2}), address);
        ::SetCursor(ArrowCursor());
        const testing::MessageBoxCloser closer(::GetCurrentThreadId());
        testing::Click(Box({ControlName::Command1}));
        // As the handler returns; the next mouse message sets the cursor of
        // whatever control lies under the pointer.
        EXPECT_EQ(CursorName(), "arrow") << "after the run";
        testing::PumpMessages(form_->Window());
        for (const std::string& event : seen) {
            EXPECT_TRUE(event.ends_with(event.starts_with("box ") ? " arrow" : " wait")) << event;
        }
        return seen;
    };
    const auto contains = [](const std::vector<std::string>& events,
                             const std::vector<std::string>& wanted) {
        return std::search(events.begin(), events.end(), wanted.begin(), wanted.end()) !=
               events.end();
    };

    // A lookup by name, then the echo.
    EXPECT_TRUE(contains(run(L"host.example", L""), {"gethostbyname wait"}));
    EXPECT_TRUE(contains(seen, {"IcmpSendEcho wait"}));
    // A reverse lookup that fails: its box, then the run goes on blocked.
    EXPECT_TRUE(
        contains(run(L"", L"10.0.0.201"), {"gethostbyaddr wait", "box arrow", "WSACleanup wait"}));
    // Windows Sockets does not start: the run ends with its box.
    fake_.startupResults = {10091};  // WSASYSNOTREADY
    EXPECT_TRUE(contains(run(L"", L"10.0.0.200"), {"WSAStartup wait", "box arrow"}));
}

TEST_F(MainWindowOnFakePlatformTest, EnterOnTheFocusedButtonClicksItEscapeDoesNot) {
    testing::TypeInto(Box({ControlName::Text2}), L"10.0.0.200");
    testing::MessageBoxCloser closer(::GetCurrentThreadId());
    ::SetFocus(Box({ControlName::Command1}));
    testing::PressKey(form_->Window(), VK_ESCAPE);
    ExpectResultBoxes({L"", L"", L"", L"", L"", L""});
    testing::PressKey(form_->Window(), VK_RETURN);
    EXPECT_TRUE(closer.Seen().empty());
    ExpectResultBoxes(kFakeEchoBoxes);
}

TEST_F(MainWindowOnFakePlatformTest, FailedCleanupWarnsWithTheExclamationIcon) {
    fake_.cleanupResults = {0, 1};  // the reverse lookup's cleanup, then the run's
    testing::TypeInto(Box({ControlName::Text2}), L"10.0.0.200");
    const std::vector<SeenMessageBox> boxes = ClickCommand1();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Windows Sockets error occurred in Cleanup.");
    EXPECT_TRUE(boxes[0].hasIcon);
    EXPECT_EQ(TextOf({ControlName::Text1}), L"host.example");
    ExpectResultBoxes(kFakeEchoBoxes);
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
