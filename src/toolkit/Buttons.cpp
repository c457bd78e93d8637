// Push buttons and check boxes over the native "BUTTON" class.
#include "toolkit/DeviceContexts.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/Themes.h"

LV_PUBLISH(TButtonControl) { return {}; }

// A press on an unfocused button first asks the form for the focus; that
// focus change must not click, and a refusal swallows the press.
void TButtonControl::WndProc(TMsgRecord &Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!Focused()) {
        ++ClicksDisabled;
        ::SetFocus(Handle());
        --ClicksDisabled;
        if (!Focused()) return;
      }
      break;
    case TKN_COMMAND:
      if (ClicksDisabled > 0) return;
      break;
  }
  inherited::WndProc(Message);
}

void TButtonControl::Dispatch(TMsgRecord &Message) {
  switch (Message.Msg) {
    case TKN_CTLCOLORSTATIC:
      TKNCtlColor(Message);
      break;
    case WM_ERASEBKGND:
      // Themed, the parent's background is drawn with the colours.
      if (ThemeServices().ThemesEnabled())
        Message.Result = 1;
      else
        inherited::Dispatch(Message);
      break;
    default:
      inherited::Dispatch(Message);
  }
}

void TButtonControl::TKNCtlColor(TMsgRecord &Message) {
  if (!ThemeServices().ThemesEnabled()) {
    inherited::Dispatch(Message);
    return;
  }
  Message.Result = ThemedCtlColorAnswer(FromParam<HDC>(Message.WParam));
}

LV_PUBLISH(TButton) {
  static const TPropInfo properties[] = {
      Property<&TButton::Cancel>("Cancel"),
      Property<&TControl::Caption, &TControl::SetCaption>("Caption"),
      Property<&TButton::FDefault>("Default"),
      Property<&TButton::OnClick>("OnClick"),
  };
  return {.Properties = properties};
}

TButton::TButton(TComponent *AOwner) : TButtonControl(AOwner) {
  ControlStyle = ctlOpaque | ctlDblClicks;
  SetTabStop(true);
}

// With a window, the frame moves at once as a focus change would move it.
void TButton::SetDefault(bool value) {
  if (value == FDefault) return;
  FDefault = value;
  if (!HandleAllocated()) return;
  TForm *form = GetParentForm(this);
  UpdateActive(form != nullptr ? form->ActiveControl() : nullptr);
}

void TButton::CreateParams(TCreateParams &Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
  inherited::CreateWnd();
  FActive = FDefault;
}

void TButton::Click() {
  if (TForm *form = GetParentForm(this)) form->SetModalResult(ModalResult);
  inherited::Click();
}

void TButton::Dispatch(TMsgRecord &Message) {
  switch (Message.Msg) {
    case TKN_COMMAND:
      if (HiWord(Message.WParam) == BN_CLICKED)
        Click();
      else
        inherited::Dispatch(Message);
      break;
    case TKN_CTLCOLORBTN:
      TKNCtlColor(Message);
      break;
    case TKM_DIALOGKEY:
      TKMDialogKey(Message);
      break;
    case TKM_DIALOGCHAR:
      TKMDialogChar(Message);
      break;
    case TKM_FOCUSCHANGED:
      TKMFocusChanged(Message);
      break;
    default:
      inherited::Dispatch(Message);
  }
}

void TButton::TKMDialogKey(TMsgRecord &Message) {
  const bool ours = (Message.WParam == VK_RETURN && FActive) || (Message.WParam == VK_ESCAPE && Cancel);
  if (ours && KeyDataToShiftState(Message.LParam) == 0 && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TButton::TKMDialogChar(TMsgRecord &Message) {
  if (IsAccel(static_cast<uint16_t>(Message.WParam), Caption()) && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TButton::TKMFocusChanged(TMsgRecord &Message) {
  UpdateActive(FromParam<TControl *>(Message.LParam));
  inherited::Dispatch(Message);
}

// The default frame follows the focused push button and returns to the
// Default one when the focus goes elsewhere.
void TButton::UpdateActive(TControl *Focused) {
  FActive = ObjectAs<TButton>(Focused) != nullptr ? Focused == this : FDefault;
  if (!HandleAllocated()) return;
  const LONG style = FActive ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((::GetWindowLongW(FHandle, GWL_STYLE) & 0x0F) != style) ::SendMessageW(FHandle, BM_SETSTYLE, style, 1);
}

LV_PUBLISH(TCheckBox) {
  static const TPropInfo properties[] = {
      Property<&TControl::Caption, &TControl::SetCaption>("Caption"),
      Property<&TCheckBox::Checked, &TCheckBox::SetChecked>("Checked"),
  };
  return {.Properties = properties};
}

TCheckBox::TCheckBox(TComponent *AOwner) : TButtonControl(AOwner) {
  ControlStyle = ctlDblClicks;
  SetBounds(Left(), Top(), Width(), DefaultHeight());
  SetTabStop(true);
}

// A line of the font and two pixels above and below it for the focus frame
// around the caption: 17 for the 13-pixel line at 96 pixels per inch, and as
// much taller as the screen's text is. The box is no taller than the line.
int32_t TCheckBox::DefaultHeight() {
  const TScreenFontDC screen(Font()->Handle());
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(screen.DC(), &metrics);
  return metrics.tmHeight + 4;
}

void TCheckBox::SetState(uint8_t value) {
  if (value == FState) return;
  FState = value;
  if (HandleAllocated()) ::SendMessageW(FHandle, BM_SETCHECK, FState, 0);
  Click();
}

void TCheckBox::Click() {
  Perform(TKM_CHANGED, 0, ToParam(this));
  inherited::Click();
}

// The toolkit sets the check itself; the window keeps its size's drawing.
void TCheckBox::CreateParams(TCreateParams &Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= BS_3STATE;
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCheckBox::CreateWnd() {
  inherited::CreateWnd();
  if (HandleAllocated()) ::SendMessageW(FHandle, BM_SETCHECK, FState, 0);
}

void TCheckBox::Dispatch(TMsgRecord &Message) {
  switch (Message.Msg) {
    case TKN_COMMAND:
      if (HiWord(Message.WParam) == BN_CLICKED)
        Toggle();
      else
        inherited::Dispatch(Message);
      break;
    case TKM_DIALOGCHAR:
      TKMDialogChar(Message);
      break;
    case WM_SIZE:
      inherited::Dispatch(Message);
      Invalidate();
      break;
    default:
      inherited::Dispatch(Message);
  }
}

void TCheckBox::TKMDialogChar(TMsgRecord &Message) {
  if (IsAccel(static_cast<uint16_t>(Message.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}
