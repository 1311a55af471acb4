// Echoes across a small network of namespaces: a client, a router that turns
// requests into ICMP errors, a server that answers as any host does, and a
// host of our own that answers with crafted ICMP. Every case runs through
// both kinds of ICMP socket.

#include <chrono>

#include "icmp_responder.h"
#include "namespace_echo_fixture.h"
#include "network/netns/router_answers.h"
#include "network/platform/ip_status.h"
#include "support/event_log.h"
#include "support/test_network.h"

namespace quorl::testing {
namespace {

class RemoteEchoTest : public NamespaceEchoTest {
protected:
    void SetUp() override {
        if (const std::string why = WhyNoNamespaces(); !why.empty()) {
            GTEST_SKIP() << why;
        }
        if (!RunCommand("command -v nft")) {
            GTEST_SKIP() << "needs nftables (nft) for the router's rejections";
        }
        network_ = std::make_unique<TestNetwork>();
        ASSERT_TRUE(network_->IsReady()) << "the test network could not be built";
        responder_ = std::make_unique<IcmpResponder>(network_->Quirky());
        ASSERT_TRUE(responder_->WaitUntilListening());
        EnterWithSocketKind(network_->Client());
    }

    void TearDown() override {
        responder_.reset();
        network_.reset();
    }

    void ExpectError(const ExpectedAnswer& expected) {
        SCOPED_TRACE(expected.destination);
        EXPECT_EQ(Echo(Utf16(expected.destination), u"Echo This"), expected.status);
        EXPECT_EQ(reply.Address, AddressValue(expected.answeredBy));
        EXPECT_EQ(reply.DataSize, 0);
        EXPECT_EQ(reply.Data[0], u'\0');
    }

private:
    std::unique_ptr<TestNetwork> network_;
    std::unique_ptr<IcmpResponder> responder_;
};

TEST_P(RemoteEchoTest, ServerBehindTheRouterAnswers) {
    EXPECT_EQ(Echo(u"192.0.2.2", u"Echo This"), kIpSuccess);
    EXPECT_EQ(reply.Address, AddressValue("192.0.2.2"));
    EXPECT_EQ(reply.DataSize, 9);
    EXPECT_EQ(EchoedText(reply), u"Echo This");
    EXPECT_EQ(reply.Options[0], 63);  // one hop on the way back
}

TEST_P(RemoteEchoTest, RouterRejectionsGiveTheirStatusAndTheRouterAddress) {
    for (const ExpectedAnswer& expected : kRouterRejections) {
        ExpectError(expected);
    }
}

// Apart from the rejections: the router's errors for failed routes draw on a
// per-host token bucket (a burst of five) that every other ICMP error to the
// same host empties while the ICMP rate limit is off.
TEST_P(RemoteEchoTest, RouterRouteErrorsGiveTheirStatusAndTheRouterAddress) {
    const ExpectedAnswer answers[] = {
        {"203.0.113.1", kIpDestNetUnreachable, "198.51.100.1"},
        {"192.0.2.10", kIpDestHostUnreachable, "198.51.100.1"},
        {"192.0.2.11", kIpDestHostUnreachable, "198.51.100.1"},
    };
    for (const ExpectedAnswer& expected : answers) {
        ExpectError(expected);
    }
}

TEST_P(RemoteEchoTest, HostErrorsGiveTheirStatusAndTheHostAddress) {
    const ExpectedAnswer answers[] = {
        {"192.0.2.140", kIpParamProblem, "192.0.2.140"},
        {"192.0.2.141", kIpSourceQuench, "192.0.2.141"},
        {"192.0.2.143", kIpPacketTooBig, "192.0.2.143"},
        {"192.0.2.144", kIpBadRoute, "192.0.2.144"},
    };
    for (const ExpectedAnswer& expected : answers) {
        ExpectError(expected);
    }
}

TEST_P(RemoteEchoTest, ReassemblyTimeoutsReachOnlyRawSockets) {
    if (GetParam() == IcmpSocketKind::Raw) {
        ExpectError({"192.0.2.142", kIpTtlExpiredReassem, "192.0.2.142"});
    } else {
        // The kernel hands reassembly timeouts to no datagram socket.
        EXPECT_EQ(Echo(u"192.0.2.142", u"Echo This"), kIpReqTimedOut);
    }
}

TEST_P(RemoteEchoTest, LocalRoutesFailTheSendAtOnce) {
    EXPECT_EQ(Echo(u"203.0.113.50", u"Echo This"), kIpDestHostUnreachable);
    EXPECT_EQ(reply.Address, 0);
    EXPECT_EQ(Echo(u"203.0.113.51", u"Echo This"), kIpGeneralFailure);
    EXPECT_EQ(reply.Address, 0);
}

TEST_P(RemoteEchoTest, ShowsExactlyWhatCameBack) {
    // Only the reply with our identifier, sequence and a sound checksum counts.
    EXPECT_EQ(Echo(u"192.0.2.146", u"Echo This"), kIpSuccess);
    EXPECT_EQ(EchoedText(reply), u"Echo This");
    EXPECT_EQ(reply.Address, AddressValue("192.0.2.146"));

    // A host may echo other data than it was sent.
    EXPECT_EQ(Echo(u"192.0.2.145", u"ab"), kIpSuccess);
    EXPECT_EQ(reply.DataSize, 4);
    EXPECT_EQ(EchoedText(reply), u"abab");

    // More than the reply block holds is not cut down to pass as the echo.
    EXPECT_EQ(Echo(u"192.0.2.145", std::u16string(200, u'x')), kIpBufTooSmall);
    EXPECT_EQ(reply.Address, AddressValue("192.0.2.145"));
    EXPECT_EQ(reply.DataSize, 0);
}

TEST_P(RemoteEchoTest, SilentDropsTimeOutNoSoonerThanHalfASecond) {
    for (const char16_t* destination : {u"192.0.2.12", u"192.0.2.28"}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Echo(destination, u"Echo This"), kIpReqTimedOut);
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
        EXPECT_EQ(reply.Address, 0);
        EXPECT_EQ(reply.DataPointer, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(SocketKinds, RemoteEchoTest,
                         ::testing::Values(IcmpSocketKind::Datagram, IcmpSocketKind::Raw),
                         SocketKindName);

}  // namespace
}  // namespace quorl::testing
