// Loads the libraries named on its command line by bare name, as a program
// that trusts the default search does: where a planted copy is taken, its
// marker shows that planting works in this prefix.
#include <windows.h>
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t **names = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  for (int i = 1; i < count; ++i) ::LoadLibraryW(names[i]);
  return 0;
}
