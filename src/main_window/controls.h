#pragma once

#include <string>
#include <string_view>

namespace quorl {

// The controls of the main window, by their names; the six result boxes form
// the control array Text4, told apart by index.
enum class ControlName {
    Form1,
    Frame1,
    Command1,
    Text1,
    Text2,
    Text3,
    Text4,
    Label1,
    Label2,
    Label3,
    Label4,
    Label5,
    Label6,
    Label7,
    Label8,
    Label9,
};

// "Text4", "Command1": the name of a control as both windows and the tests
// spell it. No default case, so the compiler names any control left out.
constexpr std::string_view ControlBaseName(ControlName name) {
    switch (name) {
        case ControlName::Form1:
            return "Form1";
        case ControlName::Frame1:
            return "Frame1";
        case ControlName::Command1:
            return "Command1";
        case ControlName::Text1:
            return "Text1";
        case ControlName::Text2:
            return "Text2";
        case ControlName::Text3:
            return "Text3";
        case ControlName::Text4:
            return "Text4";
        case ControlName::Label1:
            return "Label1";
        case ControlName::Label2:
            return "Label2";
        case ControlName::Label3:
            return "Label3";
        case ControlName::Label4:
            return "Label4";
        case ControlName::Label5:
            return "Label5";
        case ControlName::Label6:
            return "Label6";
        case ControlName::Label7:
            return "Label7";
        case ControlName::Label8:
            return "Label8";
        case ControlName::Label9:
            return "Label9";
    }
    return {};
}

struct ControlId {
    ControlName name = ControlName::Form1;
    int index = 0;

    friend bool operator==(const ControlId&, const ControlId&) = default;
};

inline constexpr int kResultBoxCount = 6;

// A member of the Text4 control array.
constexpr ControlId Text4(int index) {
    return {ControlName::Text4, index};
}

// "Text1", "Text4(3)", "Command1": the one spelling of a control, with its
// index for a member of Text4. Qt's object names and the tests' logs use it.
std::string ControlNameText(ControlId control);

}  // namespace quorl
