#include <windows.h>

#include <gtest/gtest.h>

#include "TestFolders.h"
#include "payload/InstUtils.h"

namespace {

using Lines = std::vector<std::string>;

TEST(InstallLogMissingTest, LogBeforeTheLogExistsDoesNothing) {
  ASSERT_EQ(InstallLog, nullptr);
  Log("File Copy: C:\\Lorvane\\lvx.exe");
  SaveInstallLog();
  LoadInstallLog();
  EXPECT_EQ(InstallLog, nullptr);
}

class InstallLogTest : public testing::Test {
protected:
  TempFolder Temp;
  ScopedInstallLog Scoped;
};

TEST_F(InstallLogTest, KeepsFirstSpellingAndOrder) {
  Log("Made Dir: C:\\Lorvane\\");
  Log("File Copy: C:\\Lorvane\\lvx.exe");
  Log("FILE COPY: c:\\lorvane\\LVX.EXE");
  Log("File Copy: C:\\Lorvane\\License.txt");
  Log("Made Dir: C:\\Lorvane\\");
  EXPECT_EQ(Scoped.Lines(),
            (Lines{"Made Dir: C:\\Lorvane\\", "File Copy: C:\\Lorvane\\lvx.exe", "File Copy: C:\\Lorvane\\License.txt"}));
}

TEST_F(InstallLogTest, SuspensionsNest) {
  SuspendLog();
  Log("one");
  SuspendLog();
  ResumeLog();
  Log("two");
  EXPECT_EQ(LogSuspendCount, 1);
  ResumeLog();
  Log("three");
  EXPECT_EQ(Scoped.Lines(), (Lines{"three"}));
}

TEST_F(InstallLogTest, ASuspensionHoldsForItsScopeAlsoWhenLeftByAnException) {
  try {
    TLogSuspension outer;
    {
      TLogSuspension inner;
      Log("inner");
    }
    Log("outer");
    throw EAbort();
  } catch (const EAbort &) {
  }
  EXPECT_EQ(LogSuspendCount, 0);
  Log("after");
  EXPECT_EQ(Scoped.Lines(), (Lines{"after"}));
}

TEST_F(InstallLogTest, SaveWritesCrLfAfterEveryLineAndLoadReadsItBack) {
  InstallLogFile = Temp / L"Install.log";
  const Lines lines = {"Made Dir: C:\\Lorvane\\", "File Copy: C:\\Lorvane\\\xC3\xA9t\xC3\xA9 \xE8\xAA\x9E.txt"};
  for (const auto &line : lines) Log(line);
  SaveInstallLog();
  EXPECT_EQ(ReadWholeFile(InstallLogFile), lines[0] + "\r\n" + lines[1] + "\r\n");

  // A repeated install: the old lines first, a known one not added twice.
  InstallLog->Clear();
  LoadInstallLog();
  EXPECT_EQ(Scoped.Lines(), lines);
  Log("made dir: c:\\lorvane\\");
  Log("File Copy: C:\\Lorvane\\lvx.exe");
  EXPECT_EQ(Scoped.Lines(), (Lines{lines[0], lines[1], "File Copy: C:\\Lorvane\\lvx.exe"}));
}

TEST_F(InstallLogTest, LoadWithoutAFileKeepsTheList) {
  Log("kept");
  InstallLogFile = Temp / L"Install.log";
  LoadInstallLog();
  InstallLogFile.clear();
  LoadInstallLog();
  EXPECT_EQ(Scoped.Lines(), (Lines{"kept"}));
}

TEST_F(InstallLogTest, LockedLogIsIgnoredOnLoadAndRaisesOnSave) {
  InstallLogFile = Temp / L"Install.log";
  WriteStringToFile(InstallLogFile, "old line\r\n");
  HANDLE lock = CreateFileW(InstallLogFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  Log("new line");
  EXPECT_NO_THROW(LoadInstallLog());
  EXPECT_EQ(Scoped.Lines(), (Lines{"new line"}));
  EXPECT_THROW(SaveInstallLog(), EAbort);
  CloseHandle(lock);
  EXPECT_EQ(ReadWholeFile(InstallLogFile), "old line\r\n");
}

TEST_F(InstallLogTest, SaveWithoutAFileNameWritesNothing) {
  Log("line");
  EXPECT_NO_THROW(SaveInstallLog());
}

}  // namespace
