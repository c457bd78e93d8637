// What becomes of an exception raised while a message is handled.
#include <windows.h>

#include "runtime/SysUtils.h"
#include "toolkit/Forms.h"

void HandleException() {
  if (HWND capture = ::GetCapture()) ::SendMessageW(capture, WM_CANCELMODE, 0, 0);
  try {
    throw;
  } catch (const EAbort &) {
    return;
  } catch (...) {
    ::MessageBoxW(nullptr, L"Critical error", nullptr, MB_ICONHAND | MB_TASKMODAL);
  }
}
