// setup.exe
#include <windows.h>

#include "setup/Program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunSetup(); }
