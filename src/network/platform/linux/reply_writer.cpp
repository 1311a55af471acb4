#include "reply_writer.h"

#include <algorithm>

#include "network/platform/ip_status.h"
#include "network/platform/reply_block.h"

namespace quorl {
namespace {

// The block holds addresses as 32-bit numbers; the low half of a pointer is
// what a 32-bit caller would see.
std::uint32_t LowAddressBits(const std::uint8_t* pointer) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

}  // namespace

void WriteReplyStatus(std::span<std::uint8_t> reply, std::int32_t status) {
    if (reply.size() < kReplyDataOffset) {
        return;
    }
    std::fill(reply.begin(), reply.begin() + kReplyDataOffset, 0);
    PutUint32(reply, kReplyStatusOffset, static_cast<std::uint32_t>(status));
}

void WriteReply(std::span<std::uint8_t> reply, const EchoAnswer& answer,
                std::uint32_t roundTripTime) {
    if (reply.size() < kReplyDataOffset) {
        return;
    }
    if (answer.data.size() > reply.size() - kReplyDataOffset) {
        // More data came back than the block holds; a cut-down copy would
        // pass for the whole echo.
        WriteReplyStatus(reply, kIpBufTooSmall);
        PutUint32(reply, kReplyAddressOffset, answer.address);
        return;
    }
    WriteReplyStatus(reply, answer.status);
    PutUint32(reply, kReplyAddressOffset, answer.address);
    PutUint32(reply, kReplyRoundTripTimeOffset, roundTripTime);
    PutUint32(reply, kReplyDataSizeOffset, static_cast<std::uint32_t>(answer.data.size()));
    PutUint32(reply, kReplyDataPointerOffset, LowAddressBits(reply.data() + kReplyDataOffset));
    reply[kReplyOptionsOffset + kOptionsTtlOffset] = answer.timeToLive;
    reply[kReplyOptionsOffset + kOptionsTosOffset] = answer.typeOfService;
    reply[kReplyOptionsOffset + kOptionsFlagsOffset] =
        answer.dontFragment ? kOptionsFlagDontFragment : 0;
    std::copy(answer.data.begin(), answer.data.end(), reply.begin() + kReplyDataOffset);
}

}  // namespace quorl
