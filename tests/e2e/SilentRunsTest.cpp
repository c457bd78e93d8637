// setup.exe run silently, as a script runs it: no window ever shows, and the
// exit code and what is left on disk tell what happened.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "SetupRun.h"
#include "automation/Automation.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "support/StoredRecords.h"

namespace {

// The silent cases, apart from the interactive ones so that both run at once.
class SilentRun : public SetupRunTest {};

// A silent run with these parameters: its exit code, and no window shown.
DWORD RunSilently(const std::wstring &args, const std::wstring &program = SetupExe()) {
  TSetupRun run(args, program);
  const DWORD code = run.Wait();
  EXPECT_FALSE(run.ShowedAWindow()) << "a silent run showed a window";
  return code;
}

std::wstring Quoted(const std::wstring &parameter) { return L"\"" + parameter + L"\""; }

std::string UpperCased(const std::string &utf8) {
  std::wstring text = UTF8Decode(utf8);
  ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return UTF8Encode(text);
}

std::wstring ProgramFiles() { return GetSpecialFolder(CSIDL_PROGRAM_FILES); }

// The switch is read from the first two characters of any parameter; a
// parameter that does not match leaves the wizard to a person, who cancels.
TEST_F(SilentRun, TheSilentSwitchAndItsNonMatches) {
  struct {
    const wchar_t *Parameter;
    bool Silent;
  } cases[] = {{L"/s", true},  {L"-S", true},  {L"-silent", true}, {L"/S:anything", true},
               {L"S", false},  {L"-x", false}, {L"--S", false},    {L"-", false}};
  for (const auto &c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Parameter));
    RemoveEveryTrace();
    TInstallCheck check(TChoices{Target});
    TSetupRun run(std::wstring(c.Parameter) + L" " + Quoted(L"-D" + Target));
    if (c.Silent) {
      EXPECT_EQ(run.Wait(), 0u);
      EXPECT_FALSE(run.ShowedAWindow());
      check.ExpectInstalled();
      TempFolder::RemoveTree(Target + L"\\");
      continue;
    }
    ASSERT_TRUE(run.OnPage(0));
    ASSERT_TRUE(run.Press(SCancelButton));
    const TBox box = WaitForBox(run.ProcessId());
    EXPECT_EQ(box.Text, Text(SConfirmQuit[1]));
    Answer(box, IDYES);
    EXPECT_EQ(run.Wait(), 0u);
    TInstallCheck::ExpectNothingInstalled(Target);
  }
}

// Of several destination switches the first wins; an empty one gives the
// default folder.
TEST_F(SilentRun, TheFirstDestinationSwitchWinsAndAnEmptyOneGivesTheDefaultFolder) {
  const std::wstring second = Work.Path() + L"Second";
  {
    TInstallCheck check(TChoices{Target});
    EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + Target) + L" " + Quoted(L"/d" + second)), 0u);
    check.ExpectInstalled();
    EXPECT_FALSE(DirectoryExists(second));
  }
  RemoveEveryTrace();
  const std::wstring standard = ProgramFiles() + L"\\Lorvane";
  TInstallCheck check(TChoices{standard});
  EXPECT_EQ(RunSilently(L"-D /S"), 0u);
  check.ExpectInstalled();
  TempFolder::RemoveTree(standard + L"\\");
}

// Each stored value is taken up, the language only when its code matches
// exactly; a destination switch still beats the stored folder.
TEST_F(SilentRun, AnEarlierInstallationsSettingsGuideASilentRun) {
  const std::wstring stored = Work.Path() + L"Stored";
  ::CreateDirectoryW(stored.c_str(), nullptr);
  struct TCase {
    const wchar_t *Language;
    DWORD ForAll, Desktop, Launch;
    bool Switch;
    uint8_t Expected;
  } cases[] = {
      {L"ja", 0, 0, 1, false, 5},
      {L"JA", 7, 1, 0, false, 1},
      {L"zht", 1, 0, 1, true, 7},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Language));
    RemoveEveryTrace();
    WriteStoredString("MAINDIR", stored);
    WriteStoredDword("INSTALLTOALL", c.ForAll);
    WriteStoredDword("DSKSHORTCUT", c.Desktop);
    WriteStoredDword("LAUNCH", c.Launch);
    WriteStoredString("UILANG", c.Language);
    TChoices choices(c.Switch ? Target : stored);
    choices.ForAll = c.ForAll != 0;
    choices.Desktop = c.Desktop != 0;
    choices.Launch = c.Launch != 0;
    choices.Language = c.Expected;
    TInstallCheck check(choices);
    EXPECT_EQ(RunSilently(c.Switch ? L"/S " + Quoted(L"-D" + Target) : L"/S"), 0u);
    check.ExpectInstalled();
  }
}

// The second installation keeps the first one's "Install.log", adds no line
// that is there already in another letter case, and moves every shared file
// into one new group of "Update.log".
TEST_F(SilentRun, ASecondInstallationOverTheFirstKeepsOneLogAndOneGroup) {
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    TInstallCheck check(TChoices{Target});
    EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + Target)), 0u);
    check.ExpectInstalled();
    if (run == 2) break;
    const std::wstring log = Target + L"\\Install.log";
    std::string lines = ReadWholeFile(log);
    const std::string program = UTF8Encode(Target) + "\\lvx.exe";
    lines.replace(lines.find(program), program.size(), UpperCased(program));
    WriteStringToFile(log, lines + "File Copy: C:\\Elsewhere\\kept.txt\r\n");
  }
}

// Ten installations in a row into one folder: "Install.log" stays as the
// first one left it, and "Update.log" holds one group, the last run's, with
// every shared path sorted and marked.
TEST_F(SilentRun, TenInstallationsInARowKeepOneLogAndOneGroup) {
  std::string firstLog;
  for (int run = 1; run <= 10; ++run) {
    SCOPED_TRACE(run);
    TInstallCheck check(TChoices{Target});
    EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + Target)), 0u);
    check.ExpectInstalled();
    const std::string log = ReadWholeFile(Target + L"\\Install.log");
    if (run == 1) firstLog = log;
    EXPECT_EQ(log, firstLog);
    const std::string updateLog = ReadWholeFile(SharedData() + L"Update.log");
    EXPECT_EQ(std::count(updateLog.begin(), updateLog.end(), '*'), 1);
  }
}

// Links go to the chosen scope; the other scope's links of that name go, and
// a link under another language's name stays.
TEST_F(SilentRun, LinksGoToTheChosenScopeAndTheOtherScopesLinksAreDeleted) {
  for (bool forAll : {true, false}) {
    SCOPED_TRACE(forAll ? "all users" : "current user");
    RemoveEveryTrace();
    const std::wstring other[] = {LinkFolder(!forAll, false) + L"\\" + LinkName(1),
                                  LinkFolder(!forAll, true) + L"\\" + LinkName(1)};
    const std::wstring foreign = LinkFolder(forAll, false) + L"\\" + LinkName(0);
    for (const std::wstring &link : {other[0], other[1], foreign}) WriteStringToFile(link, "an earlier link");
    WriteStoredDword("INSTALLTOALL", forAll);
    WriteStoredString("UILANG", L"en");
    TChoices choices(Target);
    choices.ForAll = forAll;
    TInstallCheck check(choices);
    EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + Target)), 0u);
    check.ExpectInstalled();
    EXPECT_FALSE(FileExists(other[0]));
    EXPECT_FALSE(FileExists(other[1]));
    EXPECT_TRUE(FileExists(foreign)) << "a link of another language was touched";
  }
}

// A folder holding the marker takes a portable installation; updating it
// replaces the program but keeps what the user changed.
TEST_F(SilentRun, APortableInstallationAndItsUpdate) {
  ForceDirectories(Target + L"\\");
  WriteStringToFile(Target + L"\\Lorvane.ini", "");
  TChoices choices(Target);
  choices.Portable = true;
  {
    TInstallCheck check(choices);
    EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + Target)), 0u);
    check.ExpectInstalled();
  }
  const std::wstring edited = Target + L"\\Templates\\Letters\\Letter 1.rtf";
  ASSERT_TRUE(FileExists(edited));
  WriteStringToFile(edited, "the user's own letter");
  WriteStringToFile(Target + L"\\lvx.exe", "an older program");
  choices.Unwritten = {edited};
  TInstallCheck check(choices);
  EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + Target)), 0u);
  check.ExpectInstalled();
  EXPECT_EQ(ReadWholeFile(edited), "the user's own letter");
  EXPECT_EQ(ReadWholeFile(Target + L"\\Lorvane.ini"), "");
}

// A portable copy inside Program Files is refused without a box: exit code
// 4, nothing written.
TEST_F(SilentRun, ASilentPortableRunInsideProgramFilesIsRefusedWithExitCode4) {
  const std::wstring portable = ProgramFiles() + L"\\Lorvane Portable";
  ForceDirectories(portable + L"\\");
  WriteStringToFile(portable + L"\\Lorvane.ini", "");
  EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + portable)), 4u);
  TInstallCheck::ExpectNothingInstalled(portable, {L"Lorvane.ini"});
  TempFolder::RemoveTree(portable + L"\\");
}

TEST_F(SilentRun, ASilentRunWhileTheApplicationRunsEndsWithExitCode1AndWritesNothing) {
  TSetupRun application(L"", StandInApp());
  ASSERT_NE(WaitForTopWindow(application.ProcessId(), L"LorvaneWordProcessorStandIn"), nullptr);
  EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + Target)), 1u);
  TInstallCheck::ExpectNothingInstalled(Target);
}

// A file that cannot be written stops the run with exit code 2; what was
// written stays, and the records are saved all the same.
TEST_F(SilentRun, ASilentRunThatCannotWriteAFileEndsWithExitCode2AndKeepsTheRecords) {
  ForceDirectories(Target + L"\\License.txt\\");
  TInstallCheck check(TChoices{Target});
  EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + Target)), 2u);
  check.ExpectStoppedAt(L"License.txt");
}

// "Update.log" cannot be saved (a folder of that name stands in its place):
// still no window, but exit code 2; everything else is installed and
// recorded.
TEST_F(SilentRun, AnUpdateLogThatCannotBeSavedEndsWithExitCode2AndKeepsTheRest) {
  ForceDirectories(SharedData() + L"Update.log\\");
  TChoices choices(Target);
  choices.Unwritten = {SharedData() + L"Update.log"};
  TInstallCheck check(choices);
  EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + Target)), 2u);
  check.ExpectInstalled();
  EXPECT_TRUE(DirectoryExists(SharedData() + L"Update.log"));
}

// The program file does not fit on the drive, which takes what fits and
// may still report the write as done: exit code 2, no part of the file
// left, nothing that is not whole logged as copied, the records saved.
TEST_F(SmallDriveRun, ASilentRunOnAFullDriveLeavesNoPartOfAFile) {
  TInstallCheck check(TChoices{Destination});
  EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + Destination)), 2u);
  check.ExpectStoppedAt(L"lvx.exe");
}

// Libraries planted beside setup.exe in a downloads folder, under the names
// of system libraries. The ctest entry forces Windows' order for them (the
// program's folder first), so a program asking by bare name takes them.
class PlantedLibraryRun : public SetupRunTest {
protected:
  void SetUp() override {
    SetupRunTest::SetUp();
    ASSERT_TRUE(::CreateDirectoryW(Downloads.c_str(), nullptr));
    for (const wchar_t *name : {L"uxtheme.dll", L"version.dll"})
      ASSERT_TRUE(::CopyFileW(PlantedLibrary().c_str(), (Downloads + name).c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(BareNameLoader().c_str(), (Downloads + L"loader.exe").c_str(), FALSE));
  }

  // Whether the planted copy ran, and then forgets it.
  bool Loaded(const std::wstring &name) const {
    const std::wstring marker = Downloads + name + L".loaded";
    const bool loaded = ::GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
    ::DeleteFileW(marker.c_str());
    return loaded;
  }

  DWORD RunLoader(const std::wstring &names) {
    TSetupRun loader(names, Downloads + L"loader.exe");
    return loader.Wait();
  }

  const std::wstring Downloads = Work.Path() + L"Downloads\\";
};

// The theme library, which the setup loads itself, and every library the
// system's own libraries load once the setup runs, come from the system
// folder.
TEST_F(PlantedLibraryRun, TheSetupTakesNoLibraryPlantedBesideIt) {
  EXPECT_EQ(RunLoader(L"uxtheme.dll"), 0u);
  ASSERT_TRUE(Loaded(L"uxtheme.dll")) << "planting does not work in this prefix";

  const std::wstring setup = Downloads + L"setup.exe";
  ASSERT_TRUE(::CopyFileW(SetupExe().c_str(), setup.c_str(), FALSE));
  TInstallCheck check(TChoices{Target});
  EXPECT_EQ(RunSilently(L"/S " + Quoted(L"-D" + Target), setup), 0u);
  check.ExpectInstalled();
  EXPECT_FALSE(Loaded(L"uxtheme.dll")) << "the setup loaded the planted theme library";
}

// The application, started from a folder that holds planted libraries,
// takes none that it or the system's libraries load once it runs.
TEST_F(PlantedLibraryRun, TheApplicationTakesNoLibraryPlantedBesideIt) {
  const std::wstring application = Downloads + L"lvx.exe";
  ASSERT_TRUE(::CopyFileW(StandInApp().c_str(), application.c_str(), FALSE));
  // Wine's window library would bind to the planted version library (see
  // below), which has none of the functions the application's window asks
  // of it.
  ASSERT_TRUE(::DeleteFileW((Downloads + L"version.dll").c_str()));
  TSetupRun run(L"", application);
  HWND window = WaitForTopWindow(run.ProcessId(), L"LorvaneWordProcessorStandIn");
  ASSERT_NE(window, nullptr);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(run.Wait(), 0u);
  EXPECT_FALSE(Loaded(L"uxtheme.dll")) << "the application loaded the planted theme library";
}

// Under Wine alone, the window library that every windowed program imports
// itself imports "version.dll", by bare name, while the program's imports
// are bound: before its first instruction, out of any program's reach. (On
// Windows that library is a known system library, and its imports never
// come from the program's folder.) A program that loads nothing takes the
// planted copy all the same.
TEST_F(PlantedLibraryRun, UnderWineTheWindowLibraryItselfTakesAPlantedVersionLibrary) {
  EXPECT_EQ(RunLoader(L""), 0u);
  EXPECT_TRUE(Loaded(L"version.dll"));
}

}  // namespace
