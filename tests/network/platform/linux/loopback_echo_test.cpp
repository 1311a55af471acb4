// Echoes of the loopback interface through the real network stack, in a
// namespace of their own, through both kinds of ICMP socket.

#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "icmp_responder.h"
#include "namespace_echo_fixture.h"
#include "network/ansi_text.h"
#include "network/platform/ip_status.h"
#include "network/platform/linux/icmp_packet.h"
#include "network/platform/linux/unique_fd.h"
#include "support/background_process.h"

namespace quorl::testing {
namespace {

class LoopbackEchoTest : public NamespaceEchoTest {
protected:
    void SetUp() override {
        if (const std::string why = WhyNoNamespaces(); !why.empty()) {
            GTEST_SKIP() << why;
        }
        namespace_ = std::make_unique<ScratchNamespace>(UniqueName("quorl-lo"));
        ASSERT_TRUE(namespace_->IsReady());
        EnterWithSocketKind(namespace_->Name());
    }

    // A flood is bounded by its count; whatever is left of it is stopped
    // here, before its namespace goes.
    ~LoopbackEchoTest() override { flood_.reset(); }

    void StartFlood(std::vector<std::string> arguments) {
        flood_ = std::make_unique<BackgroundProcess>(std::move(arguments));
    }
    bool FloodStarted() const { return flood_ && flood_->IsStarted(); }

    std::unique_ptr<ScratchNamespace> namespace_;

private:
    std::unique_ptr<BackgroundProcess> flood_;
};

int OpenDescriptors() {
    int count = 0;
    if (DIR* directory = opendir("/proc/self/fd")) {
        while (readdir(directory) != nullptr) {
            ++count;
        }
        closedir(directory);
    }
    return count;
}

TEST_P(LoopbackEchoTest, EchoThisComesBackFromLocalhost) {
    EXPECT_EQ(Echo(u"127.0.0.1", u"Echo This"), kIpSuccess);
    EXPECT_EQ(reply.Status, kIpSuccess);
    EXPECT_EQ(reply.Address, 16777343);
    EXPECT_EQ(reply.DataSize, 9);
    EXPECT_EQ(EchoedText(reply), u"Echo This");
    EXPECT_GE(reply.RoundTripTime, 0);
    EXPECT_EQ(reply.Options[0], 64);  // TTL of the reply

    EXPECT_EQ(Echo(u"127.0.0.2", u"Echo This"), kIpSuccess);
    EXPECT_EQ(reply.Address, AddressValue("127.0.0.2"));
}

TEST_P(LoopbackEchoTest, DataPointerPointsAtTheDataInTheBlock) {
    const EchoHandle handle = platform.IcmpCreateFile();
    ASSERT_NE(handle, kNoEchoHandle);
    ReplyBlock block{};
    EXPECT_EQ(platform.IcmpSendEcho(handle, 0x0100007F, "abc", block, kReplySize, 500), 1u);
    platform.IcmpCloseHandle(handle);
    const EchoReply blockReply = DecodeEchoReply(block);
    EXPECT_EQ(static_cast<std::uint32_t>(blockReply.DataPointer),
              static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block.data() + 28)));
    EXPECT_EQ(block[28], 'a');
}

TEST_P(LoopbackEchoTest, EchoesEveryDataSizeTheBlockHolds) {
    EXPECT_EQ(Echo(u"127.0.0.1", u""), kIpSuccess);
    EXPECT_EQ(reply.DataSize, 0);
    EXPECT_EQ(reply.Data[0], u'\0');

    // A letter of the locale's code page: CMakeLists.txt runs this in
    // ru_RU.UTF-8 (1251) too.
    const std::u16string full(250, ProcessCodePage().number == 1251 ? u'\u0416' : u'\u00e9');
    EXPECT_EQ(Echo(u"127.0.0.1", full), kIpSuccess);
    EXPECT_EQ(reply.DataSize, 250);
    EXPECT_EQ(std::u16string(reply.Data.begin(), reply.Data.end()), full);
}

TEST_P(LoopbackEchoTest, RefusesWithoutSendingWhatCannotBeEchoed) {
    const long sentBefore = EchoRequestsSent();
    EXPECT_EQ(Echo(u"127.0.0.1", std::u16string(251, u'x')), kIpBufTooSmall);
    EXPECT_EQ(Echo(u"0.0.0.0", u"Echo This"), kIpBadDestination);
    EXPECT_EQ(Echo(u"255.255.255.255", u"Echo This"), -1);
    EXPECT_EQ(Echo(u"letters", u"Echo This"), -1);
    EXPECT_EQ(EchoRequestsSent(), sentBefore);
    EXPECT_EQ(reply.Address, 0);
    EXPECT_EQ(reply.DataSize, 0);
}

TEST_P(LoopbackEchoTest, TheServiceItselfRefusesWhatCannotBeEchoed) {
    const long sentBefore = EchoRequestsSent();
    const EchoHandle handle = platform.IcmpCreateFile();
    ASSERT_NE(handle, kNoEchoHandle);
    ReplyBlock block{};
    EXPECT_EQ(platform.IcmpSendEcho(handle, 0, "Echo This", block, kReplySize, 500), 0u);
    EXPECT_EQ(DecodeEchoReply(block).Status, kIpBadDestination);
    const std::string tooLong(251, 'x');
    EXPECT_EQ(platform.IcmpSendEcho(handle, 0x0100007F, tooLong, block, kReplySize, 500), 0u);
    EXPECT_EQ(DecodeEchoReply(block).Status, kIpBufTooSmall);
    platform.IcmpCloseHandle(handle);
    EXPECT_EQ(EchoRequestsSent(), sentBefore);
}

TEST_P(LoopbackEchoTest, RequestsLeaveWithDontFragmentClear) {
    // A raw socket of the namespace sees every request that crosses loopback.
    const UniqueFd listener(socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP));
    ASSERT_TRUE(listener.IsValid());
    ASSERT_EQ(Echo(u"127.0.0.1", u"Echo This"), kIpSuccess);

    int requests = 0;
    std::array<std::uint8_t, 65536> buffer;
    for (int i = 0; i < 16; ++i) {
        const ssize_t length = recv(listener.Get(), buffer.data(), buffer.size(), MSG_DONTWAIT);
        if (length < 0) {
            break;
        }
        const auto ip = ParseIpv4Packet(Bytes(buffer.data(), static_cast<std::size_t>(length)));
        const auto echo = ip ? ParseIcmpEcho(ip->payload) : std::nullopt;
        if (echo && echo->type == kIcmpEchoRequest) {
            ++requests;
            EXPECT_FALSE(ip->header.dontFragment);
        }
    }
    EXPECT_EQ(requests, 1);
}

TEST_P(LoopbackEchoTest, TimesOutNoSoonerThanHalfASecondAfterTheSend) {
    ASSERT_TRUE(SetSysctl(namespace_->Name(), "net.ipv4.icmp_echo_ignore_all", "1"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Echo(u"127.0.0.1", u"Echo This"), kIpReqTimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_EQ(reply.Address, 0);
    EXPECT_EQ(reply.RoundTripTime, 0);
    EXPECT_EQ(reply.DataSize, 0);
    EXPECT_EQ(reply.DataPointer, 0);
}

// Waits until the namespace has sent at least that many more echo requests.
bool WaitForRequestsSent(long count) {
    const long target = EchoRequestsSent() + count;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (EchoRequestsSent() < target) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST_P(LoopbackEchoTest, OtherTrafficNeverChangesTheResult) {
    // Another process floods the same address; a raw socket sees all of it.
    StartFlood({"ping", "-f", "-q", "-c", "200000", "-s", "9", "127.0.0.1"});
    ASSERT_TRUE(FloodStarted());
    ASSERT_TRUE(WaitForRequestsSent(100)) << "the flood did not start";

    // Echo until the flood has sent plenty meanwhile; on a busy machine it
    // may be scheduled only now and then.
    const long sentBefore = EchoRequestsSent();
    int echoes = 0;
    for (; echoes < 5000 && (echoes < 200 || EchoRequestsSent() - sentBefore - echoes < 1000);
         ++echoes) {
        const std::u16string data =
            u"echo " + std::u16string(1, static_cast<char16_t>(u'A' + echoes % 26));
        ASSERT_EQ(Echo(u"127.0.0.1", data), kIpSuccess) << "echo " << echoes;
        ASSERT_EQ(EchoedText(reply), data);
        ASSERT_EQ(reply.Address, 16777343);
    }
    EXPECT_GE(EchoRequestsSent() - sentBefore - echoes, 1000) << "the flood did not overlap";
}

TEST_P(LoopbackEchoTest, ABurstOfRepliesToAnotherSequenceCannotHideOurs) {
    // A hostile peer answers each request with 1200 replies that carry our
    // identifier but not our sequence, and only then with the real reply.
    ASSERT_TRUE(SetSysctl(namespace_->Name(), "net.ipv4.icmp_echo_ignore_all", "1"));
    IcmpResponder responder(namespace_->Name());
    ASSERT_TRUE(responder.WaitUntilListening());
    constexpr int kEchoes = 5;
    int answered = 0;
    for (int i = 0; i < kEchoes; ++i) {
        if (Echo(u"127.0.0.147", u"Echo This") == kIpSuccess && EchoedText(reply) == u"Echo This" &&
            reply.Address == AddressValue("127.0.0.147")) {
            ++answered;
        }
    }
    EXPECT_EQ(answered, kEchoes);
}

TEST_P(LoopbackEchoTest, LeavesNoDescriptorOpen) {
    const int before = OpenDescriptors();
    for (int i = 0; i < 500; ++i) {
        ASSERT_EQ(Echo(u"127.0.0.1", u"x"), kIpSuccess);
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

INSTANTIATE_TEST_SUITE_P(SocketKinds, LoopbackEchoTest,
                         ::testing::Values(IcmpSocketKind::Datagram, IcmpSocketKind::Raw),
                         SocketKindName);

}  // namespace
}  // namespace quorl::testing
