// Echo messages as a datagram ICMP socket reads them, and the start of an
// echo request as an error quotes it.

#include "fuzz_input.h"
#include "network/platform/linux/echo_match.h"

using namespace quorl;

namespace {

void Check(const std::uint8_t* data, std::size_t size) {
    const fuzz::Input input(data, size);
    if (const auto echo = ParseIcmpEcho(input)) {
        fuzz::RequireInside(input, echo->data);
        fuzz::Require(echo->data.size() + 8 == size);
    }
    if (const auto quoted = ParseQuotedEcho(input)) {
        fuzz::RequireInside(input, quoted->data);
    }
    EchoRequestKey key;
    if (size >= 8) {
        key.identifier = static_cast<std::uint16_t>(data[4] << 8 | data[5]);
        key.sequence = static_cast<std::uint16_t>(data[6] << 8 | data[7]);
    }
    // A reply is ours from any source, and answers with that source.
    constexpr std::uint32_t kSource = 0x0302000C;
    if (const auto answer = MatchEchoReply(input, kSource, key)) {
        fuzz::RequireInside(input, answer->data);
        fuzz::Require(answer->address == kSource);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Check(data, size);
    const std::vector<std::uint8_t> repaired = fuzz::WithIcmpChecksum(fuzz::Input(data, size), 0);
    Check(repaired.data(), repaired.size());
    return 0;
}
