#include "numeric_control_ids.h"

#include <cstddef>

namespace quorl {
namespace {

constexpr int kKindStep = 1000;
constexpr int kCounterStep = 10;

// The kind's thousands plus ten times the name's counter; the form has none.
constexpr int NameBase(ControlName name) {
    const ControlNameRow& row = NameRow(name);
    return row.kind == NameKind::Form
               ? 0
               : static_cast<int>(row.kind) * kKindStep + row.counter * kCounterStep;
}

// Every row at its name's place, so NameRow finds it, and no spelling or
// number in two rows.
constexpr bool EachNameInOneRow() {
    for (std::size_t i = 0; i < kControlNames.size(); ++i) {
        const ControlNameRow& row = kControlNames[i];
        if (static_cast<std::size_t>(row.name) != i) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (kControlNames[j].spelling == row.spelling ||
                NameBase(kControlNames[j].name) == NameBase(row.name)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(EachNameInOneRow(), "kControlNames: a row out of order, or a spelling or ID twice");
// An index in the units never reaches the next name's number.
static_assert(kResultBoxCount <= kCounterStep);

}  // namespace

int NumericControlId(ControlId control) {
    const int base = NameBase(control.name);
    return base == 0 ? 0 : base + control.index;
}

}  // namespace quorl
