#include "network/platform/linux/reply_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "network/echo_reply.h"
#include "network/platform/ip_status.h"
#include "support/fake_platform.h"

namespace quorl {
namespace {

using testing::ParseDotted;

constexpr std::uint32_t kRoundTripTime = 2;

// An answer from 127.0.0.1 whose data lives in the caller's text, as it
// lives in the receive buffer on its way to the block.
EchoAnswer Reply(const std::string& data) {
    EchoAnswer answer;
    answer.address = ParseDotted("127.0.0.1");
    answer.data = Bytes(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    answer.timeToLive = 64;
    answer.dontFragment = true;
    return answer;
}

TEST(WriteReply, FillsTheBlockAsTheEchoServiceDoes) {
    ReplyBlock block{};
    const std::string data = "Echo This";
    WriteReply(std::span(block.data(), kReplySize), Reply(data), kRoundTripTime);
    const EchoReply reply = DecodeEchoReply(block);
    EXPECT_EQ(reply.Status, 0);
    EXPECT_EQ(reply.Address, 16777343);
    EXPECT_EQ(reply.RoundTripTime, 2);
    EXPECT_EQ(reply.DataSize, 9);
    // The data pointer points at the data inside the block.
    EXPECT_EQ(static_cast<std::uint32_t>(reply.DataPointer),
              static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block.data() + 28)));
    EXPECT_EQ(reply.Options[0], 64);
    EXPECT_EQ(reply.Options[2], 2);
    EXPECT_EQ(std::u16string(reply.Data.data(), 10), std::u16string(u"Echo This\0", 10));
}

TEST(WriteReplyStatus, LeavesOnlyTheStatusWhenNothingAnswered) {
    ReplyBlock block{};
    block.fill(0xAA);
    WriteReplyStatus(std::span(block.data(), kReplySize), kIpReqTimedOut);
    const EchoReply reply = DecodeEchoReply(block);
    EXPECT_EQ(reply.Status, kIpReqTimedOut);
    EXPECT_EQ(reply.Address, 0);
    EXPECT_EQ(reply.RoundTripTime, 0);
    EXPECT_EQ(reply.DataSize, 0);
    EXPECT_EQ(reply.DataPointer, 0);
}

TEST(WriteReply, RefusesAnAnswerLargerThanTheBlock) {
    ReplyBlock block{};
    const std::string tooLong(251, 'x');
    WriteReply(std::span(block.data(), kReplySize), Reply(tooLong), kRoundTripTime);
    const EchoReply reply = DecodeEchoReply(block);
    EXPECT_EQ(reply.Status, kIpBufTooSmall);
    EXPECT_EQ(reply.Address, 16777343);
    EXPECT_EQ(reply.DataSize, 0);
    EXPECT_EQ(reply.Data[0], u'\0');

    const std::string full(250, 'x');
    WriteReply(std::span(block.data(), kReplySize), Reply(full), kRoundTripTime);
    EXPECT_EQ(DecodeEchoReply(block).DataSize, 250);
}

TEST(WriteReply, WritesNothingIntoABlockTooSmallForItsHeader) {
    ReplyBlock block{};
    block.fill(0xAA);
    const std::string data = "x";
    WriteReply(std::span(block.data(), 27), Reply(data), kRoundTripTime);
    WriteReplyStatus(std::span(block.data(), 27), kIpReqTimedOut);
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0xAA; }));
}

}  // namespace
}  // namespace quorl
