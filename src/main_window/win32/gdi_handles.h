#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quorl {

struct GdiObjectDeleter {
    void operator()(HFONT font) const { ::DeleteObject(font); }
};

// A font that the program created and deletes when done with it.
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

// The screen's device context for as long as it is in scope.
class ScreenDc {
public:
    ScreenDc() : dc_(::GetDC(nullptr)) {}
    ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace quorl
