// The echo service's documented behaviour, checked through the calls the
// tool makes, the same way against every service that stands behind them.
// Requests are counted from the system's ICMP counters, not from our code.

#include "network/echo_service_conformance.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "network/platform/ip_status.h"
#include "network/platform/reply_block.h"

namespace quorl::testing {
namespace {

constexpr std::uint32_t kTimeout = 500;
constexpr std::uint8_t kUntouched = 0xA5;
constexpr std::uint32_t kLoopbackAsNumber = 16777343;  // 127.0.0.1, first octet lowest

std::string CountingBytes(std::size_t count, unsigned first = 0) {
    std::string data(count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        data[i] = static_cast<char>(first + i);
    }
    return data;
}

std::uint32_t LowAddressBits(const std::uint8_t* pointer) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

}  // namespace

void EchoServiceConformance::SetUp() {
    service_ = GetParam().make();
    if (const std::string why = service_->WhyUnavailable(); !why.empty()) {
        GTEST_SKIP() << why;
    }
}

void EchoServiceConformance::TearDown() {
    service_.reset();
}

std::string EchoServiceName(const ::testing::TestParamInfo<EchoServiceKind>& info) {
    return info.param.name;
}

namespace {

// One echo to 127.0.0.1 through a handle of its own, into a block whose
// bytes all start out as kUntouched.
struct Echo {
    std::uint32_t replies = 0;
    long sent = 0;  // requests the system counted meanwhile
    ReplyBlock block;

    std::uint32_t Word(std::size_t offset) const { return GetUint32(block, offset); }
    std::string Data() const {
        const std::uint32_t size = Word(kReplyDataSizeOffset) & 0xFFFF;
        return std::string(block.begin() + kReplyDataOffset,
                           block.begin() + kReplyDataOffset + std::min<std::size_t>(size, 250));
    }
};

class EchoRunner {
public:
    explicit EchoRunner(EchoService& service) : service_(service) {}

    Echo Send(const std::string& data, std::uint32_t replySize) {
        Platform& platform = service_.Service();
        Echo echo;
        echo.block.fill(kUntouched);
        const EchoHandle handle = platform.IcmpCreateFile();
        EXPECT_NE(handle, kNoEchoHandle);
        const long before = service_.EchoRequestsSent();
        echo.replies = platform.IcmpSendEcho(handle, platform.inet_addr("127.0.0.1"), data,
                                             echo.block, replySize, kTimeout);
        echo.sent = service_.EchoRequestsSent() - before;
        platform.IcmpCloseHandle(handle);
        return echo;
    }

private:
    EchoService& service_;
};

TEST_P(EchoServiceConformance, AReplySizeThatHoldsHeaderAndDataIsEnough) {
    struct Case {
        std::uint32_t replySize;
        std::size_t requestSize;
    };
    for (const Case c : {Case{28, 0}, Case{36, 8}, Case{278, 250}}) {
        SCOPED_TRACE("reply size " + std::to_string(c.replySize) + ", request size " +
                     std::to_string(c.requestSize));
        const Echo echo = EchoRunner(*service_).Send(CountingBytes(c.requestSize), c.replySize);
        EXPECT_EQ(echo.replies, 1u);
        EXPECT_EQ(echo.sent, 1);
        EXPECT_EQ(echo.Word(kReplyStatusOffset), static_cast<std::uint32_t>(kIpSuccess));
        EXPECT_EQ(echo.Word(kReplyAddressOffset), kLoopbackAsNumber);
        EXPECT_EQ(echo.Word(kReplyDataSizeOffset) & 0xFFFF, c.requestSize);
        EXPECT_EQ(echo.Data(), CountingBytes(c.requestSize));
    }
}

TEST_P(EchoServiceConformance, AReplySizeShortOfHeaderAndDataFailsWithoutSending) {
    struct Case {
        std::uint32_t replySize;
        std::size_t requestSize;
    };
    for (const Case c : {Case{36, 9}, Case{35, 8}, Case{59, 32}}) {
        SCOPED_TRACE("reply size " + std::to_string(c.replySize) + ", request size " +
                     std::to_string(c.requestSize));
        const Echo echo = EchoRunner(*service_).Send(CountingBytes(c.requestSize), c.replySize);
        EXPECT_EQ(echo.replies, 0u);
        EXPECT_NE(echo.Word(kReplyStatusOffset), static_cast<std::uint32_t>(kIpSuccess));
        if (service_->RefusesShortReplySizesBeforeSending()) {
            EXPECT_EQ(echo.sent, 0);
        } else {
            EXPECT_LE(echo.sent, 1);
        }
    }
}

TEST_P(EchoServiceConformance, DataComesBackExactlyRightAfterTheReplyHeader) {
    const Echo echo = EchoRunner(*service_).Send(CountingBytes(32), kReplySize);
    ASSERT_EQ(echo.replies, 1u);
    EXPECT_EQ(echo.Data(), CountingBytes(32));
    EXPECT_EQ(echo.Word(kReplyDataPointerOffset), LowAddressBits(echo.block.data() + 28));
}

TEST_P(EchoServiceConformance, LeavesEveryBytePastTheReplySizeAlone) {
    const std::uint32_t replySize = kReplyDataOffset + 8;
    const Echo echo = EchoRunner(*service_).Send(CountingBytes(8), replySize);
    ASSERT_EQ(echo.replies, 1u);
    EXPECT_EQ(echo.Data(), CountingBytes(8));
    EXPECT_TRUE(std::all_of(echo.block.begin() + replySize, echo.block.end(),
                            [](std::uint8_t byte) { return byte == kUntouched; }));
}

TEST_P(EchoServiceConformance, EveryByteValueSurvivesTheRoundTrip) {
    for (const unsigned first : {0u, 128u}) {
        const std::string data = CountingBytes(128, first);
        const Echo echo = EchoRunner(*service_).Send(data, kReplySize);
        ASSERT_EQ(echo.replies, 1u) << "bytes from " << first;
        EXPECT_EQ(echo.Data(), data) << "bytes from " << first;
    }
}

TEST_P(EchoServiceConformance, InvalidOrClosedHandlesFailWithoutSending) {
    Platform& platform = service_->Service();
    const EchoHandle closed = platform.IcmpCreateFile();
    ASSERT_NE(closed, kNoEchoHandle);
    platform.IcmpCloseHandle(closed);
    const EchoHandle invalid = ~EchoHandle{0};  // never handed out

    for (const EchoHandle handle : {invalid, closed}) {
        ReplyBlock block{};
        const long before = service_->EchoRequestsSent();
        EXPECT_EQ(platform.IcmpSendEcho(handle, platform.inet_addr("127.0.0.1"), "Echo This", block,
                                        kReplySize, kTimeout),
                  0u);
        EXPECT_EQ(service_->EchoRequestsSent(), before);
        EXPECT_NE(GetUint32(block, kReplyStatusOffset), static_cast<std::uint32_t>(kIpSuccess));
    }
}

TEST_P(EchoServiceConformance, CreateAndCloseCyclesLeaveNothingOpen) {
    Platform& platform = service_->Service();
    // The first handle may set up what the service keeps for its lifetime.
    platform.IcmpCloseHandle(platform.IcmpCreateFile());
    const long before = service_->OpenHandles();
    // The count must see an open handle, or its staying put says nothing.
    const EchoHandle open = platform.IcmpCreateFile();
    EXPECT_GT(service_->OpenHandles(), before);
    platform.IcmpCloseHandle(open);
    for (int i = 0; i < 200; ++i) {
        const EchoHandle handle = platform.IcmpCreateFile();
        ASSERT_NE(handle, kNoEchoHandle) << "cycle " << i;
        platform.IcmpCloseHandle(handle);
    }
    EXPECT_EQ(service_->OpenHandles(), before);
}

}  // namespace
}  // namespace quorl::testing
