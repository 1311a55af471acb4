#include "numeric_control_ids.h"

namespace quorl {
namespace {

constexpr int kTextBase = 1000;
constexpr int kLabelBase = 2000;
constexpr int kCommandBase = 3000;
constexpr int kFrameBase = 4000;

// The kind's thousands plus ten times the name's counter. No default case,
// so the compiler names any control left out.
constexpr int NameBase(ControlName name) {
    switch (name) {
        case ControlName::Form1:
            return 0;
        case ControlName::Frame1:
            return kFrameBase + 10;
        case ControlName::Command1:
            return kCommandBase + 10;
        case ControlName::Text1:
            return kTextBase + 10;
        case ControlName::Text2:
            return kTextBase + 20;
        case ControlName::Text3:
            return kTextBase + 30;
        case ControlName::Text4:
            return kTextBase + 40;
        case ControlName::Label1:
            return kLabelBase + 10;
        case ControlName::Label2:
            return kLabelBase + 20;
        case ControlName::Label3:
            return kLabelBase + 30;
        case ControlName::Label4:
            return kLabelBase + 40;
        case ControlName::Label5:
            return kLabelBase + 50;
        case ControlName::Label6:
            return kLabelBase + 60;
        case ControlName::Label7:
            return kLabelBase + 70;
        case ControlName::Label8:
            return kLabelBase + 80;
        case ControlName::Label9:
            return kLabelBase + 90;
    }
    return 0;
}

}  // namespace

int NumericControlId(ControlId control) {
    const int base = NameBase(control.name);
    return base == 0 ? 0 : base + control.index;
}

}  // namespace quorl
