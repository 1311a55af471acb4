#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quorl::testing {

// Under Wine, starts the process that draws the desktop and waits until it
// is ready; elsewhere does nothing. Wine's first window otherwise starts it
// and waits ten seconds, which a busy emulated machine can exceed: the
// desktop is then made without it, and no window of that Wine session can
// be created.
void StartWineDesktop();

// Hands every message waiting for this thread to the form, as its message
// loop would.
void PumpMessages(HWND form);

// Types text into a box as keystrokes would: selects what it holds, then
// sends one character at a time.
void TypeInto(HWND box, std::wstring_view text);

// Presses and releases a key on the control that has the focus, through the
// message queue, and lets the form handle it.
void PressKey(HWND form, WPARAM virtualKey);

// A click of a push button: mouse down and up on it, as BM_CLICK sends them.
void Click(HWND button);

std::wstring WindowText(HWND window);

// The name and role of an accessible object; an empty name and role 0 when
// there is no object.
struct AccessibleReading {
    std::wstring name;
    long role = 0;
};
// What a screen reader reads of a control: the object that
// AccessibleObjectFromWindow gives for its client area.
AccessibleReading ReadAccessible(HWND control);
// The system's own object for the control's client area, whatever the
// control answers.
AccessibleReading ReadSystemAccessible(HWND control);

// Whether the control's client area, as drawn on the screen, is all one
// colour: an empty box, with no text left on it.
bool ShowsOneColour(HWND control);

// Calls a function on this thread each time a message box is created on it,
// from inside the call that shows the box.
class MessageBoxWatch {
public:
    explicit MessageBoxWatch(std::function<void()> onBox);
    ~MessageBoxWatch();
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    static MessageBoxWatch* active_;
    std::function<void()> onBox_;
    HHOOK hook_ = nullptr;
};

struct SeenMessageBox {
    std::wstring text;
    bool hasIcon = false;
};

// Watches a thread for message boxes captioned "Quorl", reads each one and
// closes it with its OK button, while that thread is blocked inside it.
class MessageBoxCloser {
public:
    explicit MessageBoxCloser(DWORD guiThread);
    ~MessageBoxCloser();
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    std::vector<SeenMessageBox> Seen();

private:
    void Watch();

    DWORD guiThread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SeenMessageBox> seen_;
    std::thread watcher_;
};

}  // namespace quorl::testing
