#include "window_driver.h"

#include <chrono>

#include "main_window/win32/message_loop.h"

namespace quorl::testing {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);
// A watcher outliving its test by this much has lost its test.
constexpr auto kWatchLimit = std::chrono::seconds(60);

bool IsIconControl(HWND control) {
    return (::GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM parameter) {
    auto& box = *reinterpret_cast<SeenMessageBox*>(parameter);
    wchar_t className[16] = {};
    ::GetClassNameW(child, className, 16);
    if (std::wstring_view(className) != L"Static") {
        return TRUE;
    }
    if (IsIconControl(child)) {
        box.hasIcon = box.hasIcon ||
                      (::IsWindowVisible(child) && ::SendMessageW(child, STM_GETICON, 0, 0) != 0);
    } else if (const std::wstring text = WindowText(child); !text.empty()) {
        box.text += text;
    }
    return TRUE;
}

BOOL CALLBACK FindQuorlBox(HWND window, LPARAM parameter) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring_view(className) == L"#32770" && ::IsWindowVisible(window) &&
        WindowText(window) == L"Quorl") {
        *reinterpret_cast<HWND*>(parameter) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void PumpMessages(HWND form) {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchFormMessage(form, message);
    }
}

void TypeInto(HWND box, std::wstring_view text) {
    ::SetFocus(box);
    ::SendMessageW(box, EM_SETSEL, 0, -1);
    ::SendMessageW(box, WM_CLEAR, 0, 0);
    for (const wchar_t character : text) {
        ::SendMessageW(box, WM_CHAR, character, 1);
    }
}

void PressKey(HWND form, WPARAM virtualKey) {
    const HWND focus = ::GetFocus();
    const UINT scanCode = ::MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    ::PostMessageW(focus, WM_KEYDOWN, virtualKey, 1 | (scanCode << 16));
    ::PostMessageW(focus, WM_KEYUP, virtualKey, 1 | (scanCode << 16) | (3u << 30));
    PumpMessages(form);
}

void Click(HWND button) {
    ::SendMessageW(button, BM_CLICK, 0, 0);
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

MessageBoxCloser::MessageBoxCloser(DWORD guiThread)
    : guiThread_(guiThread), watcher_([this] { Watch(); }) {}

MessageBoxCloser::~MessageBoxCloser() {
    stop_ = true;
    watcher_.join();
}

std::vector<SeenMessageBox> MessageBoxCloser::Seen() {
    const std::lock_guard lock(mutex_);
    return seen_;
}

void MessageBoxCloser::Watch() {
    const auto deadline = std::chrono::steady_clock::now() + kWatchLimit;
    while (!stop_ && std::chrono::steady_clock::now() < deadline) {
        HWND box = nullptr;
        ::EnumThreadWindows(guiThread_, FindQuorlBox, reinterpret_cast<LPARAM>(&box));
        if (box == nullptr) {
            std::this_thread::sleep_for(kPollInterval);
            continue;
        }
        SeenMessageBox seen;
        ::EnumChildWindows(box, ReadBoxChild, reinterpret_cast<LPARAM>(&seen));
        {
            const std::lock_guard lock(mutex_);
            seen_.push_back(seen);
        }
        // The OK button, clicked; the box's thread handles the click.
        ::SendMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        // Until the box has gone, it must not be read twice.
        while (::IsWindow(box) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(kPollInterval);
        }
    }
}

}  // namespace quorl::testing
