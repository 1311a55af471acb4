#include "ansi_text.h"

#include <array>
#include <cstddef>

namespace quorl {
namespace {

// 0x80..0x9F of Windows-1252. The five bytes the code page leaves undefined map
// to the C1 control with the same number, as Windows itself converts them, so
// every byte survives a round trip.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsOutsideHighControlRange(unsigned value) {
    return value < 0x80 || value > 0x9F;
}

}  // namespace

std::uint8_t ToAnsiByte(char16_t character) {
    if (character <= 0xFF && IsOutsideHighControlRange(character)) {
        return static_cast<std::uint8_t>(character);
    }
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == character) {
            return static_cast<std::uint8_t>(0x80 + i);
        }
    }
    return '?';
}

char16_t FromAnsiByte(std::uint8_t byte) {
    if (IsOutsideHighControlRange(byte)) {
        return byte;
    }
    return kHighControlRange[byte - 0x80];
}

std::string ToAnsi(std::u16string_view text) {
    std::string bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[i] = static_cast<char>(ToAnsiByte(text[i]));
    }
    return bytes;
}

std::u16string FromAnsi(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text[i] = FromAnsiByte(static_cast<std::uint8_t>(bytes[i]));
    }
    return text;
}

}  // namespace quorl
