#include "event_log.h"

namespace quorl::testing {

std::string Utf8(std::u16string_view text) {
    std::string utf8;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            utf8 += static_cast<char>(unit);
        } else if (unit < 0x800) {
            utf8 += static_cast<char>(0xC0 | (unit >> 6));
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (unit >> 12));
            utf8 += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return utf8;
}

std::u16string Utf16(std::string_view utf8) {
    std::u16string text;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        char32_t value = length == 1 ? lead : length == 2 ? (lead & 0x1F) : (lead & 0x0F);
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
            value = (value << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        text += static_cast<char16_t>(value);
        i += length;
    }
    return text;
}

}  // namespace quorl::testing
