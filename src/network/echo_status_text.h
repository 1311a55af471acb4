#pragma once

#include <cstdint>
#include <string>

namespace quorl {

// The status line of the "Return Status" box: the code, three spaces, and the
// message in brackets, for every 32-bit code.
std::u16string EchoStatusText(std::int32_t status);

}  // namespace quorl
