#pragma once

#include <string>
#include <string_view>

namespace quorl {

// The tool's UTF-16 texts and Windows' wide ones are the same code units.
inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

}  // namespace quorl
