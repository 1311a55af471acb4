#pragma once

#include "controls.h"

namespace quorl {

// The number that identifies a control of Form1 to the window system (its
// control ID, which UI Automation gives scripts as the AutomationId). It comes
// from the control's name alone, so a control added to the layout table
// leaves every other number as it was. The thousands tell the kind of name,
// the tens the name's counter (both from kControlNames), the units the index
// in a control array: Text4(5) is 1045, Label9 2090, Command1 3010, Frame1
// 4010; Form1, which is no control, 0. All lie past the numbers that dialog
// navigation sends for Enter and Escape (1 and 2).
int NumericControlId(ControlId control);

}  // namespace quorl
