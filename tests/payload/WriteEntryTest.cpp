// Writing entries: contents, times, log lines, and the Abort/Retry/Ignore
// box of a failed write, answered through the real box.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CatalogueFixture.h"
#include "dialogs/Dialogs.h"
#include "support/MessageBoxDriver.h"
#include "support/ProcessWindows.h"

namespace {

using WriteEntryTest = CatalogueTest;

TEST_F(WriteEntryTest, WritesTheContentsWithTheStoredTimeAndLogsOnce) {
  const std::wstring target = Temp / L"Sub\\Readme.txt";
  MakeFile(target, "a longer file that the entry's contents replace completely");
  ASSERT_TRUE(Catalogue->WriteEntry(Entry(Readme), target));
  ASSERT_TRUE(Catalogue->WriteEntry(Entry(Guide), Temp / L"Sub\\Guide.txt"));
  EXPECT_EQ(ReadWholeFile(target), "The first readme.\r\n");
  EXPECT_EQ(GetFileDateTime(target), Entry(Readme).Time);
  EXPECT_EQ(Log.Lines(), (std::vector<std::string>{"File Copy: " + UTF8Encode(target),
                                                   "File Copy: " + UTF8Encode(Temp / L"Sub\\Guide.txt")}));

  // On a later run the unchanged file is left alone.
  Catalogue->SelectFiles("Readme.txt", Temp / L"Sub", omReplaceIfDifferent);
  EXPECT_EQ(Catalogue->ToInstall.Count(), 0);
}

TEST_F(WriteEntryTest, CreatesAndLogsTheMissingFoldersFirst) {
  const std::wstring target = Temp / L"A\\B\\Guide.txt";
  ASSERT_TRUE(Catalogue->WriteEntry(Entry(Guide), target));
  EXPECT_EQ(ReadWholeFile(target), "How to use the guide.\r\nSecond line.\r\n");
  EXPECT_EQ(Log.Lines(), (std::vector<std::string>{"Made Dir: " + UTF8Encode(Temp / L"A\\"),
                                                   "Made Dir: " + UTF8Encode(Temp / L"A\\B\\"),
                                                   "File Copy: " + UTF8Encode(target)}));
}

TEST_F(WriteEntryTest, AnEmptyEntryGivesAnEmptyFileWithItsTime) {
  const std::wstring target = Temp / L"Empty.txt";
  ASSERT_TRUE(Catalogue->WriteEntry(Entry(Empty), target));
  EXPECT_EQ(ReadWholeFile(target), "");
  EXPECT_EQ(GetFileDateTime(target), Entry(Empty).Time);
}

TEST_F(WriteEntryTest, ATimeOutsideTheFileDateRangeLeavesTheTimeOfWriting) {
  for (FixtureEntry index : {Old, Future}) {
    const std::wstring target = Temp / Entry(index).Name;
    const TDateTime before = Now();
    ASSERT_TRUE(Catalogue->WriteEntry(Entry(index), target));
    const TDateTime written = GetFileDateTime(target);
    // File times keep even seconds, so the written time may lie up to two
    // seconds before the call.
    EXPECT_GE(written, before - 2.0 / 86400) << UTF8Encode(target);
    EXPECT_LE(written, Now()) << UTF8Encode(target);
    EXPECT_EQ(ReadWholeFile(target), std::string(reinterpret_cast<const char *>(Entry(index).Data), Entry(index).Size));
  }
}

TEST_F(WriteEntryTest, NothingIsLoggedWhileTheLogIsSuspended) {
  {
    TLogSuspension suspended;
    ASSERT_TRUE(Catalogue->WriteEntry(Entry(Readme), Temp / L"Sub\\Readme.txt"));
  }
  EXPECT_EQ(ReadWholeFile(Temp / L"Sub\\Readme.txt"), "The first readme.\r\n");
  EXPECT_TRUE(Log.Lines().empty());
}

// A target whose folder cannot be made: a file stands where its parent
// folder would be.
class BlockedWriteTest : public CatalogueTest {
protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    MakeFile(Blocker, "not a folder");
  }
  std::string FileCopyLine() const { return "File Copy: " + UTF8Encode(Target); }
  bool Logged(const std::string &line) const { return InstallLog->IndexOf(line) >= 0; }

  const std::wstring Blocker = Temp / L"Blocker";
  const std::wstring Target = Temp / L"Blocker\\Sub\\Readme.txt";
};

TEST_F(BlockedWriteTest, AbortGivesFalseAfterTheLocalisedErrorBox) {
  TMessageBoxDriver driver({TBoxAnswer{IDABORT}});
  EXPECT_FALSE(Catalogue->WriteEntry(Entry(Readme), Target));
  const auto &boxes = driver.Finish();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, L"Cannot create file \"" + Target +
                               L"\".\rAnother application might already be using this file.\r\r"
                               L"Please make sure that the setup of Lorvane Word Processor is not blocked by your "
                               L"security software (firewall/antivirus) in any way.");
  EXPECT_EQ(boxes[0].Caption, L"Lorvane Word Processor Lite - Setup");
  EXPECT_EQ(boxes[0].Icon, 32513);  // IDI_HAND
  EXPECT_EQ(boxes[0].Buttons, (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
  EXPECT_FALSE(Logged(FileCopyLine()));
  EXPECT_EQ(ReadWholeFile(Target), "<missing>");
  EXPECT_EQ(ExitCode, 0);
}

TEST_F(BlockedWriteTest, TheBoxSpeaksTheCurrentLanguage) {
  CurLanguage = 0;  // German
  TMessageBoxDriver driver({TBoxAnswer{IDABORT}});
  EXPECT_FALSE(Catalogue->WriteEntry(Entry(Readme), Target));
  const auto &boxes = driver.Finish();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text.substr(0, 11 + Target.size() + 1), L"Die Datei \u201e" + Target + L"\u201c");
  EXPECT_EQ(boxes[0].Caption, L"Lorvane-Textverarbeitungsprogramm Lite - Setup");
}

TEST_F(BlockedWriteTest, IgnoreGivesTrueAndLogsNoFile) {
  TMessageBoxDriver driver({TBoxAnswer{IDIGNORE}});
  EXPECT_TRUE(Catalogue->WriteEntry(Entry(Readme), Target));
  EXPECT_EQ(driver.Finish().size(), 1u);
  EXPECT_FALSE(Logged(FileCopyLine()));
  EXPECT_EQ(ReadWholeFile(Target), "<missing>");
}

TEST_F(BlockedWriteTest, RetryStartsAgainFromTheFolders) {
  // The user clears the way while the box is up.
  TMessageBoxDriver driver({TBoxAnswer{IDRETRY, [this](HWND) { DeleteFileW(Blocker.c_str()); }}});
  EXPECT_TRUE(Catalogue->WriteEntry(Entry(Readme), Target));
  EXPECT_EQ(driver.Finish().size(), 1u);
  EXPECT_EQ(ReadWholeFile(Target), "The first readme.\r\n");
  EXPECT_EQ(GetFileDateTime(Target), Entry(Readme).Time);
  EXPECT_TRUE(Logged(FileCopyLine()));
}

TEST_F(BlockedWriteTest, RetryWithTheWayStillBlockedAsksAgain) {
  TMessageBoxDriver driver({TBoxAnswer{IDRETRY}, TBoxAnswer{IDRETRY}, TBoxAnswer{IDABORT}});
  EXPECT_FALSE(Catalogue->WriteEntry(Entry(Readme), Target));
  EXPECT_EQ(driver.Finish().size(), 3u);
}

// The exit code is the setup's to set, not the catalogue's.
TEST_F(BlockedWriteTest, ASilentRunGivesFalseAtOnceAndShowsNothing) {
  Silent = true;
  TMessageBoxDriver driver({});
  EXPECT_FALSE(Catalogue->WriteEntry(Entry(Readme), Target));
  EXPECT_EQ(ExitCode, 0);
  EXPECT_TRUE(driver.Finish().empty());
}

// The case the box describes: another program holds the file open without
// sharing. Retry, once it lets go, truncates what an earlier attempt left.
TEST_F(WriteEntryTest, AFileHeldOpenAsksAndRetryRewritesItWhole) {
  const std::wstring target = Temp / L"Held.txt";
  MakeFile(target, "what an earlier attempt left, longer than the entry's contents");
  HANDLE holder = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  TMessageBoxDriver driver({TBoxAnswer{IDRETRY, [&](HWND) { CloseHandle(holder); }}});
  EXPECT_TRUE(Catalogue->WriteEntry(Entry(Readme), target));
  const auto &boxes = driver.Finish();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text.substr(0, 20 + target.size()), L"Cannot create file \"" + target);
  EXPECT_EQ(ReadWholeFile(target), "The first readme.\r\n");
  EXPECT_EQ(GetFileDateTime(target), Entry(Readme).Time);
  EXPECT_EQ(Log.Lines(), std::vector<std::string>{"File Copy: " + UTF8Encode(target)});
}

// A box that cannot be shown counts as Abort: the write gives up at once
// instead of retrying unasked for ever.
TEST_F(BlockedWriteTest, ABoxThatCannotBeShownAborts) {
  struct OwnerReset {
    ~OwnerReset() { MessageDlgOwner = nullptr; }
  } reset;
  HWND gone = GoneWindow();
  ASSERT_NE(gone, nullptr);
  MessageDlgOwner = gone;
  TMessageBoxDriver driver({TBoxAnswer{IDRETRY}});
  EXPECT_FALSE(Catalogue->WriteEntry(Entry(Readme), Target));
  EXPECT_TRUE(driver.Finish().empty());
  EXPECT_FALSE(Logged(FileCopyLine()));
  EXPECT_EQ(ExitCode, 0);
}

}  // namespace
