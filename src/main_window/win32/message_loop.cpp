#include "message_loop.h"

namespace quorl {

void DispatchFormMessage(HWND form, MSG& message) {
    if (!::IsDialogMessageW(form, &message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

int RunMessageLoop(HWND form) {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchFormMessage(form, message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace quorl
