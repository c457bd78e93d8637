// The one window procedure of the toolkit's windows: from the window to its
// control, and no exception beyond.
#include "toolkit/Controls.h"
#include "toolkit/Forms.h"

TWinControl *CreationControl = nullptr;
TControl *CaptureControl = nullptr;

namespace {

class TControlAtom {
public:
  TControlAtom() {
    // "_" and the thread's id in eight upper-case hex digits; written by
    // hand, as printf would bring its whole formatter into the program.
    char name[10] = "_";
    DWORD id = ::GetCurrentThreadId();
    for (int i = 8; i >= 1; --i, id >>= 4) name[i] = "0123456789ABCDEF"[id & 0xF];
    FAtom = ::GlobalAddAtomA(name);
  }
  ~TControlAtom() { ::GlobalDeleteAtom(FAtom); }
  TControlAtom(const TControlAtom &) = delete;
  TControlAtom &operator=(const TControlAtom &) = delete;
  ATOM Atom() const { return FAtom; }

private:
  ATOM FAtom = 0;
};

}  // namespace

LPCWSTR ControlProperty() {
  static const TControlAtom atom;
  return reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(atom.Atom()));
}

TWinControl *FindControl(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<TWinControl *>(::GetPropW(window, ControlProperty()));
}

void TWinControl::AttachWindow(HWND window) {
  FHandle = window;
  if ((::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0 && ::GetWindowLongPtrW(window, GWLP_ID) == 0)
    ::SetWindowLongPtrW(window, GWLP_ID, reinterpret_cast<LONG_PTR>(window));
  ::SetPropW(window, ControlProperty(), this);
}

LRESULT CALLBACK ControlWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl *control = FindControl(window);
  if (control == nullptr) {
    control = CreationControl;
    if (control == nullptr) return ::DefWindowProcW(window, msg, wParam, lParam);
    CreationControl = nullptr;
    control->AttachWindow(window);
  }
  TMsgRecord message{msg, static_cast<TMsgParam>(wParam), lParam, 0};
  control->MainWndProc(message);
  return message.Result;
}
