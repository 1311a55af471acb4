#pragma once

#include <cstdint>
#include <string>

namespace quorl {

// Plain decimal: no separators, no leading zeros, "-" for negative values.
std::u16string DecimalText(std::int64_t value);

}  // namespace quorl
