// The label over the native "STATIC" class.
#include "toolkit/DeviceContexts.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/Themes.h"

LV_PUBLISH(TLabel) {
  static const TPropInfo properties[] = {
      Property<&TLabel::AutoSize, &TLabel::SetAutoSize>("AutoSize"),
      Property<&TControl::Caption, &TControl::SetCaption>("Caption"),
  };
  return {.Properties = properties};
}

TLabel::TLabel(TComponent *AOwner) : TWinControl(AOwner) {
  ControlStyle = ctlMouseCapture | ctlClicks | ctlOpaque | ctlDblClicks;
  AdjustBounds();
}

void TLabel::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  if (value) AdjustBounds();
}

void TLabel::Loaded() {
  inherited::Loaded();
  AdjustBounds();
}

void TLabel::CreateParams(TCreateParams &Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, L"STATIC");
  Params.Style |= SS_NOTIFY | SS_LEFT;
}

void TLabel::AdjustBounds() {
  if ((ComponentState() & csReading) != 0 || !FAutoSize) return;
  const WideString text = UTF8Decode(Caption());
  const TScreenFontDC screen(Font()->Handle());
  SIZE extent{};
  ::GetTextExtentPoint32W(screen.DC(), text.c_str(), static_cast<int>(text.size()), &extent);
  SetBounds(Left(), Top(), extent.cx + extent.cy / 4, extent.cy + extent.cy / 4);
}

void TLabel::Dispatch(TMsgRecord &Message) {
  switch (Message.Msg) {
    case TKM_FONTCHANGED:
    case TKM_TEXTCHANGED:
      inherited::Dispatch(Message);
      AdjustBounds();
      break;
    case TKN_CTLCOLORSTATIC:
      TKNCtlColorStatic(Message);
      break;
    default:
      inherited::Dispatch(Message);
  }
}

// Themed, the label stands transparent on the parent's background, its text
// still in its font's colour.
void TLabel::TKNCtlColorStatic(TMsgRecord &Message) {
  if (!ThemeServices().ThemesEnabled()) {
    inherited::Dispatch(Message);
    return;
  }
  const HDC dc = FromParam<HDC>(Message.WParam);
  Message.Result = ThemedCtlColorAnswer(dc);
  // Under the older shell the label also draws its text here.
  if (IsNewShell()) return;
  RECT client;
  ::GetClientRect(FHandle, &client);
  ::SelectObject(dc, Font()->Handle());
  const WideString text = UTF8Decode(Caption());
  ::DrawTextW(dc, text.c_str(), -1, &client, DT_LEFT | DT_WORDBREAK);
}
