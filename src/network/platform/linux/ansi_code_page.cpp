// The texts' code page on Linux: the one Wine would give a Windows program in
// the user's locale, converted by the C library's iconv.

#include <algorithm>
#include <cstdlib>

#include "code_page_bytes.h"
#include "locale_code_page.h"
#include "network/ansi_text.h"

namespace quorl {

CodePage SystemCodePage() {
    return CodePageForLocale(
        CharacterTypeLocale(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG")));
}

// No best fit: a character becomes the byte that stands for it, or '?'.
std::string ToAnsi(std::u16string_view text, CodePage codePage) {
    const CodePageBytes& characters = BytesOf(codePage);
    std::string bytes(text.size(), '?');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto found = std::find(characters.begin(), characters.end(), text[i]);
        if (found != characters.end()) {
            bytes[i] = static_cast<char>(found - characters.begin());
        }
    }
    return bytes;
}

std::u16string FromAnsi(std::string_view bytes, CodePage codePage) {
    const CodePageBytes& characters = BytesOf(codePage);
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text[i] = characters[static_cast<unsigned char>(bytes[i])];
    }
    return text;
}

}  // namespace quorl
