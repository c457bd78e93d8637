// Selection: which entries, which targets, the decision over present files,
// the Logged flag and the list of files in the shared public folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CatalogueFixture.h"

namespace {

using SelectFilesTest = CatalogueTest;

std::vector<std::wstring> Targets(const TAttachedFiles &catalogue) {
  std::vector<std::wstring> targets;
  for (const TFileToInstall *item : catalogue.ToInstall) targets.push_back(item->Target);
  return targets;
}

TEST_F(SelectFilesTest, AnExactNameTakesTheFirstEntryOfThatNameInAnyCase) {
  Catalogue->SelectFiles("readme.TXT", Temp.Path(), omKeepExisting);
  ASSERT_EQ(Catalogue->ToInstall.Count(), 1);
  EXPECT_EQ(Catalogue->ToInstall[0]->Entry, &Entry(Readme));
  EXPECT_EQ(Catalogue->ToInstall[0]->Target, Temp / L"Readme.txt");
  EXPECT_TRUE(Catalogue->ToInstall[0]->Logged);
}

TEST_F(SelectFilesTest, AFolderPrefixTakesEveryEntryBelowItInArchiveOrder) {
  // The destination gets its backslash, whichever way it ends.
  const std::wstring dest = Temp.Path().substr(0, Temp.Path().size() - 1);
  Catalogue->SelectFiles("DOCS\\", dest, omKeepExisting);
  Catalogue->SelectFiles("docs\\", dest + L"/", omKeepExisting);
  const std::vector<std::wstring> docs = {Temp / L"Docs\\Guide.txt", Temp / L"Docs\\Empty.txt",
                                          Temp / L"Docs\\R\u00e9sum\u00e9.txt"};
  std::vector<std::wstring> twice = docs;
  twice.insert(twice.end(), docs.begin(), docs.end());
  EXPECT_EQ(Targets(*Catalogue), twice);
  EXPECT_EQ(Catalogue->ToInstall[2]->Entry, &Entry(Resume));
}

TEST_F(SelectFilesTest, NamesThatMatchNoEntryAddNothing) {
  for (const char *name : {"Docs", "Guide.txt", "Docs\\Guide", "Missing\\", "", "Readme.txt\\"})
    Catalogue->SelectFiles(name, Temp.Path(), omAlwaysReplace);
  EXPECT_EQ(Catalogue->ToInstall.Count(), 0);
}

// What is at the target before the selection.
enum class Present { Nothing, SameTime, TwoSecondsLater, TwoSecondsEarlier, Folder };

struct OverwriteCase {
  const char *name;
  TOverwriteMode mode;
  bool force;
  Present present;
  bool selected;
};

void PrintTo(const OverwriteCase &c, std::ostream *os) { *os << c.name; }

class OverwriteTest : public CatalogueTest, public testing::WithParamInterface<OverwriteCase> {};

TEST_P(OverwriteTest, DecidesOverAPresentTarget) {
  const OverwriteCase &c = GetParam();
  const std::wstring target = Temp / L"Readme.txt";
  const double twoSeconds = 2.0 / 86400;
  switch (c.present) {
    case Present::Nothing: break;
    case Present::Folder: CreateDirectoryW(target.c_str(), nullptr); break;
    default: {
      MakeFile(target, "an older readme");
      const double shift = c.present == Present::TwoSecondsLater ? twoSeconds
                           : c.present == Present::TwoSecondsEarlier ? -twoSeconds
                                                                      : 0;
      ASSERT_TRUE(SetWriteTime(target, Entry(Readme).Time + shift));
    }
  }
  ForceOverwrite = c.force;
  Catalogue->SelectFiles("Readme.txt", Temp.Path(), c.mode);
  EXPECT_EQ(Catalogue->ToInstall.Count(), c.selected ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, OverwriteTest,
    testing::Values(OverwriteCase{"KeepAbsent", omKeepExisting, false, Present::Nothing, true},
                    OverwriteCase{"KeepPresent", omKeepExisting, false, Present::TwoSecondsLater, false},
                    OverwriteCase{"KeepAFolderOfThatName", omKeepExisting, false, Present::Folder, true},
                    OverwriteCase{"IfDifferentAbsent", omReplaceIfDifferent, false, Present::Nothing, true},
                    OverwriteCase{"IfDifferentSameTime", omReplaceIfDifferent, false, Present::SameTime, false},
                    OverwriteCase{"IfDifferentLater", omReplaceIfDifferent, false, Present::TwoSecondsLater, true},
                    OverwriteCase{"IfDifferentEarlier", omReplaceIfDifferent, false, Present::TwoSecondsEarlier, true},
                    OverwriteCase{"AlwaysSameTime", omAlwaysReplace, false, Present::SameTime, true},
                    OverwriteCase{"ForcedKeepPresent", omKeepExisting, true, Present::SameTime, true},
                    OverwriteCase{"ForcedIfDifferentSameTime", omReplaceIfDifferent, true, Present::SameTime, true}),
    [](const testing::TestParamInfo<OverwriteCase> &info) { return info.param.name; });

TEST_F(SelectFilesTest, AnExactNameStopsAtItsFirstEntryEvenWhenThatIsKept) {
  MakeFile(Temp / L"Readme.txt", "present");
  Catalogue->SelectFiles("Readme.txt", Temp.Path(), omKeepExisting);
  EXPECT_EQ(Catalogue->ToInstall.Count(), 0);
}

TEST_F(SelectFilesTest, ItemsSelectedWhileTheLogIsSuspendedAreNotLogged) {
  {
    TLogSuspension suspended;
    Catalogue->SelectFiles("Docs\\", Temp.Path(), omKeepExisting);
  }
  Catalogue->SelectFiles("Readme.txt", Temp.Path(), omKeepExisting);
  ASSERT_EQ(Catalogue->ToInstall.Count(), 4);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Catalogue->ToInstall[i]->Logged) << i;
  EXPECT_TRUE(Catalogue->ToInstall[3]->Logged);
}

// A fresh folder inside the shared public folder. Everything it makes is
// removed at the end, the public folder and its parent too when this made
// them.
class PublicFolder {
public:
  PublicFolder() : FMadeParent(!Exists(Parent())), FMadePublic(!Exists(PublicDir)) {
    CreateDirectoryW(Parent().c_str(), nullptr);
    CreateDirectoryW(PublicDir.c_str(), nullptr);
    FPath = PublicDir + L"lvtest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount()) + L"\\";
    CreateDirectoryW(FPath.c_str(), nullptr);
  }
  ~PublicFolder() {
    Remove(FPath);
    if (FMadePublic) RemoveDirectoryW(PublicDir.c_str());
    if (FMadeParent) RemoveDirectoryW(Parent().c_str());
  }
  PublicFolder(const PublicFolder &) = delete;
  PublicFolder &operator=(const PublicFolder &) = delete;
  const std::wstring &Path() const { return FPath; }

private:
  static std::wstring Parent() { return ExtractFilePath(PublicDir.substr(0, PublicDir.size() - 1)); }
  static bool Exists(const std::wstring &folder) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  static void Remove(const std::wstring &folder) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(folder + name + L"\\");
        else
          DeleteFileW((folder + name).c_str());
      } while (FindNextFileW(search, &data));
      FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
  }

  bool FMadeParent, FMadePublic;
  std::wstring FPath;
};

std::vector<std::string> Lines(const TStringList &list) { return std::vector<std::string>(list.begin(), list.end()); }

TEST_F(SelectFilesTest, FilesInThePublicFolderAreListedAndMarkedWhenKeptByRequest) {
  PublicFolder pub;
  const std::string dir = UTF8Encode(pub.Path());
  Catalogue->SelectFiles("Docs\\", pub.Path(), omKeepExisting);
  Catalogue->SelectFiles("Readme.txt", pub.Path(), omReplaceIfDifferent);
  Catalogue->SelectFiles("Old.txt", pub.Path(), omAlwaysReplace);
  Catalogue->SelectFiles("Future.txt", Temp.Path(), omKeepExisting);
  EXPECT_EQ(Lines(Catalogue->PublicFiles), (std::vector<std::string>{
                                                dir + "Docs\\Guide.txt\t!",
                                                dir + "Docs\\Empty.txt\t!",
                                                dir + "Docs\\R\xc3\xa9sum\xc3\xa9.txt\t!",
                                                dir + "Readme.txt",
                                                dir + "Old.txt",
                                            }));
  EXPECT_EQ(Catalogue->ToInstall.Count(), 6);
  EXPECT_EQ(Catalogue->ToInstall[0]->Target, pub.Path() + L"Docs\\Guide.txt");
}

TEST_F(SelectFilesTest, AKeptPublicFileIsNeitherScheduledNorListed) {
  PublicFolder pub;
  MakeFile(pub.Path() + L"Docs\\Guide.txt", "present");
  Catalogue->SelectFiles("Docs\\", pub.Path(), omKeepExisting);
  EXPECT_EQ(Targets(*Catalogue),
            (std::vector<std::wstring>{pub.Path() + L"Docs\\Empty.txt", pub.Path() + L"Docs\\R\u00e9sum\u00e9.txt"}));
  EXPECT_EQ(Catalogue->PublicFiles.Count(), 2);
}

TEST_F(SelectFilesTest, ForceOverwriteSchedulesAnIdenticalPublicFileAndKeepsItsMarker) {
  PublicFolder pub;
  const std::wstring target = pub.Path() + L"Readme.txt";
  MakeFile(target, "The first readme.\r\n");
  ASSERT_TRUE(SetWriteTime(target, Entry(Readme).Time));
  ForceOverwrite = true;
  Catalogue->SelectFiles("Readme.txt", pub.Path(), omKeepExisting);
  ASSERT_EQ(Catalogue->ToInstall.Count(), 1);
  EXPECT_EQ(Catalogue->ToInstall[0]->Target, target);
  EXPECT_EQ(Lines(Catalogue->PublicFiles), std::vector<std::string>{UTF8Encode(target) + "\t!"});
}

// The folder is spelled in other letter cases than PublicDir: the file system
// takes it for the same folder, and so does the public list.
TEST_F(SelectFilesTest, APublicFileSpelledInOtherLetterCaseIsListed) {
  PublicFolder pub;
  for (auto spell : {CharUpperW, CharLowerW}) {
    Catalogue->PublicFiles.Clear();
    std::wstring dir = pub.Path();
    spell(dir.data());
    ASSERT_NE(dir, pub.Path());
    Catalogue->SelectFiles("Readme.txt", dir, omKeepExisting);
    EXPECT_EQ(Lines(Catalogue->PublicFiles), std::vector<std::string>{UTF8Encode(dir + L"Readme.txt") + "\t!"});
  }
}

}  // namespace
