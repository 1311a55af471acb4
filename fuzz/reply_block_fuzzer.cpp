// Reply blocks as the echo service fills them, decoded and shown the way the
// window shows them.

#include <cstring>

#include "fuzz_input.h"
#include "network/decimal_text.h"
#include "network/echo_reply.h"
#include "network/echo_status_text.h"

using namespace quorl;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReplyBlock block{};
    std::memcpy(block.data(), data, std::min(size, block.size()));
    const EchoReply reply = DecodeEchoReply(block);
    fuzz::Require(!EchoStatusText(reply.Status).empty());
    fuzz::Require(!DecimalText(reply.DataPointer).empty());
    // Encoding what was decoded gives the block back, fill bytes aside.
    const ReplyBlock again = EncodeEchoReply(reply);
    fuzz::Require(std::memcmp(again.data(), block.data(), kReplySize) == 0);
    return 0;
}
