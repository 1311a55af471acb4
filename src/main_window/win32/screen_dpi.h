#pragma once

#include "main_window/form_geometry.h"

namespace quorl {

// The screen's resolution as the system reports it to this process: the real
// one for a DPI-aware program, 96 for any other.
Dpi SystemDpi();

}  // namespace quorl
