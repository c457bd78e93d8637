// setup.exe itself, run silently as a script runs it: the exit code tells
// what happened, and no window ever shows.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "RunningApplication.h"
#include "payload/InstUtils.h"
#include "setup/Records.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

bool KeyExists(HKEY root, const char *path) {
  HKEY key;
  if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

// The language of the resource, into *found (the replacement must take its
// place, not stand beside it).
BOOL CALLBACK FirstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  *reinterpret_cast<WORD *>(found) = language;
  return FALSE;
}

std::wstring StoredMainDir() {
  wchar_t value[MAX_PATH] = L"";
  DWORD size = sizeof value;
  ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Lorvane Word Processor\\Install", L"MAINDIR", RRF_RT_REG_SZ, nullptr,
                 value, &size);
  return value;
}

class SetupExeTest : public testing::Test {
protected:
  // A run of setup.exe with these parameters; its exit code.
  DWORD RunSetup(const std::wstring &args) {
    TProgramRun run(WindowsPath(LV_SETUP_EXE), args);
    EXPECT_TRUE(run.Started());
    const DWORD code = run.Wait();
    EXPECT_FALSE(run.ShowedAWindow()) << "a silent run showed a window";
    return code;
  }
  void TearDown() override {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Lorvane Word Processor");
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKeyPath);
  }

  TempFolder Destination;
  const std::wstring Target = ExcludeTrailingBackslash(Destination.Path());
};

TEST_F(SetupExeTest, ASilentRunInstallsIntoTheDestinationSwitchAndSavesTheRecords) {
  EXPECT_EQ(RunSetup(L"/S \"-D" + Target + L"\""), 0u);
  EXPECT_TRUE(FileExists(Target + L"\\lvx.exe"));
  EXPECT_TRUE(FileExists(Target + L"\\License.txt"));
  const std::string log = ReadWholeFile(Target + L"\\Install.log");
  EXPECT_NE(log.find("File Copy: " + UTF8Encode(Target) + "\\lvx.exe\r\n"), std::string::npos) << log;
  EXPECT_EQ(StoredMainDir(), Target);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UninstallKeyPath));
  EXPECT_TRUE(FileExists(SharedDataFolder() + L"Update.log"));
}

// A portable installation inside Program Files is refused without a box:
// exit code 4, nothing written, no records.
TEST_F(SetupExeTest, ASilentRunThatAPageCheckRefusesEndsWithExitCode4) {
  const std::wstring portable = GetSpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Lorvane Portable";
  ForceDirectories(portable);
  WriteStringToFile(portable + L"\\Lorvane.ini", "");
  EXPECT_EQ(RunSetup(L"/S \"-D" + portable + L"\""), 4u);
  EXPECT_FALSE(FileExists(portable + L"\\lvx.exe"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Lorvane Word Processor\\Install"));
  ::DeleteFileW((portable + L"\\Lorvane.ini").c_str());
  ::RemoveDirectoryW(portable.c_str());
}

TEST_F(SetupExeTest, ASilentRunWhileTheApplicationRunsEndsWithExitCode1AndWritesNothing) {
  {
    TRunningApplication application;
    EXPECT_EQ(RunSetup(L"/S \"-D" + Target + L"\""), 1u);
  }
  EXPECT_FALSE(FileExists(Target + L"\\lvx.exe"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Lorvane Word Processor\\Install"));
}

// A file that cannot be written stops the run with exit code 2; what was
// written stays, and the records are saved all the same.
TEST_F(SetupExeTest, ASilentRunThatCannotWriteAFileEndsWithExitCode2AndKeepsTheRecords) {
  ASSERT_TRUE(::CreateDirectoryW((Target + L"\\License.txt").c_str(), nullptr));
  EXPECT_EQ(RunSetup(L"/S \"-D" + Target + L"\""), 2u);
  EXPECT_TRUE(FileExists(Target + L"\\lvx.exe"));
  EXPECT_EQ(StoredMainDir(), Target);
  const std::string log = ReadWholeFile(Target + L"\\Install.log");
  EXPECT_NE(log.find("File Copy: " + UTF8Encode(Target) + "\\lvx.exe\r\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("License.txt"), std::string::npos) << log;
}

// A copy of setup.exe whose payload has one byte inverted halfway through:
// refused at start-up, before anything is written, with exit code 3.
TEST_F(SetupExeTest, ADamagedSetupIsRefusedBeforeAnythingIsWritten) {
  const std::wstring damaged = Destination.Path() + L"damaged-setup.exe";
  ASSERT_TRUE(::CopyFileW(WindowsPath(LV_SETUP_EXE).c_str(), damaged.c_str(), FALSE));
  std::string payload;
  WORD language = 0;
  {
    HMODULE module = ::LoadLibraryExW(damaged.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    ::EnumResourceLanguagesW(module, L"FILES", L"FILES", FirstLanguage, reinterpret_cast<LONG_PTR>(&language));
    HRSRC info = ::FindResourceW(module, L"FILES", L"FILES");
    ASSERT_NE(info, nullptr);
    const char *bytes = static_cast<const char *>(::LockResource(::LoadResource(module, info)));
    payload.assign(bytes, ::SizeofResource(module, info));
    ::FreeLibrary(module);
  }
  payload[payload.size() / 2] = static_cast<char>(~payload[payload.size() / 2]);
  HANDLE update = ::BeginUpdateResourceW(damaged.c_str(), FALSE);
  ASSERT_NE(update, nullptr);
  ASSERT_TRUE(::UpdateResourceW(update, L"FILES", L"FILES", language, payload.data(),
                                static_cast<DWORD>(payload.size())));
  ASSERT_TRUE(::EndUpdateResourceW(update, FALSE));

  const std::wstring target = Destination.Path() + L"Target";
  TProgramRun run(damaged, L"/S \"-D" + target + L"\"");
  ASSERT_TRUE(run.Started());
  EXPECT_EQ(run.Wait(), 3u);
  EXPECT_FALSE(run.ShowedAWindow());
  EXPECT_FALSE(DirectoryExists(target));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Lorvane Word Processor\\Install"));
}

}  // namespace
