// Divides by zero the way a fault would strike the setup program: with its
// runtime-error filter in place, outside any handler. /S makes the run
// silent.
#include <windows.h>

#include "payload/InstUtils.h"
#include "setup/RuntimeErrors.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
  Silent = lstrcmpiW(cmdLine, L"/S") == 0;
  CatchRuntimeErrors();
  // Both operands unknown to the compiler, so that a real division runs.
  volatile int dividend = 7, zero = 0;
  volatile int quotient = dividend / zero;
  return quotient;
}
