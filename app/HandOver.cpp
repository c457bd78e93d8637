#include <windows.h>
#include <shellapi.h>

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

// Named after this process, so two removals never share a copy. The name
// holds none of the words by which the system takes a program without a
// manifest for an installer and starts it elevated.
std::wstring CopyPath() {
  wchar_t temp[MAX_PATH + 1] = L"";
  if (::GetTempPathW(MAX_PATH + 1, temp) == 0) return {};
  return std::wstring(temp) + L"lvx-remove-" + std::to_wstring(::GetCurrentProcessId()) + L".exe";
}

// The installation is the machine's when the current token may not change
// its folder or its uninstall entry: then only an elevated copy can remove
// it.
bool MachineWide(const std::wstring &folder) {
  HKEY key = nullptr;
  const LSTATUS status = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_SET_VALUE | DELETE, &key);
  if (status == ERROR_SUCCESS) ::RegCloseKey(key);
  if (status == ERROR_ACCESS_DENIED) return true;
  HANDLE handle = ::CreateFileW(folder.c_str(), FILE_ADD_FILE | FILE_DELETE_CHILD,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    ::CloseHandle(handle);
    return false;
  }
  return ::GetLastError() == ERROR_ACCESS_DENIED;
}

// The copy, written under a name that did not exist, then held open without
// write or delete sharing and read back: from the moment it is known to
// hold this program's bytes until the held handle closes after the copy has
// started, nobody can change or replace it. Null (with the error set) when
// that fails; the file is gone then.
HANDLE WriteHeldCopy(const std::wstring &copy, const std::string &image) {
  HANDLE file = ::CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  DWORD written = 0;
  const bool saved = ::WriteFile(file, image.data(), static_cast<DWORD>(image.size()), &written, nullptr) &&
                     written == image.size();
  DWORD error = ::GetLastError();
  ::CloseHandle(file);
  HANDLE held = INVALID_HANDLE_VALUE;
  if (saved) {
    held = ::CreateFileW(copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    error = ::GetLastError();
  }
  if (held != INVALID_HANDLE_VALUE) {
    std::string back(image.size() + 1, '\0');
    DWORD read = 0;
    if (::ReadFile(held, back.data(), static_cast<DWORD>(back.size()), &read, nullptr) && read == image.size() &&
        back.compare(0, read, image) == 0)
      return held;
    ::CloseHandle(held);
    error = ERROR_FILE_INVALID;
  }
  ::DeleteFileW(copy.c_str());
  ::SetLastError(error == 0 ? ERROR_WRITE_FAULT : error);
  return nullptr;
}

std::wstring CopyParameters(const std::wstring &program, bool silent) {
  // The program's path ends with its name, never with a backslash, so the
  // closing quote stays a quote.
  return std::wstring(L"-ui") + (silent ? L" /S" : L"") + L" -uifrom \"" + program + L"\"";
}

// Starts the copy in the temporary folder (a process's current folder cannot
// be removed) with an inherited handle of this process to wait for.
bool StartCopy(const std::wstring &copy, const std::wstring &program, bool silent) {
  HANDLE self = nullptr;
  if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self, SYNCHRONIZE,
                         TRUE, 0))
    return false;
  std::wstring commandLine = L"\"" + copy + L"\" " + CopyParameters(program, silent) + L" -uiwait " +
                             std::to_wstring(reinterpret_cast<uintptr_t>(self));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const std::wstring temp = FolderOf(copy);
  const bool started = ::CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        temp.c_str(), &startup, &process);
  const DWORD error = ::GetLastError();
  ::CloseHandle(self);
  ::SetLastError(error);
  if (!started) return false;
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

// Starts the copy elevated, through the system's consent prompt; it waits
// for this process by its id. ERROR_CANCELLED when the prompt was declined.
bool StartCopyElevated(const std::wstring &copy, const std::wstring &program, bool silent) {
  const std::wstring parameters =
      CopyParameters(program, silent) + L" -uiafter " + std::to_wstring(::GetCurrentProcessId());
  const std::wstring temp = FolderOf(copy);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"runas";
  info.lpFile = copy.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = temp.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExW(&info)) return false;
  if (info.hProcess != nullptr) ::CloseHandle(info.hProcess);
  return true;
}

}  // namespace

int HandOverRemoval(const TStartOptions &options) {
  const std::wstring program = ModulePath();
  const std::wstring folder = FolderOf(program);
  if (!ListsProgram(ReadInstallLog(folder), program)) return NotInstalledIn(folder, options.Silent);
  if (!options.Silent && !AskToRemove()) return UninstallDeclined;
  if (!NoInstanceRunning(options.Silent)) return UninstallApplicationRunning;

  const std::wstring copy = CopyPath();
  const std::string image = ReadFileBytes(program);
  HANDLE held = nullptr;
  bool started = false;
  if (!copy.empty() && !image.empty() && (held = WriteHeldCopy(copy, image)) != nullptr)
    started = MachineWide(folder) ? StartCopyElevated(copy, program, options.Silent)
                                  : StartCopy(copy, program, options.Silent);
  const DWORD error = ::GetLastError();
  if (held != nullptr) ::CloseHandle(held);
  if (started) return UninstallDone;
  if (held != nullptr) ::DeleteFileW(copy.c_str());
  if (error == ERROR_CANCELLED) {
    if (!options.Silent)
      Tell(L"Lorvane Word Processor was not removed: its removal needs the rights of an administrator, which were "
           L"not given. Nothing was removed.",
           MB_ICONINFORMATION);
    return UninstallDeclined;
  }
  if (!options.Silent)
    Tell(L"Lorvane Word Processor could not start its removal (error " + std::to_wstring(error) +
             L"). Nothing was removed.",
         MB_ICONERROR);
  return UninstallNotStarted;
}
