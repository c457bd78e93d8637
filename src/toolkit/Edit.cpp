// Edit box and memo over the native "EDIT" class, and the memo's lines.
#include "toolkit/DeviceContexts.h"
#include "toolkit/StdCtrls.h"

LV_PUBLISH(TEdit) { return {}; }

TEdit::TEdit(TComponent *AOwner) : TWinControl(AOwner) {
  ControlStyle = ctlClicks | ctlDblClicks | ctlKeepHeight;
  SetBounds(Left(), Top(), Width(), 25);
  SetTabStop(true);
  SetParentColor(false);
  AdjustHeight();
}

void TEdit::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  if (HandleAllocated()) ::SendMessageW(FHandle, EM_SETREADONLY, value, 0);
}

void TEdit::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  UpdateHeight();
}

// One line of the font, and the frame.
void TEdit::AdjustHeight() {
  const TScreenFontDC screen(Font()->Handle());
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(screen.DC(), &metrics);
  SetBounds(Left(), Top(), Width(), metrics.tmHeight + 8 * ::GetSystemMetrics(SM_CYBORDER));
}

void TEdit::UpdateHeight() {
  if (FAutoSize) {
    ControlStyle |= ctlKeepHeight;
    AdjustHeight();
  } else {
    ControlStyle &= ~ctlKeepHeight;
  }
}

void TEdit::CreateParams(TCreateParams &Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, L"EDIT");
  Params.Style |= ES_AUTOVSCROLL | ES_AUTOHSCROLL;
  if (FReadOnly) Params.Style |= ES_READONLY;
  Params.Style &= ~WS_BORDER;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

// The window's font is known only now; a memo keeps the height it was given.
void TEdit::CreateWnd() {
  inherited::CreateWnd();
  if (HandleAllocated() && FAutoSize) AdjustHeight();
}

void TEdit::Change() { Perform(TKM_CHANGED, 0, ToParam(this)); }

void TEdit::Dispatch(TMsgRecord &Message) {
  switch (Message.Msg) {
    case TKN_COMMAND:
      if (HiWord(Message.WParam) == EN_CHANGE)
        Change();
      else
        inherited::Dispatch(Message);
      break;
    case TKM_TEXTCHANGED:
      TKMTextChanged(Message);
      break;
    default:
      inherited::Dispatch(Message);
  }
}

// A single-line window reports the new text itself (EN_CHANGE); a
// multi-line one does not.
void TEdit::TKMTextChanged(TMsgRecord &Message) {
  inherited::Dispatch(Message);
  if (!HandleAllocated() || (::GetWindowLongW(FHandle, GWL_STYLE) & ES_MULTILINE) != 0) Change();
}

LV_PUBLISH(TMemo) { return {}; }

TMemo::TMemo(TComponent *AOwner) : TEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
  SetAutoSize(false);
}

void TMemo::CreateParams(TCreateParams &Params) {
  inherited::CreateParams(Params);
  Params.Style &= ~ES_AUTOHSCROLL;
  Params.Style |= ES_MULTILINE | WS_VSCROLL;
}

void TMemo::CreateWindowHandle(const TCreateParams &Params) {
  FHandle = ::CreateWindowExW(Params.ExStyle, Params.WinClassName, L"", Params.Style, Params.X, Params.Y, Params.Width,
                              Params.Height, Params.WndParent, nullptr, Params.WindowClass.hInstance, Params.Param);
  if (FHandle != nullptr) ::SendMessageW(FHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Params.Caption.c_str()));
}

// Tab moves the focus, Enter and Escape reach the form's buttons.
void TMemo::Dispatch(TMsgRecord &Message) {
  inherited::Dispatch(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
}

LV_PUBLISH(TMemoStrings) { return {}; }

int32_t TMemoStrings::Count() {
  if (!FMemo->HandleAllocated()) return 0;
  const HWND window = FMemo->Handle();
  int32_t count = static_cast<int32_t>(::SendMessageW(window, EM_GETLINECOUNT, 0, 0));
  const LRESULT lastStart = ::SendMessageW(window, EM_LINEINDEX, count - 1, 0);
  if (::SendMessageW(window, EM_LINELENGTH, lastStart, 0) == 0) --count;
  return count;
}

AnsiString TMemoStrings::Text() { return FMemo->Caption(); }

void TMemoStrings::SetText(const AnsiString &Value) {
  const WideString text = UTF8Decode(Value);
  ::SendMessageW(FMemo->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  FMemo->Perform(TKM_TEXTCHANGED, 0, 0);
}

void TMemoStrings::SetUpdateState(bool Updating) {
  ::SendMessageW(FMemo->Handle(), WM_SETREDRAW, !Updating, 0);
  if (Updating) return;
  FMemo->Perform(TKM_SHOWINGCHANGED, 0, 0);
  FMemo->Repaint();
}
