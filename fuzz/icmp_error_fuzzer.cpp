// ICMP errors with the datagram they quote, as a raw socket reads them, and
// the quoted request of a datagram socket's error queue.

#include "fuzz_input.h"
#include "network/platform/linux/echo_match.h"

using namespace quorl;

namespace {

void Check(const std::uint8_t* data, std::size_t size) {
    const fuzz::Input input(data, size);
    if (const auto error = ParseIcmpError(input)) {
        fuzz::RequireInside(input, error->quotedPayload);
        fuzz::Require(error->quotedPayload.size() >= 8);
        if (const auto quoted = ParseQuotedEcho(error->quotedPayload)) {
            fuzz::RequireInside(input, quoted->data);
        }
    }
    ExtendedError record;
    record.origin = kErrorOriginIcmp;
    record.type = size > 0 ? data[0] : 0;
    record.code = size > 1 ? data[1] : 0;
    const EchoRequestKey key;
    if (const auto answer = MatchDatagramError(input, 0, record, key)) {
        fuzz::Require(answer->data.empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Check(data, size);
    const std::vector<std::uint8_t> repaired = fuzz::WithIcmpChecksum(fuzz::Input(data, size), 0);
    Check(repaired.data(), repaired.size());
    return 0;
}
