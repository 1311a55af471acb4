#include "native_controls.h"

#include "main_window/numeric_control_ids.h"
#include "wide_text.h"

namespace quorl {
namespace {

struct NativeClass {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
};

// Every control clips its siblings, so that the boxes that belong to the form
// stay drawn above the frame that they overlap.
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

NativeClass NativeClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
            return {L"EDIT", kChildStyle | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::Frame:
            // The frame contains its own controls; dialog navigation steps
            // into it to reach them.
            return {L"BUTTON", kChildStyle | WS_CLIPCHILDREN | BS_GROUPBOX, WS_EX_CONTROLPARENT};
        case ControlKind::Label:
            return {L"STATIC", kChildStyle | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
        case ControlKind::CommandButton:
            // A plain push button: neither default nor cancel button.
            return {L"BUTTON", kChildStyle | WS_TABSTOP | BS_PUSHBUTTON, 0};
    }
    return {L"STATIC", kChildStyle, 0};
}

}  // namespace

HWND CreateNativeControl(HWND parent, const ControlLayout& layout, Dpi dpi, HFONT font) {
    const NativeClass native = NativeClassOf(layout.kind);
    const PixelRect rect = PixelRectOf(layout, dpi);
    const HWND control = ::CreateWindowExW(
        native.extendedStyle, native.className, ToWide(layout.text).c_str(), native.style,
        rect.left, rect.top, rect.width, rect.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(NumericControlId(layout.id))),
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (control != nullptr) {
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

}  // namespace quorl
