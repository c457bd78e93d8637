// Painting checked in pixels: windowless children on their parent, opaque
// ones left out of the parent's own painting, erasing only where something
// shows through, the limit on held device contexts, and a paint that fails.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "Probes.h"
#include "WindowTesting.h"
#include "support/MessageBoxDriver.h"

namespace {

class TPaintForm : public TForm {
  LV_CLASS(TPaintForm, TForm)

public:
  explicit TPaintForm(TComponent *AOwner) : TForm(AOwner) { SetBounds(0, 0, 300, 200); }
};

LV_PUBLISH(TPaintForm) { return {}; }

// Notes whether Watched still holds a device context when the window starts
// to go: its first message then is WM_DESTROY, the form being hidden.
class TDestroyWatchForm : public TPaintForm {
  LV_CLASS(TDestroyWatchForm, TPaintForm)

public:
  using TPaintForm::TPaintForm;
  TControlCanvas *Watched = nullptr;
  bool *Seen = nullptr;

  void Dispatch(TMsgRecord &Message) override {
    if (Message.Msg == WM_DESTROY && Seen != nullptr) *Seen = Watched->HandleAllocated();
    inherited::Dispatch(Message);
  }
};

LV_PUBLISH(TDestroyWatchForm) { return {}; }

// Painting fails while Failing is set; the context the failed paint was
// given is kept in FailedDC.
std::atomic<bool> Failing{false};
HDC FailedDC = nullptr;

void FailPaint(TCanvas *canvas) {
  if (!Failing) return;
  FailedDC = canvas->Handle();
  throw Exception("paint failed");
}

class TFailingPanel : public TCustomControl {
  LV_CLASS(TFailingPanel, TCustomControl)

public:
  using TCustomControl::TCustomControl;
  // Fails as WM_PAINT arrives, before the paint begins.
  bool FailEarly = false;

  void Dispatch(TMsgRecord &Message) override {
    if (Message.Msg == WM_PAINT && FailEarly && Failing) throw Exception("paint failed");
    inherited::Dispatch(Message);
  }

protected:
  void Paint() override { FailPaint(Canvas()); }
};

class TFailingGraphic : public TGraphicControl {
  LV_CLASS(TFailingGraphic, TGraphicControl)

public:
  using TGraphicControl::TGraphicControl;

protected:
  void Paint() override { FailPaint(Canvas()); }
};

LV_PUBLISH(TFailingPanel) { return {}; }
LV_PUBLISH(TFailingGraphic) { return {}; }

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

// A form freed outside any message (the program body after the modal loop)
// gives back the contexts its controls' canvases hold before its windows
// start to go, not on some later message against windows that are gone.
TEST_F(PaintingTest, FreeingAFormOutsideAMessageReleasesItsCanvasesContextsFirst) {
  struct Case {
    const char *name;
    TControlCanvas *(*canvas)(TDestroyWatchForm *form);
  } cases[] = {
      {"the form's own", [](TDestroyWatchForm *form) { return form->Canvas(); }},
      {"a windowless child's, on the form", [](TDestroyWatchForm *form) {
         return ::Add<TProbeGraphic>(form, "Graphic", {10, 10, 20, 20})->Canvas();
       }},
      {"a windowed child's, on its own window", [](TDestroyWatchForm *form) {
         return ::Add<TProbePanel>(form, "Panel", {40, 10, 20, 20})->Canvas();
       }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    auto *form = new TDestroyWatchForm(nullptr);
    TControlCanvas *canvas = c.canvas(form);
    canvas->Brush()->SetColor(static_cast<TColor>(Red));
    canvas->FillRect({0, 0, 10, 10});
    ASSERT_TRUE(canvas->HandleAllocated());
    bool heldAtDestroy = true;
    form->Watched = canvas;
    form->Seen = &heldAtDestroy;
    form->Free();
    EXPECT_FALSE(heldAtDestroy);
  }
}

// A paint that throws ends its paint all the same: the window is validated
// and the paint's context given back (a released one can no longer be drawn
// on). One that throws before the paint begins leaves the window invalid,
// so WM_PAINT comes again inside the error box's own message loop; while
// that box is up no other opens.
TEST_F(PaintingTest, AFailingPaintShowsOneBoxAndGivesBackItsContext) {
  enum TWhere { InPaint, InWindowlessChild, BeforePaint };
  struct Case {
    const char *name;
    TWhere where;
  } cases[] = {
      {"a self-painted window's Paint", InPaint},
      {"a windowless child's Paint", InWindowlessChild},
      {"WM_PAINT before the paint begins", BeforePaint},
  };
  Form->SetVisible(true);
  Pump();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TControl *failing = nullptr;
    HWND window = Panel->Handle();
    if (c.where == InWindowlessChild) {
      failing = ::Add<TFailingGraphic>(Panel, "", {10, 10, 50, 50});
    } else {
      auto *panel = ::Add<TFailingPanel>(Form.get(), "", {210, 10, 50, 50});
      panel->FailEarly = c.where == BeforePaint;
      window = panel->Handle();
      failing = panel;
    }
    Pump();
    std::atomic<bool> invalidWhileUp{false};
    TMessageBoxDriver driver({TBoxAnswer{IDOK, [&](HWND) {
                                invalidWhileUp = ::GetUpdateRect(window, nullptr, FALSE) != 0;
                                Failing = false;
                              }}});
    FailedDC = nullptr;
    Failing = true;
    ::InvalidateRect(window, nullptr, TRUE);
    ::UpdateWindow(window);
    const auto &boxes = driver.Finish();
    Failing = false;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, L"Critical error");
    EXPECT_EQ(invalidWhileUp, c.where == BeforePaint);
    Pump();
    EXPECT_FALSE(::GetUpdateRect(window, nullptr, FALSE));
    if (c.where != BeforePaint) {
      RECT clip;
      ASSERT_NE(FailedDC, nullptr);
      EXPECT_EQ(::GetClipBox(FailedDC, &clip), ERROR);
    }
    failing->Free();
  }
}

// The context a paint is given comes back as it was: origin, clipping and
// save level, also when a child's Paint throws.
TEST_F(PaintingTest, AFailingChildPaintLeavesTheGivenContextAsItWas) {
  ::Add<TFailingGraphic>(Panel, "", {10, 10, 50, 50});
  Panel->HandleNeeded();
  TPixels pixels(200, 100);
  Failing = true;
  EXPECT_THROW(Panel->Perform(WM_PAINT, pixels.Param(), 0), Exception);
  Failing = false;
  POINT origin{-1, -1};
  ::GetWindowOrgEx(pixels.DC(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  RECT clip;
  EXPECT_EQ(::GetClipBox(pixels.DC(), &clip), SIMPLEREGION);
  EXPECT_EQ(clip.right - clip.left, 200);
  // Nothing saved is left on the context's stack.
  EXPECT_EQ(::SaveDC(pixels.DC()), 1);
}

}  // namespace
