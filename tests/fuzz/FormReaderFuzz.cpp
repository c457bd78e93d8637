// The form description reader over any bytes, with the stand-ins of the
// wizard's vocabulary registered: a description is read whole or refused
// with an Exception, twice over, into a new root and into an existing form,
// and a refused read frees everything it made.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "StandIns.h"

namespace {

// A broken promise: names the harness's line, then stops as a crash.
void Check(bool ok, unsigned line = __builtin_LINE()) {
  if (ok) return;
  std::fprintf(stderr, "check failed at %s:%u\n", __FILE__, line);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const bool registered = (RegisterStandIns(), true);
  (void)registered;
  const std::string bytes(reinterpret_cast<const char *>(data), size);
  const int liveBefore = TControl::Live;
  try {
    TBytesStream stream(bytes);
    TComponentPtr<TComponent> root(ReadComponentFromStream(stream, nullptr));
  } catch (const Exception &) {
  }
  Check(TControl::Live == liveBefore);

  TComponentPtr<TMainForm> form(new TMainForm(nullptr));
  const int owned = form->ComponentCount();
  try {
    TBytesStream stream(bytes);
    ReadComponentFromStream(stream, form.get());
  } catch (const Exception &) {
    Check(form->ComponentCount() == owned);
  }
  form.reset();
  Check(TControl::Live == liveBefore);
  TControl::LoadedNames.clear();
  TControl::Destroyed.clear();
  return 0;
}
