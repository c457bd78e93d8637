// TWinControl: its children, in insertion order, and the messages passed to
// them.
#include "streaming/Reader.h"
#include "toolkit/Controls.h"
#include "toolkit/Forms.h"

LV_PUBLISH(TWinControl) { return {}; }

TWinControl::TWinControl(TComponent *AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
  FBrush->SetColor(Color());
}

void TWinControl::Destroy() {
  ForgetFocus(this);
  if (FHandle != nullptr) {
    // Freed outside a message (the program body after the modal loop),
    // canvases may still hold contexts of these windows: back with them
    // while the windows are there.
    FreeDeviceContexts();
    DestroyWindowHandle();
  }
  // Children go last first; each leaves the lists before it is freed.
  while (ControlCount() > 0) {
    TControl *child = Controls(ControlCount() - 1);
    RemoveControl(child);
    child->Free();
  }
  inherited::Destroy();
}

TControl *TWinControl::Controls(int32_t index) const {
  const int32_t windowless = FControls.Count();
  if (index < windowless) return FControls[index];
  return FWinControls[index - windowless];
}

void TWinControl::InsertControl(TControl *Control) {
  Perform(TKM_CONTROLLISTCHANGE, ToParam(Control), 1);
  auto *windowed = ObjectAs<TWinControl>(Control);
  if (windowed != nullptr) {
    FWinControls.Add(windowed);
    FTabList.Add(windowed);
  } else {
    FControls.Add(Control);
  }
  Control->FParent = this;
  if ((Control->ControlState & ctsReadingState) != 0) return;
  Control->Perform(TKM_PARENTCOLORCHANGED, 0, 0);
  Control->Perform(TKM_PARENTFONTCHANGED, 0, 0);
  if (windowed != nullptr)
    UpdateControlState();
  else if (FHandle != nullptr)
    Control->Invalidate();
}

void TWinControl::RemoveControl(TControl *Control) {
  if (auto *windowed = ObjectAs<TWinControl>(Control)) {
    ForgetFocus(windowed);
    windowed->DestroyHandle();
    FWinControls.Remove(windowed);
    FTabList.Remove(windowed);
  } else {
    // Its mouse capture is held by this window; neither it nor the pointer
    // may outlive its place here.
    if (CaptureControl == Control) SetCaptureControl(nullptr);
    if (FHandle != nullptr) Control->InvalidateControl(Control->Visible(), false);
    FControls.Remove(Control);
  }
  Control->FParent = nullptr;
  Perform(TKM_CONTROLLISTCHANGE, ToParam(Control), 0);
}

bool TWinControl::ContainsControl(TControl *Control) const {
  for (TControl *c = Control; c != nullptr; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::ForgetFocus(TWinControl *Control) {
  if (TForm *form = GetParentForm(this)) form->DefocusControl(Control, true);
}

void TWinControl::Broadcast(TMsgRecord &Message) {
  for (int32_t i = 0; i < ControlCount(); ++i) {
    Controls(i)->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(uint32_t Msg) {
  TMsgRecord message{Msg, 0, 0, 0};
  Broadcast(message);
}

TControl *TWinControl::ControlAtPos(POINT Pos, bool AllowDisabled) {
  for (int32_t i = FControls.Count() - 1; i >= 0; --i) {
    TControl *child = FControls[i];
    if (!child->Visible() || !(child->Enabled() || AllowDisabled)) continue;
    const POINT local{Pos.x - child->Left(), Pos.y - child->Top()};
    const RECT client = child->GetClientRect();
    if (!::PtInRect(&client, local)) continue;
    if (child->Perform(TKM_HITTEST, 0, PointToParam(Pos)) != 0) return child;
  }
  return nullptr;
}

void TWinControl::SetParentWindow(HWND value) {
  if (value == FParentWindow) return;
  if (Parent() == nullptr) DestroyHandle();
  FParentWindow = value;
  UpdateControlState();
}

void TWinControl::SetTabStop(bool value) {
  if (value == FTabStop) return;
  FTabStop = value;
  if (FHandle == nullptr) return;
  const LONG style = ::GetWindowLongW(FHandle, GWL_STYLE);
  ::SetWindowLongW(FHandle, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

void TWinControl::ChangeScale(int32_t M, int32_t D) {
  for (int32_t i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(M, D);
  inherited::ChangeScale(M, D);
}

void TWinControl::ReadState(TReader &Reader) {
  inherited::ReadState(Reader);
  UpdateControlState();
}
