#pragma once

#include <string_view>

namespace quorl {

// The tool's name: the application's name on Linux, and the caption of every
// message box on both systems.
inline constexpr std::u16string_view kApplicationTitle = u"Quorl";

}  // namespace quorl
