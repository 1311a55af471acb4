#include "network/platform/linux/echo_match.h"

#include <gtest/gtest.h>

#include "network/platform/ip_status.h"
#include "packet_builder.h"
#include "support/fake_platform.h"

namespace quorl {
namespace {

using testing::EchoMessage;
using testing::ErrorMessage;
using testing::Ipv4Datagram;
using testing::Packet;
using testing::ParseDotted;

const std::uint32_t kClient = ParseDotted("198.51.100.2");
const std::uint32_t kRouter = ParseDotted("198.51.100.1");
const std::uint32_t kServer = ParseDotted("192.0.2.2");
const EchoRequestKey kKey{kServer, 0x4242, 17};

Packet OurRequest() {
    return Ipv4Datagram(kClient, kServer, EchoMessage(8, 0x4242, 17, "Echo This"));
}

TEST(MatchRawPacket, TakesOurReplyFromTheDestination) {
    const Packet reply =
        Ipv4Datagram(kServer, kClient, EchoMessage(0, 0x4242, 17, "Echo This"), 1, 63);
    const auto answer = MatchRawPacket(reply, kKey);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, kIpSuccess);
    EXPECT_EQ(answer->address, kServer);
    EXPECT_EQ(std::string(answer->data.begin(), answer->data.end()), "Echo This");
    EXPECT_EQ(answer->timeToLive, 63);
    EXPECT_TRUE(answer->dontFragment);
}

TEST(MatchRawPacket, IgnoresEveryReplyThatIsNotOurs) {
    const Packet others[] = {
        Ipv4Datagram(kServer, kClient, EchoMessage(0, 0x4243, 17, "x")),      // other process
        Ipv4Datagram(kServer, kClient, EchoMessage(0, 0x4242, 16, "x")),      // earlier request
        Ipv4Datagram(kClient, kServer, EchoMessage(8, 0x4242, 17, "x")),      // our own request
        Ipv4Datagram(kServer, kClient, EchoMessage(0, 0x4242, 17, "x"), 17),  // not ICMP
    };
    for (const Packet& packet : others) {
        EXPECT_FALSE(MatchRawPacket(packet, kKey));
    }
    Packet corrupted = Ipv4Datagram(kServer, kClient, EchoMessage(0, 0x4242, 17, "Echo This"));
    corrupted.back() ^= 0x20;
    EXPECT_FALSE(MatchRawPacket(corrupted, kKey));
}

// A broadcast, or a service address that another host answers for: the
// reply with our identifier and sequence is the answer, whoever sent it.
TEST(MatchRawPacket, TakesOurReplyFromAnotherHostWithThatHostsAddress) {
    const Packet reply = Ipv4Datagram(kRouter, kClient, EchoMessage(0, 0x4242, 17, "Echo This"));
    const auto answer = MatchRawPacket(reply, kKey);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, kIpSuccess);
    EXPECT_EQ(answer->address, kRouter);
    EXPECT_EQ(std::string(answer->data.begin(), answer->data.end()), "Echo This");
}

TEST(MatchRawPacket, TakesAnErrorThatQuotesOurRequest) {
    const Packet error = Ipv4Datagram(kRouter, kClient, ErrorMessage(11, 0, OurRequest()));
    const auto answer = MatchRawPacket(error, kKey);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, kIpTtlExpiredTransit);
    EXPECT_EQ(answer->address, kRouter);
    EXPECT_TRUE(answer->data.empty());
}

TEST(MatchRawPacket, IgnoresErrorsAboutOtherDatagrams) {
    const Packet otherDestination =
        Ipv4Datagram(kClient, kRouter, EchoMessage(8, 0x4242, 17, "Echo This"));
    const Packet otherSequence = Ipv4Datagram(kClient, kServer, EchoMessage(8, 0x4242, 18, "x"));
    const Packet otherIdentifier = Ipv4Datagram(kClient, kServer, EchoMessage(8, 0x4241, 17, "x"));
    const Packet udp = Ipv4Datagram(kClient, kServer, EchoMessage(8, 0x4242, 17, "x"), 17);
    const Packet reply = Ipv4Datagram(kClient, kServer, EchoMessage(0, 0x4242, 17, "x"));
    for (const Packet& quoted : {otherDestination, otherSequence, otherIdentifier, udp, reply}) {
        EXPECT_FALSE(
            MatchRawPacket(Ipv4Datagram(kRouter, kClient, ErrorMessage(3, 1, quoted)), kKey));
    }
}

TEST(MatchEchoReply, ChecksIdentifierAndSequenceAndTakesAnySource) {
    EXPECT_TRUE(MatchEchoReply(EchoMessage(0, 0x4242, 17, "x"), kServer, kKey));
    const auto fromAnotherHost = MatchEchoReply(EchoMessage(0, 0x4242, 17, "x"), kRouter, kKey);
    ASSERT_TRUE(fromAnotherHost);
    EXPECT_EQ(fromAnotherHost->address, kRouter);
    EXPECT_FALSE(MatchEchoReply(EchoMessage(0, 0x4343, 17, "x"), kServer, kKey));
    EXPECT_FALSE(MatchEchoReply(EchoMessage(0, 0x4242, 18, "x"), kServer, kKey));
    EXPECT_FALSE(MatchEchoReply(EchoMessage(8, 0x4242, 17, "x"), kServer, kKey));
}

TEST(MatchDatagramError, TakesAnIcmpErrorAboutOurRequestFromTheOffender) {
    const Packet request = EchoMessage(8, 0x4242, 17, "Echo This");
    const ExtendedError unreachable{113, kErrorOriginIcmp, 3, 1, kRouter};
    const auto answer = MatchDatagramError(request, kServer, unreachable, kKey);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, kIpDestHostUnreachable);
    EXPECT_EQ(answer->address, kRouter);

    const ExtendedError local{90, 1, 0, 0, std::nullopt};
    EXPECT_FALSE(MatchDatagramError(request, kServer, local, kKey));
    EXPECT_FALSE(MatchDatagramError(request, kRouter, unreachable, kKey));
    EXPECT_FALSE(MatchDatagramError(EchoMessage(8, 0x4242, 16, ""), kServer, unreachable, kKey));
    const ExtendedError redirect{0, kErrorOriginIcmp, 5, 1, kRouter};
    EXPECT_FALSE(MatchDatagramError(request, kServer, redirect, kKey));
}

}  // namespace
}  // namespace quorl
