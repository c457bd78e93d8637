// The mouse and the keyboard as a user drives them: clicks that need the
// release inside, cancelled presses, dialog keys and mnemonics reaching the
// form through the message loop, and the tab order.
#include <windows.h>

#include <gtest/gtest.h>

#include "Probes.h"
#include "WindowTesting.h"

namespace {

// A form that notes the dialog keys and characters it is offered, and
// takes those listed in Consumed.
class TInputForm : public TForm {
  LV_CLASS(TInputForm, TForm)

public:
  explicit TInputForm(TComponent *AOwner) : TForm(AOwner) { SetBounds(0, 0, 320, 240); }
  std::vector<std::string> OfferedKeys;
  std::vector<std::string> OfferedChars;
  bool ConsumeChars = false;

  void Dispatch(TMsgRecord &Message) override {
    if (Message.Msg == TKM_DIALOGKEY) OfferedKeys.push_back("key " + std::to_string(Message.WParam));
    if (Message.Msg == TKM_DIALOGCHAR) {
      OfferedChars.push_back(std::string("char ") + static_cast<char>(Message.WParam));
      if (ConsumeChars) {
        Message.Result = 1;
        return;
      }
    }
    inherited::Dispatch(Message);
  }
};

LV_PUBLISH(TInputForm) { return {}; }

// A windowed control that can say it wants keys itself.
class TKeyProbe : public TProbeWin {
  LV_CLASS(TKeyProbe, TProbeWin)

public:
  using TProbeWin::TProbeWin;
  int32_t DialogCode = 0;
  int32_t WantsSpecialKey = 0;

  void Dispatch(TMsgRecord &Message) override {
    if (Message.Msg == WM_GETDLGCODE) {
      Message.Result = DialogCode;
      return;
    }
    if (Message.Msg == TKM_WANTSPECIALKEY) {
      Message.Result = WantsSpecialKey;
      return;
    }
    inherited::Dispatch(Message);
  }
};

LV_PUBLISH(TKeyProbe) { return {}; }

// Counts the clicks of a control.
struct TClickCounter : TObject {
  int Clicks = 0;
  void Click(TObject *) { ++Clicks; }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class InputTest : public testing::Test {
protected:
  template <class T>
  T *Add(const char *name, RECT bounds) {
    T *control = ::Add<T>(Form.get(), name, bounds);
    control->OnClick = TNotifyEvent(&Counter, &TClickCounter::Click);
    return control;
  }

  TClickCounter Counter;
  TComponentPtr<TInputForm> Form{new TInputForm(nullptr)};
};

TEST_F(InputTest, AClickNeedsThePressAndTheReleaseInsideTheControl) {
  auto *win = Add<TProbeWin>("Win", {10, 10, 60, 30});
  auto *graphic = Add<TProbeGraphic>("Graphic", {100, 10, 60, 30});
  Form->SetVisible(true);
  struct Case {
    const char *name;
    HWND window;
    POINT press, release;  // in the window's client coordinates
    int clicks;
  } cases[] = {
      {"windowed, released inside", win->Handle(), {5, 5}, {20, 20}, 1},
      {"windowed, released outside", win->Handle(), {5, 5}, {200, 200}, 0},
      // A windowless control gets the mouse through its parent's window.
      {"windowless, released inside", Form->Handle(), {105, 15}, {120, 20}, 1},
      {"windowless, released outside", Form->Handle(), {105, 15}, {300, 200}, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Counter.Clicks = 0;
    ::SendMessageW(c.window, WM_LBUTTONDOWN, MK_LBUTTON, At(c.press.x, c.press.y));
    // The pressed control holds the mouse until the release.
    EXPECT_EQ(GetCaptureControl(), c.window == win->Handle() ? static_cast<TControl *>(win) : graphic);
    ::SendMessageW(c.window, WM_LBUTTONUP, 0, At(c.release.x, c.release.y));
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(Counter.Clicks, c.clicks);
  }
}

TEST_F(InputTest, CancelModeDuringAPressLetsGoOfTheMouseWithoutAClick) {
  auto *win = Add<TProbeWin>("Win", {10, 10, 60, 30});
  auto *graphic = Add<TProbeGraphic>("Graphic", {100, 10, 60, 30});
  Form->SetVisible(true);
  for (HWND window : {win->Handle(), Form->Handle()}) {
    Counter.Clicks = 0;
    const POINT press = window == win->Handle() ? POINT{5, 5} : POINT{105, 15};
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(press.x, press.y));
    ASSERT_NE(GetCaptureControl(), nullptr);
    ::SendMessageW(window, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(CaptureControl, nullptr);
    EXPECT_EQ(graphic->ControlState & ctsLButtonDown, 0);
    // A release that follows finds nothing to complete.
    ::SendMessageW(window, WM_LBUTTONUP, 0, At(press.x, press.y));
    EXPECT_EQ(Counter.Clicks, 0);
  }
}

// The parent's window holds the native capture for a windowless control;
// once that control leaves the parent, neither the capture nor the pointer to
// it stays behind for the parent's next mouse message.
TEST_F(InputTest, AWindowlessControlHoldingTheMouseLetsGoWhenItLeavesItsParentOrIsFreed) {
  struct Case {
    const char *name;
    bool freed;  // else only removed from the parent
  } cases[] = {{"removed", false}, {"freed", true}};
  Form->SetVisible(true);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    auto *graphic = Add<TProbeGraphic>("Graphic", {100, 10, 60, 30});
    ::SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(105, 15));
    ASSERT_EQ(CaptureControl, graphic);
    if (c.freed)
      graphic->Free();
    else
      graphic->SetParent(nullptr);
    EXPECT_EQ(CaptureControl, nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
    ::SendMessageW(Form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(110, 15));
    ::SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, At(110, 15));
    EXPECT_EQ(Counter.Clicks, 0);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    if (!c.freed) graphic->Free();
  }
}

TEST_F(InputTest, DialogKeysReachTheFormUnlessTheFocusedControlWantsThem) {
  auto *probe = Add<TKeyProbe>("Probe", {10, 10, 60, 30});
  Form->SetVisible(true);
  probe->SetFocus();
  ASSERT_EQ(::GetFocus(), probe->Handle());
  struct Case {
    const char *name;
    int32_t dialogCode;
    int32_t wantsSpecialKey;
    WPARAM key;
    bool offered;
  } cases[] = {
      {"Enter in a control that takes no keys", 0, 0, VK_RETURN, true},
      {"Escape likewise", 0, 0, VK_ESCAPE, true},
      {"Enter in a control that wants all keys", DLGC_WANTALLKEYS, 0, VK_RETURN, false},
      {"Enter in a control that asks for it", 0, 1, VK_RETURN, false},
      {"an arrow in a control that wants arrows", DLGC_WANTARROWS, 0, VK_DOWN, false},
      {"an arrow in a control that wants only tabs", DLGC_WANTTAB, 0, VK_DOWN, true},
      {"a letter is no dialog key", 0, 0, 'A', false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    probe->DialogCode = c.dialogCode;
    probe->WantsSpecialKey = c.wantsSpecialKey;
    Form->OfferedKeys.clear();
    ::PostMessageW(probe->Handle(), WM_KEYDOWN, c.key, 1);
    Pump();
    const std::vector<std::string> expected{"key " + std::to_string(c.key)};
    EXPECT_EQ(Form->OfferedKeys, c.offered ? expected : std::vector<std::string>{});
  }
}

TEST_F(InputTest, ACharacterIsAMnemonicOnlyWhereTheControlDoesNotWantCharactersAltLetterAlways) {
  auto *probe = Add<TKeyProbe>("Probe", {10, 10, 60, 30});
  Form->SetVisible(true);
  probe->SetFocus();
  Form->ConsumeChars = true;
  struct Case {
    const char *name;
    int32_t dialogCode;
    UINT msg;
    std::vector<std::string> offered;
  } cases[] = {
      {"typed into an edit box", DLGC_WANTCHARS, WM_CHAR, {}},
      {"typed into a button", 0, WM_CHAR, {"char n"}},
      {"Alt+letter in an edit box", DLGC_WANTCHARS, WM_SYSCHAR, {"char n"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    probe->DialogCode = c.dialogCode;
    Form->OfferedChars.clear();
    ::PostMessageW(probe->Handle(), c.msg, 'n', c.msg == WM_SYSCHAR ? 0x20000001 : 1);
    Pump();
    EXPECT_EQ(Form->OfferedChars, c.offered);
  }
}

TEST_F(InputTest, FindNextControlOnAnEmptyListIsNilAndWithOneFocusableControlReturnsIt) {
  EXPECT_EQ(Form->FindNextControl(nullptr, true, true, false), nullptr);
  auto *only = Add<TProbeWin>("Only", {10, 10, 60, 30});
  auto *hidden = Add<TProbeWin>("Hidden", {10, 50, 60, 30});
  hidden->SetVisible(false);
  Form->SetVisible(true);
  for (bool forward : {true, false}) {
    EXPECT_EQ(Form->FindNextControl(nullptr, forward, true, false), only);
    EXPECT_EQ(Form->FindNextControl(only, forward, true, false), only);
  }
}

TEST_F(InputTest, TabWrapsFromTheLastToTheFirstAndShiftTabTheOtherWay) {
  auto *first = Add<TProbeWin>("First", {10, 10, 60, 30});
  Add<TProbeWin>("Middle", {10, 50, 60, 30});
  auto *last = Add<TProbeWin>("Last", {10, 90, 60, 30});
  Form->SetVisible(true);
  last->SetFocus();
  ::PostMessageW(last->Handle(), WM_KEYDOWN, VK_TAB, 1);
  Pump();
  EXPECT_EQ(::GetFocus(), first->Handle());
  // Shift held, as the keyboard state says while the key is handled.
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  ::SetKeyboardState(keys);
  ::PostMessageW(first->Handle(), WM_KEYDOWN, VK_TAB, 1);
  Pump();
  keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(::GetFocus(), last->Handle());
}

}  // namespace
