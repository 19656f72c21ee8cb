#include <gtest/gtest.h>

#include "platform/qt_canvas.h"

using namespace trevanor;

namespace {
ColorValue pixel(const QtCanvas& c, int x, int y) {
    const QRgb p = c.image().pixel(x, y);
    return static_cast<ColorValue>(qRed(p)) | static_cast<ColorValue>(qGreen(p)) << 8 | static_cast<ColorValue>(qBlue(p)) << 16;
}
}  // namespace

TEST(QtCanvas, MergeIsTheBitwiseOrOfColours) {
    QtCanvas c;
    c.setSize(50, 50);
    c.state.penColor = 0x0000FF;  // red
    c.state.brushClear = true;
    c.moveTo(0, 10);
    c.lineTo(50, 10);
    c.state.penColor = 0x00FF00;  // green, merged over red
    c.state.penMode = PenMode::Merge;
    c.moveTo(20, 0);
    c.lineTo(20, 50);
    EXPECT_EQ(pixel(c, 20, 10), 0x00FFFFu);  // yellow where they cross
    EXPECT_EQ(pixel(c, 20, 30), 0x00FF00u);
    EXPECT_EQ(pixel(c, 5, 10), 0x0000FFu);

    c.state.penColor = 0x800000;
    c.state.penMode = PenMode::Merge;
    c.ellipse(10, 0, 31, 21);  // its outline crosses the red line
    bool crossed = false;
    for (int x = 10; x < 31; ++x) crossed = crossed || pixel(c, x, 10) == 0x8000FFu;
    EXPECT_TRUE(crossed);
}

TEST(QtCanvas, ShapesStayInsideTheirBoxesAndLinesStopShort) {
    QtCanvas c;
    c.setSize(20, 20);
    c.state.penColor = 0xFFFFFF;
    c.state.brushColor = 0xFFFFFF;
    c.ellipse(2, 2, 7, 7);  // a 5-pixel dot: columns 2..6
    EXPECT_EQ(pixel(c, 4, 4), 0xFFFFFFu);
    EXPECT_EQ(pixel(c, 7, 4), 0u);
    EXPECT_EQ(pixel(c, 4, 7), 0u);
    c.moveTo(0, 15);
    c.lineTo(10, 15);
    EXPECT_EQ(pixel(c, 9, 15), 0xFFFFFFu);
    EXPECT_EQ(pixel(c, 10, 15), 0u);
    c.setSize(30, 10);  // keeps the top-left part, new area black
    EXPECT_EQ(pixel(c, 4, 4), 0xFFFFFFu);
    EXPECT_EQ(pixel(c, 25, 5), 0u);
}
