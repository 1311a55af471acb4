#pragma once

#include <oleacc.h>
#include <windows.h>
#include <wrl/client.h>

#include <string>

namespace quorl {

// A COM object wrapping the system's own accessible object for the control's
// client area: it answers another name, and its role, value, state and
// everything else stay the system's. Null when the system has none for the
// control.
Microsoft::WRL::ComPtr<IAccessible> WrapSystemAccessible(HWND control, std::wstring name);

}  // namespace quorl
