// Echoes across a small network of namespaces: a client and a host beside it
// on its link, a router that turns requests into ICMP errors, a server that
// answers as any host does, a host behind a link that carries at most
// 200-byte packets, and a host of our own that answers with crafted ICMP. Every case runs through
// both kinds of ICMP socket, and gives what the shared table of cases says of our service; the
// Windows build's parity test holds Wine's service to the same table.

#include <chrono>
#include <cstring>
#include <thread>

#include "icmp_responder.h"
#include "namespace_echo_fixture.h"
#include "network/netns/echo_cases.h"
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

    // Sends the case's echo; what came back must be our service's answer
    // for this socket kind.
    void ExpectAnswer(const EchoCase& echoCase) {
        const Answer& expected =
            GetParam() == IcmpSocketKind::Raw ? echoCase.linuxRaw : echoCase.linuxDatagram;
        SCOPED_TRACE(std::string(echoCase.destination) + " with " +
                     std::to_string(TextOf(echoCase).size()) + " bytes");
        EXPECT_EQ(Echo(Utf16(echoCase.destination), Utf16(TextOf(echoCase))), expected.status);
        EXPECT_EQ(reply.Address,
                  expected.answeredBy == nullptr ? 0 : AddressValue(expected.answeredBy));
        EXPECT_EQ(reply.DataSize, expected.dataSize);
        if (expected.status != kIpSuccess) {
            EXPECT_EQ(reply.Data[0], u'\0');
        }
    }

    template <std::size_t Count>
    void ExpectAnswers(const std::array<EchoCase, Count>& cases) {
        for (const EchoCase& echoCase : cases) {
            ExpectAnswer(echoCase);
        }
    }

    // Sends the case's echo, which must come back with the text it sent.
    void ExpectIntactEcho(const EchoCase& echoCase) {
        ExpectAnswer(echoCase);
        EXPECT_EQ(EchoedText(reply), Utf16(TextOf(echoCase)));
    }

private:
    std::unique_ptr<TestNetwork> network_;
    std::unique_ptr<IcmpResponder> responder_;
};

TEST_P(RemoteEchoTest, ServerBehindTheRouterAnswers) {
    ExpectIntactEcho(kServerAnswers[0]);
    EXPECT_EQ(reply.Options[0], 63);  // one hop on the way back
}

TEST_P(RemoteEchoTest, AnotherHostsReplyIsTheAnswerWithItsAddress) {
    for (const EchoCase& echoCase : kOtherAnswerers) {
        ExpectIntactEcho(echoCase);
    }
}

TEST_P(RemoteEchoTest, RouterRejectionsGiveTheirStatusAndTheRouterAddress) {
    ExpectAnswers(kRouterRejections);
}

// Apart from the rejections, in a network of their own, and a token of the
// router's per-host budget apart: see kRouteErrors.
TEST_P(RemoteEchoTest, RouterRouteErrorsGiveTheirStatusAndTheRouterAddress) {
    for (const EchoCase& echoCase : kRouteErrors) {
        ExpectAnswer(echoCase);
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    }
}

TEST_P(RemoteEchoTest, HostErrorsGiveTheirStatusAndTheHostAddress) {
    ExpectAnswers(kHostErrors);
}

TEST_P(RemoteEchoTest, ReassemblyTimeoutsReachOnlyRawSockets) {
    ExpectAnswers(kReassemblyTimeout);
}

TEST_P(RemoteEchoTest, LocalRefusalsFailAtOnceAndSendNothing) {
    const long sentBefore = EchoRequestsSent();
    ExpectAnswers(kLocalRefusals);
    EXPECT_EQ(EchoRequestsSent(), sentBefore);
}

TEST_P(RemoteEchoTest, ShowsExactlyWhatCameBack) {
    ExpectAnswers(kOddReplies);

    // Only the reply with our identifier, sequence and a sound checksum counts.
    ExpectIntactEcho(kOddReplies[0]);

    // A host may echo other data than it was sent.
    ExpectAnswer(kOddReplies[1]);
    EXPECT_EQ(EchoedText(reply), u"abab");
}

TEST_P(RemoteEchoTest, SilentDropsTimeOutNoSoonerThanHalfASecond) {
    for (const EchoCase& echoCase : kSilentDrops) {
        const auto start = std::chrono::steady_clock::now();
        ExpectAnswer(echoCase);
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
        EXPECT_EQ(reply.DataPointer, 0);
    }
}

TEST_P(RemoteEchoTest, EmptyAndNonAsciiTextsComeBackIntact) {
    for (const EchoCase& echoCase : kTexts) {
        ExpectIntactEcho(echoCase);
    }
}

// 250 bytes cannot cross the 200-byte link in one packet: an answer at all
// means the request left without don't-fragment and the router fragmented it.
TEST_P(RemoteEchoTest, LinkWithASmallMtuCarriesTheRequestInFragments) {
    ExpectIntactEcho(kNarrowLink[0]);
}

bool SameAnswer(const Answer& one, const Answer& other) {
    const bool sameAddress = one.answeredBy == nullptr || other.answeredBy == nullptr
                                 ? one.answeredBy == other.answeredBy
                                 : std::strcmp(one.answeredBy, other.answeredBy) == 0;
    return one.status == other.status && sameAddress && one.dataSize == other.dataSize;
}

// The table serves both builds: an answer that is not our raw socket's must
// say why, and one that is must not claim a difference.
TEST(EchoCaseTable, EveryDifferenceNamesItsCause) {
    ForEachEchoCase([](const EchoCase& echoCase) {
        SCOPED_TRACE(echoCase.destination);
        for (const Answer* answer :
             {&echoCase.linuxDatagram, &echoCase.wineRaw, &echoCase.wineDatagram}) {
            EXPECT_EQ(answer->why != nullptr, !SameAnswer(*answer, echoCase.linuxRaw));
        }
        EXPECT_EQ(echoCase.linuxRaw.why, nullptr);
    });
}

INSTANTIATE_TEST_SUITE_P(SocketKinds, RemoteEchoTest,
                         ::testing::Values(IcmpSocketKind::Datagram, IcmpSocketKind::Raw),
                         SocketKindName);

}  // namespace
}  // namespace quorl::testing
