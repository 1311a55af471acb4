// Twips to pixels, worked out by hand: 1440 twips an inch, whole pixels
// rounded down, each edge converted from its place on the form.
#include "main_window/form_geometry.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "form_pixels.h"
#include "main_window/controls.h"

namespace quorl {
namespace {

using testing::FormPixels;
using testing::PlacedControl;

TEST(TwipsToPixelsTest, RoundsDownToWholePixels) {
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(14, 96), 0);
    EXPECT_EQ(TwipsToPixels(1725, 96), 115);
    EXPECT_EQ(TwipsToPixels(1725, 144), 172);  // 172.5
    EXPECT_EQ(TwipsToPixels(75, 120), 6);      // 6.25
    EXPECT_EQ(TwipsToPixels(6270, 168), 731);  // 731.5
}

TEST(ContainerOffsetTest, FrameControlsStartWhereTheFrameStands) {
    const std::pair<ControlId, TwipPoint> cases[] = {
        {{ControlName::Label9}, {75, 75}},
        {{ControlName::Command1}, {75, 75}},
        {{ControlName::Text1}, {0, 0}},
        {{ControlName::Frame1}, {0, 0}},
    };
    for (const auto& [control, offset] : cases) {
        const ControlLayout* layout = FindLayout(control);
        ASSERT_NE(layout, nullptr) << ControlNameText(control);
        EXPECT_EQ(ContainerOffset(*layout), offset) << ControlNameText(control);
    }
}

void ExpectPixelRect(const PlacedControl& placed, Dpi dpi, const PixelRect& expected) {
    SCOPED_TRACE(ControlNameText(placed.control));
    const ControlLayout* layout = FindLayout(placed.control);
    ASSERT_NE(layout, nullptr);
    const PixelRect actual = PixelRectOf(*layout, dpi);
    EXPECT_EQ(actual, expected) << "is " << actual.left << "," << actual.top << " " << actual.width
                                << "x" << actual.height;
}

class PixelRectAtDpiTest : public ::testing::TestWithParam<FormPixels> {};

TEST_P(PixelRectAtDpiTest, EveryEdgeStandsWhereItsTwipsOnTheFormPutIt) {
    const FormPixels& form = GetParam();
    for (const PlacedControl& placed : form.controls) {
        ExpectPixelRect(placed, {form.dpi, form.dpi}, placed.pixels);
    }
    EXPECT_EQ(ClientPixelSize(Form1Layout(), {form.dpi, form.dpi}), form.client);
}

INSTANTIATE_TEST_SUITE_P(HandWorked, PixelRectAtDpiTest, ::testing::ValuesIn(testing::kFormPixels),
                         [](const auto& param) { return std::to_string(param.param.dpi) + "Dpi"; });

// Across as at 96 DPI, down as at 144.
TEST(PixelRectTest, EachAxisUsesItsOwnDpi) {
    const FormPixels& across = testing::kFormPixels[0];
    const FormPixels& down = testing::kFormPixels[2];
    ASSERT_EQ(across.dpi, 96);
    ASSERT_EQ(down.dpi, 144);
    for (const PlacedControl& placed : down.controls) {
        const PlacedControl* same = testing::FindPlaced(across, placed.control);
        ASSERT_NE(same, nullptr) << ControlNameText(placed.control);
        const PixelRect& x = same->pixels;
        const PixelRect& y = placed.pixels;
        ExpectPixelRect(placed, {96, 144}, {x.left, y.top, x.width, y.height});
    }
}

}  // namespace
}  // namespace quorl
