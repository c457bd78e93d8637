#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cmath>

#include "TestFolders.h"
#include "payload/InstUtils.h"

namespace {

class InstFilesTest : public testing::Test {
protected:
  void SetUp() override { SavedDir = GetCurrentDir(); }
  void TearDown() override { SetCurrentDirectoryW(SavedDir.c_str()); }

  std::wstring SavedDir;
  TempFolder Temp;
  ScopedInstallLog Log;
};

TEST_F(InstFilesTest, GetCurrentDirEndsWithOneBackslash) {
  ASSERT_TRUE(SetCurrentDirectoryW(Temp.Path().c_str()));
  EXPECT_TRUE(SameText(GetCurrentDir(), Temp.Path()));
  ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\"));
  EXPECT_EQ(GetCurrentDir(), L"C:\\");
}

TEST_F(InstFilesTest, DirectoryExistsAndRestoresTheCurrentDirectory) {
  CreateDirectoryW((Temp / L"Sub").c_str(), nullptr);
  WriteStringToFile(Temp / L"file.txt", "x");
  ASSERT_TRUE(SetCurrentDirectoryW(Temp.Path().c_str()));
  const std::wstring current = GetCurrentDir();

  struct {
    std::wstring folder;
    bool exists;
  } const cases[] = {
      {Temp / L"Sub", true},
      {Temp / L"Sub\\", true},
      {Temp / L"SUB/", true},
      {Temp.Path(), true},
      {Temp / L"file.txt", false},
      {Temp / L"Missing", false},
      {L"Sub", false},  // relative, though it exists below the current directory
      {L"", false},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(DirectoryExists(c.folder), c.exists) << UTF8Encode(c.folder);
    EXPECT_EQ(GetCurrentDir(), current) << "after " << UTF8Encode(c.folder);
  }
}

TEST_F(InstFilesTest, FileExistsOnlyForFiles) {
  CreateDirectoryW((Temp / L"Sub").c_str(), nullptr);
  WriteStringToFile(Temp / L"file.txt", "");
  EXPECT_TRUE(FileExists(Temp / L"file.txt"));
  EXPECT_TRUE(FileExists(Temp / L"FILE.TXT"));
  EXPECT_FALSE(FileExists(Temp / L"Sub"));
  EXPECT_FALSE(FileExists(Temp / L"missing.txt"));
  EXPECT_FALSE(FileExists(L""));
}

TEST_F(InstFilesTest, ForceDirectoriesLogsParentsFirst) {
  const std::wstring x = Temp / L"x\\", y = Temp / L"x\\\u00E9t\u00E9\\";
  ForceDirectories(y);
  EXPECT_TRUE(DirectoryExists(x));
  EXPECT_TRUE(DirectoryExists(y));
  EXPECT_EQ(Log.Lines(), (std::vector<std::string>{"Made Dir: " + UTF8Encode(x), "Made Dir: " + UTF8Encode(y)}));
}

TEST_F(InstFilesTest, ForceDirectoriesOfAnExistingFolderLogsNothing) {
  ForceDirectories(Temp.Path());
  ForceDirectories(L"C:\\");
  EXPECT_EQ(Log.Lines().size(), 0u);
}

TEST_F(InstFilesTest, ForceDirectoriesLogsAFolderItCannotCreate) {
  WriteStringToFile(Temp / L"file", "x");
  const std::wstring blocked = Temp / L"file\\", below = Temp / L"file\\sub\\";
  ForceDirectories(below);
  EXPECT_FALSE(DirectoryExists(below));
  EXPECT_EQ(Log.Lines(),
            (std::vector<std::string>{"Made Dir: " + UTF8Encode(blocked), "Made Dir: " + UTF8Encode(below)}));
}

TEST_F(InstFilesTest, ForceDirectoriesWhileSuspendedCreatesButLogsNothing) {
  SuspendLog();
  ForceDirectories(Temp / L"a\\b\\");
  ResumeLog();
  EXPECT_TRUE(DirectoryExists(Temp / L"a\\b\\"));
  EXPECT_EQ(Log.Lines().size(), 0u);
}

TEST_F(InstFilesTest, WriteStringToFileReplacesTheWholeFile) {
  const std::wstring file = Temp / L"lvx_common.dat";
  WriteStringToFile(file, std::string("long old contents\0\xFF", 20));
  EXPECT_EQ(ReadWholeFile(file), std::string("long old contents\0\xFF", 20));
  WriteStringToFile(file, "new");
  EXPECT_EQ(ReadWholeFile(file), "new");
  WriteStringToFile(file, "");
  EXPECT_EQ(ReadWholeFile(file), "");
}

TEST_F(InstFilesTest, WriteStringToFileCreatesNoFolder) {
  WriteStringToFile(Temp / L"missing\\Lorvane.ini", "");
  EXPECT_FALSE(DirectoryExists(Temp / L"missing"));
  EXPECT_EQ(Log.Lines().size(), 0u);
}

// Sets the last-write time from a local date and time, as Explorer shows it.
void SetLocalWriteTime(const std::wstring &path, WORD year, WORD month, WORD day, WORD hour, WORD min, WORD sec) {
  SYSTEMTIME st{};
  st.wYear = year;
  st.wMonth = month;
  st.wDay = day;
  st.wHour = hour;
  st.wMinute = min;
  st.wSecond = sec;
  FILETIME local, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &local));
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &utc));
  CloseHandle(file);
}

TEST_F(InstFilesTest, GetFileDateTimeTruncatesToEvenSeconds) {
  const std::wstring file = Temp / L"t.txt";
  WriteStringToFile(file, "t");
  SetLocalWriteTime(file, 2021, 6, 15, 10, 0, 3);
  EXPECT_EQ(GetFileDateTime(file), EncodeDate(2021, 6, 15) + EncodeTime(10, 0, 2, 0));
}

TEST_F(InstFilesTest, GetFileDateTimeOfAMissingFileIsNow) {
  TDateTime before = Now();
  TDateTime got = GetFileDateTime(Temp / L"missing.txt");
  TDateTime after = Now();
  const double slack = 5.0 / 86400;
  EXPECT_GE(got, before - slack);
  EXPECT_LE(got, after + slack);
}

class FileHandleTest : public InstFilesTest {
protected:
  void SetUp() override {
    InstFilesTest::SetUp();
    File = CreateFileW((Temp / L"lvx.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    ASSERT_NE(File, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(File, "MZ", 2, &written, nullptr);
  }
  void TearDown() override {
    CloseHandle(File);
    InstFilesTest::TearDown();
  }
  HANDLE File = INVALID_HANDLE_VALUE;
};

TEST_F(FileHandleTest, SetFileDateTimeSurvivesAReadBack) {
  const TDateTime stored = EncodeDate(2023, 1, 31) + EncodeTime(23, 59, 58, 0);
  EXPECT_TRUE(SetFileDateTime(File, DateTimeToFileDate(stored)));
  CloseHandle(File);
  File = INVALID_HANDLE_VALUE;
  EXPECT_EQ(GetFileDateTime(Temp / L"lvx.exe"), stored);
}

// Only the access time can be compared: under Wine the creation time follows
// every change of the file's status.
TEST_F(FileHandleTest, SetFileDateTimeLeavesTheAccessTime) {
  FILETIME accessed;
  ASSERT_TRUE(GetFileTime(File, nullptr, &accessed, nullptr));
  EXPECT_TRUE(SetFileDateTime(File, DateTimeToFileDate(EncodeDate(1990, 5, 4) + EncodeTime(8, 30, 0, 0))));
  FILETIME accessed2;
  ASSERT_TRUE(GetFileTime(File, nullptr, &accessed2, nullptr));
  EXPECT_EQ(CompareFileTime(&accessed, &accessed2), 0);
}

TEST_F(FileHandleTest, TimeOutsideTheDosRangeKeepsTheWriteTime) {
  FILETIME before;
  ASSERT_TRUE(GetFileTime(File, nullptr, nullptr, &before));
  const TDateTime times[] = {EncodeDate(1979, 12, 31) + EncodeTime(23, 59, 58, 0), EncodeDate(2100, 1, 1)};
  for (TDateTime t : times) {
    ASSERT_EQ(DateTimeToFileDate(t), 0u);
    EXPECT_FALSE(SetFileDateTime(File, DateTimeToFileDate(t)));
  }
  FILETIME after;
  ASSERT_TRUE(GetFileTime(File, nullptr, nullptr, &after));
  EXPECT_EQ(CompareFileTime(&before, &after), 0);
}

TEST(SpecialFolderTest, ReturnsTheShellPathOrNothing) {
  EXPECT_TRUE(SameText(GetSpecialFolder(CSIDL_PROGRAM_FILES), L"C:\\Program Files"));
  EXPECT_TRUE(SameText(GetSpecialFolder(CSIDL_COMMON_APPDATA), L"C:\\ProgramData"));
  EXPECT_EQ(GetSpecialFolder(0xFF), L"");
}

}  // namespace
