// Twips to pixels, worked out by hand: 1440 twips an inch, whole pixels
// rounded down, each edge converted from its place on the form.
#include "main_window/form_geometry.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "main_window/controls.h"

namespace quorl {
namespace {

const ControlLayout& Row(ControlId control) {
    const ControlLayout* layout = FindLayout(control);
    EXPECT_NE(layout, nullptr) << ControlNameText(control);
    return *layout;
}

TEST(TwipsToPixelsTest, RoundsDownToWholePixels) {
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(14, 96), 0);
    EXPECT_EQ(TwipsToPixels(1725, 96), 115);
    EXPECT_EQ(TwipsToPixels(1725, 144), 172);  // 172.5
    EXPECT_EQ(TwipsToPixels(75, 120), 6);      // 6.25
    EXPECT_EQ(TwipsToPixels(6270, 168), 731);  // 731.5
}

TEST(ContainerOffsetTest, FrameControlsStartWhereTheFrameStands) {
    EXPECT_EQ(ContainerOffset(Row({ControlName::Label9})), (TwipPoint{75, 75}));
    EXPECT_EQ(ContainerOffset(Row({ControlName::Command1})), (TwipPoint{75, 75}));
    EXPECT_EQ(ContainerOffset(Row({ControlName::Text1})), (TwipPoint{0, 0}));
    EXPECT_EQ(ContainerOffset(Row({ControlName::Frame1})), (TwipPoint{0, 0}));
}

struct ExpectedRect {
    ControlId control;
    PixelRect pixels;  // in the container
};

void ExpectRects(Dpi dpi, std::initializer_list<ExpectedRect> expected) {
    for (const ExpectedRect& row : expected) {
        const PixelRect actual = PixelRectOf(Row(row.control), dpi);
        EXPECT_EQ(actual, row.pixels)
            << ControlNameText(row.control) << " is " << actual.left << "," << actual.top << " "
            << actual.width << "x" << actual.height;
    }
}

TEST(PixelRectTest, At96DpiFifteenTwipsMakeAPixel) {
    ExpectRects({96, 96}, {
                              {{ControlName::Text1}, {115, 25, 161, 21}},
                              {Text4(5), {115, 235, 276, 21}},
                              {{ControlName::Frame1}, {5, 5, 406, 266}},
                              {{ControlName::Label9}, {10, 20, 91, 16}},
                              {{ControlName::Label2}, {10, 70, 56, 16}},
                              {{ControlName::Text3}, {110, 70, 161, 21}},
                              {{ControlName::Command1}, {290, 20, 96, 71}},
                          });
}

// At 144 DPI half pixels appear. Converting edges rather than sizes keeps
// what meets in twips together: Text3 and Command1 end on the same row,
// Text1 and Text3 start in the same column, though they have different
// containers.
TEST(PixelRectTest, At144DpiEdgesMeetWhereTheirTwipsMeet) {
    ExpectRects({144, 144}, {
                                {{ControlName::Text1}, {172, 37, 242, 32}},
                                {{ControlName::Text2}, {172, 75, 242, 31}},
                                {Text4(5), {172, 352, 414, 32}},
                                {{ControlName::Frame1}, {7, 7, 609, 399}},
                                {{ControlName::Label9}, {15, 30, 137, 24}},
                                {{ControlName::Text3}, {165, 105, 242, 32}},
                                {{ControlName::Command1}, {435, 30, 144, 107}},
                            });
}

TEST(PixelRectTest, EachAxisUsesItsOwnDpi) {
    ExpectRects({96, 144}, {
                               {{ControlName::Text1}, {115, 37, 161, 32}},
                               {{ControlName::Label9}, {10, 30, 91, 24}},
                           });
}

TEST(ClientPixelSizeTest, FormSizeAtTwoDpis) {
    EXPECT_EQ(ClientPixelSize(Form1Layout(), {96, 96}), (PixelSize{418, 278}));
    EXPECT_EQ(ClientPixelSize(Form1Layout(), {144, 144}), (PixelSize{627, 417}));
}

}  // namespace
}  // namespace quorl
