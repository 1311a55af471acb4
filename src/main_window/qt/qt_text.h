#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quorl {

// The tool's UTF-16 texts and Qt's are the same code units.
inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string ToU16String(const QString& text) {
    return text.toStdU16String();
}

}  // namespace quorl
