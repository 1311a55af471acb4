// The names, accessible names and control IDs of Form1's controls, written
// out by hand.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "accessible_name_table.h"
#include "main_window/accessible_names.h"
#include "main_window/controls.h"
#include "main_window/form_layout.h"
#include "main_window/numeric_control_ids.h"

namespace quorl {
namespace {

using enum ControlName;

TEST(ControlNameTextTest, NameWithIndexForTheResultBoxes) {
    EXPECT_EQ(ControlNameText({Form1}), "Form1");
    EXPECT_EQ(ControlNameText({Text1}), "Text1");
    EXPECT_EQ(ControlNameText(quorl::Text4(0)), "Text4(0)");
    EXPECT_EQ(ControlNameText(quorl::Text4(5)), "Text4(5)");
    EXPECT_EQ(ControlNameText({Label9}), "Label9");
    EXPECT_EQ(ControlNameText({Command1}), "Command1");
}

// Scripts find the controls by these numbers, so they must not move.
TEST(NumericControlIdTest, FromTheNameAndIndex) {
    EXPECT_EQ(NumericControlId({Form1}), 0);
    EXPECT_EQ(NumericControlId({Text1}), 1010);
    EXPECT_EQ(NumericControlId({Text3}), 1030);
    EXPECT_EQ(NumericControlId(quorl::Text4(0)), 1040);
    EXPECT_EQ(NumericControlId(quorl::Text4(5)), 1045);
    EXPECT_EQ(NumericControlId({Label1}), 2010);
    EXPECT_EQ(NumericControlId({Label9}), 2090);
    EXPECT_EQ(NumericControlId({Command1}), 3010);
    EXPECT_EQ(NumericControlId({Frame1}), 4010);
}

// Each must be the control's own, and none may be one that dialog navigation
// sends for Enter (1) or Escape (2), or a control's notifications would pass
// for those keys.
TEST(NumericControlIdTest, EveryControlHasOneOfItsOwnPastEnterAndEscape) {
    std::set<int> seen;
    for (const ControlLayout& layout : Form1Layout().controls) {
        const int id = NumericControlId(layout.id);
        EXPECT_GT(id, 2) << ControlNameText(layout.id);
        EXPECT_TRUE(seen.insert(id).second) << ControlNameText(layout.id) << " shares " << id;
    }
}

TEST(AccessibleNameTest, BoxesByTheirLabelEverythingElseByItsCaption) {
    for (const auto& [control, name] : testing::kAccessibleNames) {
        EXPECT_TRUE(AccessibleName(control) == name) << ControlNameText(control);
    }
    EXPECT_EQ(std::size(testing::kAccessibleNames), Form1Layout().controls.size() + 1)
        << "a control left out";
}

}  // namespace
}  // namespace quorl
