// The catalogue tests' common ground: the catalogue of this executable's own
// archive (see catalogue-fixture/), a throwaway folder, an active log, and
// the program-wide flags reset around every test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TestFolders.h"
#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"

// Indices of the archive's entries, in archive order.
enum FixtureEntry { Readme, Guide, Empty, Resume, Old, Future, SecondReadme, FixtureEntryCount };

class CatalogueTest : public testing::Test {
protected:
  CatalogueTest() : Catalogue(std::make_unique<TAttachedFiles>()) {}
  void SetUp() override { ResetFlags(); }
  void TearDown() override { ResetFlags(); }

  TAttachedFile &Entry(FixtureEntry index) const { return *Catalogue->Files[index]; }

  std::unique_ptr<TAttachedFiles> Catalogue;
  TempFolder Temp;
  ScopedInstallLog Log;

private:
  static void ResetFlags() {
    ForceOverwrite = false;
    Silent = false;
    ExitCode = 0;
    CurLanguage = 1;
  }
};

// A local date and time as a TDateTime.
inline TDateTime LocalTime(int year, int month, int day, int hour, int min, int sec) {
  return EncodeDate(year, month, day) + EncodeTime(hour, min, sec, 0);
}

// Sets a file's last-write time from a local TDateTime, outside the code
// under test.
inline bool SetWriteTime(const std::wstring &path, TDateTime local) {
  int year, month, day, hour, min, sec, msec;
  DecodeDate(local, year, month, day);
  DecodeTime(local, hour, min, sec, msec);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(min);
  st.wSecond = static_cast<WORD>(sec);
  FILETIME localTime, utc;
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool ok = SystemTimeToFileTime(&st, &localTime) && LocalFileTimeToFileTime(&localTime, &utc) &&
                  SetFileTime(file, nullptr, nullptr, &utc);
  CloseHandle(file);
  return ok;
}

// Creates the file with the bytes, and its folder, outside the code under test.
inline void MakeFile(const std::wstring &path, const std::string &bytes) {
  const size_t slash = path.find_last_of(L'\\');
  for (size_t at = path.find(L'\\', 3); at != std::wstring::npos && at <= slash; at = path.find(L'\\', at + 1))
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (file == INVALID_HANDLE_VALUE) return;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}
