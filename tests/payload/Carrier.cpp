// Carries a payload stream as resource FILES; the tests load it as data
// and never run it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
