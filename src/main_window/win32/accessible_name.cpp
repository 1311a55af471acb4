#include "accessible_name.h"

#include <commctrl.h>

#include "named_accessible.h"
#include "native_controls.h"

namespace quorl {
namespace {

constexpr UINT_PTR kNameSubclassId = 1;

// The box answers a screen reader's request for its client object with the
// system's object under the label's caption. Where that cannot be made, the
// system answers as before, with its own object.
LRESULT CALLBACK AnswerUnderLabel(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR label) {
    // The object ID comes as a 32-bit value; on 64-bit Windows lParam would
    // carry it sign-extended.
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        const auto& caption = reinterpret_cast<const ControlLayout*>(label)->text;
        const Microsoft::WRL::ComPtr<IAccessible> named =
            NamedAccessibleObject(box, ToWide(caption));
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

void NameAfterLabel(HWND box, const ControlLayout& label) {
    ::SetWindowSubclass(box, AnswerUnderLabel, kNameSubclassId,
                        reinterpret_cast<DWORD_PTR>(&label));
}

}  // namespace quorl
