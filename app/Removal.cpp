#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "InstallRecords.h"
#include "Uninstall.h"

namespace {

// The installed program ends right after starting the copy.
constexpr DWORD InstalledProgramWaitMs = 60000;
// The system may hold the image of a program that has just ended for a
// moment, so a refused deletion is tried again for about a second.
constexpr int DeleteAttempts = 10;
constexpr DWORD DeleteRetryMs = 100;
// The report names this many leftovers and counts the rest.
constexpr size_t ReportedLeftovers = 12;

// What could not be removed, for the report.
using TLeftovers = std::vector<std::wstring>;

// What a removal leaves: what could not be removed, what the records name
// outside the setup's places (not the removal's to delete), and the shared
// files when they are not known (the folder that holds them).
struct TRemovalReport {
  TLeftovers Failed, Foreign;
  std::wstring SharedUnknown;
  bool Complete() const { return Failed.empty() && Foreign.empty() && SharedUnknown.empty(); }
  // A line of the records that points outside the setup's places: what it
  // names stays, and is reported when it exists.
  void Leave(const std::wstring &line, const std::wstring &path) {
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) Foreign.push_back(line);
  }
};

// A file that is gone already counts as removed.
void RemoveFile(const std::wstring &path, TLeftovers &left) {
  for (int attempt = 1;; ++attempt) {
    if (::DeleteFileW(path.c_str())) return;
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
    if (error == ERROR_ACCESS_DENIED) ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attempt == DeleteAttempts) break;
    ::Sleep(DeleteRetryMs);
  }
  left.push_back(path);
}

// A folder that still holds something stays without complaint: a file the
// user added keeps its folder.
void RemoveEmptyFolder(const std::wstring &folder, TLeftovers &left) {
  if (::RemoveDirectoryW(folder.c_str())) return;
  const DWORD error = ::GetLastError();
  if (error != ERROR_DIR_NOT_EMPTY && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
    left.push_back(folder);
}

// The folders the setup made, deepest first, so that a parent is empty by
// the time its turn comes.
void RemoveMadeFolders(std::vector<std::wstring> folders, TLeftovers &left) {
  const auto depth = [](const std::wstring &path) { return std::count(path.begin(), path.end(), L'\\'); };
  std::stable_sort(folders.begin(), folders.end(),
                   [&](const std::wstring &a, const std::wstring &b) { return depth(a) > depth(b); });
  for (const std::wstring &folder : folders) RemoveEmptyFolder(folder, left);
}

// The folders under the public data folder that a removed shared file leaves
// empty; "Update.log" does not list them.
void RemoveEmptiedParents(const std::wstring &file, const std::wstring &publicFolder) {
  for (std::wstring folder = FolderOf(file); IsInside(folder, publicFolder);
       folder = FolderOf(folder.substr(0, folder.size() - 1)))
    if (!::RemoveDirectoryW(folder.c_str())) return;
}

void WriteLines(const std::wstring &path, const std::vector<std::string> &lines, TLeftovers &left) {
  std::string text;
  for (const std::string &line : lines) text += line + "\r\n";
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool saved = file != INVALID_HANDLE_VALUE &&
                     ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                     written == text.size();
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  if (!saved) left.push_back(path);
}

// Whether any file lies below the folder.
bool HoldsAFile(const std::wstring &folder) {
  WIN32_FIND_DATAW data;
  HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    found = !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || HoldsAFile(folder + name + L"\\");
  } while (!found && ::FindNextFileW(search, &data));
  ::FindClose(search);
  return found;
}

// This installation's group of "Update.log" with its shared files. The
// shared data as a whole ("Update.log", the common data, the stamp and
// their folders) goes only once no other installation lists a file in it.
// Without the group (the wizard closed on its last page, an installation
// that failed) the shared files present cannot be told apart from others':
// all of the shared data stays, and the report says so.
void RemoveSharedData(TRemovalReport &report) {
  const std::wstring shared = SharedDataFolder();
  if (shared.empty()) return;
  const std::wstring publicFolder = shared + L"Public\\", hidden = shared + L"Hidden\\";
  const std::wstring updateLog = shared + L"Update.log";
  std::vector<std::string> lines = ReadLines(updateLog);
  const size_t listed = lines.size();
  const std::string stampLine = StampLineOf(hidden + L"install_stamp");
  const bool grouped = std::find(lines.begin(), lines.end(), stampLine) != lines.end() && !stampLine.empty();
  if (!grouped && HoldsAFile(publicFolder)) {
    report.SharedUnknown = publicFolder.substr(0, publicFolder.size() - 1);
    return;
  }
  for (const std::wstring &line : TakeGroup(lines, stampLine)) {
    const std::wstring file = FullPath(line);
    if (!IsInside(file, shared)) {
      report.Leave(line, file);
      continue;
    }
    RemoveFile(file, report.Failed);
    RemoveEmptiedParents(file, publicFolder);
  }
  if (!lines.empty()) {
    if (lines.size() != listed) WriteLines(updateLog, lines, report.Failed);
    return;
  }
  for (const wchar_t *name : {L"Update.log", L"lvx_common.dat", L"Hidden\\install_stamp"})
    RemoveFile(shared + name, report.Failed);
  for (const std::wstring &folder : {hidden, publicFolder, shared}) RemoveEmptyFolder(folder, report.Failed);
}

std::wstring KeyName(HKEY root, const wchar_t *path) {
  return (root == HKEY_CURRENT_USER ? L"HKEY_CURRENT_USER\\" : L"HKEY_LOCAL_MACHINE\\") + std::wstring(path);
}

void RemoveKey(HKEY root, const wchar_t *path, TLeftovers &left) {
  const LSTATUS status = ::RegDeleteTreeW(root, path);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) left.push_back(KeyName(root, path));
}

bool KeyIsEmpty(HKEY root, const wchar_t *path) {
  HKEY key;
  if (::RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD subkeys = 1, values = 1;
  ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
  ::RegCloseKey(key);
  return subkeys == 0 && values == 0;
}

// The settings key (and the product's key above it once that is empty) and
// the uninstall entry.
void RemoveRecords(TLeftovers &left) {
  RemoveKey(HKEY_CURRENT_USER, SettingsKey, left);
  if (KeyIsEmpty(HKEY_CURRENT_USER, SettingsParentKey)) RemoveKey(HKEY_CURRENT_USER, SettingsParentKey, left);
  RemoveKey(HKEY_LOCAL_MACHINE, UninstallKey, left);
}

// The records, the shared data and the links (their names are the same for
// every installation) belong to the installation the uninstall entry names.
bool IsRegistered(const std::wstring &program) {
  DWORD size = 0;
  LSTATUS status =
      ::RegGetValueW(HKEY_LOCAL_MACHINE, UninstallKey, L"UninstallString", RRF_RT_REG_SZ, nullptr, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return true;
  std::wstring command(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(command.size() * sizeof(wchar_t));
  status = ::RegGetValueW(HKEY_LOCAL_MACHINE, UninstallKey, L"UninstallString", RRF_RT_REG_SZ, nullptr,
                          command.data(), &size);
  if (status != ERROR_SUCCESS) return false;
  command.resize(::lstrlenW(command.c_str()));
  return SamePath(command, L"\"" + program + L"\" -ui");
}

std::wstring Listed(const TLeftovers &items) {
  std::wstring text;
  for (size_t k = 0; k < items.size() && k < ReportedLeftovers; ++k) text += L"\n" + items[k];
  if (items.size() > ReportedLeftovers) text += L"\nand " + std::to_wstring(items.size() - ReportedLeftovers) + L" more";
  return text;
}

int Report(const TRemovalReport &report, bool silent) {
  if (!silent) {
    if (report.Complete()) {
      Tell(L"Lorvane Word Processor was removed from this computer.", MB_ICONINFORMATION);
    } else {
      std::wstring text = report.Failed.empty()
                              ? std::wstring(L"Lorvane Word Processor was removed, but some items were left.")
                              : L"Lorvane Word Processor was removed, but these items could not be removed:\n" +
                                    Listed(report.Failed);
      if (!report.Foreign.empty())
        text += L"\n\nThese items lie outside the places its setup writes to and were left:\n" + Listed(report.Foreign);
      if (!report.SharedUnknown.empty())
        text += L"\n\nThe shared files in " + report.SharedUnknown +
                L" are not recorded for this installation, so they were left.";
      Tell(text, MB_ICONWARNING);
    }
  }
  return report.Complete() ? UninstallDone : UninstallIncomplete;
}

// The installed program this copy was started from, ended before the
// removal starts: by an inherited handle, or by its process id when the copy
// was started elevated (an elevated start inherits no handle). A process id
// is only trusted while the process runs the installed program.
void WaitForInstalledProgram(const TStartOptions &options) {
  HANDLE installed = reinterpret_cast<HANDLE>(options.WaitFor);
  if (installed == nullptr && options.WaitForProcessId != 0) {
    installed = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, options.WaitForProcessId);
    wchar_t image[MAX_PATH * 2] = L"";
    DWORD size = MAX_PATH * 2;
    if (installed != nullptr && (!::QueryFullProcessImageNameW(installed, 0, image, &size) ||
                                 !SamePath(FullPath(image), FullPath(options.RemoveFrom)))) {
      ::CloseHandle(installed);
      installed = nullptr;
    }
  }
  if (installed == nullptr) return;
  ::WaitForSingleObject(installed, InstalledProgramWaitMs);
  ::CloseHandle(installed);
}

}  // namespace

int RemoveInstallation(const TStartOptions &options) {
  WaitForInstalledProgram(options);
  const std::wstring &program = options.RemoveFrom;
  const std::wstring folder = FolderOf(program);
  const TInstallLog log = ReadInstallLog(folder);
  if (!ListsProgram(log, program)) return NotInstalledIn(folder, options.Silent);
  // Started again after the question was answered: nothing goes while the
  // application runs, whose files are in use.
  if (!NoInstanceRunning(options.Silent)) return UninstallApplicationRunning;
  const TSetupPlaces places = SetupPlaces(folder);
  // An older installation in another folder, whose entry a later one
  // replaced, takes only what lies in its own folder.
  const bool registered = IsRegistered(program);
  const auto owned = [&](const std::wstring &path) { return registered || IsInside(path, places.ProgramFolder); };

  TRemovalReport report;
  for (const std::wstring &line : log.Files) {
    const std::wstring file = FullPath(line);
    if (!IsSetupFile(places, file))
      report.Leave(line, file);
    else if (owned(file))
      RemoveFile(file, report.Failed);
  }
  RemoveFile(folder + L"Install.log", report.Failed);
  if (registered) RemoveSharedData(report);
  std::vector<std::wstring> made;
  for (const std::wstring &line : log.Folders) {
    const std::wstring madeFolder = FullPath(line);
    if (!IsSetupFolder(places, madeFolder))
      report.Leave(line, madeFolder);
    else if (owned(madeFolder))
      made.push_back(madeFolder);
  }
  RemoveMadeFolders(made, report.Failed);
  // The program folder goes when empty even when it existed before the
  // installation: nothing of the user's is in it then.
  RemoveEmptyFolder(folder, report.Failed);
  if (registered) RemoveRecords(report.Failed);

  wchar_t self[MAX_PATH] = L"";
  if (::GetModuleFileNameW(nullptr, self, MAX_PATH) < MAX_PATH)
    ::MoveFileExW(self, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  return Report(report, options.Silent);
}
