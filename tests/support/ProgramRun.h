// A Windows program run as a child process the way a script or a user
// starts it, watched until it ends.
#pragma once

#include <windows.h>

#include <string>

class TProgramRun {
public:
  TProgramRun(const std::wstring &program, const std::wstring &args);
  // A program still running is ended.
  ~TProgramRun();
  TProgramRun(const TProgramRun &) = delete;
  TProgramRun &operator=(const TProgramRun &) = delete;

  bool Started() const { return FStarted; }
  // Why the program could not be started (the system's error code).
  DWORD StartError() const { return FStartError; }
  DWORD ProcessId() const { return FProcess.dwProcessId; }

  // The exit code, or 259 (STILL_ACTIVE) when the program does not end within
  // three minutes. Meanwhile notes whether it ever showed a visible top-level
  // window.
  DWORD Wait();
  bool ShowedAWindow() const { return FShowedWindow; }

private:
  PROCESS_INFORMATION FProcess{};
  bool FStarted = false;
  DWORD FStartError = 0;
  bool FShowedWindow = false;
  DWORD FStart = ::GetTickCount();
};

// A Unix path of the build (as CMake gives it) as the program sees it.
std::wstring WindowsPath(const char *unixPath);
