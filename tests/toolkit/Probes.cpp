#include "Probes.h"

#include <cstdio>

namespace {

void Note(TJournal *journal, const std::vector<uint32_t> &watched, const TComponent *who, uint32_t msg) {
  if (journal == nullptr) return;
  for (uint32_t m : watched)
    if (m == msg) journal->push_back(who->Name() + " " + MessageName(msg));
}

}  // namespace

std::string MessageName(uint32_t msg) {
  switch (msg) {
    case TKM_ENTER: return "enter";
    case TKM_EXIT: return "exit";
    case TKM_TEXTCHANGED: return "textchanged";
    case TKM_FONTCHANGED: return "fontchanged";
    case TKM_FOCUSCHANGED: return "focuschanged";
    case WM_SETTEXT: return "settext";
    case WM_WINDOWPOSCHANGING: return "windowposchanging";
    case WM_WINDOWPOSCHANGED: return "windowposchanged";
    case WM_LBUTTONDOWN: return "lbuttondown";
    case WM_LBUTTONDBLCLK: return "lbuttondblclk";
    case WM_LBUTTONUP: return "lbuttonup";
    case WM_ERASEBKGND: return "erasebkgnd";
    case TKN_COMMAND: return "command";
  }
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", msg);
  return text;
}

LV_PUBLISH(TProbeWin) { return {}; }

TProbeWin::TProbeWin(TComponent *AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TProbeWin::Dispatch(TMsgRecord &Message) {
  Note(Journal, Watched, this, Message.Msg);
  inherited::Dispatch(Message);
}

void TProbeWin::Destroy() {
  const bool active = FocusWatch != nullptr && FocusWatch->ActiveControl() == this;
  if (Journal != nullptr) Journal->push_back(Name() + " destroy" + (active ? " while active" : ""));
  inherited::Destroy();
}

LV_PUBLISH(TProbeButton) {
  static const TPropInfo properties[] = {
      Property<&TControl::Caption, &TControl::SetCaption>("Caption"),
      Property<&TProbeButton::Modal>("Modal"),
  };
  return {.Properties = properties};
}

TProbeButton::TProbeButton(TComponent *AOwner) : TProbeWin(AOwner) {}

void TProbeButton::CreateParams(TCreateParams &Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= BS_PUSHBUTTON;
}

void TProbeButton::Dispatch(TMsgRecord &Message) {
  if (Message.Msg == TKN_COMMAND && HiWord(Message.WParam) == BN_CLICKED)
    if (TForm *form = GetParentForm(this)) form->SetModalResult(Modal);
  inherited::Dispatch(Message);
}

LV_PUBLISH(TProbePanel) {
  static const TPropInfo properties[] = {
      Property<&TControl::Color, &TControl::SetColor>("Color"),
  };
  return {.Properties = properties};
}

TProbePanel::TProbePanel(TComponent *AOwner) : TCustomControl(AOwner) {
  ControlStyle = ctlContainer | ctlMouseCapture | ctlClicks | ctlDblClicks | ctlOpaque;
}

void TProbePanel::Dispatch(TMsgRecord &Message) {
  Note(Journal, Watched, this, Message.Msg);
  inherited::Dispatch(Message);
}

void TProbePanel::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(GetClientRect());
}

void TProbePanel::Destroy() {
  if (Journal != nullptr) Journal->push_back(Name() + " destroy");
  inherited::Destroy();
}

LV_PUBLISH(TProbeGraphic) {
  static const TPropInfo properties[] = {
      Property<&TProbeGraphic::Fill>("Fill"),
  };
  return {.Properties = properties};
}

TProbeGraphic::TProbeGraphic(TComponent *AOwner) : TGraphicControl(AOwner) {}

void TProbeGraphic::Dispatch(TMsgRecord &Message) {
  Note(Journal, Watched, this, Message.Msg);
  inherited::Dispatch(Message);
}

void TProbeGraphic::Paint() {
  if (Fill == -1) return;
  Canvas()->Brush()->SetColor(Fill);
  Canvas()->FillRect({0, 0, Width(), Height()});
}

void TProbeGraphic::Destroy() {
  if (Journal != nullptr) Journal->push_back(Name() + " destroy");
  inherited::Destroy();
}

void RegisterProbes() { RegisterClasses<TProbeWin, TProbeButton, TProbePanel, TProbeGraphic>(); }
