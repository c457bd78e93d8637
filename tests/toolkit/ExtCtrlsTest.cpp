// The self-painted controls checked in pixels: the panel's bevels from the
// outside in, the bevel's frame and etched line, and the picture stretched
// or shrunk with the filtered resampler.
#include <cstring>
#include <memory>

#include "StdCtrlsFixture.h"
#include "toolkit/Themes.h"

namespace {

class ExtCtrlsTest : public testing::Test {
protected:
  TComponentPtr<TStdForm> Form{new TStdForm(nullptr)};
};

const COLORREF Shadow = ColorToRGB(clBtnShadow);
const COLORREF Highlight = ColorToRGB(clBtnHighlight);

TEST_F(ExtCtrlsTest, APanelTakesTheParentsThemedBackgroundOrIsOpaqueInButtonFace) {
  auto *panel = Add<TPanel>(Form.get(), "Panel", {0, 0, 100, 50});
  EXPECT_EQ(panel->Color(), clBtnFace);
  EXPECT_FALSE(panel->ParentColor());
  const bool themed = ThemeServices().ThemesEnabled();
  EXPECT_EQ((panel->ControlStyle & ctlParentBackground) != 0, themed);
  EXPECT_EQ((panel->ControlStyle & ctlOpaque) != 0, !themed);
  EXPECT_NE(panel->ControlStyle & ctlContainer, 0);
  // Its own window class, which does not redraw all of itself on resizing.
  panel->HandleNeeded();
  WNDCLASSW cls{};
  ASSERT_TRUE(::GetClassInfoW(::GetModuleHandleW(nullptr), L"TPanel", &cls));
  EXPECT_EQ(cls.style & (CS_HREDRAW | CS_VREDRAW), 0u);
}

TEST_F(ExtCtrlsTest, PanelBevelsAreDrawnFromTheOutsideInThenTheFill) {
  constexpr int W = 40, H = 30;
  constexpr TColor fillColor = 0x00408020;
  const bool themed = ThemeServices().ThemesEnabled();
  // Themed, the inside is the erased parent background and the paint leaves
  // it alone.
  const COLORREF fill = themed ? White : ColorToRGB(fillColor);
  struct Case {
    TPanelBevel outer, inner;
    // From the left edge inwards along the middle row, and from the right
    // edge inwards.
    COLORREF left[3], right[3];
  } cases[] = {
      {bvLowered, bvRaised, {Shadow, Highlight, fill}, {Highlight, Shadow, fill}},
      {bvRaised, bvNone, {Highlight, fill, fill}, {Shadow, fill, fill}},
      {bvNone, bvLowered, {Shadow, fill, fill}, {Highlight, fill, fill}},
      {bvNone, bvNone, {fill, fill, fill}, {fill, fill, fill}},
  };
  auto *panel = Add<TPanel>(Form.get(), "Panel", {0, 0, W, H});
  panel->SetColor(fillColor);
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.outer) + "/" + std::to_string(c.inner));
    panel->BevelOuter = c.outer;
    panel->BevelInner = c.inner;
    TPixels pixels(W, H);
    panel->Perform(WM_PAINT, pixels.Param(), 0);
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(pixels.At(i, H / 2), c.left[i]);
      EXPECT_EQ(pixels.At(W / 2, i), c.left[i]);  // the top as the left
      EXPECT_EQ(pixels.At(W - 1 - i, H / 2), c.right[i]);
      EXPECT_EQ(pixels.At(W / 2, H - 1 - i), c.right[i]);  // the bottom as the right
    }
  }
  // The corners where the colours meet belong to the bottom-right colour.
  panel->BevelOuter = bvLowered;
  panel->BevelInner = bvNone;
  TPixels pixels(W, H);
  panel->Perform(WM_PAINT, pixels.Param(), 0);
  EXPECT_EQ(pixels.At(0, 0), Shadow);
  EXPECT_EQ(pixels.At(W - 1, 0), Highlight);
  EXPECT_EQ(pixels.At(0, H - 1), Highlight);
  EXPECT_EQ(pixels.At(W - 1, H - 1), Highlight);
}

TEST_F(ExtCtrlsTest, ABevelIsASunkenFrameOrAnEtchedLineOnTheLeft) {
  struct Case {
    TBevelShape shape;
    int width, height;
    struct Pixel {
      int x, y;
      COLORREF colour;
    } pixels[6];
  } cases[] = {
      {bsLeftLine, 2, 20, {{0, 0, Shadow}, {0, 19, Shadow}, {1, 0, Highlight}, {1, 19, Highlight}, {0, 10, Shadow},
                           {1, 10, Highlight}}},
      {bsLeftLine, 10, 20, {{0, 10, Shadow}, {1, 10, Highlight}, {2, 10, White}, {9, 10, White}, {5, 0, White},
                            {5, 19, White}}},
      {bsBox, 10, 8, {{0, 4, Shadow}, {5, 0, Shadow}, {9, 4, Highlight}, {5, 7, Highlight}, {0, 7, Shadow},
                      {5, 4, White}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.shape) + " " + std::to_string(c.width));
    auto *bevel = new TBevel(Form.get());
    bevel->SetBounds(0, 0, c.width, c.height);
    bevel->SetShape(c.shape);
    bevel->SetParent(Form.get());
    TPixels pixels(c.width, c.height);
    bevel->Perform(WM_PAINT, pixels.Param(), 0);
    for (const auto &p : c.pixels) {
      SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
      EXPECT_EQ(pixels.At(p.x, p.y), p.colour);
    }
    bevel->Free();
  }
}

// A 4 x 2 picture: red and green on top, blue and white below.
void FillPicture(TBitmap &picture) {
  picture.SetPixelFormat(pf24Bit);
  picture.SetSize(4, 2);
  const uint8_t rows[2][12] = {{0, 0, 255, 0, 0, 255, 0, 255, 0, 0, 255, 0},
                               {255, 0, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}};
  for (int y = 0; y < 2; ++y) std::memcpy(picture.ScanLine(y), rows[y], sizeof rows[y]);
}

TEST_F(ExtCtrlsTest, APictureIsShownResampledToTheControlsSize) {
  TBitmap picture;
  FillPicture(picture);
  auto *image = Add<TImage>(Form.get(), "Image", {0, 0, 10, 10});
  image->SetPicture(&picture);
  struct Case {
    int width, height;
  } cases[] = {{40, 30}, {3, 2}, {4, 2}, {1, 1}};
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    image->SetBounds(0, 0, c.width, c.height);
    TPixels pixels(c.width + 2, c.height + 2);
    image->Perform(WM_PAINT, pixels.Param(), 0);
    TBitmap expected;
    expected.SetPixelFormat(pf24Bit);
    expected.SetSize(c.width, c.height);
    Resample(&picture, &expected, true);
    for (int y = 0; y < c.height; ++y) {
      const auto *row = static_cast<const uint8_t *>(expected.ScanLine(y));
      for (int x = 0; x < c.width; ++x)
        ASSERT_EQ(pixels.At(x, y), RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x])) << x << "," << y;
    }
    // Nothing beyond the control.
    EXPECT_EQ(pixels.At(c.width, c.height / 2), White);
    EXPECT_EQ(pixels.At(c.width / 2, c.height), White);
  }
  // Stretched large, each corner shows mostly its own colour.
  image->SetBounds(0, 0, 40, 30);
  TPixels pixels(40, 30);
  image->Perform(WM_PAINT, pixels.Param(), 0);
  const COLORREF topLeft = pixels.At(0, 0), bottomRight = pixels.At(39, 29);
  EXPECT_GT(GetRValue(topLeft), 200);
  EXPECT_LT(GetBValue(topLeft), 60);
  EXPECT_GT(GetBValue(bottomRight), 200);
  EXPECT_GT(GetGValue(bottomRight), 200);
}

// The picture is the caller's: freed while images still show it, each of
// them lets go of it, and none reads it again.
TEST_F(ExtCtrlsTest, AnImageLetsGoOfItsPictureWhenThePictureIsFreed) {
  auto picture = std::make_unique<TBitmap>();
  FillPicture(*picture);
  auto *image = Add<TImage>(Form.get(), "Image", {0, 0, 8, 4});
  auto *other = Add<TImage>(Form.get(), "Other", {0, 0, 8, 4});
  auto *gone = Add<TImage>(Form.get(), "Gone", {0, 0, 8, 4});
  for (TImage *i : {image, other, gone}) i->SetPicture(picture.get());
  // An image freed first is not told any more.
  gone->Free();
  picture.reset();
  ASSERT_EQ(image->Picture(), nullptr);
  ASSERT_EQ(other->Picture(), nullptr);
  TPixels pixels(8, 4);
  image->Perform(WM_PAINT, pixels.Param(), 0);
  EXPECT_EQ(pixels.At(4, 2), White);
}

TEST_F(ExtCtrlsTest, APictureReplacedInAnImageCanBeFreedWithoutTouchingTheImage) {
  auto first = std::make_unique<TBitmap>();
  FillPicture(*first);
  TBitmap second;
  second.SetPixelFormat(pf24Bit);
  second.SetSize(4, 2);
  second.Canvas()->Brush()->SetColor(clNavy);
  second.Canvas()->FillRect({0, 0, 4, 2});
  auto *image = Add<TImage>(Form.get(), "Image", {0, 0, 8, 4});
  image->SetPicture(first.get());
  image->SetPicture(&second);
  first.reset();
  ASSERT_EQ(image->Picture(), &second);
  TPixels pixels(8, 4);
  image->Perform(WM_PAINT, pixels.Param(), 0);
  // One colour stays itself through the filter.
  EXPECT_EQ(pixels.At(4, 2), ColorToRGB(clNavy));
  image->SetPicture(nullptr);
}

TEST_F(ExtCtrlsTest, AnImageWithoutPictureDrawsNothing) {
  TBitmap empty;
  auto *image = Add<TImage>(Form.get(), "Image", {0, 0, 10, 10});
  for (TGraphic *picture : {static_cast<TGraphic *>(nullptr), static_cast<TGraphic *>(&empty)}) {
    image->SetPicture(picture);
    TPixels pixels(10, 10);
    image->Perform(WM_PAINT, pixels.Param(), 0);
    EXPECT_EQ(pixels.At(5, 5), White);
  }
}

}  // namespace
