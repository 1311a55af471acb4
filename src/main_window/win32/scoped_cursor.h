#pragma once

#include <windows.h>

namespace quorl {

// The system's cursors. Their IDC_ names are ANSI or wide by the UNICODE
// macro, which this build does not set.
inline HCURSOR ArrowCursor() {
    return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
}
inline HCURSOR WaitCursor() {
    return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));  // IDC_WAIT
}

// Shows a cursor while in scope, then the one shown before (the arrow when
// there was none). While the window's thread is blocked no WM_SETCURSOR is
// handled, so the cursor stays as set.
class ScopedCursor {
public:
    explicit ScopedCursor(HCURSOR cursor) : previous_(::SetCursor(cursor)) {}
    ~ScopedCursor() { ::SetCursor(previous_ != nullptr ? previous_ : ArrowCursor()); }
    ScopedCursor(const ScopedCursor&) = delete;
    ScopedCursor& operator=(const ScopedCursor&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace quorl
