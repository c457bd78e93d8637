// The program body: start-up, the run in its mode, the records at exit.
#include "setup/Program.h"

#include <windows.h>
#include <ole2.h>

#include "payload/InstUtils.h"
#include "setup/CommandLine.h"
#include "setup/Guard.h"
#include "setup/LoadAttachedFiles.h"
#include "setup/MainForm.h"
#include "setup/RuntimeErrors.h"

TMainForm *MainForm = nullptr;

namespace {

// An installation that started leaves its settings, uninstall entry and
// "Install.log" behind whatever ended it, a failure or an exception
// included; errors while saving them change nothing.
class TRecordsAtExit {
public:
  TRecordsAtExit() = default;
  TRecordsAtExit(const TRecordsAtExit &) = delete;
  TRecordsAtExit &operator=(const TRecordsAtExit &) = delete;
  ~TRecordsAtExit() {
    if (!InstallStarted || MainForm->IsPortable()) return;
    try {
      MainForm->SaveSettings();
      SaveInstallLog();
    } catch (...) {
    }
  }
};

void Body() {
  RegisterStdControls();
  RegisterExtControls();
  Application->SetIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
  Silent = SilentSwitch(CommandLineParams(::GetCommandLineW()));
  if (!LoadAttachedFiles()) return;

  TComponentPtr<TMainForm> form(new TMainForm(nullptr));
  MainForm = form.get();
  TRecordsAtExit records;
  if (Silent) {
    MainForm->NBtn->Click();
  } else {
    ::SetWindowPos(Application->Handle(), nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    MainForm->ShowModal();
  }
}

// A setup runs from a downloads folder, often elevated: a library planted
// beside it must never load into it. Every library loaded from here on, by
// us or by the system's own libraries, comes from the system folder. Older
// systems without that restriction at least lose the current folder.
void LoadLibrariesFromTheSystemOnly() {
  using TSetDefaultDllDirectories = BOOL(WINAPI *)(DWORD);
  const auto restrict = reinterpret_cast<TSetDefaultDllDirectories>(reinterpret_cast<void *>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (restrict != nullptr) restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
  ::SetDllDirectoryW(L"");
}

}  // namespace

int32_t RunSetup() {
  LoadLibrariesFromTheSystemOnly();
  CatchRuntimeErrors();
  ::OleInitialize(nullptr);
  CreateApplication();
  const int32_t exitCode = RunGuarded(Body);
  MainForm = nullptr;
  FreeApplication();
  ::OleUninitialize();
  return exitCode;
}
