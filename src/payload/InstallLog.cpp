// The installation log: what was created, kept as "Install.log".
#include "payload/InstUtils.h"

#include <windows.h>

#include <utility>

TStringList *InstallLog = nullptr;
WideString InstallLogFile;
int32_t LogSuspendCount = 0;

namespace {

// Lines name files and folders: two are the same line when the file system
// would take them for the same name, letter case aside. The comparison is
// ordinal, so no two distinct names collapse the way the locale's
// comparisons may let them.
bool SameLogLine(const WideString &a, const WideString &b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

void Log(const AnsiString &line) {
  if (LogSuspendCount != 0 || InstallLog == nullptr) return;
  const WideString wanted = UTF8Decode(line);
  for (const AnsiString &logged : *InstallLog)
    if (SameLogLine(UTF8Decode(logged), wanted)) return;
  InstallLog->Add(line);
}

void SuspendLog() { ++LogSuspendCount; }

void ResumeLog() { --LogSuspendCount; }

TLogSuspension::TLogSuspension() { SuspendLog(); }

TLogSuspension::~TLogSuspension() { ResumeLog(); }

void LoadInstallLog() {
  if (InstallLog == nullptr || !FileExists(InstallLogFile)) return;
  try {
    TStringList loaded;
    loaded.LoadFromFile(InstallLogFile);
    *InstallLog = std::move(loaded);
  } catch (const std::exception &) {
    // A locked or unreadable old log is simply replaced at the end.
  }
}

void SaveInstallLog() {
  if (InstallLog == nullptr || InstallLogFile.empty()) return;
  InstallLog->SaveToFile(InstallLogFile);
}
