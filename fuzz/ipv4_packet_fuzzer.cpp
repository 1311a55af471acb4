// Whole IPv4 datagrams, as a raw ICMP socket reads them.

#include "fuzz_input.h"
#include "network/platform/linux/echo_match.h"

using namespace quorl;

namespace {

void Check(const std::uint8_t* data, std::size_t size) {
    const fuzz::Input input(data, size);
    if (const auto packet = ParseIpv4Packet(input)) {
        fuzz::RequireInside(input, packet->payload);
        fuzz::Require(packet->header.headerLength >= 20 && packet->header.headerLength <= size);
    }
    // Match against a key taken from the input, so that matches happen.
    EchoRequestKey key;
    if (size >= 28) {
        key = {static_cast<std::uint32_t>(data[12] | data[13] << 8 | data[14] << 16 |
                                          static_cast<std::uint32_t>(data[15]) << 24),
               static_cast<std::uint16_t>(data[24] << 8 | data[25]),
               static_cast<std::uint16_t>(data[26] << 8 | data[27])};
    }
    if (const auto answer = MatchRawPacket(input, key)) {
        fuzz::RequireInside(input, answer->data);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Check(data, size);
    const std::vector<std::uint8_t> repaired =
        fuzz::WithIcmpChecksum(fuzz::Input(data, size), size > 0 ? (data[0] & 0x0F) * 4u : 0u);
    Check(repaired.data(), repaired.size());
    return 0;
}
