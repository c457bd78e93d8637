// TForm: made from its description and scaled to the screen's text height,
// shown centred, run modally, closed through its close query.
#include "streaming/Reader.h"
#include "toolkit/Forms.h"

LV_PUBLISH(TForm) {
  static const TPropInfo properties[] = {
      Property<&TForm::ClientHeight, &TForm::SetClientHeight>("ClientHeight"),
      Property<&TForm::ClientWidth, &TForm::SetClientWidth>("ClientWidth"),
      Property<&TForm::OnCloseQuery>("OnCloseQuery"),
  };
  return {.Properties = properties};
}

TForm::TForm(TComponent *) : TWinControl(nullptr), FCanvas(std::make_unique<TControlCanvas>()) {
  ControlStyle = ctlContainer | ctlMouseCapture | ctlClicks | ctlDblClicks;
  SetVisible(false);
  SetParentColor(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  FCanvas->SetControl(this);
}

void TForm::ReadDescription() {
  FFormState |= fsCreating;
  try {
    InitInheritedComponent(this, ClassOf<TForm>());
  } catch (...) {
    FFormState &= ~fsCreating;
    throw;
  }
  FFormState &= ~fsCreating;
  if ((FFormState & fsVisible) != 0) SetVisible(true);
}

void TForm::SetVisible(bool value) {
  if ((FFormState & fsCreating) != 0) {
    if (value)
      FFormState |= fsVisible;
    else
      FFormState &= ~fsVisible;
    return;
  }
  inherited::SetVisible(value);
}

void TForm::SetParent(TWinControl *AParent) {
  if (AParent == Parent()) return;
  // A form with a parent is a child window, one without a top-level one.
  DestroyHandle();
  inherited::SetParent(AParent);
  UpdateControlState();
}

void TForm::SetClientWidth(int32_t value) {
  if ((ControlState & ctsReadingState) != 0) {
    FClientWidth = value;
    ScalingFlags |= sfWidth;
  } else {
    inherited::SetClientWidth(value);
  }
}

void TForm::SetClientHeight(int32_t value) {
  if ((ControlState & ctsReadingState) != 0) {
    FClientHeight = value;
    ScalingFlags |= sfHeight;
  } else {
    inherited::SetClientHeight(value);
  }
}

void TForm::ReadState(TReader &Reader) {
  FClientWidth = 0;
  FClientHeight = 0;
  FTextHeight = 13;
  inherited::ReadState(Reader);
  if ((ScalingFlags & sfFont) != 0 && ScreenPixelsPerInch() != 96)
    Font()->SetHeight(MulDiv(Font()->Height(), ScreenPixelsPerInch(), 96));
  FCanvas->SetFont(Font());
  const int32_t newHeight = FCanvas->TextHeight("0");
  const int32_t oldHeight = FTextHeight;
  const bool scaled = newHeight != oldHeight;
  if (scaled) {
    for (int32_t i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(newHeight, oldHeight);
    if ((ScalingFlags & sfWidth) != 0) FClientWidth = MulDiv(FClientWidth, newHeight, oldHeight);
    if ((ScalingFlags & sfHeight) != 0) FClientHeight = MulDiv(FClientHeight, newHeight, oldHeight);
  }
  if (FClientWidth > 0) inherited::SetClientWidth(FClientWidth);
  if (FClientHeight > 0) inherited::SetClientHeight(FClientHeight);
  ScalingFlags = 0;
  if (!scaled)
    for (int32_t i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(1, 1);
}

void TForm::CreateParams(TCreateParams &Params) {
  inherited::CreateParams(Params);
  if (Parent() == nullptr && ParentWindow() == nullptr) {
    Params.WndParent = Application != nullptr ? Application->Handle() : nullptr;
    Params.Style &= ~(WS_CHILD | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  }
  Params.WindowClass.style = CS_DBLCLKS;
  Params.Style |= WS_SYSMENU;
}

void TForm::CreateWnd() {
  inherited::CreateWnd();
  if (FHandle != nullptr && Application != nullptr)
    ::SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Application->Icon()));
}

int32_t TForm::ShowModal() {
  const HWND activeWindow = ::GetActiveWindow();
  const int32_t focusCount = FocusCount;
  SetVisible(true);
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  ::SendMessageW(Handle(), TKM_ACTIVATE, 0, 0);
  FModalResult = 0;
  do {
    if (!Application->ProcessMessage()) ::WaitMessage();
    if (Application->Terminated())
      FModalResult = mrCancel;
    else if (FModalResult != 0 && !CloseQuery())
      FModalResult = 0;
  } while (FModalResult == 0);
  ::SendMessageW(Handle(), TKM_DEACTIVATE, 0, 0);
  const HWND reactivate = ::GetActiveWindow() == Handle() ? activeWindow : nullptr;
  SetVisible(false);
  if (reactivate != nullptr) ::SetActiveWindow(reactivate);
  FocusCount = focusCount;
  return FModalResult;
}

void TForm::Close() { FModalResult = mrCancel; }

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Dispatch(TMsgRecord &Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      Close();
      break;
    case WM_QUERYENDSESSION:
      Message.Result = CloseQuery();
      break;
    case WM_ACTIVATE:
      WMActivate(Message);
      break;
    case WM_SETFOCUS:
      WMSetFocus(Message);
      break;
    case WM_COMMAND:
      // Only notifications of controls; the form has no menu.
      if (Message.LParam != 0) inherited::Dispatch(Message);
      break;
    case WM_DESTROY:
      ::SendMessageW(FHandle, WM_SETICON, ICON_BIG, 0);
      inherited::Dispatch(Message);
      break;
    case TKM_DIALOGKEY:
      TKMDialogKey(Message);
      break;
    case TKM_SHOWINGCHANGED:
      TKMShowingChanged(Message);
      break;
    case TKM_APPSYSCOMMAND:
      Message.Result = 0;
      break;
    default:
      inherited::Dispatch(Message);
  }
}

void TForm::WMActivate(TMsgRecord &Message) {
  FActive = LoWord(Message.WParam) != WA_INACTIVE;
  if (!FActive) return;
  if (FActiveControl == nullptr) FActiveControl = FindNextControl(nullptr, true, true, false);
  SetWindowFocus();
}

void TForm::WMSetFocus(TMsgRecord &Message) {
  if (FActiveControl != nullptr && FActiveControl != this && FActiveControl->HandleAllocated()) {
    ::SetFocus(FActiveControl->Handle());
    return;
  }
  inherited::Dispatch(Message);
}

void TForm::TKMDialogKey(TMsgRecord &Message) {
  const TShiftState shift = KeyDataToShiftState(Message.LParam);
  if (Message.WParam == VK_TAB && (shift & (ssAlt | ssCtrl)) == 0) {
    SelectNext(FActiveControl, (shift & ssShift) == 0, true);
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TForm::TKMShowingChanged(TMsgRecord &Message) {
  if (!Showing()) {
    // Hiding the form hides its window.
    inherited::Dispatch(Message);
    return;
  }
  FFormState |= fsShowing;
  SetBounds((::GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (::GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(),
            Height());
  ::ShowWindow(FHandle, SW_SHOWNORMAL);
  FFormState &= ~fsShowing;
}
