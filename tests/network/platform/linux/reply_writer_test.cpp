#include "network/platform/linux/reply_writer.h"

#include <gtest/gtest.h>

#include "network/echo_reply.h"
#include "network/platform/ip_status.h"
#include "support/fake_platform.h"

namespace quorl {
namespace {

using testing::ParseDotted;

EchoOutcome Reply(std::string data) {
    EchoOutcome outcome;
    outcome.answered = true;
    outcome.address = ParseDotted("127.0.0.1");
    outcome.roundTripTime = 2;
    outcome.data.assign(data.begin(), data.end());
    outcome.timeToLive = 64;
    outcome.dontFragment = true;
    return outcome;
}

TEST(WriteReply, FillsTheBlockAsTheEchoServiceDoes) {
    ReplyBlock block{};
    WriteReply(std::span(block.data(), kReplySize), Reply("Echo This"));
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

TEST(WriteReply, LeavesOnlyTheStatusWhenNothingAnswered) {
    ReplyBlock block{};
    block.fill(0xAA);
    EchoOutcome timeout;
    timeout.status = kIpReqTimedOut;
    WriteReply(std::span(block.data(), kReplySize), timeout);
    const EchoReply reply = DecodeEchoReply(block);
    EXPECT_EQ(reply.Status, kIpReqTimedOut);
    EXPECT_EQ(reply.Address, 0);
    EXPECT_EQ(reply.RoundTripTime, 0);
    EXPECT_EQ(reply.DataSize, 0);
    EXPECT_EQ(reply.DataPointer, 0);
}

TEST(WriteReply, RefusesAnAnswerLargerThanTheBlock) {
    ReplyBlock block{};
    WriteReply(std::span(block.data(), kReplySize), Reply(std::string(251, 'x')));
    const EchoReply reply = DecodeEchoReply(block);
    EXPECT_EQ(reply.Status, kIpBufTooSmall);
    EXPECT_EQ(reply.Address, 16777343);
    EXPECT_EQ(reply.DataSize, 0);
    EXPECT_EQ(reply.Data[0], u'\0');

    WriteReply(std::span(block.data(), kReplySize), Reply(std::string(250, 'x')));
    EXPECT_EQ(DecodeEchoReply(block).DataSize, 250);
}

TEST(WriteReply, WritesNothingIntoABlockTooSmallForItsHeader) {
    ReplyBlock block{};
    block.fill(0xAA);
    WriteReply(std::span(block.data(), 27), Reply("x"));
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0xAA; }));
}

}  // namespace
}  // namespace quorl
