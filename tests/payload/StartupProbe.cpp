// Starts the way the setup program does, up to its payload catalogue. The
// parameter /S makes the run silent. With an intact payload the probe ends
// with 0; a damaged one ends it inside LoadAttachedFiles.
#include <windows.h>

#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
  Silent = lstrcmpiW(cmdLine, L"/S") == 0;
  LoadAttachedFiles();
  return 0;
}
