#pragma once

#include <string_view>

#include "network/ansi_text.h"

namespace quorl {

// The ANSI code page Wine gives Windows programs in a Unix locale
// ("ru_RU.UTF-8", "sr_RS@latin", "C"), where that code page is single-byte;
// Windows-1252 for every other locale, C and POSIX included.
CodePage CodePageForLocale(std::string_view localeName);

// The locale the C library reads character types in: the first of LC_ALL,
// LC_CTYPE and LANG that is set and not empty. A null or empty value is unset.
std::string_view CharacterTypeLocale(const char* lcAll, const char* lcCtype, const char* lang);

}  // namespace quorl
