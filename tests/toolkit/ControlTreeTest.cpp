// The control tree on real windows: bounds, text, fonts, when windows come
// into existence and are shown, reflection, stacking, and tear-down.
#include <windows.h>

#include <gtest/gtest.h>

#include "Probes.h"
#include "WindowTesting.h"

namespace {

// A form made in code: no description of its own.
class TCodeForm : public TForm {
  LV_CLASS(TCodeForm, TForm)

public:
  explicit TCodeForm(TComponent *AOwner) : TForm(AOwner) { SetBounds(0, 0, 320, 240); }
};

LV_PUBLISH(TCodeForm) { return {}; }

class ControlTreeTest : public testing::Test {
protected:
  // Before the form: its controls still write here while it is freed.
  TJournal Journal;
  TComponentPtr<TCodeForm> Form{new TCodeForm(nullptr)};
};

TEST_F(ControlTreeTest, SettingTheSameBoundsAgainSendsNothing) {
  auto *win = Add<TProbeWin>(Form.get(), "Win", {10, 10, 50, 20});
  auto *graphic = Add<TProbeGraphic>(Form.get(), "Graphic", {70, 10, 30, 30});
  Form->SetVisible(true);
  Pump();
  win->Journal = &Journal;
  win->Watched = {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED};
  graphic->Journal = &Journal;
  graphic->Watched = {WM_WINDOWPOSCHANGED};
  ::ValidateRect(Form->Handle(), nullptr);

  win->SetBounds(10, 10, 50, 20);
  graphic->SetBounds(70, 10, 30, 30);
  EXPECT_EQ(Journal, TJournal{});
  RECT update;
  EXPECT_FALSE(::GetUpdateRect(Form->Handle(), &update, FALSE));

  // A real change does reach both, and the windowed one through its window.
  win->SetBounds(12, 10, 50, 20);
  graphic->SetBounds(72, 10, 30, 30);
  EXPECT_EQ(Journal, (TJournal{"Win windowposchanging", "Win windowposchanged", "Graphic windowposchanged"}));
  EXPECT_EQ(win->Left(), 12);
  EXPECT_TRUE(::GetUpdateRect(Form->Handle(), &update, FALSE));
}

TEST_F(ControlTreeTest, ADoubleClickIsASecondPressUnlessTheControlTakesDoubleClicks) {
  struct Case {
    bool dblClicks;
    const char *seen;
  } cases[] = {{false, "Win lbuttondown"}, {true, "Win lbuttondblclk"}};
  auto *win = Add<TProbeWin>(Form.get(), "Win", {10, 10, 50, 20});
  win->Journal = &Journal;
  win->Watched = {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.dblClicks);
    Journal.clear();
    win->ControlStyle = c.dblClicks ? win->ControlStyle | ctlDblClicks : win->ControlStyle & ~ctlDblClicks;
    ::SendMessageW(win->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Journal, TJournal{c.seen});
    ::SendMessageW(win->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
}

TEST_F(ControlTreeTest, ACaptionSetToItsValueSendsNothingWithOrWithoutAWindow) {
  auto *win = Add<TProbeWin>(Form.get(), "Win", {10, 10, 50, 20});
  auto *graphic = Add<TProbeGraphic>(Form.get(), "Graphic", {70, 10, 30, 30});
  for (TControl *control : std::initializer_list<TControl *>{win, graphic}) {
    SCOPED_TRACE(control->Name());
    auto *probeWin = ObjectAs<TProbeWin>(control);
    auto *probeGraphic = ObjectAs<TProbeGraphic>(control);
    const std::vector<uint32_t> watched{WM_SETTEXT, TKM_TEXTCHANGED};
    if (probeWin != nullptr) probeWin->Journal = &Journal, probeWin->Watched = watched;
    if (probeGraphic != nullptr) probeGraphic->Journal = &Journal, probeGraphic->Watched = watched;
    for (bool withWindow : {false, true}) {
      if (withWindow && probeWin != nullptr) probeWin->HandleNeeded();
      Journal.clear();
      control->SetCaption("Zoë");
      EXPECT_EQ(Journal, (TJournal{control->Name() + " settext", control->Name() + " textchanged"}));
      Journal.clear();
      control->SetCaption("Zoë");
      EXPECT_EQ(Journal, TJournal{});
      EXPECT_EQ(control->Caption(), "Zoë");
      control->SetCaption("");
    }
  }
}

TEST_F(ControlTreeTest, TheCaptionLivesBeforeDuringAndAfterTheWindow) {
  auto *win = Add<TProbeWin>(Form.get(), "Win", {10, 10, 50, 20});
  win->SetCaption("before");
  EXPECT_FALSE(win->HandleAllocated());
  wchar_t text[32] = {};
  ::GetWindowTextW(win->Handle(), text, 32);
  EXPECT_STREQ(text, L"before");
  win->SetCaption("während");
  ::GetWindowTextW(win->Handle(), text, 32);
  EXPECT_STREQ(text, L"während");
  Form->DestroyHandle();
  EXPECT_FALSE(win->HandleAllocated());
  EXPECT_EQ(win->Caption(), "während");
}

TEST_F(ControlTreeTest, AnExplicitFontSurvivesTheParentsChangeAndParentFontTakesItAtOnce) {
  auto *panel = Add<TProbePanel>(Form.get(), "Panel", {0, 0, 200, 100});
  auto *inherits = Add<TProbeWin>(panel, "Inherits", {0, 0, 50, 20});
  auto *own = Add<TProbeButton>(panel, "Own", {0, 30, 50, 20});
  auto *graphic = Add<TProbeGraphic>(panel, "Graphic", {60, 0, 30, 30});
  own->Font()->SetHeight(-20);
  EXPECT_FALSE(own->ParentFont());

  panel->Font()->SetHeight(-15);
  EXPECT_EQ(inherits->Font()->Height(), -15);
  EXPECT_TRUE(inherits->ParentFont());
  EXPECT_EQ(graphic->Font()->Height(), -15);
  EXPECT_EQ(own->Font()->Height(), -20);

  own->SetParentFont(true);
  EXPECT_EQ(own->Font()->Height(), -15);
  EXPECT_TRUE(own->ParentFont());
  // The native control draws with it too.
  EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(own->Handle(), WM_GETFONT, 0, 0)), own->Font()->Handle());
}

TEST_F(ControlTreeTest, ColoursFollowTheParentUntilSetExplicitly) {
  auto *panel = Add<TProbePanel>(Form.get(), "Panel", {0, 0, 200, 100});
  auto *child = Add<TProbeWin>(panel, "Child", {0, 0, 50, 20});
  EXPECT_EQ(panel->Color(), clBtnFace);  // the form's
  panel->SetColor(0x00FF00);
  EXPECT_EQ(child->Color(), 0x00FF00);
  EXPECT_EQ(child->Brush()->Color(), 0x00FF00);
  child->SetColor(0x0000FF);
  panel->SetColor(0xFF0000);
  EXPECT_EQ(child->Color(), 0x0000FF);
  child->SetParentColor(true);
  EXPECT_EQ(child->Color(), 0xFF0000);
}

TEST_F(ControlTreeTest, WindowsAppearOnlyWhenTheirWholeChainUpToAShownFormIsShowing) {
  auto *shown = Add<TProbePanel>(Form.get(), "Shown", {0, 0, 100, 100});
  auto *inShown = Add<TProbeWin>(shown, "InShown", {5, 5, 50, 20});
  auto *hidden = Add<TProbePanel>(Form.get(), "Hidden", {100, 0, 100, 100});
  hidden->SetVisible(false);
  auto *inHidden = Add<TProbeWin>(hidden, "InHidden", {5, 5, 50, 20});

  // Nothing exists while the form is not shown.
  for (TWinControl *c : std::initializer_list<TWinControl *>{Form.get(), shown, inShown, hidden, inHidden})
    EXPECT_FALSE(c->HandleAllocated()) << c->Name();

  Form->SetVisible(true);
  EXPECT_TRUE(::IsWindowVisible(Form->Handle()));
  ASSERT_TRUE(inShown->HandleAllocated());
  EXPECT_TRUE(::IsWindowVisible(inShown->Handle()));
  EXPECT_TRUE(inShown->Showing());
  EXPECT_FALSE(hidden->HandleAllocated());
  EXPECT_FALSE(inHidden->HandleAllocated());

  hidden->SetVisible(true);
  ASSERT_TRUE(inHidden->HandleAllocated());
  EXPECT_TRUE(::IsWindowVisible(inHidden->Handle()));

  // A control put into a showing parent shows at once; hiding the form
  // hides its window.
  auto *late = Add<TProbeWin>(shown, "Late", {5, 40, 50, 20});
  EXPECT_TRUE(late->HandleAllocated() && ::IsWindowVisible(late->Handle()));
  Form->SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(Form->Handle()));
  EXPECT_FALSE(Form->Showing());
}

TEST_F(ControlTreeTest, ATopLevelControlWithoutAFormGetsAWindowOnlyWhenAsked) {
  TComponentPtr<TProbeWin> loose{new TProbeWin(nullptr)};
  loose->SetBounds(0, 0, 40, 40);
  loose->SetVisible(false);
  loose->SetVisible(true);
  EXPECT_FALSE(loose->HandleAllocated());
  // Through a parent window it shows like a form's control.
  loose->SetParentWindow(Application->Handle());
  EXPECT_TRUE(loose->HandleAllocated());
  EXPECT_EQ(::GetParent(loose->Handle()), Application->Handle());
}

TEST_F(ControlTreeTest, WindowsStackInInsertionOrderWhateverOrderTheyAreMadeIn) {
  auto *a = Add<TProbeWin>(Form.get(), "A", {0, 0, 10, 10});
  auto *b = Add<TProbeWin>(Form.get(), "B", {0, 0, 10, 10});
  auto *c = Add<TProbeWin>(Form.get(), "C", {0, 0, 10, 10});
  c->HandleNeeded();
  a->HandleNeeded();
  b->HandleNeeded();
  std::vector<HWND> order;
  for (HWND w = ::GetWindow(Form->Handle(), GW_CHILD); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT))
    order.push_back(w);
  // Top of the z-order first: the last inserted is on top.
  EXPECT_EQ(order, (std::vector<HWND>{c->Handle(), b->Handle(), a->Handle()}));
}

TEST_F(ControlTreeTest, ANotificationToTheParentReachesTheChildItConcerns) {
  auto *win = Add<TProbeWin>(Form.get(), "Win", {0, 0, 10, 10});
  win->Journal = &Journal;
  win->Watched = {TKN_COMMAND};
  ::SendMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(win->Handle()));
  EXPECT_EQ(Journal, TJournal{"Win command"});
}

TEST_F(ControlTreeTest, ControlAtPosFindsTheTopMostVisibleWindowlessChild) {
  auto *under = Add<TProbeGraphic>(Form.get(), "Under", {0, 0, 50, 50});
  auto *over = Add<TProbeGraphic>(Form.get(), "Over", {25, 25, 50, 50});
  EXPECT_EQ(Form->ControlAtPos({30, 30}, false), over);
  EXPECT_EQ(Form->ControlAtPos({10, 10}, false), under);
  over->SetEnabled(false);
  EXPECT_EQ(Form->ControlAtPos({30, 30}, false), under);
  EXPECT_EQ(Form->ControlAtPos({30, 30}, true), over);
  over->SetVisible(false);
  EXPECT_EQ(Form->ControlAtPos({30, 30}, true), under);
  EXPECT_EQ(Form->ControlAtPos({100, 100}, true), nullptr);
}

TEST_F(ControlTreeTest, ChildrenCountWindowlessOnesFirstInInsertionOrder) {
  auto *w1 = Add<TProbeWin>(Form.get(), "W1", {0, 0, 10, 10});
  auto *g1 = Add<TProbeGraphic>(Form.get(), "G1", {0, 0, 10, 10});
  auto *w2 = Add<TProbeWin>(Form.get(), "W2", {0, 0, 10, 10});
  auto *g2 = Add<TProbeGraphic>(Form.get(), "G2", {0, 0, 10, 10});
  ASSERT_EQ(Form->ControlCount(), 4);
  EXPECT_EQ(Form->Controls(0), g1);
  EXPECT_EQ(Form->Controls(1), g2);
  EXPECT_EQ(Form->Controls(2), w1);
  EXPECT_EQ(Form->Controls(3), w2);
  // Re-parenting appends.
  w1->SetParent(nullptr);
  w1->SetParent(Form.get());
  EXPECT_EQ(Form->TabList()[1], w1);
}

TEST_F(ControlTreeTest, DestroyingAFormDestroysItsChildrenLastFirstEachLeavingTheFocusBookkeeping) {
  auto *panel = Add<TProbePanel>(Form.get(), "Panel", {0, 0, 200, 100});
  auto *first = Add<TProbeWin>(panel, "First", {0, 0, 50, 20});
  auto *second = Add<TProbeWin>(panel, "Second", {0, 30, 50, 20});
  auto *graphic = Add<TProbeGraphic>(Form.get(), "Graphic", {0, 120, 20, 20});
  auto *last = Add<TProbeWin>(Form.get(), "Last", {0, 150, 50, 20});
  Form->SetVisible(true);
  Pump();
  for (TProbeWin *c : {first, second, last}) c->Journal = &Journal, c->FocusWatch = Form.get();
  panel->Journal = &Journal;
  graphic->Journal = &Journal;
  Form->FocusControl(second);
  ASSERT_EQ(Form->ActiveControl(), second);
  Journal.clear();
  Form.reset();
  // No child is freed while the form still names it as its active control.
  EXPECT_EQ(Journal, (TJournal{"Last destroy", "Panel destroy", "Second destroy", "First destroy", "Graphic destroy"}));
}

}  // namespace
