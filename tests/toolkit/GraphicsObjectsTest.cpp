#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "toolkit/Graphics.h"

namespace {

TEST(FontTest, EqualFontsShareOneHandleAndChangingOneLeavesTheOtherValid) {
  TFont a, b;
  for (TFont *f : {&a, &b}) {
    f->SetHeight(-17);
    f->SetStyle(fsBold);
  }
  EXPECT_EQ(a.Resource(), b.Resource());
  HFONT shared = a.Handle();
  EXPECT_EQ(b.Handle(), shared);

  b.SetHeight(-20);
  EXPECT_NE(b.Handle(), shared);
  EXPECT_EQ(a.Handle(), shared);
  LOGFONTA font{};
  ASSERT_EQ(GetObjectA(shared, sizeof font, &font), static_cast<int>(sizeof font));
  EXPECT_EQ(font.lfHeight, -17);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
  EXPECT_STREQ(font.lfFaceName, a.Name());
}

TEST(FontTest, TheLastUserDeletesTheHandle) {
  HFONT handle;
  {
    TFont a, b;
    a.SetHeight(-33);
    b.SetHeight(-33);
    handle = a.Handle();
    a.SetHeight(-12);
    EXPECT_NE(GetObjectType(handle), 0u) << "b still uses it";
  }
  EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST(FontTest, DefaultsToTheMessageFontAtScreenResolution) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
  HDC screen = GetDC(nullptr);
  int ppi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RecordProperty("ScreenPixelsPerInch", ppi);

  TFont font;
  EXPECT_EQ(font.Height(), metrics.lfMessageFont.lfHeight);
  EXPECT_STREQ(font.Name(), metrics.lfMessageFont.lfFaceName);
  EXPECT_EQ(font.Style(), 0);
  EXPECT_EQ(font.Color(), clWindowText);
  EXPECT_EQ(font.PixelsPerInch(), ppi);
  EXPECT_EQ(ppi, 96) << "Wine on Xvfb reports 96 pixels per inch";
}

struct SizeCase {
  int32_t Height, PixelsPerInch, Size;
};

class FontSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(FontSizeTest, PointsFromHeight) {
  TFont font;
  font.SetPixelsPerInch(GetParam().PixelsPerInch);
  font.SetHeight(GetParam().Height);
  EXPECT_EQ(font.Size(), GetParam().Size);
}

INSTANTIATE_TEST_SUITE_P(Cases, FontSizeTest,
                         testing::Values(SizeCase{-16, 96, 12}, SizeCase{-13, 96, 10}, SizeCase{-11, 96, 8},
                                         SizeCase{-16, 120, 10}, SizeCase{-20, 120, 12}, SizeCase{16, 96, -12}));

TEST(FontTest, SizeSetsTheCharacterHeight) {
  TFont font;
  font.SetPixelsPerInch(96);
  font.SetSize(9);
  EXPECT_EQ(font.Height(), -12);
  font.SetPixelsPerInch(120);
  font.SetSize(9);
  EXPECT_EQ(font.Height(), -15);
}

TEST(FontTest, AssignSharesTheRecordTakesTheColourAndKeepsThePointSize) {
  TFont source, same, larger;
  source.SetPixelsPerInch(96);
  source.SetHeight(-16);
  source.SetColor(clNavy);
  same.SetPixelsPerInch(96);
  same.Assign(&source);
  EXPECT_EQ(same.Resource(), source.Resource());
  EXPECT_EQ(same.Color(), clNavy);

  larger.SetPixelsPerInch(120);
  larger.Assign(&source);
  EXPECT_EQ(larger.Size(), 12);
  EXPECT_EQ(larger.Height(), -20);
}

// Counts the change notifications it is sent.
class ChangeCounter : public TObject {
public:
  void Changed(TObject *sender) {
    Sender = sender;
    ++Count;
  }
  TObject *Sender = nullptr;
  int Count = 0;
};

TEST(FontTest, ChangeNotifiesOnlyWhenSomethingChanged) {
  TFont font;
  ChangeCounter counter;
  font.OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);
  const int &changes = counter.Count;
  font.SetHeight(font.Height());
  font.SetColor(font.Color());
  EXPECT_EQ(changes, 0);
  font.SetHeight(font.Height() - 1);
  font.SetColor(clNavy);
  font.SetStyle(fsBold);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(counter.Sender, &font);
}

TEST(FontTest, AssigningSomethingElseRaises) {
  TFont font;
  TPen pen;
  EXPECT_THROW(font.Assign(&pen), Exception);
}

TEST(PenTest, DefaultsNegativeWidthAndHandle) {
  TPen pen;
  EXPECT_EQ(pen.Color(), clBlack);
  EXPECT_EQ(pen.Width(), 1);
  pen.SetWidth(-1);
  EXPECT_EQ(pen.Width(), 1);
  pen.SetWidth(0);
  EXPECT_EQ(pen.Width(), 0);
  pen.SetWidth(3);
  pen.SetColor(clBtnShadow);

  LOGPEN logical{};
  ASSERT_EQ(GetObjectW(pen.Handle(), sizeof logical, &logical), static_cast<int>(sizeof logical));
  EXPECT_EQ(logical.lopnStyle, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(logical.lopnWidth.x, 3);
  EXPECT_EQ(logical.lopnColor, GetSysColor(COLOR_BTNSHADOW));

  TPen other;
  other.Assign(&pen);
  EXPECT_EQ(other.Handle(), pen.Handle());
}

TEST(BrushTest, StyleAndColourRules) {
  TBrush brush;
  EXPECT_EQ(brush.Color(), clWhite);
  EXPECT_EQ(brush.Style(), bsSolid);

  brush.SetStyle(bsClear);
  LOGBRUSH logical{};
  ASSERT_EQ(GetObjectW(brush.Handle(), sizeof logical, &logical), static_cast<int>(sizeof logical));
  EXPECT_EQ(logical.lbStyle, static_cast<UINT>(BS_NULL));

  brush.SetColor(clBtnFace);
  EXPECT_EQ(brush.Style(), bsSolid) << "a colour makes a clear brush solid";
  ASSERT_EQ(GetObjectW(brush.Handle(), sizeof logical, &logical), static_cast<int>(sizeof logical));
  EXPECT_EQ(logical.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(logical.lbColor, GetSysColor(COLOR_BTNFACE));

  TBrush white, alsoWhite;
  EXPECT_EQ(white.Handle(), alsoWhite.Handle());
  alsoWhite.Assign(&brush);
  EXPECT_EQ(alsoWhite.Resource(), brush.Resource());
}

TEST(ColorTest, SystemColoursComeFromTheSystem) {
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
  EXPECT_EQ(ColorToRGB(clWhite), 0xFFFFFFu);
  for (TColor c : {clWindow, clWindowText, clBtnFace, clBtnShadow, clBtnHighlight})
    EXPECT_EQ(ColorToRGB(c), GetSysColor(c & 0xFF)) << std::hex << c;
}

struct ClassCase {
  TClass cls;
  const char *name;
  TClass parent;
  bool creatable = false;  // a component the reader can make
};

// Every graphics class has a record of its own, below the streaming classes.
TEST(GraphicsClassTest, EveryClassHasItsOwnRecord) {
  const ClassCase table[] = {
      {ClassOf<TObject>(), "TObject", nullptr},
      {ClassOf<TPersistent>(), "TPersistent", ClassOf<TObject>()},
      {ClassOf<TComponent>(), "TComponent", ClassOf<TPersistent>(), true},
      {ClassOf<TGraphicsObject>(), "TGraphicsObject", ClassOf<TPersistent>()},
      {ClassOf<TFont>(), "TFont", ClassOf<TGraphicsObject>()},
      {ClassOf<TPen>(), "TPen", ClassOf<TGraphicsObject>()},
      {ClassOf<TBrush>(), "TBrush", ClassOf<TGraphicsObject>()},
      {ClassOf<TCanvas>(), "TCanvas", ClassOf<TPersistent>()},
      {ClassOf<TBitmapCanvas>(), "TBitmapCanvas", ClassOf<TCanvas>()},
      {ClassOf<TGraphic>(), "TGraphic", ClassOf<TPersistent>()},
      {ClassOf<TBitmap>(), "TBitmap", ClassOf<TGraphic>()},
  };
  for (const ClassCase &c : table) {
    SCOPED_TRACE(c.name);
    EXPECT_STREQ(c.cls->ClassName, c.name);
    EXPECT_EQ(c.cls->ClassParent, c.parent);
    EXPECT_EQ(c.cls->Create != nullptr, c.creatable);
  }
}

TEST(GraphicsClassTest, ObjectsReportTheirOwnClass) {
  TFont font;
  TPen pen;
  TBrush brush;
  TCanvas canvas;
  TBitmap bitmap;
  const std::pair<TObject *, const char *> objects[] = {
      {&font, "TFont"},     {&pen, "TPen"},       {&brush, "TBrush"},
      {&canvas, "TCanvas"}, {&bitmap, "TBitmap"}, {bitmap.Canvas(), "TBitmapCanvas"},
  };
  for (auto [object, name] : objects) {
    SCOPED_TRACE(name);
    EXPECT_STREQ(object->ClassName(), name);
    EXPECT_TRUE(object->InheritsFrom<TPersistent>());
  }
  EXPECT_TRUE(font.InheritsFrom<TGraphicsObject>());
  EXPECT_FALSE(canvas.InheritsFrom<TGraphicsObject>());
  EXPECT_EQ(ObjectAs<TCanvas>(bitmap.Canvas()), bitmap.Canvas());
  EXPECT_EQ(ObjectAs<TGraphic>(&font), nullptr);
}

}  // namespace
