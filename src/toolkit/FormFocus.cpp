// Where the keyboard focus is: the form keeps its active and focused
// control, and walks the focus out of one control and into another.
#include "toolkit/Forms.h"

int32_t FocusCount = 0;

TForm *GetParentForm(TControl *Control) {
  if (Control == nullptr) return nullptr;
  TControl *top = Control;
  while (top->Parent() != nullptr) top = top->Parent();
  return ObjectAs<TForm>(top);
}

void TForm::SetWindowFocus() {
  const HWND window = FActiveControl != nullptr ? FActiveControl->Handle() : Handle();
  ::SetFocus(window);
}

void TForm::SetActiveControl(TWinControl *Control) {
  if (Control == FActiveControl) return;
  FActiveControl = Control;
  if (FActive) SetWindowFocus();
}

void TForm::SetFocus() {
  if (!FActive && CanFocus()) SetWindowFocus();
}

void TForm::FocusControl(TWinControl *Control) {
  const bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive) SetFocus();
}

namespace {

// A focus change for the control is under way until the walk ends, however
// it ends.
class TFocusing {
public:
  explicit TFocusing(TWinControl *control) : FControl(control) { FControl->ControlState |= ctsFocusing; }
  ~TFocusing() { FControl->ControlState &= ~ctsFocusing; }
  TFocusing(const TFocusing &) = delete;
  TFocusing &operator=(const TFocusing &) = delete;

private:
  TWinControl *FControl;
};

}  // namespace

bool TForm::SetFocusedControl(TWinControl *Control) {
  ++FocusCount;
  FActiveControl = Control != this ? Control : nullptr;
  if ((Control->ControlState & ctsFocusing) != 0) return false;
  const TFocusing focusing(Control);
  const int32_t count = FocusCount;
  // Only a control with a window hears of it: one whose window is gone is
  // not given a new one for that. A handler that moves the focus elsewhere
  // overtakes this walk.
  const auto send = [count](TWinControl *target, uint32_t msg) {
    if (target->HandleAllocated()) ::SendMessageW(target->Handle(), msg, 0, 0);
    return FocusCount == count;
  };
  if (FFocusedControl == nullptr) FFocusedControl = this;
  while (FFocusedControl != Control && !FFocusedControl->ContainsControl(Control)) {
    TWinControl *leaving = FFocusedControl;
    FFocusedControl = leaving->Parent();
    if (!send(leaving, TKM_EXIT)) return false;
  }
  while (FFocusedControl != Control) {
    TWinControl *entering = Control;
    while (entering->Parent() != FFocusedControl) entering = entering->Parent();
    FFocusedControl = entering;
    if (!send(entering, TKM_ENTER)) return false;
  }
  Perform(TKM_FOCUSCHANGED, 0, ToParam(Control));
  return true;
}

void TForm::DefocusControl(TWinControl *Control, bool Removing) {
  if (Removing && FFocusedControl != nullptr && Control->ContainsControl(FFocusedControl))
    FFocusedControl = Control->Parent();
  if (FActiveControl != nullptr && Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
}

void TForm::SendCancelMode(TControl *Pressed) {
  if (FActive && FActiveControl != nullptr)
    FActiveControl->Perform(TKM_CANCELMODE, 0, ToParam(Pressed));
}

TShiftState KeyDataToShiftState(TMsgParam KeyData) {
  TShiftState shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if ((KeyData & 0x20000000) != 0) shift |= ssAlt;
  return shift;
}

namespace {

wchar_t UpperCase(wchar_t c) {
  wchar_t upper = c;
  ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, &c, 1, &upper, 1);
  return upper;
}

}  // namespace

bool IsAccel(uint16_t CharCode, const AnsiString &Caption) {
  const size_t amp = Caption.find('&');
  if (amp == AnsiString::npos || amp + 1 >= Caption.size()) return false;
  const WideString after = UTF8Decode(Caption.substr(amp + 1));
  return !after.empty() && UpperCase(after[0]) == UpperCase(static_cast<wchar_t>(CharCode));
}
