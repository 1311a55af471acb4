#include "echo_reply.h"

#include <algorithm>
#include <string>

#include "ansi_text.h"

namespace quorl {

ReplyBlock EncodeEchoReply(const EchoReply& reply) {
    ReplyBlock block{};
    PutUint32(block, kReplyAddressOffset, static_cast<std::uint32_t>(reply.Address));
    PutUint32(block, kReplyStatusOffset, static_cast<std::uint32_t>(reply.Status));
    PutUint32(block, kReplyRoundTripTimeOffset, static_cast<std::uint32_t>(reply.RoundTripTime));
    PutUint32(block, kReplyDataSizeOffset, static_cast<std::uint32_t>(reply.DataSize));
    PutUint32(block, kReplyDataPointerOffset, static_cast<std::uint32_t>(reply.DataPointer));
    for (std::size_t i = 0; i < kReplyOptionsLength; ++i) {
        block[kReplyOptionsOffset + i] = reply.Options[i];
    }
    const std::string data = ToAnsi(std::u16string_view(reply.Data.data(), reply.Data.size()));
    std::copy(data.begin(), data.end(), block.begin() + kReplyDataOffset);
    return block;
}

EchoReply DecodeEchoReply(const ReplyBlock& block) {
    EchoReply reply;
    reply.Address = static_cast<std::int32_t>(GetUint32(block, kReplyAddressOffset));
    reply.Status = static_cast<std::int32_t>(GetUint32(block, kReplyStatusOffset));
    reply.RoundTripTime = static_cast<std::int32_t>(GetUint32(block, kReplyRoundTripTimeOffset));
    reply.DataSize = static_cast<std::int32_t>(GetUint32(block, kReplyDataSizeOffset));
    reply.DataPointer = static_cast<std::int32_t>(GetUint32(block, kReplyDataPointerOffset));
    for (std::size_t i = 0; i < kReplyOptionsLength; ++i) {
        reply.Options[i] = block[kReplyOptionsOffset + i];
    }
    const std::u16string data = FromAnsi(std::string_view(
        reinterpret_cast<const char*>(block.data()) + kReplyDataOffset, kReplyDataLength));
    std::copy(data.begin(), data.end(), reply.Data.begin());
    return reply;
}

}  // namespace quorl
