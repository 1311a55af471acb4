#include "form_builder.h"

#include <commctrl.h>

#include "box_name_subclass.h"
#include "main_window/form_layout.h"
#include "native_controls.h"
#include "resource_ids.h"
#include "scoped_cursor.h"
#include "screen_dpi.h"
#include "wide_text.h"

namespace quorl {
namespace {

constexpr wchar_t kWindowClass[] = L"QuorlForm1";
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR kFrameSubclassId = 1;

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
    windowClass.hCursor = ArrowCursor();
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The outer size of a window whose client area is the form's size in twips.
SIZE FormWindowSize(Dpi dpi) {
    const PixelSize client = ClientPixelSize(Form1Layout(), dpi);
    RECT rect{0, 0, client.width, client.height};
    ::AdjustWindowRectEx(&rect, kFormStyle, FALSE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

HWND CreateFormWindow(HINSTANCE instance, WNDPROC windowProc, void* creationData) {
    if (!RegisterFormClass(instance, windowProc)) {
        return nullptr;
    }
    const SIZE size = FormWindowSize(SystemDpi());
    return ::CreateWindowExW(0, kWindowClass, ToWide(Form1Layout().caption).c_str(), kFormStyle,
                             CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr,
                             instance, creationData);
}

// Controls are created in tab-index order and each goes to the bottom of its
// siblings, so the z-order is the tab order: the form's boxes lie above the
// frame, and dialog navigation visits the controls in tab-index order.
NativeControls CreateFormControls(HWND form, Dpi dpi, HFONT font) {
    NativeControls controls;
    HWND frame = nullptr;
    for (const ControlLayout& layout : Form1Layout().controls) {
        const HWND parent = layout.container == ControlName::Frame1 ? frame : form;
        const HWND control = CreateNativeControl(parent, layout, dpi, font);
        if (control == nullptr) {
            return {};
        }
        ::SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (layout.kind == ControlKind::Frame) {
            frame = control;
            ::SetWindowSubclass(frame, FrameProc, kFrameSubclassId, 0);
        }
        if (layout.kind == ControlKind::TextBox) {
            NameBoxForScreenReaders(control, layout);
        }
        controls.emplace_back(layout.id, control);
    }
    return controls;
}

}  // namespace quorl
