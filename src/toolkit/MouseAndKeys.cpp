// The mouse and the keyboard: capture and clicks for windowed and windowless
// controls, and the dialog keys, mnemonics and keyboard cues that reach the
// form unless the focused control wants them itself.
#include "toolkit/Controls.h"
#include "toolkit/Forms.h"
#include "toolkit/Themes.h"

TControl *GetCaptureControl() {
  TWinControl *control = FindControl(::GetCapture());
  if (control != nullptr && CaptureControl != nullptr && CaptureControl->Parent() == control) return CaptureControl;
  return control;
}

void SetCaptureControl(TControl *Control) {
  ::ReleaseCapture();
  CaptureControl = nullptr;
  if (Control == nullptr) return;
  if (auto *windowed = ObjectAs<TWinControl>(Control)) {
    ::SetCapture(windowed->Handle());
  } else if (Control->Parent() != nullptr) {
    CaptureControl = Control;
    ::SetCapture(Control->Parent()->Handle());
  }
}

bool TControl::MouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value) {
  if (MouseCapture() != value) SetCaptureControl(value ? this : nullptr);
}

void TControl::WMLButtonDown(TMsgRecord &Message) {
  if (TForm *form = GetParentForm(this)) form->SendCancelMode(this);
  DefaultHandler(Message);
  if (Message.Msg == WM_NCLBUTTONDOWN) return;
  if ((ControlStyle & ctlMouseCapture) != 0) SetMouseCapture(true);
  if (Message.Msg == WM_LBUTTONDOWN && (ControlStyle & ctlClicks) != 0) ControlState |= ctsClicked;
}

void TControl::WMLButtonUp(TMsgRecord &Message) {
  DefaultHandler(Message);
  if ((ControlStyle & ctlMouseCapture) != 0) SetMouseCapture(false);
  if ((ControlState & ctsClicked) == 0) return;
  ControlState &= ~ctsClicked;
  const POINT point = ParamToPoint(Message.LParam);
  const RECT client = GetClientRect();
  if (::PtInRect(&client, point)) Click();
}

// A cancelled press lets go of the mouse without a click. Whether the
// control held the mouse is asked first: the native default handling lets go
// of it too, and the pending click must still be dropped.
void TControl::WMCancelMode(TMsgRecord &Message) {
  const bool held = MouseCapture();
  DefaultHandler(Message);
  if (!held) return;
  SetMouseCapture(false);
  if ((ControlState & ctsLButtonDown) != 0) Perform(WM_LBUTTONUP, 0, -1);
}

namespace {

bool IsArrow(TMsgParam key) { return key >= VK_LEFT && key <= VK_DOWN; }

// The want mask of WM_GETDLGCODE that keeps a dialog key with the control;
// 0 for keys that are not dialog keys.
TMsgParam DialogKeyMask(TMsgParam key) {
  if (key == VK_TAB) return DLGC_WANTTAB;
  if (IsArrow(key)) return DLGC_WANTARROWS;
  if (key == VK_RETURN || key == VK_ESCAPE || key == VK_CANCEL || key == VK_EXECUTE) return DLGC_WANTALLKEYS;
  return 0;
}

TMsgParam PerformOnForm(TControl *control, uint32_t msg, TMsgParam wParam, TMsgParam lParam) {
  TForm *form = GetParentForm(control);
  return form != nullptr ? form->Perform(msg, wParam, lParam) : 0;
}

// Focus rectangles and mnemonic underlines show once the keyboard is used.
void ShowKeyboardCues(TControl *control, TMsgParam key) {
  TForm *form = GetParentForm(control);
  if (form == nullptr || !form->HandleAllocated()) return;
  const bool themed = ThemeServices().ThemesEnabled();
  const auto clear = [form](int32_t flag) { form->Perform(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, flag), 0); };
  if (key == VK_TAB || IsArrow(key)) {
    if (!themed) {
      clear(UISF_HIDEFOCUS);
    } else if ((form->Perform(WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0) {
      clear(UISF_HIDEFOCUS);
      if (IsNewShell()) form->Invalidate();
    }
  } else if (key == VK_MENU) {
    if (!themed) {
      clear(UISF_HIDEACCEL);
    } else if ((form->Perform(WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) != 0) {
      clear(UISF_HIDEACCEL);
      clear(UISF_HIDEFOCUS);
      if (IsNewShell()) form->Invalidate();
    }
  }
}

}  // namespace

void TWinControl::TKNKeyDown(TMsgRecord &Message) {
  const TMsgParam key = Message.WParam;
  Message.Result = 1;
  ShowKeyboardCues(this, key);
  if (Perform(TKM_CHILDKEY, key, ToParam(this)) != 0) return;
  const TMsgParam mask = DialogKeyMask(key);
  if (mask != 0 && Perform(TKM_WANTSPECIALKEY, key, 0) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0 &&
      PerformOnForm(this, TKM_DIALOGKEY, key, Message.LParam) != 0)
    return;
  Message.Result = 0;
}

void TWinControl::TKNKeyUp(TMsgRecord &Message) {
  Message.Result = DialogKeyMask(Message.WParam) != 0 ? Perform(TKM_WANTSPECIALKEY, Message.WParam, 0) : 0;
}

void TWinControl::TKNChar(TMsgRecord &Message) {
  const bool wantsChars = (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) != 0;
  Message.Result = !wantsChars && PerformOnForm(this, TKM_DIALOGCHAR, Message.WParam, Message.LParam) != 0;
}

void TWinControl::TKNSysKeyDown(TMsgRecord &Message) {
  const TMsgParam key = Message.WParam;
  Message.Result = 1;
  ShowKeyboardCues(this, key);
  if (Perform(TKM_CHILDKEY, key, ToParam(this)) != 0) return;
  if (PerformOnForm(this, TKM_DIALOGKEY, key, Message.LParam) != 0) return;
  Message.Result = 0;
}

void TWinControl::TKNSysChar(TMsgRecord &Message) {
  Message.Result = Message.WParam != ' ' ? PerformOnForm(this, TKM_DIALOGCHAR, Message.WParam, Message.LParam) : 0;
}

void TWinControl::WMKeyDown(TMsgRecord &Message) {
  inherited::Dispatch(Message);
  ShowKeyboardCues(this, Message.WParam);
}

// Alt+letter: the form may take it as a mnemonic before the system menu does.
void TWinControl::WMSysCommand(TMsgRecord &Message) {
  const int32_t key = LoWord(Message.LParam);
  if ((Message.WParam & 0xFFF0) == SC_KEYMENU && key != ' ' && key != '-' && ::GetCapture() == nullptr &&
      PerformOnForm(this, TKM_APPSYSCOMMAND, 0, ToParam(&Message)) != 0)
    return;
  inherited::Dispatch(Message);
}
