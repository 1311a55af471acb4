// The texts' code page on Windows: the system's ANSI code page, converted by
// the system itself.

#include <windows.h>

#include "network/ansi_text.h"

namespace quorl {

// A multi-byte ANSI code page (Japanese, Chinese, Korean) would take more
// than one byte for a character, so such systems keep Windows-1252.
CodePage SystemCodePage() {
    const UINT systemCodePage = GetACP();
    CPINFO info{};
    if (GetCPInfo(systemCodePage, &info) && info.MaxCharSize == 1) {
        return CodePage{systemCodePage};
    }
    return kWindows1252;
}

// One code unit at a time, so that each gives exactly one byte; no best fit,
// so a character the code page lacks is '?', not a look-alike.
std::string ToAnsi(std::u16string_view text, CodePage codePage) {
    std::string bytes(text.size(), '?');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto unit = static_cast<wchar_t>(text[i]);
        char byte = '?';
        if (WideCharToMultiByte(codePage.number, WC_NO_BEST_FIT_CHARS, &unit, 1, &byte, 1, "?",
                                nullptr) == 1) {
            bytes[i] = byte;
        }
    }
    return bytes;
}

std::u16string FromAnsi(std::string_view bytes, CodePage codePage) {
    std::u16string text(bytes.size(), u'?');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        wchar_t unit = L'?';
        if (MultiByteToWideChar(codePage.number, 0, &bytes[i], 1, &unit, 1) == 1) {
            text[i] = static_cast<char16_t>(unit);
        }
    }
    return text;
}

}  // namespace quorl
