#include "setup/Guard.h"

#include "runtime/SysUtils.h"
#include "toolkit/Forms.h"

int RunGuarded(void (*body)()) {
  try {
    body();
  } catch (...) {
    // Reported as a message handler's would be; the run ends here.
    HandleException();
    ExitCode = 1;
  }
  return ExitCode;
}
