#include "box_name_subclass.h"

#include <commctrl.h>

#include "iaccessible_wrapper.h"
#include "main_window/accessible_names.h"
#include "wide_text.h"

namespace quorl {
namespace {

constexpr UINT_PTR kNameSubclassId = 1;

// The box answers a screen reader's request for its client object with the
// system's object under the box's accessible name. Where that cannot be made,
// the system answers as before, with its own object.
LRESULT CALLBACK AnswerUnderLabel(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR row) {
    // The object ID comes as a 32-bit value; on 64-bit Windows lParam would
    // carry it sign-extended.
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        const ControlId control = reinterpret_cast<const ControlLayout*>(row)->id;
        const Microsoft::WRL::ComPtr<IAccessible> named =
            WrapSystemAccessible(box, ToWide(AccessibleName(control)));
        if (named != nullptr) {
            // The result holds a reference of its own for the screen reader.
            const LRESULT result = ::LresultFromObject(__uuidof(IAccessible), wParam, named.Get());
            if (result > 0) {
                return result;
            }
        }
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(box, AnswerUnderLabel, kNameSubclassId);
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace

void NameBoxForScreenReaders(HWND box, const ControlLayout& layout) {
    ::SetWindowSubclass(box, AnswerUnderLabel, kNameSubclassId,
                        reinterpret_cast<DWORD_PTR>(&layout));
}

}  // namespace quorl
