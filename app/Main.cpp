// lvx: stands in for the word processor that the setup installs, and
// removes it again when started with -ui.
#include <windows.h>
#include <shellapi.h>

#include "MainWindow.h"
#include "StartOptions.h"
#include "Uninstall.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  int argc = 0;
  wchar_t **argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  const TStartOptions options = argv != nullptr ? ParseStartOptions(argc, argv) : TStartOptions{};
  ::LocalFree(argv);
  if (options.Uninstall) return options.RemoveFrom.empty() ? HandOverRemoval(options) : RemoveInstallation(options);

  HWND window = CreateMainWindow(instance, options, show);
  if (window == nullptr) return 1;
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!::IsDialogMessageW(window, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}
