#pragma once

#include "message_boxes.h"
#include "platform/platform.h"

namespace quorl {

// Initializes Windows Sockets 1.1; true on success. Says nothing on failure:
// the caller decides what to tell the user.
bool SocketsInitialize(Platform& platform);

// Undoes one initialization; warns the user when that fails.
void SocketsCleanup(Platform& platform, MessageBoxes& messageBoxes);

}  // namespace quorl
