#include "screen_dpi.h"

#include <windows.h>

#include "gdi_handles.h"

namespace quorl {

Dpi SystemDpi() {
    const ScreenDc screen;
    return {::GetDeviceCaps(screen.get(), LOGPIXELSX), ::GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

}  // namespace quorl
