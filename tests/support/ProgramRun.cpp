#include "support/ProgramRun.h"

#include "support/ProcessWindows.h"

namespace {

constexpr DWORD TimeoutMs = 180000;

}  // namespace

TProgramRun::TProgramRun(const std::wstring &program, const std::wstring &args) {
  std::wstring commandLine = L"\"" + program + L"\" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  FStarted = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &FProcess);
  if (!FStarted) FStartError = ::GetLastError();
}

TProgramRun::~TProgramRun() {
  if (!FStarted) return;
  if (::WaitForSingleObject(FProcess.hProcess, 0) != WAIT_OBJECT_0) ::TerminateProcess(FProcess.hProcess, 99);
  ::CloseHandle(FProcess.hThread);
  ::CloseHandle(FProcess.hProcess);
}

DWORD TProgramRun::Wait() {
  while (::WaitForSingleObject(FProcess.hProcess, 20) == WAIT_TIMEOUT) {
    if (::GetTickCount() - FStart > TimeoutMs) return STILL_ACTIVE;
    for (HWND window : ProcessWindows(FProcess.dwProcessId))
      if (::IsWindowVisible(window)) FShowedWindow = true;
  }
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(FProcess.hProcess, &code);
  return code;
}

std::wstring WindowsPath(const char *unixPath) {
  std::wstring path = L"Z:";
  for (const char *p = unixPath; *p != '\0'; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
  return path;
}
