#include "network/platform/linux/icmp_packet.h"

#include <gtest/gtest.h>

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
const std::uint32_t kServer = ParseDotted("192.0.2.2");

std::string Text(Bytes bytes) {
    return std::string(bytes.begin(), bytes.end());
}

TEST(InternetChecksum, MatchesTheWorkedExampleOfRfc1071) {
    const std::uint8_t bytes[] = {0x00, 0x01, 0xF2, 0x03, 0xF4, 0xF5, 0xF6, 0xF7};
    EXPECT_EQ(InternetChecksum(bytes), static_cast<std::uint16_t>(~0xDDF2));
    const std::uint8_t odd[] = {0x01};
    EXPECT_EQ(InternetChecksum(odd), static_cast<std::uint16_t>(~0x0100));
}

TEST(BuildEchoRequest, WritesHeaderDataAndChecksum) {
    const std::uint8_t data[] = {'h', 'i', '!'};
    const std::vector<std::uint8_t> request = BuildEchoRequest(0x1234, 0x0102, data);
    ASSERT_EQ(request.size(), 11u);
    EXPECT_EQ(request[0], 8);
    EXPECT_EQ(request[1], 0);
    EXPECT_EQ(request[4], 0x12);
    EXPECT_EQ(request[5], 0x34);
    EXPECT_EQ(request[6], 0x01);
    EXPECT_EQ(request[7], 0x02);
    EXPECT_EQ(InternetChecksum(request), 0);
    EXPECT_EQ(request, EchoMessage(8, 0x1234, 0x0102, "hi!"));
}

TEST(ParseIpv4Packet, ReadsTheHeaderAndStopsAtTheTotalLength) {
    Packet datagram = Ipv4Datagram(kServer, kClient, EchoMessage(0, 1, 2, "abc"), 1, 57);
    datagram.push_back(0xEE);  // link padding after the datagram
    const auto packet = ParseIpv4Packet(datagram);
    ASSERT_TRUE(packet);
    EXPECT_EQ(packet->header.source, kServer);
    EXPECT_EQ(packet->header.destination, kClient);
    EXPECT_EQ(packet->header.timeToLive, 57);
    EXPECT_EQ(packet->header.protocol, 1);
    EXPECT_TRUE(packet->header.dontFragment);
    EXPECT_EQ(packet->payload.size(), 11u);
}

TEST(ParseIpv4Packet, HonoursHeaderOptions) {
    Packet datagram = Ipv4Datagram(kServer, kClient, EchoMessage(0, 1, 2, "abc"));
    datagram[0] = 0x46;  // one word of options
    datagram.insert(datagram.begin() + 20, {1, 1, 1, 0});
    datagram[3] = static_cast<std::uint8_t>(datagram.size());
    const auto packet = ParseIpv4Packet(datagram);
    ASSERT_TRUE(packet);
    EXPECT_EQ(packet->header.headerLength, 24u);
    EXPECT_EQ(packet->payload[0], 0);
}

TEST(ParseIpv4Packet, RejectsWhatIsNotAWholeIpv4Datagram) {
    const Packet good = Ipv4Datagram(kServer, kClient, EchoMessage(0, 1, 2, "abc"));
    auto variant = [&good](auto change) {
        Packet packet = good;
        change(packet);
        return ParseIpv4Packet(packet).has_value();
    };
    EXPECT_FALSE(ParseIpv4Packet({}));
    EXPECT_FALSE(ParseIpv4Packet(Bytes(good.data(), 19)));
    EXPECT_FALSE(variant([](Packet& p) { p[0] = 0x65; }));  // version 6
    EXPECT_FALSE(variant([](Packet& p) { p[0] = 0x44; }));  // header shorter than 20
    EXPECT_FALSE(variant([](Packet& p) { p[0] = 0x4F; }));  // header past the end
    EXPECT_FALSE(variant([](Packet& p) { p[3] = 0xFF; }));  // total length past the end
    EXPECT_FALSE(variant([](Packet& p) {
        p[2] = 0;
        p[3] = 19;
    }));                                                     // total length in the header
    EXPECT_FALSE(variant([](Packet& p) { p.resize(30); }));  // cut short
}

TEST(ParseIcmpEcho, ReadsAReplyWithAValidChecksum) {
    const Packet message = EchoMessage(0, 0xBEEF, 7, "Echo This");
    const auto echo = ParseIcmpEcho(message);
    ASSERT_TRUE(echo);
    EXPECT_EQ(echo->type, 0);
    EXPECT_EQ(echo->identifier, 0xBEEF);
    EXPECT_EQ(echo->sequence, 7);
    EXPECT_EQ(Text(echo->data), "Echo This");
    EXPECT_TRUE(ParseIcmpEcho(EchoMessage(0, 1, 1, "")));
}

TEST(ParseIcmpEcho, RejectsDamagedOrOtherMessages) {
    Packet corrupted = EchoMessage(0, 1, 1, "Echo This");
    corrupted[9] ^= 0x01;
    EXPECT_FALSE(ParseIcmpEcho(corrupted));
    EXPECT_FALSE(ParseIcmpEcho(Bytes(EchoMessage(0, 1, 1, "").data(), 7)));
    EXPECT_FALSE(ParseIcmpEcho(EchoMessage(13, 1, 1, "")));  // timestamp
    Packet withCode = EchoMessage(0, 1, 1, "x");
    withCode[1] = 1;
    withCode[2] = 0;
    withCode[3] = 0;
    const std::uint16_t sum = InternetChecksum(withCode);
    withCode[2] = static_cast<std::uint8_t>(sum >> 8);
    withCode[3] = static_cast<std::uint8_t>(sum);
    EXPECT_FALSE(ParseIcmpEcho(withCode));
}

TEST(ParseIcmpError, ReadsTheQuotedHeaderAndRequest) {
    const Packet request = Ipv4Datagram(kClient, kServer, EchoMessage(8, 5, 6, "Echo This"));
    const Packet message = ErrorMessage(3, 1, Packet(request.begin(), request.begin() + 28));
    const auto error = ParseIcmpError(message);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->type, 3);
    EXPECT_EQ(error->code, 1);
    EXPECT_EQ(error->quotedHeader.destination, kServer);
    EXPECT_EQ(error->quotedHeader.protocol, 1);
    const auto quotedEcho = ParseQuotedEcho(error->quotedPayload);
    ASSERT_TRUE(quotedEcho);
    EXPECT_EQ(quotedEcho->type, 8);
    EXPECT_EQ(quotedEcho->identifier, 5);
    EXPECT_EQ(quotedEcho->sequence, 6);
}

TEST(ParseIcmpError, RejectsShortQuotesAndOtherTypes) {
    const Packet request = Ipv4Datagram(kClient, kServer, EchoMessage(8, 5, 6, "Echo This"));
    // The header and fewer than eight bytes of the request.
    EXPECT_FALSE(ParseIcmpError(ErrorMessage(3, 1, Packet(request.begin(), request.begin() + 27))));
    EXPECT_FALSE(ParseIcmpError(ErrorMessage(3, 1, Packet(request.begin(), request.begin() + 10))));
    EXPECT_FALSE(ParseIcmpError(ErrorMessage(5, 1, request)));  // redirect
    EXPECT_FALSE(ParseIcmpError(ErrorMessage(0, 0, request)));
    Packet corrupted = ErrorMessage(11, 0, request);
    corrupted.back() ^= 0xFF;
    EXPECT_FALSE(ParseIcmpError(corrupted));
    for (const int type : {3, 4, 11, 12}) {
        EXPECT_TRUE(ParseIcmpError(ErrorMessage(static_cast<std::uint8_t>(type), 0, request)))
            << type;
    }
}

}  // namespace
}  // namespace quorl
