#include "network/echo_reply.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>

namespace quorl {
namespace {

EchoReply SampleReply() {
    EchoReply reply;
    reply.Address = -939524086;  // 10.0.0.200
    reply.Status = 11010;
    reply.RoundTripTime = 7;
    reply.DataSize = 9;
    reply.DataPointer = -2;
    reply.Options = {64, 0, 2, 0, 0, 0, 0, 0};
    const std::u16string text = u"Echo \u20ac";
    std::copy(text.begin(), text.end(), reply.Data.begin());
    reply.Data.back() = u'z';
    return reply;
}

TEST(EchoReplyBlock, PlacesEveryFieldLittleEndianAtItsOffset) {
    const ReplyBlock block = EncodeEchoReply(SampleReply());
    ASSERT_EQ(block.size(), 280u);
    const std::uint8_t header[] = {
        0x0A, 0x00, 0x00, 0xC8,  // Address: the address bytes as they travel
        0x02, 0x2B, 0x00, 0x00,  // Status 11010
        0x07, 0x00, 0x00, 0x00,  // RoundTripTime
        0x09, 0x00, 0x00, 0x00,  // DataSize
        0xFE, 0xFF, 0xFF, 0xFF,  // DataPointer -2
        64,   0,    2,    0,    0, 0, 0, 0,
    };
    EXPECT_TRUE(std::equal(std::begin(header), std::end(header), block.begin()));
    EXPECT_EQ(block[28], 'E');
    EXPECT_EQ(block[33], 0x80);  // the euro sign in the code page
    EXPECT_EQ(block[277], 'z');  // the last of the 250 data bytes
    EXPECT_EQ(block[278], 0);    // alignment fill
    EXPECT_EQ(block[279], 0);
}

TEST(EchoReplyBlock, DecodesWhatItEncodes) {
    const EchoReply original = SampleReply();
    const EchoReply decoded = DecodeEchoReply(EncodeEchoReply(original));
    EXPECT_EQ(decoded.Address, original.Address);
    EXPECT_EQ(decoded.Status, original.Status);
    EXPECT_EQ(decoded.RoundTripTime, original.RoundTripTime);
    EXPECT_EQ(decoded.DataSize, original.DataSize);
    EXPECT_EQ(decoded.DataPointer, original.DataPointer);
    EXPECT_EQ(decoded.Options, original.Options);
    EXPECT_EQ(decoded.Data, original.Data);
}

TEST(EchoReplyBlock, ReadsDataSizeWithTheReservedWordAboveIt) {
    ReplyBlock block{};
    block[12] = 9;
    block[14] = 1;  // reserved word set by the echo service
    EXPECT_EQ(DecodeEchoReply(block).DataSize, 65536 + 9);
}

TEST(EchoReplyBlock, ZeroRecordIsAZeroBlock) {
    const ReplyBlock block = EncodeEchoReply(EchoReply{});
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0; }));
}

}  // namespace
}  // namespace quorl
