#include "setup/Guard.h"

#include "payload/InstUtils.h"
#include "runtime/SysUtils.h"
#include "setup/ExitCodes.h"
#include "toolkit/Forms.h"

namespace {

// What a message handler could not handle. A silent run may show no window:
// its script learns of the failure from the exit code alone.
class TExceptionReport : public TObject {
  LV_CLASS(TExceptionReport, TObject)

public:
  void Report(TObject *) {
    if (Silent)
      ExitCode = ExitFatalError;
    else
      ShowException();
  }
};

LV_PUBLISH(TExceptionReport) { return {}; }

}  // namespace

int RunGuarded(void (*body)()) {
  TExceptionReport report;
  // Without an application no window has a handler to fail in.
  if (Application != nullptr) Application->OnException = TNotifyEvent(&report, &TExceptionReport::Report);
  try {
    body();
  } catch (...) {
    // Reported as a message handler's would be, unless no window may show;
    // the run ends here.
    if (!Silent) HandleException();
    ExitCode = ExitFatalError;
  }
  if (Application != nullptr) Application->OnException = TNotifyEvent();
  return ExitCode;
}
