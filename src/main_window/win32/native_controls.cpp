#include "native_controls.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "gdi_handles.h"

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

// The first control ID of each kind of name.
struct NameKind {
    std::string_view prefix;
    int firstId;
};
constexpr std::array<NameKind, 4> kNameKinds = {{
    {"Text", 1000},
    {"Label", 2000},
    {"Command", 3000},
    {"Frame", 4000},
}};

// Edges in twips from the form's client area.
struct FormEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

FormEdges EdgesOnForm(const ControlLayout& layout) {
    int left = layout.left;
    int top = layout.top;
    for (const ControlLayout* container = FindLayout({layout.container}); container != nullptr;
         container = FindLayout({container->container})) {
        left += container->left;
        top += container->top;
    }
    return {left, top, left + layout.width, top + layout.height};
}

// The pixel where the container's client area starts on the form.
POINT ContainerOrigin(const ControlLayout& layout, Dpi dpi) {
    const ControlLayout* container = FindLayout({layout.container});
    if (container == nullptr) {
        return {0, 0};
    }
    const FormEdges edges = EdgesOnForm(*container);
    return {TwipsToPixels(edges.left, dpi.x), TwipsToPixels(edges.top, dpi.y)};
}

}  // namespace

Dpi SystemDpi() {
    const ScreenDc screen;
    return {::GetDeviceCaps(screen.get(), LOGPIXELSX), ::GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

PixelRect ToPixels(const ControlLayout& layout, Dpi dpi) {
    const FormEdges edges = EdgesOnForm(layout);
    const int left = TwipsToPixels(edges.left, dpi.x);
    const int top = TwipsToPixels(edges.top, dpi.y);
    const POINT origin = ContainerOrigin(layout, dpi);
    return {left - origin.x, top - origin.y, TwipsToPixels(edges.right, dpi.x) - left,
            TwipsToPixels(edges.bottom, dpi.y) - top};
}

int ControlIdOf(ControlId control) {
    const std::string_view name = ControlBaseName(control.name);
    const std::size_t counterAt = std::min(name.find_first_of("0123456789"), name.size());
    int counter = 0;
    std::from_chars(name.data() + counterAt, name.data() + name.size(), counter);
    for (const NameKind& kind : kNameKinds) {
        if (kind.prefix == name.substr(0, counterAt)) {
            return kind.firstId + 10 * counter + control.index;
        }
    }
    return 0;  // Form1, which is no control
}

HWND CreateNativeControl(HWND parent, const ControlLayout& layout, Dpi dpi, HFONT font) {
    const NativeClass native = NativeClassOf(layout.kind);
    const PixelRect rect = ToPixels(layout, dpi);
    const HWND control = ::CreateWindowExW(
        native.extendedStyle, native.className, ToWide(layout.text).c_str(), native.style,
        rect.left, rect.top, rect.width, rect.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlIdOf(layout.id))),
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (control != nullptr) {
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string FromWide(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

}  // namespace quorl
