// The network procedures against the real Windows Sockets and ICMP echo
// service, as Wine provides them.
#include <gtest/gtest.h>

#include <cstdint>

#include "network/echo_status_text.h"
#include "network/name_lookup.h"
#include "network/platform/ip_status.h"
#include "network/platform/win32/echo_permission.h"
#include "network/platform/win32/win32_platform.h"
#include "network/send_echo.h"
#include "network/sockets_setup.h"
#include "support/fake_platform.h"

namespace quorl {
namespace {

using testing::EventLog;
using testing::RecordingMessageBoxes;

constexpr std::int32_t kLoopbackAsNumber = 16777343;  // 127.0.0.1, first octet lowest

class Win32PlatformTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SocketsInitialize(platform_)); }
    void TearDown() override {
        SocketsCleanup(platform_, messageBoxes_);
        EXPECT_TRUE(log_.Events().empty()) << log_.Events().front();
    }

    Win32Platform platform_;
    EventLog log_;
    RecordingMessageBoxes messageBoxes_{log_};
};

TEST_F(Win32PlatformTest, LoopbackEchoReturnsTheDataAndTheAnsweringAddress) {
    if (!testing::EchoPermitted()) {
        GTEST_SKIP() << testing::kNoEchoPermission;
    }
    EchoReply reply;
    const std::int32_t status = SendEcho(platform_, u"127.0.0.1", u"Echo This", reply);

    EXPECT_EQ(status, kIpSuccess);
    EXPECT_EQ(reply.Status, kIpSuccess);
    EXPECT_EQ(reply.Address, kLoopbackAsNumber);
    EXPECT_EQ(reply.DataSize & 0xFFFF, 9);
    EXPECT_EQ(std::u16string(reply.Data.data(), 9), u"Echo This");
    EXPECT_EQ(reply.Data[9], u'\0');
    EXPECT_GE(reply.RoundTripTime, 0);
    EXPECT_EQ(EchoStatusText(status), u"0   [ ip success ]");
}

TEST_F(Win32PlatformTest, EchoDataLandsInsideTheReplyBlock) {
    if (!testing::EchoPermitted()) {
        GTEST_SKIP() << testing::kNoEchoPermission;
    }
    const EchoHandle handle = platform_.IcmpCreateFile();
    ASSERT_NE(handle, kNoEchoHandle);
    ReplyBlock block{};
    const std::uint32_t replies = platform_.IcmpSendEcho(handle, platform_.inet_addr("127.0.0.1"),
                                                         "Echo This", block, kReplySize, 500);
    platform_.IcmpCloseHandle(handle);

    EXPECT_EQ(replies, 1u);
    const auto dataPointer = static_cast<std::uintptr_t>(GetUint32(block, kReplyDataPointerOffset));
    const auto blockStart = reinterpret_cast<std::uintptr_t>(block.data());
    EXPECT_GE(dataPointer, blockStart + kReplyDataOffset);
    EXPECT_LT(dataPointer, blockStart + kReplySize);
}

TEST_F(Win32PlatformTest, EmptyDataEchoesNothingBack) {
    if (!testing::EchoPermitted()) {
        GTEST_SKIP() << testing::kNoEchoPermission;
    }
    EchoReply reply;
    EXPECT_EQ(SendEcho(platform_, u"127.0.0.1", u"", reply), kIpSuccess);
    EXPECT_EQ(reply.DataSize & 0xFFFF, 0);
    EXPECT_EQ(reply.Data[0], u'\0');
}

TEST_F(Win32PlatformTest, TextThatIsNotADottedAddressIsRefusedWithoutSending) {
    for (const std::u16string address : {u"letters", u"255.255.255.255"}) {
        EchoReply reply;
        EXPECT_EQ(SendEcho(platform_, address, u"Echo This", reply), kBadAddressFormat)
            << testing::Utf8(address);
        EXPECT_EQ(reply.Status, 0);
        EXPECT_EQ(reply.Address, 0);
    }
}

TEST_F(Win32PlatformTest, NamesLoopbackByReverseLookup) {
    EXPECT_EQ(GetHostNameFromIP(platform_, messageBoxes_, u"127.0.0.1"), u"localhost");
}

TEST_F(Win32PlatformTest, FindsLocalhostByForwardLookup) {
    EXPECT_EQ(GetIPFromHostName(platform_, u"localhost"), u"127.0.0.1");
}

TEST_F(Win32PlatformTest, ReverseLookupOfLettersSaysTheAddressIsInvalid) {
    EXPECT_EQ(GetHostNameFromIP(platform_, messageBoxes_, u"letters"), u"");
    ASSERT_EQ(log_.Events().size(), 1u);
    EXPECT_EQ(log_.Events()[0], "MessageBox None: String passed is an invalid IP.");
    log_.Clear();
}

TEST_F(Win32PlatformTest, InitializationsNestAndAnExtraCleanupIsReported) {
    EXPECT_TRUE(SocketsInitialize(platform_));
    SocketsCleanup(platform_, messageBoxes_);
    SocketsCleanup(platform_, messageBoxes_);
    EXPECT_TRUE(log_.Events().empty());

    SocketsCleanup(platform_, messageBoxes_);
    ASSERT_EQ(log_.Events().size(), 1u);
    EXPECT_EQ(log_.Events()[0], "MessageBox Warning: Windows Sockets error occurred in Cleanup.");
    log_.Clear();
    ASSERT_TRUE(SocketsInitialize(platform_));  // for TearDown's cleanup
}

TEST(EchoFailureStatusTest, KeepsIpStatusesAndCallsEverythingElseAGeneralFailure) {
    EXPECT_EQ(EchoFailureStatus(11010), kIpReqTimedOut);
    EXPECT_EQ(EchoFailureStatus(11001), kIpBufTooSmall);
    EXPECT_EQ(EchoFailureStatus(11255), kIpPending);
    EXPECT_EQ(EchoFailureStatus(0), kIpGeneralFailure);
    EXPECT_EQ(EchoFailureStatus(1214), kIpGeneralFailure);  // ERROR_INVALID_NETNAME
    EXPECT_EQ(EchoFailureStatus(11000), kIpGeneralFailure);
    EXPECT_EQ(EchoFailureStatus(11256), kIpGeneralFailure);
}

TEST(Win32PlatformEchoTest, AFailedEchoNeverReadsAsSuccess) {
    // A reply size one byte short of the reply and the data: the service
    // refuses before sending and writes nothing into the block.
    Win32Platform platform;
    const EchoHandle handle = platform.IcmpCreateFile();
    ASSERT_NE(handle, kNoEchoHandle);
    ReplyBlock block{};
    const std::uint32_t tooSmall = kReplyDataOffset + 9 - 1;
    const std::uint32_t replies = platform.IcmpSendEcho(handle, platform.inet_addr("127.0.0.1"),
                                                        "Echo This", block, tooSmall, 500);
    platform.IcmpCloseHandle(handle);

    EXPECT_EQ(replies, 0u);
    const auto status = static_cast<std::int32_t>(GetUint32(block, kReplyStatusOffset));
    EXPECT_NE(status, kIpSuccess);
    EXPECT_GE(status, kIpStatusFirst);
    EXPECT_LE(status, kIpStatusLast);
}

}  // namespace
}  // namespace quorl
