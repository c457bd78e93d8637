#include <gtest/gtest.h>

#include "toolkit/Graphics.h"

namespace {

// A memory context with a 32-bit section to draw on.
class CanvasTest : public testing::Test {
protected:
  void SetUp() override {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    Section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&Pixels), nullptr, 0);
    DC = CreateCompatibleDC(nullptr);
    Old = SelectObject(DC, Section);
  }
  void TearDown() override {
    SelectObject(DC, Old);
    DeleteDC(DC);
    DeleteObject(Section);
  }
  uint32_t Pixel(int x, int y) {
    GdiFlush();
    return Pixels[y * 16 + x] & 0xFFFFFF;
  }

  HDC DC;
  HBITMAP Section;
  HGDIOBJ Old;
  uint32_t *Pixels;
};

TEST_F(CanvasTest, SelectsEachObjectOnlyWhenADrawingNeedsIt) {
  TCanvas canvas;
  canvas.SetHandle(DC);
  HGDIOBJ pen0 = GetCurrentObject(DC, OBJ_PEN), brush0 = GetCurrentObject(DC, OBJ_BRUSH);

  canvas.MoveTo(1, 1);
  EXPECT_EQ(canvas.State(), csHandleValid);
  canvas.TextWidth("Setup");
  EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), canvas.Font()->Handle());
  EXPECT_EQ(GetCurrentObject(DC, OBJ_PEN), pen0);
  EXPECT_EQ(GetCurrentObject(DC, OBJ_BRUSH), brush0);
  EXPECT_EQ(GetTextColor(DC), ColorToRGB(clWindowText));

  canvas.FillRect({0, 0, 2, 2});
  EXPECT_EQ(GetCurrentObject(DC, OBJ_BRUSH), canvas.Brush()->Handle());
  EXPECT_EQ(GetCurrentObject(DC, OBJ_PEN), pen0);
  canvas.LineTo(5, 5);
  EXPECT_EQ(GetCurrentObject(DC, OBJ_PEN), canvas.Pen()->Handle());
  EXPECT_EQ(GetROP2(DC), R2_COPYPEN);
  EXPECT_EQ(canvas.State(), csAllValid);

  canvas.SetHandle(nullptr);
  EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetCurrentObject(DC, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(DC, OBJ_BRUSH), GetStockObject(NULL_BRUSH));
}

TEST_F(CanvasTest, AChangedObjectIsDeselectedAndTheNewOneSelectedByTheNextDrawing) {
  TCanvas canvas;
  canvas.SetHandle(DC);
  canvas.TextWidth("x");
  canvas.FillRect({0, 0, 1, 1});
  HFONT before = canvas.Font()->Handle();

  canvas.Font()->SetHeight(-30);
  EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(canvas.State() & csFontValid, 0);
  EXPECT_EQ(GetCurrentObject(DC, OBJ_BRUSH), canvas.Brush()->Handle()) << "the brush stays";
  EXPECT_EQ(GetObjectType(before), 0u) << "nobody else used the old font";

  canvas.TextWidth("x");
  EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), canvas.Font()->Handle());
}

TEST_F(CanvasTest, FillRectUsesTheBrushAndItsBackgroundMode) {
  TCanvas canvas;
  canvas.SetHandle(DC);
  canvas.Brush()->SetColor(0x3366CC);
  canvas.FillRect({2, 3, 6, 5});
  EXPECT_EQ(Pixel(2, 3), 0xCC6633u) << "the section holds BGR";
  EXPECT_EQ(Pixel(5, 4), 0xCC6633u);
  EXPECT_EQ(Pixel(6, 4), 0u);
  EXPECT_EQ(GetBkColor(DC), 0x3366CCu);
  EXPECT_EQ(GetBkMode(DC), OPAQUE);

  canvas.Brush()->SetStyle(bsClear);
  canvas.FillRect({0, 0, 16, 16});
  EXPECT_EQ(Pixel(0, 0), 0u);
  EXPECT_EQ(GetBkMode(DC), TRANSPARENT);
}

TEST_F(CanvasTest, LinesUseThePen) {
  TCanvas canvas;
  canvas.SetHandle(DC);
  canvas.Pen()->SetColor(0x0000FF);
  canvas.MoveTo(0, 8);
  canvas.LineTo(16, 8);
  EXPECT_EQ(Pixel(7, 8), 0xFF0000u);
  POINT line[] = {{3, 0}, {3, 16}};
  canvas.Polyline(line);
  EXPECT_EQ(Pixel(3, 2), 0xFF0000u);
  EXPECT_EQ(canvas.PenPos().x, 16) << "a polyline leaves the position alone";
}

TEST_F(CanvasTest, ThePenPositionMovesToTheNextContext) {
  HDC other = CreateCompatibleDC(nullptr);
  {
    TCanvas canvas;
    canvas.SetHandle(DC);
    canvas.MoveTo(3, 4);
    canvas.SetHandle(other);
    POINT at{};
    GetCurrentPositionEx(other, &at);
    EXPECT_EQ(at.x, 3);
    EXPECT_EQ(at.y, 4);
  }
  DeleteDC(other);
}

TEST(CanvasWithoutContextTest, DrawingRaises) {
  TCanvas canvas;
  EXPECT_THROW(canvas.FillRect({0, 0, 1, 1}), Exception);
  EXPECT_FALSE(canvas.HandleAllocated());
}

}  // namespace
