// The echo cases of the Linux suite's test network, through Wine's own echo
// service: run by netns_parity.sh inside the client namespace, once on each
// of Wine's two socket paths. Status, answering address and data size must
// be what our Linux service gives on the same socket kind, except where the
// shared table of cases names why Wine gives something else.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <ostream>
#include <span>
#include <string>

#include "network/netns/echo_cases.h"
#include "network/platform/ip_status.h"
#include "network/platform/win32/win32_platform.h"
#include "network/send_echo.h"
#include "network/sockets_setup.h"
#include "support/event_log.h"
#include "support/fake_platform.h"

namespace quorl {
namespace {

using testing::Answer;
using testing::EchoCase;

enum class WinePath { Raw, Datagram };

// A little over the second in which the router's budget for route errors
// gains one.
constexpr DWORD kRouteErrorSpacingMilliseconds = 1200;

class NetnsParityTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("QUORL_WINE_ICMP_PATH");
        if (path == nullptr) {
            GTEST_SKIP() << "runs only inside the test network's client namespace "
                            "(tests/network/platform/win32/netns_parity.sh)";
        }
        path_ = std::string(path) == "datagram" ? WinePath::Datagram : WinePath::Raw;
        ASSERT_TRUE(SocketsInitialize(platform_));
    }
    void TearDown() override {
        if (!IsSkipped()) {
            SocketsCleanup(platform_, messageBoxes_);
        }
    }

    void ExpectAnswer(const EchoCase& echoCase) {
        const Answer& expected =
            path_ == WinePath::Datagram ? echoCase.wineDatagram : echoCase.wineRaw;
        std::string trace = std::string(echoCase.destination) + " with " +
                            std::to_string(testing::TextOf(echoCase).size()) + " bytes";
        if (expected.why != nullptr) {
            trace += std::string("; not our raw socket's answer: ") + expected.why;
        }
        SCOPED_TRACE(trace);

        EchoReply reply;
        EXPECT_EQ(SendEcho(platform_, testing::Utf16(echoCase.destination),
                           testing::Utf16(testing::TextOf(echoCase)), reply),
                  expected.status);
        const std::uint32_t address =
            expected.answeredBy == nullptr ? 0 : testing::ParseDotted(expected.answeredBy);
        EXPECT_EQ(reply.Address, static_cast<std::int32_t>(address));
        EXPECT_EQ(reply.DataSize, expected.dataSize);
    }

    WinePath path_ = WinePath::Raw;
    Win32Platform platform_;
    testing::EventLog log_;
    testing::RecordingMessageBoxes messageBoxes_{log_};
};

// First of all, in a test network built for this run alone: the router's
// errors for failed routes draw on a per-host budget that every other ICMP
// error to the client empties (see kRouteErrors). Under Wine, where one
// echo takes much longer than on Linux, the second of three sent back to
// back was measured lost; each waits for the budget's next second.
TEST_F(NetnsParityTest, RouterRouteErrorsGiveTheirStatusAndTheRouterAddress) {
    for (const EchoCase& echoCase : testing::kRouteErrors) {
        Sleep(kRouteErrorSpacingMilliseconds);
        ExpectAnswer(echoCase);
    }
}

// The other tables of cases, each sent back to back. They run after the
// route errors: GoogleTest registers parameterized tests after the others.
struct CaseTable {
    const char* name;
    std::span<const EchoCase> cases;
};

void PrintTo(const CaseTable& table, std::ostream* stream) {
    *stream << table.name;
}

class NetnsParityCasesTest : public NetnsParityTest,
                             public ::testing::WithParamInterface<CaseTable> {};

TEST_P(NetnsParityCasesTest, EachCaseGivesItsAnswer) {
    for (const EchoCase& echoCase : GetParam().cases) {
        ExpectAnswer(echoCase);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, NetnsParityCasesTest,
    ::testing::Values(CaseTable{"ServerBehindTheRouter", testing::kServerAnswers},
                      CaseTable{"AnotherHostsReply", testing::kOtherAnswerers},
                      CaseTable{"RouterRejections", testing::kRouterRejections},
                      CaseTable{"HostErrors", testing::kHostErrors},
                      CaseTable{"ReassemblyTimeout", testing::kReassemblyTimeout},
                      CaseTable{"OddReplies", testing::kOddReplies},
                      CaseTable{"LocalRefusals", testing::kLocalRefusals},
                      CaseTable{"SilentDrops", testing::kSilentDrops},
                      CaseTable{"EmptyAndNonAsciiTexts", testing::kTexts},
                      CaseTable{"LinkWithASmallMtu", testing::kNarrowLink}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace quorl
