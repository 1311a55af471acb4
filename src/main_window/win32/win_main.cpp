#include <windows.h>

#include "message_loop.h"
#include "network/platform/win32/win32_platform.h"
#include "win32_form.h"

// Shows Form1 and runs its event loop until the window is closed.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    quorl::Win32Platform platform;
    const auto form = quorl::Win32Form::Create(instance, platform);
    if (form == nullptr) {
        return 1;
    }
    ::ShowWindow(form->Window(), showCommand);
    ::UpdateWindow(form->Window());
    return quorl::RunMessageLoop(form->Window());
}
