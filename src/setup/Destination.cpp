// The destination folder rules and the data folders.
#include "setup/Destination.h"

#include <windows.h>
#include <shlobj.h>

#include "payload/InstUtils.h"

namespace {

bool HasDrivePart(const WideString &path) {
  return (path.size() >= 2 && path[1] == L':') || path.compare(0, 2, L"\\\\") == 0;
}

bool HasNamePart(const WideString &path) {
  const size_t separator = path.find_last_of(L"\\:");
  return separator == WideString::npos ? !path.empty() : separator + 1 < path.size();
}

}  // namespace

WideString ProgramFilesFolder() { return GetSpecialFolder(CSIDL_PROGRAM_FILES); }

WideString DefaultDestination() { return AppendFileName(ProgramFilesFolder(), "Lorvane"); }

WideString NormalizeDestination(const WideString &text, const WideString &programFiles) {
  const size_t first = text.find_first_not_of(L' ');
  WideString path;
  if (first != WideString::npos) path = text.substr(first, text.find_last_not_of(L' ') - first + 1);
  path = ExcludeTrailingBackslash(path);
  if (!HasDrivePart(path)) path = programFiles;
  if (!HasNamePart(path) || SameText(path, programFiles)) path = AppendFileName(path, "Lorvane");
  return path;
}

bool HoldsPortableMarker(const WideString &folder) { return FileExists(AppendFileName(folder, "Lorvane.ini")); }

bool PortableRefused(const WideString &destination, const WideString &programFiles) {
  return StartsText(destination, programFiles);
}

WideString DataFolder(TDataFolderKind kind, bool portable, const WideString &targetDir) {
  WideString folder;
  if (portable)
    folder = targetDir;
  else if (kind == dfHidden)
    folder = SharedDataFolder() + L"Hidden";
  else if (kind == dfPublic)
    folder = SharedDataFolder() + L"Public";
  else
    folder = SharedDataFolder();
  IncludeTrailingBackslash(folder);
  if (!folder.empty()) ForceDirectories(folder);
  return folder;
}
