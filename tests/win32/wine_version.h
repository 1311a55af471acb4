#pragma once

#include <windows.h>

namespace quorl::testing {

// The major version of the Wine this program runs under ("8.0" gives 8), or
// 0 on Windows itself. Some of Wine's differences from Windows are gone in
// later Wines, and a test accepts each only from the Wines that have it.
inline int WineMajorVersion() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    if (ntdll == nullptr) {
        return 0;
    }
    using GetVersion = const char*(__cdecl*)();
    // Through void (*)(), the one function type that casts to any other
    // without a warning.
    const auto wineGetVersion = reinterpret_cast<GetVersion>(
        reinterpret_cast<void (*)()>(::GetProcAddress(ntdll, "wine_get_version")));
    if (wineGetVersion == nullptr) {
        return 0;
    }
    int major = 0;
    for (const char* digit = wineGetVersion(); *digit >= '0' && *digit <= '9'; ++digit) {
        major = major * 10 + (*digit - '0');
    }
    return major;
}

}  // namespace quorl::testing
