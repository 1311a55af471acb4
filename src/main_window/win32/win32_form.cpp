#include "win32_form.h"

#include <commctrl.h>

#include <cstdlib>

#include "main_window/echo_command.h"
#include "main_window/form_layout.h"
#include "native_controls.h"
#include "resource_ids.h"

namespace quorl {
namespace {

constexpr wchar_t kWindowClass[] = L"QuorlForm1";
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR kFrameSubclassId = 1;
// Font heights in twips: 8.25 points where the system names no size, and
// never smaller than 6 points.
constexpr int kDefaultFontHeight = 165;
constexpr int kSmallestFontHeight = 120;

// The frame is the parent of its own controls; their notifications and colour
// requests belong to the form. A group box draws only its line and caption,
// so the frame fills its inside with the form's colour itself.
LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT inside{};
            ::GetClientRect(frame, &inside);
            ::FillRect(reinterpret_cast<HDC>(wParam), &inside, ::GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_COMMAND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return ::SendMessageW(::GetParent(frame), message, wParam, lParam);
        default:
            return ::DefSubclassProc(frame, message, wParam, lParam);
    }
}

bool RegisterFormClass(HINSTANCE instance, WNDPROC windowProc) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(kApplicationIconId));
    windowClass.hIconSm = static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(kApplicationIconId), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LOGFONTW MessageFontFace(Dpi dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTW), &metrics.lfMessageFont);
    }
    if (metrics.lfMessageFont.lfHeight == 0) {
        metrics.lfMessageFont.lfHeight = -TwipsToPixels(kDefaultFontHeight, dpi.y);
    }
    return metrics.lfMessageFont;
}

// Whether every label's caption fits its width in the font: labels cut their
// text off, where boxes would scroll it.
bool CaptionsFit(HFONT font, Dpi dpi) {
    const ScreenDc screen;
    const HGDIOBJ previous = ::SelectObject(screen.get(), font);
    bool fit = true;
    for (const ControlLayout& layout : Form1Layout().controls) {
        if (layout.kind != ControlKind::Label) {
            continue;
        }
        const std::wstring caption = ToWide(layout.text);
        SIZE extent{};
        ::GetTextExtentPoint32W(screen.get(), caption.c_str(), static_cast<int>(caption.size()),
                                &extent);
        fit = fit && extent.cx <= TwipsToPixels(layout.width, dpi.x);
    }
    ::SelectObject(screen.get(), previous);
    return fit;
}

// The system's message font, a pixel smaller at a time while a caption would
// not fit its label: the system's font may be wider than the one the layout
// was drawn for.
UniqueFont CreateFormFont(Dpi dpi) {
    LOGFONTW face = MessageFontFace(dpi);
    const LONG smallest = TwipsToPixels(kSmallestFontHeight, dpi.y);
    for (;;) {
        UniqueFont font(::CreateFontIndirectW(&face));
        if (CaptionsFit(font.get(), dpi) || std::abs(face.lfHeight) <= smallest) {
            return font;
        }
        face.lfHeight += face.lfHeight < 0 ? 1 : -1;
    }
}

// The outer size of a window whose client area is the form's size in twips.
SIZE FormWindowSize(Dpi dpi) {
    const FormLayout& form = Form1Layout();
    RECT rect{0, 0, TwipsToPixels(form.clientWidth, dpi.x),
              TwipsToPixels(form.clientHeight, dpi.y)};
    ::AdjustWindowRectEx(&rect, kFormStyle, FALSE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

std::unique_ptr<Win32Form> Win32Form::Create(HINSTANCE instance, Platform& platform) {
    if (!RegisterFormClass(instance, &WindowProc)) {
        return nullptr;
    }
    std::unique_ptr<Win32Form> form(new Win32Form(platform));
    const SIZE size = FormWindowSize(SystemDpi());
    ::CreateWindowExW(0, kWindowClass, ToWide(Form1Layout().caption).c_str(), kFormStyle,
                      CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance,
                      form.get());
    if (form->window_ == nullptr || !form->CreateControls()) {
        return nullptr;
    }
    return form;
}

Win32Form::Win32Form(Platform& platform)
    : platform_(platform), font_(CreateFormFont(SystemDpi())) {}

Win32Form::~Win32Form() {
    if (window_ != nullptr && ::IsWindow(window_)) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

// Controls are created in tab-index order and each goes to the bottom of its
// siblings, so the z-order is the tab order: the form's boxes lie above the
// frame, and dialog navigation visits the controls in tab-index order.
bool Win32Form::CreateControls() {
    const Dpi dpi = SystemDpi();
    HWND frame = nullptr;
    for (const ControlLayout& layout : Form1Layout().controls) {
        const HWND parent = layout.container == ControlName::Frame1 ? frame : window_;
        const HWND control = CreateNativeControl(parent, layout, dpi, font_.get());
        if (control == nullptr) {
            return false;
        }
        ::SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (layout.kind == ControlKind::Frame) {
            frame = control;
            ::SetWindowSubclass(frame, FrameProc, kFrameSubclassId, 0);
        }
        controls_.emplace_back(layout.id, control);
    }
    return true;
}

HWND Win32Form::Control(ControlId control) const {
    for (const auto& [id, window] : controls_) {
        if (id == control) {
            return window;
        }
    }
    return nullptr;
}

std::u16string Win32Form::Text(ControlId box) {
    const HWND control = Control(box);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    const int length = ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return FromWide(text);
}

void Win32Form::SetText(ControlId box, std::u16string_view text) {
    ::SetWindowTextW(Control(box), ToWide(text).c_str());
}

void Win32Form::Repaint(ControlId box) {
    const HWND control = Control(box);
    ::InvalidateRect(control, nullptr, TRUE);
    ::UpdateWindow(control);
}

void Win32Form::ShowMessageBox(std::u16string_view text, MessageIcon icon) {
    const UINT type = MB_OK | (icon == MessageIcon::Warning ? MB_ICONEXCLAMATION : 0);
    ::MessageBoxW(window_, ToWide(text).c_str(), ToWide(kApplicationTitle).c_str(), type);
}

LRESULT CALLBACK Win32Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<Win32Form*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* form = reinterpret_cast<Win32Form*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return form->OnMessage(message, wParam, lParam);
}

LRESULT Win32Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_ACTIVATE:
            // Like a dialog: focus goes back where it was when the window
            // is activated again.
            if (LOWORD(wParam) == WA_INACTIVE) {
                lastFocus_ = ::GetFocus();
            } else {
                const HWND focus = lastFocus_ != nullptr && ::IsChild(window_, lastFocus_)
                                       ? lastFocus_
                                       : ::GetNextDlgTabItem(window_, nullptr, FALSE);
                ::SetFocus(focus);
            }
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(window_, message, wParam, lParam);
    }
}

// The window's one event: a click of Command1. Enter and Escape arrive as
// IDOK and IDCANCEL and start nothing.
void Win32Form::OnCommand(int controlId, int notification) {
    const HWND button = Control({ControlName::Command1});
    if (notification == BN_CLICKED && controlId == ::GetDlgCtrlID(button)) {
        EchoCommand(*this, platform_);
    }
}

}  // namespace quorl
