#include <windows.h>

#include <cstdint>

#include "InstallRecords.h"
#include "Uninstall.h"

namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// Named after this process, so two removals never share a copy.
std::wstring CopyPath() {
  wchar_t temp[MAX_PATH + 1] = L"";
  if (::GetTempPathW(MAX_PATH + 1, temp) == 0) return {};
  return std::wstring(temp) + L"lvx-uninstall-" + std::to_wstring(::GetCurrentProcessId()) + L".exe";
}

// Starts the copy in the temporary folder (a process's current folder cannot
// be removed) with an inherited handle of this process to wait for.
bool StartCopy(const std::wstring &copy, const std::wstring &program, bool silent) {
  HANDLE self = nullptr;
  if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self, SYNCHRONIZE,
                         TRUE, 0))
    return false;
  // The program's path ends with its name, never with a backslash, so the
  // closing quote stays a quote.
  std::wstring commandLine = L"\"" + copy + L"\" -ui" + (silent ? L" /S" : L"") + L" -uifrom \"" + program +
                             L"\" -uiwait " + std::to_wstring(reinterpret_cast<uintptr_t>(self));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const std::wstring temp = FolderOf(copy);
  const bool started = ::CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        temp.c_str(), &startup, &process);
  ::CloseHandle(self);
  if (!started) return false;
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

}  // namespace

int HandOverRemoval(const TStartOptions &options) {
  const std::wstring program = ModulePath();
  const std::wstring folder = FolderOf(program);
  if (!ListsProgram(ReadInstallLog(folder), program)) return NotInstalledIn(folder, options.Silent);
  if (!options.Silent && !AskToRemove()) return UninstallDeclined;

  const std::wstring copy = CopyPath();
  if (!copy.empty() && ::CopyFileW(program.c_str(), copy.c_str(), FALSE) && StartCopy(copy, program, options.Silent))
    return UninstallDone;
  const DWORD error = ::GetLastError();
  if (!copy.empty()) ::DeleteFileW(copy.c_str());
  if (!options.Silent)
    Tell(L"Lorvane Word Processor could not start its removal (error " + std::to_wstring(error) +
             L"). Nothing was removed.",
         MB_ICONERROR);
  return UninstallNotStarted;
}
