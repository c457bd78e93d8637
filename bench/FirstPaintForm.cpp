// The toolkit's side: the application object and a form of thirty controls
// read from its description, shown as the program shows its wizard.
#include "FirstPaint.h"
#include "toolkit/Forms.h"

namespace {

bool Painted = false;

// A panel in one colour.
class TBenchPanel : public TCustomControl {
  LV_CLASS(TBenchPanel, TCustomControl)

public:
  explicit TBenchPanel(TComponent *AOwner) : TCustomControl(AOwner) { ControlStyle |= ctlContainer | ctlOpaque; }

protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(GetClientRect());
  }
};

// A native push button.
class TBenchButton : public TWinControl {
  LV_CLASS(TBenchButton, TWinControl)

public:
  explicit TBenchButton(TComponent *AOwner) : TWinControl(AOwner) { SetTabStop(true); }

protected:
  void CreateParams(TCreateParams &Params) override {
    inherited::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
  }
};

// A line of text drawn on its parent.
class TBenchLabel : public TGraphicControl {
  LV_CLASS(TBenchLabel, TGraphicControl)

public:
  explicit TBenchLabel(TComponent *AOwner) : TGraphicControl(AOwner) {}

protected:
  void Paint() override {
    const HDC dc = Canvas()->Handle();
    ::SetBkMode(dc, TRANSPARENT);
    const WideString text = UTF8Decode(Caption());
    ::TextOutW(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
  }
};

class TBenchForm : public TForm {
  LV_CLASS(TBenchForm, TForm)

public:
  explicit TBenchForm(TComponent *AOwner) : TForm(AOwner) { ReadDescription(); }

  void Dispatch(TMsgRecord &Message) override {
    inherited::Dispatch(Message);
    if (Message.Msg == WM_PAINT) Painted = true;
  }
};

}  // namespace

LV_PUBLISH(TBenchPanel) {
  static const TPropInfo properties[] = {Property<&TControl::Color, &TControl::SetColor>("Color")};
  return {.Properties = properties};
}
LV_PUBLISH(TBenchButton) {
  static const TPropInfo properties[] = {Property<&TControl::Caption, &TControl::SetCaption>("Caption")};
  return {.Properties = properties};
}
LV_PUBLISH(TBenchLabel) {
  static const TPropInfo properties[] = {Property<&TControl::Caption, &TControl::SetCaption>("Caption")};
  return {.Properties = properties};
}
LV_PUBLISH(TBenchForm) { return {}; }

int main() {
  const LONGLONG start = Ticks();
  RegisterClasses<TBenchPanel, TBenchButton, TBenchLabel>();
  CreateApplication();
  auto *form = new TBenchForm(nullptr);
  form->SetVisible(true);
  const int result = ReportFirstPaint(start, Painted, [] { return Application->ProcessMessage(); });
  form->Free();
  FreeApplication();
  return result;
}
