// Stands in for the browser: writes the address it was asked to open (its
// second parameter) into the file its first names, and opens nothing.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t **args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (count < 3) return 1;
  const wchar_t *path = args[1];
  char url[2048];
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, args[2], -1, url, sizeof url, nullptr, nullptr);
  // Written aside and then renamed, so that a reader never sees half of it.
  const std::wstring part = std::wstring(path) + L".part";
  HANDLE file = ::CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (size > 1) ::WriteFile(file, url, static_cast<DWORD>(size - 1), &written, nullptr);
  ::CloseHandle(file);
  return ::MoveFileW(part.c_str(), path) ? 0 : 1;
}
