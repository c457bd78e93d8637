// Test helpers over the file system, outside the code under test: a
// throwaway folder and whole-file reads and writes.
#pragma once

#include <windows.h>

#include <string>

// A uniquely named folder, by default under the temporary folder, removed
// with everything in it at the end.
class TempFolder {
public:
  explicit TempFolder(std::wstring parent = TempPath()) {
    for (unsigned n = 0;; ++n) {
      FPath = parent + L"lvtest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(n) + L"\\";
      if (CreateDirectoryW(FPath.c_str(), nullptr)) break;
    }
  }
  ~TempFolder() { RemoveTree(FPath); }
  TempFolder(const TempFolder &) = delete;
  TempFolder &operator=(const TempFolder &) = delete;

  // The folder with a trailing backslash.
  const std::wstring &Path() const { return FPath; }
  std::wstring operator/(const std::wstring &name) const { return FPath + name; }

  // Removes the folder (with a trailing backslash) and everything in it.
  static void RemoveTree(const std::wstring &folder) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = folder + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path + L"\\");
        } else {
          SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(path.c_str());
        }
      } while (FindNextFileW(search, &data));
      FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
  }

private:
  static std::wstring TempPath() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return temp;
  }

  std::wstring FPath;
};

// The whole file as bytes; "<missing>" when it cannot be opened.
inline std::string ReadWholeFile(const std::wstring &path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

inline void WriteFileBytes(const std::wstring &path, const std::string &bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}
