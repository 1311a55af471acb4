// The echo cases of the Linux suite's test network, through Wine's own echo
// service: run by netns_parity.sh inside the client namespace, once on each
// of Wine's two socket paths. Status, answering address and data size must
// be what our Linux service gives, except where Wine is known to differ,
// which each test names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "network/netns/router_answers.h"
#include "network/platform/ip_status.h"
#include "network/platform/win32/win32_platform.h"
#include "network/send_echo.h"
#include "network/sockets_setup.h"
#include "support/event_log.h"
#include "support/fake_platform.h"

namespace quorl {
namespace {

using testing::ExpectedAnswer;
using testing::ParseDotted;

enum class WinePath { Raw, Datagram };

class NetnsParityTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("QUORL_WINE_ICMP_PATH");
        if (path == nullptr) {
            GTEST_SKIP() << "runs only inside the test network's client namespace "
                            "(tests/win32/netns_parity.sh)";
        }
        path_ = std::string(path) == "datagram" ? WinePath::Datagram : WinePath::Raw;
        ASSERT_TRUE(SocketsInitialize(platform_));
    }
    void TearDown() override {
        if (!IsSkipped()) {
            SocketsCleanup(platform_, messageBoxes_);
        }
    }

    void ExpectAnswer(const ExpectedAnswer& expected) {
        SCOPED_TRACE(expected.destination);
        EchoReply reply;
        EXPECT_EQ(SendEcho(platform_, testing::Utf16(expected.destination), u"Echo This", reply),
                  expected.status);
        const std::uint32_t address =
            expected.answeredBy == nullptr ? 0 : ParseDotted(expected.answeredBy);
        EXPECT_EQ(reply.Address, static_cast<std::int32_t>(address));
        EXPECT_EQ(reply.DataSize & 0xFFFF, 0);
    }

    // Wine never asks the kernel for ICMP errors on its datagram socket
    // (no IP_RECVERR), so there every error that a router or host sends back
    // ends as a timeout with no answering address. Our Linux service reads
    // them on both paths.
    ExpectedAnswer AsWineSeesIt(const ExpectedAnswer& linux) const {
        if (path_ == WinePath::Datagram) {
            return {linux.destination, kIpReqTimedOut, nullptr};
        }
        return linux;
    }

    WinePath path_ = WinePath::Raw;
    Win32Platform platform_;
    testing::EventLog log_;
    testing::RecordingMessageBoxes messageBoxes_{log_};
};

// First of all, and only one: the router's errors for failed routes draw on
// a per-host token bucket that each ICMP error sent to the client empties
// while the ICMP rate limit is off, it refills by one a second, and the test
// network is built once for all the cases. The other route errors carry the
// same codes as the rejections below.
TEST_F(NetnsParityTest, RouterRouteErrorGivesItsStatusAndTheRouterAddress) {
    ExpectAnswer(AsWineSeesIt({"203.0.113.1", kIpDestNetUnreachable, "198.51.100.1"}));
}

TEST_F(NetnsParityTest, ServerBehindTheRouterAnswers) {
    EchoReply reply;
    EXPECT_EQ(SendEcho(platform_, u"192.0.2.2", u"Echo This", reply), kIpSuccess);
    EXPECT_EQ(reply.Address, static_cast<std::int32_t>(ParseDotted("192.0.2.2")));
    EXPECT_EQ(reply.DataSize, 9);
}

TEST_F(NetnsParityTest, RouterRejectionsGiveTheirStatusAndTheRouterAddress) {
    for (const ExpectedAnswer& expected : testing::kRouterRejections) {
        ExpectAnswer(AsWineSeesIt(expected));
    }
}

TEST_F(NetnsParityTest, LocalRoutesFailTheSendAtOnce) {
    ExpectAnswer({"203.0.113.50", kIpDestHostUnreachable, nullptr});
    ExpectAnswer({"203.0.113.51", kIpGeneralFailure, nullptr});
}

TEST_F(NetnsParityTest, SilentDropsTimeOut) {
    ExpectAnswer({"192.0.2.12", kIpReqTimedOut, nullptr});
    ExpectAnswer({"192.0.2.28", kIpReqTimedOut, nullptr});
}

}  // namespace
}  // namespace quorl
