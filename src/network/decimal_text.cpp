#include "decimal_text.h"

#include <string>

namespace quorl {

std::u16string DecimalText(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace quorl
