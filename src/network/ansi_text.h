#pragma once

#include <string>
#include <string_view>

namespace quorl {

// Texts are UTF-16 inside the tool and cross every platform call in a
// single-byte code page, one byte per UTF-16 code unit, so byte counts always
// equal character counts. A character the code page lacks becomes '?' (each
// half of a surrogate pair too); every byte stands for one character and
// comes back as the same byte.

// A single-byte code page by its Windows number: 1252, 1251, 874, ...
struct CodePage {
    unsigned number = 1252;
    friend bool operator==(CodePage, CodePage) = default;
};

inline constexpr CodePage kWindows1252{1252};

// The code page of the user's system, where it is single-byte; otherwise
// Windows-1252. Each build decides it its own way (platform/linux,
// platform/win32).
CodePage SystemCodePage();

// The code page every text of this process crosses platform calls in: the
// system's, decided once, since it does not change while the program runs.
CodePage ProcessCodePage();

// The conversions of each build, in any single-byte code page.
std::string ToAnsi(std::u16string_view text, CodePage codePage);
std::u16string FromAnsi(std::string_view bytes, CodePage codePage);

// The same in the process's code page.
std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view bytes);

}  // namespace quorl
