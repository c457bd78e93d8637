#include "setup/Guard.h"

#include <windows.h>

#include "runtime/SysUtils.h"

int RunGuarded(void (*body)()) {
  try {
    body();
  } catch (const EAbort &) {
    ExitCode = 1;
  } catch (...) {
    // The exception's own text is for developers, not for the user.
    ::MessageBoxW(nullptr, L"Critical error", nullptr, MB_ICONHAND | MB_TASKMODAL);
    ExitCode = 1;
  }
  return ExitCode;
}
