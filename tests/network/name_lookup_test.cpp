#include "network/name_lookup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "network/sockets_setup.h"
#include "support/fake_platform.h"

namespace quorl {
namespace {

using ::testing::ElementsAre;
using testing::EventLog;
using testing::FakePlatform;
using testing::RecordingMessageBoxes;

class NameLookupTest : public ::testing::Test {
protected:
    EventLog log;
    FakePlatform platform{log};
    RecordingMessageBoxes messageBoxes{log};
};

TEST(AddressBytesToDotted, PrintsEachByteInPlainDecimal) {
    using Address = std::array<std::uint8_t, 4>;
    EXPECT_EQ(AddressBytesToDotted(Address{0xC0, 0xA8, 0x00, 0x01}), u"192.168.0.1");
    EXPECT_EQ(AddressBytesToDotted(Address{0x0A, 0x00, 0x00, 0xC8}), u"10.0.0.200");
    EXPECT_EQ(AddressBytesToDotted(Address{0, 0, 0, 0}), u"0.0.0.0");
    // Bytes with the high bit set are not taken as negative characters.
    EXPECT_EQ(AddressBytesToDotted(Address{0x80, 0x81, 0x9F, 0xFF}), u"128.129.159.255");
}

TEST_F(NameLookupTest, SocketsInitializeAsksForVersionOneOne) {
    EXPECT_TRUE(SocketsInitialize(platform));
    platform.startupResults = {10091};
    EXPECT_FALSE(SocketsInitialize(platform));
    EXPECT_THAT(log.Events(), ElementsAre("WSAStartup 0x0101", "WSAStartup 0x0101"));
}

TEST_F(NameLookupTest, SocketsCleanupWarnsOnlyWhenItFails) {
    SocketsCleanup(platform, messageBoxes);
    platform.cleanupResults = {10093};
    SocketsCleanup(platform, messageBoxes);
    EXPECT_THAT(log.Events(),
                ElementsAre("WSACleanup", "WSACleanup",
                            "MessageBox Warning: Windows Sockets error occurred in Cleanup."));
}

TEST_F(NameLookupTest, ForwardLookupGivesTheFirstAddressOnly) {
    platform.hostAddresses["multi"] = {"198.51.100.7", "192.0.2.1"};
    EXPECT_EQ(GetIPFromHostName(platform, u"multi"), u"198.51.100.7");
    EXPECT_THAT(log.Events(), ElementsAre("gethostbyname multi"));
}

TEST_F(NameLookupTest, ForwardLookupOfAnUnknownNameIsSilentAndEmpty) {
    EXPECT_EQ(GetIPFromHostName(platform, u"nowhere"), u"");
    platform.hostAddresses["bare"] = {};
    EXPECT_EQ(GetIPFromHostName(platform, u"bare"), u"");
    EXPECT_THAT(log.Events(), ElementsAre("gethostbyname nowhere", "gethostbyname bare"));
}

TEST_F(NameLookupTest, ForwardLookupTakesOnlyFourByteIpv4Entries) {
    platform.hostAddresses["host"] = {"198.51.100.7"};
    struct Entry {
        int addressType;
        int addressLength;
    };
    for (const Entry entry :
         {Entry{10, 4}, Entry{10, 16}, Entry{2, 16}, Entry{2, 3}, Entry{0, 0}}) {
        platform.hostAddressType = entry.addressType;
        platform.hostAddressLength = entry.addressLength;
        EXPECT_EQ(GetIPFromHostName(platform, u"host"), u"")
            << "type " << entry.addressType << ", length " << entry.addressLength;
    }
    platform.hostAddressType = 2;
    platform.hostAddressLength = 4;
    EXPECT_EQ(GetIPFromHostName(platform, u"host"), u"198.51.100.7");
}

TEST_F(NameLookupTest, ReverseLookupMakesAndUndoesItsOwnInitialization) {
    platform.addressNames["127.0.0.1"] = "localhost";
    EXPECT_EQ(GetHostNameFromIP(platform, messageBoxes, u"127.0.0.1"), u"localhost");
    EXPECT_THAT(log.Events(), ElementsAre("WSAStartup 0x0101", "inet_addr 127.0.0.1",
                                          "gethostbyaddr 127.0.0.1 4 2", "WSACleanup"));
    EXPECT_EQ(platform.OpenInitializations(), 0);
}

TEST_F(NameLookupTest, ReverseLookupOfANameOfLengthZeroIsSilentAndEmpty) {
    platform.addressNames["192.0.2.9"] = "";
    EXPECT_EQ(GetHostNameFromIP(platform, messageBoxes, u"192.0.2.9"), u"");
    EXPECT_EQ(log.Events().back(), "WSACleanup");
    EXPECT_EQ(platform.OpenInitializations(), 0);
}

struct ReverseFailure {
    const char* situation;
    const char16_t* address;
    std::deque<int> startupResults;
    std::vector<std::string> events;
};

// Every way the reverse lookup fails, with what the user sees; each
// successful initialization is undone exactly once.
TEST_F(NameLookupTest, ReverseLookupFailuresShowTheirMessage) {
    const ReverseFailure failures[] = {
        {"initialization fails",
         u"127.0.0.1",
         {10091},
         {"WSAStartup 0x0101", "MessageBox None: Sockets failed to initialize."}},
        {"letters",
         u"letters",
         {},
         {"WSAStartup 0x0101", "inet_addr letters",
          "MessageBox None: String passed is an invalid IP.", "WSACleanup"}},
        {"all ones",
         u"255.255.255.255",
         {},
         {"WSAStartup 0x0101", "inet_addr 255.255.255.255",
          "MessageBox None: String passed is an invalid IP.", "WSACleanup"}},
        {"no name",
         u"192.0.2.99",
         {},
         {"WSAStartup 0x0101", "inet_addr 192.0.2.99", "gethostbyaddr 192.0.2.99 4 2",
          "MessageBox None: Call to gethostbyaddr failed.", "WSACleanup"}},
    };
    for (const ReverseFailure& failure : failures) {
        SCOPED_TRACE(failure.situation);
        EventLog failureLog;
        FakePlatform failingPlatform(failureLog);
        RecordingMessageBoxes boxes(failureLog);
        failingPlatform.startupResults = failure.startupResults;
        EXPECT_EQ(GetHostNameFromIP(failingPlatform, boxes, failure.address), u"");
        EXPECT_EQ(failureLog.Events(), failure.events);
        EXPECT_EQ(failingPlatform.OpenInitializations(), 0);
    }
}

TEST_F(NameLookupTest, ReverseLookupWarnsOfAFailedCleanupBeforeReturning) {
    platform.addressNames["127.0.0.1"] = "localhost";
    platform.cleanupResults = {10093};
    EXPECT_EQ(GetHostNameFromIP(platform, messageBoxes, u"127.0.0.1"), u"localhost");
    EXPECT_THAT(log.Events(),
                ElementsAre("WSAStartup 0x0101", "inet_addr 127.0.0.1",
                            "gethostbyaddr 127.0.0.1 4 2", "WSACleanup",
                            "MessageBox Warning: Windows Sockets error occurred in Cleanup."));
}

}  // namespace
}  // namespace quorl
