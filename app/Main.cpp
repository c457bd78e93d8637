// lvx: stands in for the word processor that the setup installs, and
// removes it again when started with -ui.
#include <windows.h>
#include <shellapi.h>

#include "MainWindow.h"
#include "StartOptions.h"
#include "Uninstall.h"

namespace {

// The removal's copy runs from a temporary folder, elevated for a
// machine-wide installation: no library beside it, nor beside the program,
// may load into it. Systems without the restriction lose the current folder.
void LoadLibrariesFromTheSystemOnly() {
  using TRestrict = BOOL(WINAPI *)(DWORD);
  if (auto restrict = reinterpret_cast<TRestrict>(reinterpret_cast<void *>(
          ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories"))))
    restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
  ::SetDllDirectoryW(L"");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  LoadLibrariesFromTheSystemOnly();
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
