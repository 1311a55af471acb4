#pragma once

#include "gdi_handles.h"
#include "main_window/form_geometry.h"

namespace quorl {

// The font of every control of Form1: the system's message font, made
// smaller while a label's caption would not fit its width.
UniqueFont CreateFormFont(Dpi dpi);

}  // namespace quorl
