#pragma once

namespace quorl {

// The wait cursor over the whole application for as long as it lives. A run
// holds the window's thread, so nothing else would say that it is working.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Lifts the wait cursor, if one is set, for as long as it lives, and sets it
// again afterwards: the user points at a message box's button with the arrow.
class NormalCursorWhileOpen {
public:
    NormalCursorWhileOpen();
    ~NormalCursorWhileOpen();
    NormalCursorWhileOpen(const NormalCursorWhileOpen&) = delete;
    NormalCursorWhileOpen& operator=(const NormalCursorWhileOpen&) = delete;

private:
    bool lifted_ = false;
};

}  // namespace quorl
