#include "network/send_echo.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace quorl {
namespace {

using ::testing::ElementsAre;
using testing::EventLog;
using testing::FakePlatform;
using testing::ParseDotted;

class SendEchoTest : public ::testing::Test {
protected:
    EventLog log;
    FakePlatform platform{log};
    EchoReply reply;
};

TEST_F(SendEchoTest, SendsOneRequestAndClosesItsHandle) {
    platform.echo = {.status = 0,
                     .address = ParseDotted("127.0.0.1"),
                     .roundTripTime = 3,
                     .dataSize = 9,
                     .dataPointer = 1234,
                     .data = "Echo This"};
    EXPECT_EQ(SendEcho(platform, u"127.0.0.1", u"Echo This", reply), 0);
    EXPECT_THAT(log.Events(),
                ElementsAre("inet_addr 127.0.0.1", "IcmpCreateFile",
                            "IcmpSendEcho 7 127.0.0.1 [Echo This] 278 500", "IcmpCloseHandle 7"));
    EXPECT_EQ(reply.Address, 16777343);
    EXPECT_EQ(reply.RoundTripTime, 3);
    EXPECT_EQ(reply.DataSize, 9);
    EXPECT_EQ(reply.DataPointer, 1234);
    EXPECT_EQ(std::u16string(reply.Data.data(), 9), u"Echo This");
    EXPECT_EQ(reply.Data[9], u'\0');
}

TEST_F(SendEchoTest, ReturnsTheStatusTheServiceWrote) {
    platform.echo.status = 11010;
    EXPECT_EQ(SendEcho(platform, u"192.0.2.28", u"x", reply), 11010);
    EXPECT_EQ(reply.Status, 11010);
}

TEST_F(SendEchoTest, SendsTheDataAsSingleBytesUpToWhatTheBlockHolds) {
    EXPECT_EQ(SendEcho(platform, u"127.0.0.1", u"", reply), 0);
    EXPECT_EQ(log.Events()[2], "IcmpSendEcho 7 127.0.0.1 [] 278 500");
    log.Clear();
    SendEcho(platform, u"127.0.0.1", u"\u00e9\u20ac\u0416", reply);
    EXPECT_EQ(log.Events()[2], "IcmpSendEcho 7 127.0.0.1 [\xe9\x80?] 278 500");
    log.Clear();
    SendEcho(platform, u"127.0.0.1", std::u16string(250, u'a'), reply);
    EXPECT_EQ(log.Events()[2], "IcmpSendEcho 7 127.0.0.1 [" + std::string(250, 'a') + "] 278 500");
}

TEST_F(SendEchoTest, RefusesWhatNoHostCanAnswerBeforeOpeningAHandle) {
    struct Refusal {
        const char16_t* address;
        std::u16string data;
        std::int32_t status;
    };
    const Refusal refusals[] = {
        {u"0.0.0.0", u"Echo This", 11018},
        {u"127.0.0.1", std::u16string(251, u'a'), 11001},
        {u"127.0.0.1", std::u16string(300, u'\u00e9'), 11001},
        {u"0.0.0.0", std::u16string(251, u'a'), 11018},
    };
    for (const Refusal& refusal : refusals) {
        log.Clear();
        reply = EchoReply{};
        platform.echo.status = 0;  // a service that would answer anything
        EXPECT_EQ(SendEcho(platform, refusal.address, refusal.data, reply), refusal.status);
        EXPECT_THAT(log.Events(), ElementsAre("inet_addr " + testing::Utf8(refusal.address)));
        EXPECT_EQ(reply.Status, refusal.status);
        EXPECT_EQ(reply.Address, 0);
        EXPECT_EQ(reply.DataSize, 0);
    }
}

TEST_F(SendEchoTest, RejectsAnAddressThatDoesNotParseWithoutSending) {
    for (const std::u16string address : {u"letters", u"255.255.255.255", u""}) {
        log.Clear();
        reply.Status = 77;  // whatever the record held stays
        EXPECT_EQ(SendEcho(platform, address, u"Echo This", reply), -1);
        ASSERT_EQ(log.Events().size(), 1u);
        EXPECT_EQ(reply.Status, 77);
    }
}

TEST_F(SendEchoTest, ReportsAFailureWhenNoEchoHandleOpens) {
    platform.createFileFails = true;
    EXPECT_EQ(SendEcho(platform, u"127.0.0.1", u"Echo This", reply), 11050);
    EXPECT_THAT(log.Events(), ElementsAre("inet_addr 127.0.0.1", "IcmpCreateFile"));
    EXPECT_EQ(reply.Status, 0);
    EXPECT_EQ(reply.Address, 0);
}

}  // namespace
}  // namespace quorl
