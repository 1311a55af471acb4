#pragma once

#include <oleacc.h>
#include <windows.h>
#include <wrl/client.h>

#include <string>

namespace quorl {

// The system's own accessible object for the control's client area, under
// another name; its role, value, state and everything else stay the
// system's. Null when the system has none for the control.
Microsoft::WRL::ComPtr<IAccessible> NamedAccessibleObject(HWND control, std::wstring name);

}  // namespace quorl
