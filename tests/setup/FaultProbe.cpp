// Strikes the setup program the way a fault would: with its runtime-error
// filter in place, outside any handler. Built once per fault (LV_PROBE_*):
// a division by zero, an allocation no heap can give, a stack that runs
// out, a C++ exception nothing may catch, and an exception raised inside a
// window procedure while the program body runs. /S makes the run silent.
#include <windows.h>

#include <cstdint>

#include "payload/InstUtils.h"
#include "runtime/SysUtils.h"
#include "setup/Guard.h"
#include "setup/RuntimeErrors.h"
#include "toolkit/Controls.h"
#include "toolkit/Forms.h"

namespace {

#if defined(LV_PROBE_STACK)
volatile bool Stop = false;

// Each frame is still needed after the call it makes, so every call keeps
// its own: the stack runs out.
int Recurse(volatile char *caller) {
  volatile char frame[256];
  frame[0] = static_cast<char>(caller[0] + 1);
  if (Stop) return frame[0];
  Recurse(frame);
  return frame[0] + frame[1];
}
#elif defined(LV_PROBE_TERMINATE)
void Raise() { throw Exception("nothing may catch this"); }
void Unstoppable() noexcept { Raise(); }
#elif defined(LV_PROBE_HANDLER)
constexpr UINT FailMessage = WM_APP + 1;

// A window whose handler fails at FailMessage.
class TFailingControl : public TWinControl {
  LV_CLASS(TFailingControl, TWinControl)

public:
  using TWinControl::TWinControl;

  void Dispatch(TMsgRecord &Message) override {
    if (Message.Msg == FailMessage) throw Exception("a handler failed");
    inherited::Dispatch(Message);
  }

protected:
  void CreateParams(TCreateParams &Params) override {
    inherited::CreateParams(Params);
    Params.Style = WS_POPUP;
  }
};

LV_PUBLISH(TFailingControl) { return {}; }

// The body goes on after the failure, as a page step would.
void Body() {
  TComponentPtr<TFailingControl> control(new TFailingControl(nullptr));
  ::SendMessageW(control->Handle(), FailMessage, 0, 0);
}
#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
  Silent = lstrcmpiW(cmdLine, L"/S") == 0;
  CatchRuntimeErrors();
#if defined(LV_PROBE_HEAP)
  volatile size_t size = SIZE_MAX - 4096;
  const char *block = new char[size];
  return block[0];
#elif defined(LV_PROBE_STACK)
  volatile char start[1] = {0};
  return Recurse(start);
#elif defined(LV_PROBE_TERMINATE)
  Unstoppable();
  return 0;
#elif defined(LV_PROBE_HANDLER)
  CreateApplication();
  const int exitCode = RunGuarded(Body);
  FreeApplication();
  return exitCode;
#else
  // Both operands unknown to the compiler, so that a real division runs.
  volatile int dividend = 7, zero = 0;
  volatile int quotient = dividend / zero;
  return quotient;
#endif
}
