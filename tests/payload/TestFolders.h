// Helpers of the file-operation tests: an installation log that lives for
// one test, beside the throwaway folders of the shared helpers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "payload/InstUtils.h"
#include "support/TempFolder.h"

// An empty, active installation log for the length of one test.
class ScopedInstallLog {
public:
  ScopedInstallLog() {
    InstallLog = new TStringList;
    LogSuspendCount = 0;
  }
  ~ScopedInstallLog() {
    delete InstallLog;
    InstallLog = nullptr;
    InstallLogFile.clear();
    LogSuspendCount = 0;
  }
  ScopedInstallLog(const ScopedInstallLog &) = delete;
  ScopedInstallLog &operator=(const ScopedInstallLog &) = delete;

  // The lines in order, as one vector for comparison.
  std::vector<std::string> Lines() const { return std::vector<std::string>(InstallLog->begin(), InstallLog->end()); }
};
