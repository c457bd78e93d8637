// The installation log: what was created, kept as "Install.log".
#include "payload/InstUtils.h"

#include <utility>

TStringList *InstallLog = nullptr;
WideString InstallLogFile;
int32_t LogSuspendCount = 0;

void Log(const AnsiString &line) {
  if (LogSuspendCount != 0 || InstallLog == nullptr) return;
  if (InstallLog->IndexOf(line) < 0) InstallLog->Add(line);
}

void SuspendLog() { ++LogSuspendCount; }

void ResumeLog() { --LogSuspendCount; }

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
