#pragma once

#include "form_runtime.h"
#include "network/platform/platform.h"

namespace quorl {

// The click of Command1: one echo from the window's input boxes into its six
// result boxes, with the name lookup before or after it.
void EchoCommand(FormRuntime& form, Platform& platform);

}  // namespace quorl
