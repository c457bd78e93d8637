// The toolkit's side: the application object and a form of thirty of its
// controls read from its description, shown as the program shows its wizard.
#include "FirstPaint.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace {

bool Painted = false;

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

LV_PUBLISH(TBenchForm) { return {}; }

int main() {
  const LONGLONG start = Ticks();
  RegisterStdControls();
  RegisterExtControls();
  CreateApplication();
  auto *form = new TBenchForm(nullptr);
  form->SetVisible(true);
  const int result = ReportFirstPaint(start, Painted, [] { return Application->ProcessMessage(); });
  form->Free();
  FreeApplication();
  return result;
}
