// Starts the way the setup program does, up to its payload catalogue, inside
// the program's outermost guard. The parameter /S makes the run silent. With
// an intact payload the probe ends with 0; a damaged one ends it with the
// damaged-setup code, a fatal error with 1.
#include <windows.h>

#include "payload/InstUtils.h"
#include "setup/Guard.h"
#include "setup/LoadAttachedFiles.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
  Silent = lstrcmpiW(cmdLine, L"/S") == 0;
  return RunGuarded([] { LoadAttachedFiles(); });
}
