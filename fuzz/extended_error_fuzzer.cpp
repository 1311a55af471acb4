// The error record a datagram ICMP socket's error queue carries.

#include "fuzz_input.h"
#include "network/platform/linux/extended_error.h"

using namespace quorl;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto error = ParseExtendedError(fuzz::Input(data, size));
    fuzz::Require(!error || size >= 16);
    return 0;
}
