#include "InstallRecords.h"

#include <shlobj.h>

std::string ReadFileBytes(const std::wstring &path) {
  std::string bytes;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size{};
  // The records are small; anything near the 32-bit limit is not one.
  if (::GetFileSizeEx(file, &size) && size.QuadPart < 0x10000000) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
  }
  ::CloseHandle(file);
  return bytes;
}

namespace {

bool StartsWith(const std::string &line, const char *prefix) { return line.rfind(prefix, 0) == 0; }

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH];
  if (::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
  return path;
}

}  // namespace

std::vector<std::string> ReadLines(const std::wstring &path) {
  const std::string text = ReadFileBytes(path);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    if (end > start) lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::wstring FromUtf8(const std::string &bytes) {
  std::wstring text;
  for (size_t i = 0; i < bytes.size();) {
    const auto b = [&](size_t k) { return i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0u; };
    if (b(0) < 0x80) {
      text += static_cast<wchar_t>(b(0));
      i += 1;
    } else if ((b(0) & 0xE0) == 0xC0) {
      text += static_cast<wchar_t>((b(0) & 0x1F) << 6 | (b(1) & 0x3F));
      i += 2;
    } else if ((b(0) & 0xF0) == 0xE0) {
      text += static_cast<wchar_t>((b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F));
      i += 3;
    } else {
      i += 4;  // a character the setup never writes
    }
  }
  return text;
}

std::wstring FolderOf(const std::wstring &path) {
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

bool SamePath(const std::wstring &a, const std::wstring &b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

bool IsInside(const std::wstring &path, const std::wstring &folder) {
  return !folder.empty() && path.size() > folder.size() && SamePath(path.substr(0, folder.size()), folder);
}

TInstallLog ReadInstallLog(const std::wstring &programFolder) {
  static const char madeDir[] = "Made Dir: ", fileCopy[] = "File Copy: ";
  TInstallLog log;
  for (const std::string &line : ReadLines(programFolder + L"Install.log")) {
    if (StartsWith(line, madeDir))
      log.Folders.push_back(FromUtf8(line.substr(sizeof madeDir - 1)));
    else if (StartsWith(line, fileCopy))
      log.Files.push_back(FromUtf8(line.substr(sizeof fileCopy - 1)));
  }
  return log;
}

namespace {

// The path with every part in its long form, as the setup spelled it; the
// path itself when it does not name an existing file.
std::wstring LongPath(const std::wstring &path) {
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetLongPathNameW(path.c_str(), full.data(), static_cast<DWORD>(full.size()));
    if (length == 0) return path;
    if (length < full.size()) return full.substr(0, length);
    full.resize(length);
  }
}

}  // namespace

std::wstring FullPath(const std::wstring &path) {
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return {};
    if (length < full.size()) return LongPath(full.substr(0, length));
    full.resize(length);
  }
}

bool ListsProgram(const TInstallLog &log, const std::wstring &program) {
  const std::wstring longProgram = LongPath(program);
  for (const std::wstring &file : log.Files)
    if (SamePath(file, program) || SamePath(LongPath(file), longProgram)) return true;
  return false;
}

std::wstring SharedDataFolder() {
  std::wstring base = SpecialFolder(CSIDL_COMMON_APPDATA);
  if (base.empty()) base = SpecialFolder(CSIDL_PERSONAL);
  if (base.empty()) return {};
  if (base.back() != L'\\') base += L'\\';
  return base + L"Lorvane\\";
}

namespace {

// The names the setup gives its links, one per language of its table (some
// languages share the English one).
constexpr const wchar_t *LinkNames[] = {
    L"Lorvane Word Processor.lnk",
    L"Lorvane-Textverarbeitungsprogramm.lnk",
    L"Procesador de textos Lorvane.lnk",
    L"Traitement de texte Lorvane.lnk",
    L"Lorvane\u6587\u5b57\u5904\u7406\u5668.lnk",
    L"Lorvane\u6587\u5b57\u8655\u7406\u5668.lnk",
};

std::wstring WithBackslash(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

bool SameOrInside(const std::wstring &path, const std::wstring &folder) {
  return SamePath(path, folder) || IsInside(path, folder);
}

}  // namespace

TSetupPlaces SetupPlaces(const std::wstring &programFolder) {
  TSetupPlaces places;
  places.ProgramFolder = WithBackslash(FullPath(programFolder));
  places.SharedFolder = SharedDataFolder();
  for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY})
    if (const std::wstring folder = SpecialFolder(csidl); !folder.empty())
      places.LinkFolders.push_back(WithBackslash(folder));
  return places;
}

bool IsSetupFile(const TSetupPlaces &places, const std::wstring &path) {
  if (IsInside(path, places.ProgramFolder) || IsInside(path, places.SharedFolder)) return true;
  const std::wstring folder = FolderOf(path);
  for (const std::wstring &linkFolder : places.LinkFolders) {
    if (!SamePath(folder, linkFolder)) continue;
    for (const wchar_t *name : LinkNames)
      if (SamePath(path.substr(folder.size()), name)) return true;
  }
  return false;
}

bool IsSetupFolder(const TSetupPlaces &places, const std::wstring &path) {
  const std::wstring folder = WithBackslash(path);
  if (SameOrInside(folder, places.ProgramFolder) || SameOrInside(folder, places.SharedFolder)) return true;
  for (const std::wstring &linkFolder : places.LinkFolders)
    if (SamePath(folder, linkFolder)) return true;
  return false;
}

std::string StampLineOf(const std::wstring &stampFile) {
  static const char digits[] = "0123456789ABCDEF";
  const std::string stamp = ReadFileBytes(stampFile);
  if (stamp.size() != 8) return {};
  std::string line = "*";
  for (unsigned char byte : stamp) {
    line += digits[byte >> 4];
    line += digits[byte & 15];
  }
  return line;
}

std::vector<std::wstring> TakeGroup(std::vector<std::string> &lines, const std::string &stampLine) {
  std::vector<std::wstring> paths;
  if (stampLine.empty()) return paths;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != stampLine) continue;
    size_t end = i + 1;
    for (; end < lines.size() && lines[end][0] != '*'; ++end)
      paths.push_back(FromUtf8(lines[end].substr(0, lines[end].find('\t'))));
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.begin() + static_cast<std::ptrdiff_t>(end));
    break;
  }
  return paths;
}
