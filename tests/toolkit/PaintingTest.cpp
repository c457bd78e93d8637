// Painting checked in pixels: windowless children on their parent, opaque
// ones left out of the parent's own painting, erasing only where something
// shows through, and the limit on held device contexts.
#include <windows.h>

#include <gtest/gtest.h>

#include "Probes.h"
#include "WindowTesting.h"

namespace {

class TPaintForm : public TForm {
  LV_CLASS(TPaintForm, TForm)

public:
  explicit TPaintForm(TComponent *AOwner) : TForm(AOwner) { SetBounds(0, 0, 300, 200); }
};

LV_PUBLISH(TPaintForm) { return {}; }

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);

class PaintingTest : public testing::Test {
protected:
  void SetUp() override {
    Panel = new TProbePanel(Form.get());
    Panel->SetName("Panel");
    Panel->SetBounds(0, 0, 200, 100);
    Panel->SetParent(Form.get());
    Panel->SetColor(static_cast<TColor>(Blue));
  }

  TProbeGraphic *AddGraphic(RECT bounds, TColor fill, bool opaque) {
    auto *graphic = new TProbeGraphic(Form.get());
    graphic->SetBounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
    graphic->Fill = fill;
    if (opaque) graphic->ControlStyle |= ctlOpaque;
    graphic->SetParent(Panel);
    return graphic;
  }

  // Before the form: its controls still write here while it is freed.
  TJournal Journal;
  TComponentPtr<TPaintForm> Form{new TPaintForm(nullptr)};
  TProbePanel *Panel = nullptr;
};

TEST_F(PaintingTest, WindowlessChildrenPaintOnTheParentAndOpaqueOnesAreLeftOutOfItsPainting) {
  // The opaque one paints nothing: where it stands, the parent must not have
  // painted either.
  AddGraphic({10, 10, 20, 20}, -1, true);
  AddGraphic({50, 10, 20, 20}, static_cast<TColor>(Red), false);
  Panel->HandleNeeded();
  TPixels pixels(200, 100);
  Panel->Perform(WM_PAINT, pixels.Param(), 0);
  EXPECT_EQ(pixels.At(100, 50), Blue);
  EXPECT_EQ(pixels.At(15, 15), White);
  EXPECT_EQ(pixels.At(55, 15), Red);
  // Children are clipped to their own rectangle.
  EXPECT_EQ(pixels.At(75, 15), Blue);
}

TEST_F(PaintingTest, APaintInAShownWindowShowsTheChildren) {
  AddGraphic({50, 10, 20, 20}, static_cast<TColor>(Red), false);
  Form->SetVisible(true);
  ::UpdateWindow(Form->Handle());
  const HDC dc = ::GetDC(Panel->Handle());
  EXPECT_EQ(::GetPixel(dc, 100, 50), Blue);
  EXPECT_EQ(::GetPixel(dc, 55, 15), Red);
  ::ReleaseDC(Panel->Handle(), dc);
}

TEST_F(PaintingTest, AnInvalidatedChildIsErasedUnderOnlyWhereNothingOpaqueCoversIt) {
  struct Case {
    const char *name;
    bool selfOpaque;
    bool coverAfter;   // an opaque sibling inserted after it covers it
    bool coverBefore;  // one inserted before it does
    bool erased;
  } cases[] = {
      {"plain", false, false, false, true},
      {"opaque itself", true, false, false, false},
      {"covered by a later sibling", false, true, false, false},
      {"covered by an earlier sibling", false, false, true, true},
  };
  Panel->ControlStyle &= ~ctlOpaque;
  Form->SetVisible(true);
  Panel->Journal = &Journal;
  Panel->Watched = {WM_ERASEBKGND};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    while (Panel->ControlCount() > 0) Panel->Controls(0)->Free();
    if (c.coverBefore) AddGraphic({0, 0, 60, 60}, static_cast<TColor>(Red), true);
    TProbeGraphic *child = AddGraphic({10, 10, 20, 20}, static_cast<TColor>(Red), c.selfOpaque);
    if (c.coverAfter) AddGraphic({0, 0, 60, 60}, static_cast<TColor>(Red), true);
    ::UpdateWindow(Panel->Handle());
    Journal.clear();
    child->Invalidate();
    ::UpdateWindow(Panel->Handle());
    EXPECT_EQ(Journal, c.erased ? TJournal{"Panel erasebkgnd"} : TJournal{});
  }
}

TEST_F(PaintingTest, NoMoreThanFourCanvasesHoldADeviceContextAndNoneAfterAMessage) {
  Panel->HandleNeeded();
  std::vector<TProbeGraphic *> graphics;
  for (int i = 0; i < 5; ++i) graphics.push_back(AddGraphic({i * 10, 0, 10, 10}, static_cast<TColor>(Red), false));
  for (TProbeGraphic *g : graphics) g->Canvas()->Handle();
  EXPECT_FALSE(graphics[0]->Canvas()->HandleAllocated());
  for (int i = 1; i < 5; ++i) EXPECT_TRUE(graphics[i]->Canvas()->HandleAllocated()) << i;
  // A canvas draws at its control's place on the parent.
  graphics[4]->Canvas()->Brush()->SetColor(static_cast<TColor>(Red));
  graphics[4]->Canvas()->FillRect({0, 0, 10, 10});
  ::SendMessageW(Panel->Handle(), WM_NULL, 0, 0);
  for (TProbeGraphic *g : graphics) EXPECT_FALSE(g->Canvas()->HandleAllocated());
}

}  // namespace
