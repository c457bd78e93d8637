// A fresh folder under the user's temp folder for one test; the files the
// test made in it are deleted at the end (sub-folders are not expected).
#pragma once

#include <windows.h>

#include <string>

class TTempFolder {
public:
  TTempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    for (unsigned n = GetTickCount();; ++n) {
      FPath = std::wstring(temp) + L"lvtest" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(n);
      if (CreateDirectoryW(FPath.c_str(), nullptr)) break;
    }
    FPath += L'\\';
  }
  ~TTempFolder() {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((FPath + L"*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do DeleteFileW((FPath + found.cFileName).c_str());
      while (FindNextFileW(h, &found));
      FindClose(h);
    }
    RemoveDirectoryW(FPath.c_str());
  }
  TTempFolder(const TTempFolder &) = delete;
  TTempFolder &operator=(const TTempFolder &) = delete;

  // The full path of a file in the folder.
  std::wstring File(const std::wstring &name) const { return FPath + name; }

private:
  std::wstring FPath;
};

// Test helpers over the file system, outside the code under test.
inline void WriteFileBytes(const std::wstring &path, const std::string &bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD done = 0;
  if (h == INVALID_HANDLE_VALUE) return;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(h);
}

inline std::string ReadFileBytes(const std::wstring &path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(h, nullptr), '\0');
  DWORD done = 0;
  ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(h);
  bytes.resize(done);
  return bytes;
}
