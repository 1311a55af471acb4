#include "window_driver.h"

#include <oleacc.h>
#include <wrl/client.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <memory>

#include "main_window/win32/com_apartment.h"
#include "main_window/win32/message_loop.h"

namespace quorl::testing {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);
// A watcher outliving its test by this much has lost its test.
constexpr auto kWatchLimit = std::chrono::seconds(60);
// A quarter of an hour: minutes in an emulated machine under load.
constexpr DWORD kDesktopStartLimit = 15 * 60 * 1000;

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

struct BstrDeleter {
    void operator()(BSTR text) const { ::SysFreeString(text); }
};
using UniqueBstr = std::unique_ptr<OLECHAR, BstrDeleter>;

// A VARIANT that clears what it holds when it goes.
class ScopedVariant {
public:
    ScopedVariant() { ::VariantInit(&value_); }
    ~ScopedVariant() { ::VariantClear(&value_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT* get() { return &value_; }

private:
    VARIANT value_;
};

AccessibleReading ReadNameAndRole(IAccessible* object) {
    AccessibleReading reading;
    if (object == nullptr) {
        return reading;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT named = object->get_accName(self, &name);
    const UniqueBstr ownedName(name);
    if (named == S_OK && name != nullptr) {
        reading.name.assign(name, ::SysStringLen(name));
    }
    ScopedVariant role;
    if (SUCCEEDED(object->get_accRole(self, role.get())) && role.get()->vt == VT_I4) {
        reading.role = role.get()->lVal;
    }
    return reading;
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

void StartWineDesktop() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr || ::GetProcAddress(ntdll, "wine_get_version") == nullptr) {
        return;
    }
    std::array<wchar_t, MAX_PATH> system{};
    ::GetSystemDirectoryW(system.data(), MAX_PATH);
    // As Wine starts it for a window: explorer.exe /desktop, detached.
    const std::wstring program = std::wstring(system.data()) + L"\\explorer.exe";
    std::wstring commandLine = program + L" /desktop";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                          DETACHED_PROCESS, nullptr, system.data(), &startup, &process)) {
        return;
    }
    ::WaitForInputIdle(process.hProcess, kDesktopStartLimit);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

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

AccessibleReading ReadAccessible(HWND control) {
    const ComApartment apartment;
    Microsoft::WRL::ComPtr<IAccessible> object;
    ::AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                 reinterpret_cast<void**>(object.GetAddressOf()));
    return ReadNameAndRole(object.Get());
}

AccessibleReading ReadSystemAccessible(HWND control) {
    Microsoft::WRL::ComPtr<IAccessible> object;
    ::CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                reinterpret_cast<void**>(object.GetAddressOf()));
    return ReadNameAndRole(object.Get());
}

bool ShowsOneColour(HWND control) {
    RECT inside{};
    ::GetClientRect(control, &inside);
    const int width = inside.right;
    const int height = inside.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC screen = ::GetDC(control);
    const HDC copy = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = ::SelectObject(copy, bitmap);
    ::BitBlt(copy, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const bool oneColour = std::all_of(pixels, pixels + count,
                                       [&](std::uint32_t pixel) { return pixel == pixels[0]; });
    ::SelectObject(copy, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(copy);
    ::ReleaseDC(control, screen);
    return oneColour;
}

// The hook procedure has no context of its own: one watch at a time.
MessageBoxWatch* MessageBoxWatch::active_ = nullptr;

MessageBoxWatch::MessageBoxWatch(std::function<void()> onBox) : onBox_(std::move(onBox)) {
    active_ = this;
    hook_ = ::SetWindowsHookExW(WH_CBT, OnCbt, nullptr, ::GetCurrentThreadId());
}

MessageBoxWatch::~MessageBoxWatch() {
    ::UnhookWindowsHookEx(hook_);
    active_ = nullptr;
}

LRESULT CALLBACK MessageBoxWatch::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && active_ != nullptr) {
        wchar_t className[16] = {};
        ::GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16);
        if (std::wstring_view(className) == L"#32770") {
            active_->onBox_();
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
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
