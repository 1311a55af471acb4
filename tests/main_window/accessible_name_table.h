#pragma once

// What assistive technology calls each control of Form1, written out by hand:
// each box by the caption of the label beside it, every other control, and
// the form, by its own caption.

#include <string_view>
#include <utility>

#include "main_window/controls.h"

namespace quorl::testing {

inline constexpr std::pair<ControlId, std::u16string_view> kAccessibleNames[] = {
    {{ControlName::Text1}, u"Host Name"},
    {{ControlName::Text2}, u"IP Address"},
    {Text4(0), u"Return Status"},
    {Text4(1), u"Address (dec)"},
    {Text4(2), u"Round Trip Time"},
    {Text4(3), u"Data Packet Size"},
    {Text4(4), u"Data Returned"},
    {Text4(5), u"Data Pointer"},
    {{ControlName::Frame1}, u"Quorl!"},
    {{ControlName::Label1}, u"IP Address"},
    {{ControlName::Label2}, u"Send"},
    {{ControlName::Label3}, u"Return Status"},
    {{ControlName::Label4}, u"Address (dec)"},
    {{ControlName::Label5}, u"Round Trip Time"},
    {{ControlName::Label6}, u"Data Packet Size"},
    {{ControlName::Label7}, u"Data Returned"},
    {{ControlName::Label8}, u"Data Pointer"},
    {{ControlName::Label9}, u"Host Name"},
    {{ControlName::Text3}, u"Send"},
    {{ControlName::Command1}, u"Quorl!"},
    {{ControlName::Form1}, u"Quorl!   Brindlow   3/28/03"},
};

// The name written out above; empty for a control left out.
inline std::u16string_view AccessibleNameByHand(ControlId control) {
    for (const auto& [named, name] : kAccessibleNames) {
        if (named == control) {
            return name;
        }
    }
    return {};
}

}  // namespace quorl::testing
