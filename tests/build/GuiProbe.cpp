// Built with the program's link flags to check what such an executable
// imports: C++ exceptions, strings and threads must not pull in a DLL.
#include <windows.h>

#include <mutex>
#include <stdexcept>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
  static std::mutex lock;
  std::lock_guard<std::mutex> guard(lock);
  try {
    throw std::runtime_error(std::to_string(lstrlenW(cmdLine)));
  } catch (const std::exception &e) {
    return static_cast<int>(std::string(e.what()).size()) - 1;
  }
}
