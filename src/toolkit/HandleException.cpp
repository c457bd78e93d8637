// What becomes of an exception raised while a message is handled.
#include <windows.h>

#include "runtime/SysUtils.h"
#include "toolkit/Forms.h"

namespace {

// The error box is up. Its own message loop goes on delivering the
// program's messages, and one that fails again (a window whose paint never
// began stays invalid and is painted again and again) must not stack a box
// on the box.
bool Reporting = false;

class TReporting {
public:
  TReporting() { Reporting = true; }
  ~TReporting() { Reporting = false; }
  TReporting(const TReporting &) = delete;
  TReporting &operator=(const TReporting &) = delete;
};

}  // namespace

void ShowException() {
  if (Reporting) return;
  const TReporting reporting;
  ::MessageBoxW(nullptr, L"Critical error", nullptr, MB_ICONHAND | MB_TASKMODAL);
}

void HandleException() {
  if (HWND capture = ::GetCapture()) ::SendMessageW(capture, WM_CANCELMODE, 0, 0);
  try {
    throw;
  } catch (const EAbort &) {
    return;
  } catch (...) {
    if (Application != nullptr && Application->OnException)
      Application->OnException(Application);
    else
      ShowException();
  }
}
