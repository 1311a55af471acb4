#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorl {

// Texts are UTF-16 inside the tool and cross every platform call in the
// Windows-1252 code page, one byte per UTF-16 code unit, so byte counts always
// equal character counts.

// The byte for one character; '?' when the code page has no such character.
std::uint8_t ToAnsiByte(char16_t character);
char16_t FromAnsiByte(std::uint8_t byte);

std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view bytes);

}  // namespace quorl
