// The destination rules and the data folders. Every run happens in a
// throwaway copy of the prefix, because the data folders are made in the
// machine's shared data. With LV_EXPECT_SHARED_IN_DOCUMENTS=1 the copy has no
// common application-data folder, and the shared data belongs in the
// documents folder.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "payload/TestFolders.h"
#include "setup/Destination.h"
#include "support/TempFolder.h"

namespace {

// The root of the shared data this run expects, built from the shell's
// folders. Also checks that the prefix is the one the run expects.
WideString ExpectedSharedRoot() {
  const char *documents = std::getenv("LV_EXPECT_SHARED_IN_DOCUMENTS");
  const bool inDocuments = documents != nullptr && std::string(documents) == "1";
  const WideString common = GetSpecialFolder(CSIDL_COMMON_APPDATA);
  EXPECT_EQ(common.empty(), inDocuments) << "common application-data folder: " << UTF8Encode(common);
  const WideString base = inDocuments ? GetSpecialFolder(CSIDL_PERSONAL) : common;
  EXPECT_FALSE(base.empty());
  return base + L"\\Lorvane\\";
}

const wchar_t ProgramFiles[] = L"C:\\Program Files";

struct NormalizeCase {
  const char *label;
  const wchar_t *text;
  const wchar_t *programFiles;
  const wchar_t *expected;
};

class NormalizeDestinationTest : public testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeDestinationTest, CompletesTheText) {
  const NormalizeCase &c = GetParam();
  EXPECT_EQ(UTF8Encode(NormalizeDestination(c.text, c.programFiles)), UTF8Encode(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, NormalizeDestinationTest,
    testing::Values(
        NormalizeCase{"BlanksAtBothEndsAndTrailingBackslash", L"  D:\\Apps\\Editor\\  ", ProgramFiles,
                      L"D:\\Apps\\Editor"},
        NormalizeCase{"InnerBlanksKept", L" D:\\My Apps ", ProgramFiles, L"D:\\My Apps"},
        NormalizeCase{"DriveRoot", L"D:\\", ProgramFiles, L"D:\\Lorvane"},
        NormalizeCase{"BareDrive", L"D:", ProgramFiles, L"D:\\Lorvane"},
        NormalizeCase{"RelativeIsDiscarded", L"Editor", ProgramFiles, L"C:\\Program Files\\Lorvane"},
        NormalizeCase{"RootedWithoutDriveIsDiscarded", L"\\Apps\\Editor", ProgramFiles,
                      L"C:\\Program Files\\Lorvane"},
        NormalizeCase{"Empty", L"", ProgramFiles, L"C:\\Program Files\\Lorvane"},
        NormalizeCase{"OnlyBlanks", L"   ", ProgramFiles, L"C:\\Program Files\\Lorvane"},
        NormalizeCase{"NetworkPathUnchanged", L"\\\\server\\share\\Editor", ProgramFiles,
                      L"\\\\server\\share\\Editor"},
        NormalizeCase{"ProgramFilesItself", L"C:\\Program Files", ProgramFiles, L"C:\\Program Files\\Lorvane"},
        // The letters typed are kept; the result names the default folder.
        NormalizeCase{"ProgramFilesUpperCase", L"C:\\PROGRAM FILES", ProgramFiles, L"C:\\PROGRAM FILES\\Lorvane"},
        NormalizeCase{"ProgramFilesLowerCase", L"c:\\program files", ProgramFiles, L"c:\\program files\\Lorvane"},
        NormalizeCase{"ProgramFilesMixedCase", L"c:\\PROGRAM files", ProgramFiles, L"c:\\PROGRAM files\\Lorvane"},
        NormalizeCase{"ProgramFilesWithBackslash", L"C:\\Program Files\\", ProgramFiles,
                      L"C:\\Program Files\\Lorvane"},
        NormalizeCase{"BelowProgramFilesUnchanged", L"C:\\Program Files\\Editor", ProgramFiles,
                      L"C:\\Program Files\\Editor"},
        // Only one backslash goes, so no name is left and the default name
        // is appended.
        NormalizeCase{"TwoTrailingBackslashes", L"D:\\Apps\\\\", ProgramFiles, L"D:\\Apps\\Lorvane"},
        NormalizeCase{"LeadingTabIsNoBlank", L"\tD:\\Apps", ProgramFiles, L"C:\\Program Files\\Lorvane"},
        NormalizeCase{"TrailingTabIsNoBlank", L"D:\\Apps\t", ProgramFiles, L"D:\\Apps\t"},
        NormalizeCase{"AlreadyNormalUnchanged", L"D:\\Apps\\Editor", ProgramFiles, L"D:\\Apps\\Editor"},
        NormalizeCase{"UnknownProgramFilesRelative", L"Editor", L"", L"Lorvane"},
        NormalizeCase{"UnknownProgramFilesAbsolute", L"D:\\Apps\\Editor\\", L"", L"D:\\Apps\\Editor"}),
    [](const testing::TestParamInfo<NormalizeCase> &info) { return std::string(info.param.label); });

TEST(DestinationTest, DefaultIsLorvaneInTheShellsProgramFiles) {
  const WideString programFiles = GetSpecialFolder(CSIDL_PROGRAM_FILES);
  ASSERT_FALSE(programFiles.empty());
  EXPECT_EQ(ProgramFilesFolder(), programFiles);
  EXPECT_EQ(DefaultDestination(), programFiles + L"\\Lorvane");
  EXPECT_EQ(NormalizeDestination(L"", ProgramFilesFolder()), DefaultDestination());
  EXPECT_EQ(NormalizeDestination(ProgramFilesFolder(), ProgramFilesFolder()), DefaultDestination());
}

struct PortableCase {
  const char *label;
  const wchar_t *destination;
  const wchar_t *programFiles;
  bool refused;
};

class PortableRefusedTest : public testing::TestWithParam<PortableCase> {};

TEST_P(PortableRefusedTest, ComparesTheProgramFilesPrefix) {
  const PortableCase &c = GetParam();
  EXPECT_EQ(PortableRefused(c.destination, c.programFiles), c.refused);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PortableRefusedTest,
    testing::Values(PortableCase{"BelowProgramFiles", L"C:\\Program Files\\Lorvane", ProgramFiles, true},
                    PortableCase{"ProgramFilesInAnotherCase", L"c:\\PROGRAM FILES", ProgramFiles, true},
                    PortableCase{"SameLeadingCharacters", L"C:\\Program FilesOld", ProgramFiles, true},
                    PortableCase{"Elsewhere", L"D:\\Portable\\Lorvane", ProgramFiles, false},
                    PortableCase{"ShorterThanProgramFiles", L"C:\\Program", ProgramFiles, false},
                    // The shipped program sees the 32-bit folder; the 64-bit one is
                    // allowed.
                    PortableCase{"OtherWidthsProgramFiles", L"C:\\Program Files\\Lorvane",
                                 L"C:\\Program Files (x86)", false},
                    PortableCase{"UnknownProgramFiles", L"D:\\Portable\\Lorvane", L"", true}),
    [](const testing::TestParamInfo<PortableCase> &info) { return std::string(info.param.label); });

TEST(PortableMarkerTest, IsAFileNamedLorvaneIni) {
  TempFolder none, marked, folderOfThatName;
  WriteFileBytes(marked / L"Lorvane.ini", "");
  ASSERT_TRUE(::CreateDirectoryW((folderOfThatName / L"Lorvane.ini").c_str(), nullptr));

  EXPECT_FALSE(HoldsPortableMarker(none.Path()));
  EXPECT_TRUE(HoldsPortableMarker(marked.Path()));
  EXPECT_TRUE(HoldsPortableMarker(ExcludeTrailingBackslash(marked.Path())));
  EXPECT_FALSE(HoldsPortableMarker(folderOfThatName.Path()));
}

TEST(SharedDataTest, ChoosesTheExpectedRoot) { EXPECT_EQ(SharedDataFolder(), ExpectedSharedRoot()); }

// The folders the setup writes templates and clips to are the ones the
// catalogue recognises for "Update.log", also under the documents fallback.
TEST(SharedDataTest, CatalogueListsEveryFileForThePublicFolder) {
  TAttachedFiles catalogue;
  const WideString publicFolder = DataFolder(dfPublic, false, L"");
  EXPECT_EQ(PublicDir, publicFolder);
  EXPECT_EQ(PublicDir, ExpectedSharedRoot() + L"Public\\");

  catalogue.SelectFiles("Templates\\", publicFolder, omAlwaysReplace);
  catalogue.SelectFiles("Clip Library\\", publicFolder, omAlwaysReplace);
  ASSERT_GT(catalogue.ToInstall.Count(), 0);
  EXPECT_EQ(catalogue.PublicFiles.Count(), catalogue.ToInstall.Count());
}

struct SharedKindCase {
  const char *label;
  TDataFolderKind kind;
  const wchar_t *folder;  // below the shared root
};

class SharedDataFolderTest : public testing::TestWithParam<SharedKindCase> {};

// Made with "Made Dir: " for each folder that was missing, parents first.
TEST_P(SharedDataFolderTest, IsMadeBelowTheSharedRoot) {
  const SharedKindCase &c = GetParam();
  const WideString root = ExpectedSharedRoot();
  const WideString expected = root + c.folder;
  std::vector<WideString> chain = {root};
  if (expected != root) chain.push_back(expected);
  std::vector<std::string> made;
  for (const WideString &folder : chain)
    if (!DirectoryExists(folder)) made.push_back("Made Dir: " + UTF8Encode(folder));

  ScopedInstallLog log;
  EXPECT_EQ(DataFolder(c.kind, false, L"D:\\Ignored"), expected);
  EXPECT_TRUE(DirectoryExists(expected));
  EXPECT_EQ(log.Lines(), made);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SharedDataFolderTest,
                         testing::Values(SharedKindCase{"Common", dfCommon, L""},
                                         SharedKindCase{"Hidden", dfHidden, L"Hidden\\"},
                                         SharedKindCase{"Public", dfPublic, L"Public\\"}),
                         [](const testing::TestParamInfo<SharedKindCase> &info) {
                           return std::string(info.param.label);
                         });

TEST(PortableDataFolderTest, IsTheTargetForEveryKind) {
  TempFolder temp;
  const WideString target = temp / L"Copy\\Portable";
  for (TDataFolderKind kind : {dfCommon, dfHidden, dfPublic}) {
    EXPECT_EQ(DataFolder(kind, true, target), target + L"\\") << kind;
    EXPECT_EQ(DataFolder(kind, true, target + L"\\"), target + L"\\") << kind;
  }
  EXPECT_TRUE(DirectoryExists(target));
}

TEST(PortableDataFolderTest, LogsEachFolderItMakesParentsFirst) {
  TempFolder temp;
  ScopedInstallLog log;
  DataFolder(dfCommon, true, temp / L"Copy\\Portable");
  DataFolder(dfHidden, true, temp / L"Copy\\Portable");
  const std::vector<std::string> expected = {"Made Dir: " + UTF8Encode(temp / L"Copy\\"),
                                             "Made Dir: " + UTF8Encode(temp / L"Copy\\Portable\\")};
  EXPECT_EQ(log.Lines(), expected);
}

TEST(PortableDataFolderTest, MakesButDoesNotLogWhileSuspended) {
  TempFolder temp;
  ScopedInstallLog log;
  {
    TLogSuspension suspended;
    DataFolder(dfPublic, true, temp / L"Copy\\Portable");
  }
  EXPECT_TRUE(DirectoryExists(temp / L"Copy\\Portable"));
  EXPECT_TRUE(log.Lines().empty());
}

// No target, no folder: nothing is made or logged.
TEST(PortableDataFolderTest, EmptyTargetGivesEmptyFolder) {
  ScopedInstallLog log;
  EXPECT_EQ(DataFolder(dfCommon, true, L""), L"");
  EXPECT_TRUE(log.Lines().empty());
}

}  // namespace
