#include "setup/Guard.h"

#include "payload/InstUtils.h"
#include "runtime/SysUtils.h"
#include "toolkit/Forms.h"

int RunGuarded(void (*body)()) {
  try {
    body();
  } catch (...) {
    // Reported as a message handler's would be, unless no window may show;
    // the run ends here.
    if (!Silent) HandleException();
    ExitCode = 1;
  }
  return ExitCode;
}
