// Strikes the setup program the way a fault would: with its runtime-error
// filter in place, outside any handler, a division by zero or (built with
// LV_PROBE_HEAP) an allocation no heap can give. /S makes the run silent.
#include <windows.h>

#include <cstdint>

#include "payload/InstUtils.h"
#include "setup/RuntimeErrors.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
  Silent = lstrcmpiW(cmdLine, L"/S") == 0;
  CatchRuntimeErrors();
#ifdef LV_PROBE_HEAP
  volatile size_t size = SIZE_MAX - 4096;
  const char *block = new char[size];
  return block[0];
#else
  // Both operands unknown to the compiler, so that a real division runs.
  volatile int dividend = 7, zero = 0;
  volatile int quotient = dividend / zero;
  return quotient;
#endif
}
