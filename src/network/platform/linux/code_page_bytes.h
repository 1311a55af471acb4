#pragma once

#include <array>

#include "network/ansi_text.h"

namespace quorl {

// The character each byte of a single-byte code page stands for.
using CodePageBytes = std::array<char16_t, 256>;

// The bytes of a code page as the C library's iconv reads them ("CP1251"),
// and the few bytes it leaves undefined as Windows reads them. Read once per
// code page and kept.
const CodePageBytes& BytesOf(CodePage codePage);

}  // namespace quorl
