// Paths, file and folder operations, shortcuts and the folder picker.
#include "payload/InstUtils.h"

#include <windows.h>
#include <shlobj.h>

#include "payload/ComPtr.h"

bool Silent = false;

namespace {

WideString UpperCase(const WideString &s) {
  if (s.empty()) return s;
  int n = static_cast<int>(s.size());
  int size = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, s.data(), n, nullptr, 0);
  WideString upper(static_cast<size_t>(size), L'\0');
  LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, s.data(), n, upper.data(), size);
  return upper;
}

// The entry a directory search finds for the path, if any.
bool FindEntry(const WideString &path, WIN32_FIND_DATAW &data) {
  HANDLE search = FindFirstFileW(path.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

// An item list the shell handed out, freed with the shell's allocator.
class TShellItemList {
public:
  explicit TShellItemList(PIDLIST_ABSOLUTE item) : FItem(item) {}
  ~TShellItemList() {
    if (FItem == nullptr) return;
    TComPtr<IMalloc> shellMalloc;
    if (SUCCEEDED(::SHGetMalloc(shellMalloc.Put()))) shellMalloc->Free(FItem);
  }
  TShellItemList(const TShellItemList &) = delete;
  TShellItemList &operator=(const TShellItemList &) = delete;
  PIDLIST_ABSOLUTE Get() const { return FItem; }

private:
  PIDLIST_ABSOLUTE FItem;
};

int CALLBACK PreselectFolder(HWND dialog, UINT msg, LPARAM, LPARAM folder) {
  if (msg == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, folder);
  return 0;
}

}  // namespace

// Path and string helpers

void IncludeTrailingBackslash(WideString &path) {
  if (path.empty()) return;
  if (path.back() == L'/')
    path.back() = L'\\';
  else if (path.back() != L'\\')
    path += L'\\';
}

WideString ExcludeTrailingBackslash(const WideString &path) {
  if (!path.empty() && path.back() == L'\\') return path.substr(0, path.size() - 1);
  return path;
}

WideString AppendFileName(const WideString &folder, const AnsiString &name) {
  WideString path = folder;
  IncludeTrailingBackslash(path);
  return path + UTF8Decode(name);
}

WideString ExtractFilePath(const WideString &path) {
  size_t last = path.find_last_of(L"\\:");
  return last == WideString::npos ? WideString() : path.substr(0, last + 1);
}

bool SameText(const WideString &a, const WideString &b) { return UpperCase(a) == UpperCase(b); }

bool StartsText(const WideString &s, const WideString &prefix) {
  return SameText(s.substr(0, prefix.size()), prefix);
}

// File-system queries

WideString GetCurrentDir() {
  WideString dir;
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  while (size > dir.size()) {
    dir.resize(size);
    size = GetCurrentDirectoryW(size, dir.data());
  }
  dir.resize(size);
  IncludeTrailingBackslash(dir);
  return dir;
}

bool DirectoryExists(const WideString &folder) {
  WideString saved = GetCurrentDir();
  WideString dir = folder;
  IncludeTrailingBackslash(dir);
  SetCurrentDirectoryW(dir.c_str());
  bool exists = SameText(GetCurrentDir(), dir);
  SetCurrentDirectoryW(saved.c_str());
  return exists;
}

bool FileExists(const WideString &path) {
  WIN32_FIND_DATAW data;
  return FindEntry(path, data) && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

TDateTime GetFileDateTime(const WideString &path) {
  WIN32_FIND_DATAW data;
  if (!FindEntry(path, data)) return Now();
  FILETIME local;
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  // A time DOS cannot hold (before 1980) leaves 0, which reads as day 0.
  WORD date = 0, time = 0;
  FileTimeToDosDateTime(&local, &date, &time);
  return FileDateToDateTime(static_cast<uint32_t>(date) << 16 | time);
}

WideString GetSpecialFolder(int csidl) {
  wchar_t path[MAX_PATH];
  if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return WideString();
  return path;
}

WideString SharedDataFolder() {
  WideString base = GetSpecialFolder(CSIDL_COMMON_APPDATA);
  if (base.empty()) base = GetSpecialFolder(CSIDL_PERSONAL);
  return AppendFileName(base, "Lorvane\\");
}

// File-system actions

void ForceDirectories(const WideString &folder) {
  if (DirectoryExists(folder)) return;
  WideString parent = ExtractFilePath(ExcludeTrailingBackslash(folder));
  // A bare drive or an empty path is its own parent, which ends the descent.
  if (parent.size() < folder.size()) ForceDirectories(parent);
  CreateDirectoryW(folder.c_str(), nullptr);
  Log("Made Dir: " + UTF8Encode(folder));
}

void WriteStringToFile(const WideString &fileName, const AnsiString &data) {
  HANDLE file = CreateFileW(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  const bool whole = WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
                     written == data.size();
  CloseHandle(file);
  // A part of a record would be read as the whole of it.
  if (!whole) DeleteFileW(fileName.c_str());
}

bool SetFileDateTime(void *handle, uint32_t packed) {
  FILETIME local, utc;
  return DosDateTimeToFileTime(HIWORD(packed), LOWORD(packed), &local) && LocalFileTimeToFileTime(&local, &utc) &&
         SetFileTime(handle, nullptr, nullptr, &utc);
}

void CreateShortcut(const WideString &linkFile, const WideString &target, const WideString &workDir,
                    const WideString &description) {
  TComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
    return;
  link->SetPath(target.c_str());
  link->SetWorkingDirectory(workDir.c_str());
  link->SetDescription(description.c_str());
  TComPtr<IPersistFile> file;
  link->QueryInterface(IID_IPersistFile, file.PutVoid());
  ForceDirectories(ExtractFilePath(linkFile));
  if (file) file->Save(linkFile.c_str(), TRUE);
  Log("File Copy: " + UTF8Encode(linkFile));
}

bool BrowseForFolder(WideString &folder, void *owner) {
  WideString preselect = ExcludeTrailingBackslash(folder);
  BROWSEINFOW info{};
  info.hwndOwner = static_cast<HWND>(owner);
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = PreselectFolder;
  info.lParam = reinterpret_cast<LPARAM>(preselect.c_str());
  TShellItemList item(::SHBrowseForFolderW(&info));
  if (!item.Get()) return false;
  wchar_t path[MAX_PATH];
  // A choice without a file-system path counts as Cancel.
  if (!::SHGetPathFromIDListW(item.Get(), path)) return false;
  folder = path;
  return true;
}
