#pragma once

#include "gdi_handles.h"
#include "native_controls.h"

namespace quorl {

// The font of every control of Form1: the system's message font, made
// smaller while a label's caption would not fit its width.
UniqueFont CreateFormFont(Dpi dpi);

}  // namespace quorl
