// The way back: an installation made by setup.exe, then the command of its
// uninstall entry run as the system's list of programs runs it, silently or
// answered as a person answers it, judged by what is left afterwards.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <map>

#include "SetupRun.h"
#include "automation/Automation.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "support/ProcessWindows.h"
#include "support/StoredRecords.h"

namespace {

// The removals, apart from the other end-to-end cases so that all run at
// once.
class UninstallRun : public SetupRunTest {
protected:
  // Each round of a case starts with no installation and no program folder.
  void StartAfresh() {
    RemoveEveryTrace();
    TempFolder::RemoveTree(Target + L"\\");
  }
};

const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lorvane Word Processor";

bool Exists(const std::wstring &path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The names in a folder.
std::vector<std::wstring> Listing(const std::wstring &folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::wstring(data.cFileName) != L"." && std::wstring(data.cFileName) != L"..") names.push_back(data.cFileName);
  } while (::FindNextFileW(search, &data));
  ::FindClose(search);
  return names;
}

// Every file under the folder (with a trailing backslash) with its bytes.
void AddTree(const std::wstring &folder, std::map<std::wstring, std::string> &state) {
  for (const std::wstring &name : Listing(folder.substr(0, folder.size() - 1))) {
    const std::wstring path = folder + name;
    if (::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
      AddTree(path + L"\\", state);
    else
      state[path] = ReadWholeFile(path);
  }
}

// Every file of an installation with its bytes, the links, and every value
// of its keys with its type: what No must leave as it was.
std::map<std::wstring, std::string> InstalledState(const std::wstring &target) {
  std::map<std::wstring, std::string> state;
  AddTree(target + L"\\", state);
  AddTree(SharedData(), state);
  for (bool forAll : {true, false})
    for (bool desktop : {false, true})
      if (const std::wstring link = LinkFolder(forAll, desktop) + L"\\" + LinkName(1); Exists(link))
        state[link] = ReadWholeFile(link);
  for (const wchar_t *name : {L"MAINDIR", L"INSTALLTOALL", L"DSKSHORTCUT", L"LAUNCH", L"UILANG"}) {
    const TRawValue value = QueryRaw(HKEY_CURRENT_USER, "Software\\Lorvane Word Processor\\Install", name);
    state[std::wstring(L"settings ") + name] = std::to_string(value.Type) + ":" + value.Bytes;
  }
  for (const wchar_t *name : {L"DisplayIcon", L"DisplayName", L"DisplayVersion", L"EstimatedSize", L"Publisher",
                              L"UninstallString"}) {
    const TRawValue value = QueryRaw(HKEY_LOCAL_MACHINE, UninstallKey, name);
    state[std::wstring(L"uninstall entry ") + name] = std::to_string(value.Type) + ":" + value.Bytes;
  }
  return state;
}

// The command of the uninstall entry, run as the system runs it, with
// switches added; and the copy that the installed program hands the
// removal to, found among its children while it runs.
class TUninstall {
public:
  // The command of the uninstall entry, or another one.
  explicit TUninstall(const std::wstring &added = L"", const std::wstring &command = Command())
      : FCommand(command), FRun(Args(added), Program()) {
    FInstalled = ::OpenProcess(SYNCHRONIZE, FALSE, FRun.ProcessId());
  }
  ~TUninstall() {
    if (FCopy != nullptr) {
      if (::WaitForSingleObject(FCopy, 0) == WAIT_TIMEOUT) ::TerminateProcess(FCopy, 99);
      ::CloseHandle(FCopy);
    }
    if (FInstalled != nullptr) ::CloseHandle(FInstalled);
  }
  TUninstall(const TUninstall &) = delete;
  TUninstall &operator=(const TUninstall &) = delete;

  DWORD ProcessId() const { return FRun.ProcessId(); }
  // The installed program's own exit code.
  DWORD Wait() { return FRun.Wait(); }
  bool ShowedAWindow() const { return FRun.ShowedAWindow(); }

  // The copy's process id, waited for; 0 when the installed program ended
  // without starting one.
  DWORD Copy() {
    if (FCopy != nullptr) return FCopyId;
    DWORD endedAt = 0;
    const bool found = WaitUntil([&] {
      HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
      PROCESSENTRY32W entry{};
      entry.dwSize = sizeof entry;
      for (BOOL more = ::Process32FirstW(snapshot, &entry); more && FCopy == nullptr;
           more = ::Process32NextW(snapshot, &entry))
        if (entry.th32ParentProcessID == FRun.ProcessId()) {
          FCopyId = entry.th32ProcessID;
          FCopy = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, FCopyId);
        }
      ::CloseHandle(snapshot);
      if (FCopy != nullptr) return true;
      // A copy shows among the children before the installed program ends.
      if (endedAt == 0 && ::WaitForSingleObject(FInstalled, 0) == WAIT_OBJECT_0) endedAt = ::GetTickCount();
      return endedAt != 0 && ::GetTickCount() - endedAt > 2000;
    });
    if (!found || FCopy == nullptr) return 0;
    NoteImage();
    return FCopyId;
  }

  // The copy's exit code, waited for; notes whether it showed a window.
  DWORD WaitForCopy() {
    if (Copy() == 0) return STILL_ACTIVE;
    WaitUntil([&] {
      NoteImage();
      for (HWND window : ProcessWindows(FCopyId))
        if (::IsWindowVisible(window)) CopyShowedAWindow = true;
      return ::WaitForSingleObject(FCopy, 0) == WAIT_OBJECT_0;
    });
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(FCopy, &code);
    return code;
  }

  std::wstring CopyImage;
  bool CopyShowedAWindow = false;

  static std::wstring Command() {
    const TRawValue value = QueryRaw(HKEY_LOCAL_MACHINE, UninstallKey, L"UninstallString");
    std::wstring command(value.Bytes.size() / 2, L'\0');
    std::copy_n(value.Bytes.data(), command.size() * 2, reinterpret_cast<char *>(command.data()));
    return command.c_str();
  }
private:
  // The copy's program, once the system can tell it: a process just made
  // has none yet.
  void NoteImage() {
    wchar_t image[MAX_PATH * 2] = L"";
    DWORD size = MAX_PATH * 2;
    if (CopyImage.empty() && ::QueryFullProcessImageNameW(FCopy, 0, image, &size)) CopyImage = image;
  }

  // "<program>" <switches>
  std::wstring Program() const {
    EXPECT_EQ(FCommand.substr(0, 1), L"\"") << UTF8Encode(FCommand);
    return FCommand.substr(1, FCommand.find(L'"', 1) - 1);
  }
  std::wstring Args(const std::wstring &added) const {
    const size_t end = FCommand.find(L"\" ", 1);
    return (end == std::wstring::npos ? std::wstring() : FCommand.substr(end + 2)) + (added.empty() ? L"" : L" ") +
           added;
  }

  std::wstring FCommand;
  TSetupRun FRun;
  HANDLE FInstalled = nullptr;
  HANDLE FCopy = nullptr;
  DWORD FCopyId = 0;
};

// Which of the folders an installation may make existed before it.
struct TFoldersBefore {
  std::vector<std::pair<std::wstring, bool>> Folders;
  explicit TFoldersBefore(const std::wstring &target) {
    for (const std::wstring &folder : {target, SharedData(), LinkFolder(true, false), LinkFolder(true, true),
                                       LinkFolder(false, false), LinkFolder(false, true)})
      Folders.emplace_back(folder, Exists(folder));
  }
};

// A silent installation into the target for everyone or the current user,
// checked whole.
void Install(const std::wstring &target, bool forAll) {
  WriteStoredDword("INSTALLTOALL", forAll);
  WriteStoredString("UILANG", L"en");
  TChoices choices(target);
  choices.ForAll = forAll;
  TInstallCheck check(choices);
  TSetupRun setup(L"/S \"-D" + target + L"\"");
  ASSERT_EQ(setup.Wait(), 0u);
  check.ExpectInstalled();
}

// No key, shared data or link of the product is left, and every folder the
// installation made is gone again, except the target when a case keeps it.
void ExpectNoTrace(const TFoldersBefore &before, bool targetKept = false) {
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, "Software\\Lorvane Word Processor"));
  EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, UninstallKey));
  EXPECT_FALSE(Exists(SharedData())) << "shared data left";
  for (const auto &[folder, existed] : before.Folders) {
    if (targetKept && folder == before.Folders[0].first) continue;
    EXPECT_EQ(Exists(folder), existed) << UTF8Encode(folder);
    for (uint8_t language = 0; language < LanguageCount; ++language)
      EXPECT_FALSE(Exists(folder + L"\\" + LinkName(language))) << UTF8Encode(folder);
  }
}

// The copy was another program than the installed one, outside the program
// folder, under a name that the system's installer detection passes by.
void ExpectCopyOutside(TUninstall &uninstall, const std::wstring &target) {
  EXPECT_FALSE(uninstall.CopyImage.empty());
  EXPECT_FALSE(StartsText(uninstall.CopyImage, target + L"\\")) << UTF8Encode(uninstall.CopyImage);
  std::wstring name = uninstall.CopyImage.substr(uninstall.CopyImage.find_last_of(L'\\') + 1);
  EXPECT_NE(UTF8Encode(name), "lvx.exe");
  ::CharLowerW(name.data());
  for (const wchar_t *word : {L"install", L"setup", L"update", L"patch"})
    EXPECT_EQ(name.find(word), std::wstring::npos) << UTF8Encode(name);
}

const std::wstring Question =
    L"Do you want to remove Lorvane Word Processor from this computer, with everything its setup installed?";

// A removal that leaves something: silently, or asked and answered Yes, its
// report then read (it must be report) and closed. The copy's exit code.
DWORD RemoveLeavingSomething(bool silent, const std::wstring &report) {
  TUninstall uninstall(silent ? L"/S" : L"");
  if (!silent) Answer(WaitForBox(uninstall.ProcessId()), IDYES);
  if (uninstall.Copy() == 0) {
    ADD_FAILURE() << "no copy was started";
    return 0;
  }
  if (!silent) {
    const TBox box = WaitForBox(uninstall.Copy());
    EXPECT_EQ(box.Text, L"Lorvane Word Processor was removed, but some items were left.\n\n" + report);
    Answer(box, IDOK);
  }
  return uninstall.WaitForCopy();
}

// The installed application, started as a person starts it, with its
// window open.
class TRunningApplication {
public:
  explicit TRunningApplication(const std::wstring &target)
      : FRun(L"", target + L"\\lvx.exe"), FWindow(WaitForTopWindow(FRun.ProcessId(), L"LorvaneWordProcessorStandIn")) {
    EXPECT_NE(FWindow, nullptr);
  }
  // Closed as a person closes it.
  void Close() {
    ::PostMessageW(FWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(FRun.Wait(), 0u);
  }

private:
  TSetupRun FRun;
  HWND FWindow;
};

// For everyone and for the current user: the exact command of the uninstall
// entry, silent, leaves no file, folder, key or link; neither the installed
// program nor its copy shows a window.
TEST_F(UninstallRun, TheUninstallEntryLeavesNoTraceInEitherScope) {
  for (bool forAll : {true, false}) {
    SCOPED_TRACE(forAll ? "all users" : "current user");
    RemoveEveryTrace();
    const TFoldersBefore before(Target);
    ASSERT_NO_FATAL_FAILURE(Install(Target, forAll));
    TUninstall uninstall(L"/S");
    ASSERT_NE(uninstall.Copy(), 0u) << "no copy took over the removal";
    EXPECT_EQ(uninstall.Wait(), 0u);
    EXPECT_EQ(uninstall.WaitForCopy(), 0u);
    EXPECT_FALSE(uninstall.ShowedAWindow());
    EXPECT_FALSE(uninstall.CopyShowedAWindow);
    ExpectCopyOutside(uninstall, Target);
    ExpectNoTrace(before);
  }
}

// A person is asked first: No leaves the installation whole, Yes removes it
// and says so.
TEST_F(UninstallRun, APersonIsAskedNoKeepsEverythingAndYesRemovesIt) {
  const TFoldersBefore before(Target);
  ASSERT_NO_FATAL_FAILURE(Install(Target, true));
  const std::wstring &question = Question;
  {
    const std::map<std::wstring, std::string> installed = InstalledState(Target);
    ASSERT_GT(installed.size(), 40u);
    TUninstall uninstall;
    const TBox box = WaitForBox(uninstall.ProcessId());
    EXPECT_EQ(box.Caption, L"Lorvane Word Processor");
    EXPECT_EQ(box.Text, question);
    EXPECT_EQ(box.Buttons, (std::vector<int>{IDYES, IDNO}));
    Answer(box, IDNO);
    EXPECT_EQ(uninstall.Wait(), 1u);
    EXPECT_EQ(uninstall.Copy(), 0u) << "a removal started after No";
    EXPECT_TRUE(InstalledState(Target) == installed) << "No changed the installation";
  }
  TUninstall uninstall;
  const TBox box = WaitForBox(uninstall.ProcessId());
  EXPECT_EQ(box.Text, question);
  Answer(box, IDYES);
  ASSERT_NE(uninstall.Copy(), 0u);
  const TBox done = WaitForBox(uninstall.Copy());
  EXPECT_EQ(done.Text, L"Lorvane Word Processor was removed from this computer.");
  Answer(done, IDOK);
  EXPECT_EQ(uninstall.WaitForCopy(), 0u);
  EXPECT_EQ(uninstall.Wait(), 0u);
  ExpectCopyOutside(uninstall, Target);
  ExpectNoTrace(before);
}

// A file the user put into the program folder keeps that folder, with only
// that file in it; everything else goes, and that is no failure.
TEST_F(UninstallRun, AFileTheUserAddedKeepsTheProgramFolderAndOnlyIt) {
  const TFoldersBefore before(Target);
  ASSERT_NO_FATAL_FAILURE(Install(Target, true));
  WriteFileBytes(Target + L"\\My notes.txt", "the user's own notes");
  TUninstall uninstall(L"/S");
  EXPECT_EQ(uninstall.WaitForCopy(), 0u);
  EXPECT_EQ(Listing(Target), std::vector<std::wstring>{L"My notes.txt"});
  EXPECT_EQ(ReadWholeFile(Target + L"\\My notes.txt"), "the user's own notes");
  ExpectNoTrace(before, true);
}

// Another installation's group of "Update.log" keeps its shared files, the
// folders they are in, the list with exactly that group, the common data and
// the stamp; this installation's shared files and emptied folders go.
TEST_F(UninstallRun, SharedFilesOfAnotherGroupSurviveWithTheirGroup) {
  ASSERT_NO_FATAL_FAILURE(Install(Target, true));
  const std::wstring updateLog = SharedData() + L"Update.log";
  const std::vector<std::string> ours = Lines(ReadWholeFile(updateLog));
  ASSERT_GT(ours.size(), 1u);
  const std::wstring theirs = SharedData() + L"Public\\Templates\\Letters\\Their letter.rtf";
  WriteFileBytes(theirs, "another installation's letter");
  const std::string theirGroup = "*00000000C0E4E540\r\n" + UTF8Encode(theirs) + "\t!\r\n";
  WriteFileBytes(updateLog, theirGroup + ReadWholeFile(updateLog));

  TUninstall uninstall(L"/S");
  EXPECT_EQ(uninstall.WaitForCopy(), 0u);
  EXPECT_EQ(ReadWholeFile(updateLog), theirGroup);
  EXPECT_EQ(ReadWholeFile(theirs), "another installation's letter");
  EXPECT_EQ(ReadWholeFile(SharedData() + L"lvx_common.dat").size(), 25u);
  EXPECT_EQ(ReadWholeFile(SharedData() + L"Hidden\\install_stamp").size(), 8u);
  for (size_t k = 1; k < ours.size(); ++k) {
    const std::wstring path = UTF8Decode(ours[k].substr(0, ours[k].find('\t')));
    EXPECT_FALSE(Exists(path)) << ours[k];
  }
  EXPECT_EQ(Listing(SharedData() + L"Public\\Templates"), std::vector<std::wstring>{L"Letters"});
  EXPECT_FALSE(Exists(SharedData() + L"Public\\Clip Library"));
  EXPECT_FALSE(Exists(Target));
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, "Software\\Lorvane Word Processor"));
  EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, UninstallKey));
}

// A file that cannot be removed does not stop the rest: it and its folder
// stay, the copy ends with exit code 3 and, unless silent, names the file.
TEST_F(UninstallRun, AFileThatCannotBeRemovedIsReportedAndTheRestGoes) {
  for (bool silent : {true, false}) {
    SCOPED_TRACE(silent ? "silent" : "asked");
    StartAfresh();
    const TFoldersBefore before(Target);
    ASSERT_NO_FATAL_FAILURE(Install(Target, true));
    const std::wstring licence = Target + L"\\License.txt";
    HANDLE held = ::CreateFileW(licence.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TUninstall uninstall(silent ? L"/S" : L"");
    if (!silent) Answer(WaitForBox(uninstall.ProcessId()), IDYES);
    ASSERT_NE(uninstall.Copy(), 0u);
    if (!silent) {
      const TBox report = WaitForBox(uninstall.Copy());
      EXPECT_EQ(report.Text, L"Lorvane Word Processor was removed, but these items could not be removed:\n\n" + licence);
      Answer(report, IDOK);
    }
    EXPECT_EQ(uninstall.WaitForCopy(), 3u);
    ::CloseHandle(held);
    EXPECT_EQ(Listing(Target), std::vector<std::wstring>{L"License.txt"});
    ExpectNoTrace(before, true);
  }
}

// An older installation in another folder, whose uninstall entry a later
// installation replaced, takes only its own folder: the later one keeps its
// files, shared data, links and records, and its own removal then leaves
// nothing.
TEST_F(UninstallRun, AnOlderInstallationElsewhereTakesOnlyItsOwnFolder) {
  const std::wstring later = Work.Path() + L"Later";
  const TFoldersBefore before(Target);
  ASSERT_NO_FATAL_FAILURE(Install(Target, true));
  ASSERT_NO_FATAL_FAILURE(Install(later, true));
  const std::map<std::wstring, std::string> installed = InstalledState(later);
  {
    TUninstall older(L"/S", L"\"" + Target + L"\\lvx.exe\" -ui");
    EXPECT_EQ(older.WaitForCopy(), 0u);
  }
  EXPECT_FALSE(Exists(Target));
  EXPECT_TRUE(InstalledState(later) == installed) << "the older removal touched the later installation";
  TUninstall uninstall(L"/S");
  EXPECT_EQ(uninstall.WaitForCopy(), 0u);
  EXPECT_FALSE(Exists(later));
  ExpectNoTrace(before);
}

// Lines of "Install.log" that point outside the program folder, the shared
// data and the setup's own link names (an earlier log in the destination
// that the setup took over, a line climbing out with ".."): their files and
// folders stay and are named as left, with exit code 3; the installation
// itself goes.
TEST_F(UninstallRun, WhatTheLogNamesOutsideTheSetupsPlacesStays) {
  for (bool silent : {true, false}) {
    SCOPED_TRACE(silent ? "silent" : "asked");
    StartAfresh();
    const TFoldersBefore before(Target);
    ASSERT_NO_FATAL_FAILURE(Install(Target, true));
    const std::wstring elsewhere = Work.Path() + L"Elsewhere";
    const std::wstring otherLink = LinkFolder(true, false) + L"\\Another program.lnk";
    const struct {
      std::wstring Line, Path;
    } foreign[] = {
        {L"File Copy: " + elsewhere + L"\\kept.txt", elsewhere + L"\\kept.txt"},
        {L"File Copy: " + Target + L"\\..\\Climbed.txt", Work.Path() + L"Climbed.txt"},
        {L"File Copy: " + otherLink, otherLink},
        {L"Made Dir: " + elsewhere + L"\\Empty\\", elsewhere + L"\\Empty"},
    };
    std::string planted;
    std::wstring listed;
    ForceDirectories(elsewhere + L"\\");
    for (const auto &f : foreign) {
      if (f.Line.rfind(L"Made Dir: ", 0) == 0)
        ForceDirectories(f.Path + L"\\");
      else
        WriteFileBytes(f.Path, "not the setup's");
      planted += UTF8Encode(f.Line) + "\r\n";
      listed += L"\n" + f.Line.substr(f.Line.find(L": ") + 2);
    }
    const std::wstring installLog = Target + L"\\Install.log";
    WriteFileBytes(installLog, ReadWholeFile(installLog) + planted);

    EXPECT_EQ(RemoveLeavingSomething(silent, L"These items lie outside the places its setup writes to and were "
                                             L"left:\n" + listed),
              3u);
    for (const auto &f : foreign) {
      EXPECT_TRUE(Exists(f.Path)) << UTF8Encode(f.Path);
      if (f.Line.rfind(L"File Copy: ", 0) == 0) {
        EXPECT_EQ(ReadWholeFile(f.Path), "not the setup's");
      }
    }
    ::DeleteFileW(otherLink.c_str());
    ExpectNoTrace(before);
  }
}

// While the application runs, nothing is removed: silently the removal ends
// at once with exit code 5; a person is asked to close it first, Retry asks
// again while it still runs, Cancel keeps everything, and Retry once it is
// closed removes the installation.
TEST_F(UninstallRun, NothingGoesWhileTheApplicationRuns) {
  const TFoldersBefore before(Target);
  ASSERT_NO_FATAL_FAILURE(Install(Target, true));
  const std::map<std::wstring, std::string> installed = InstalledState(Target);
  const std::wstring closeFirst =
      L"Lorvane Word Processor is running. Close it, then choose Retry to remove it; Cancel leaves it installed.";
  TRunningApplication application(Target);
  {
    TUninstall uninstall(L"/S");
    EXPECT_EQ(uninstall.Wait(), 5u);
    EXPECT_FALSE(uninstall.ShowedAWindow());
    EXPECT_EQ(uninstall.Copy(), 0u) << "a removal started while the application runs";
    EXPECT_TRUE(InstalledState(Target) == installed);
  }
  {
    TUninstall uninstall;
    Answer(WaitForBox(uninstall.ProcessId()), IDYES);
    for (int answer : {IDRETRY, IDCANCEL}) {
      const TBox box = WaitForBox(uninstall.ProcessId());
      EXPECT_EQ(box.Caption, L"Lorvane Word Processor");
      EXPECT_EQ(box.Text, closeFirst);
      std::vector<int> buttons = box.Buttons;
      std::sort(buttons.begin(), buttons.end());
      EXPECT_EQ(buttons, (std::vector<int>{IDCANCEL, IDRETRY}));
      Answer(box, answer);
    }
    EXPECT_EQ(uninstall.Wait(), 5u);
    EXPECT_EQ(uninstall.Copy(), 0u);
    EXPECT_TRUE(InstalledState(Target) == installed) << "Cancel changed the installation";
  }
  TUninstall uninstall;
  const TBox question = WaitForBox(uninstall.ProcessId());
  EXPECT_EQ(question.Text, Question);
  Answer(question, IDYES);
  const TBox box = WaitForBox(uninstall.ProcessId());
  EXPECT_EQ(box.Text, closeFirst);
  application.Close();
  Answer(box, IDRETRY);
  ASSERT_NE(uninstall.Copy(), 0u);
  const TBox done = WaitForBox(uninstall.Copy());
  EXPECT_EQ(done.Text, L"Lorvane Word Processor was removed from this computer.");
  Answer(done, IDOK);
  EXPECT_EQ(uninstall.WaitForCopy(), 0u);
  ExpectNoTrace(before);
}

// The wizard closed on its finished page never wrote this installation's
// group into "Update.log", so which shared files are its own is not known:
// the shared data stays whole, the report says so rather than "removed",
// and the copy ends with exit code 3; the rest goes.
TEST_F(UninstallRun, SharedFilesNotRecordedForTheInstallationStayAndAreReported) {
  for (bool silent : {true, false}) {
    SCOPED_TRACE(silent ? "silent" : "asked");
    StartAfresh();
    const TFoldersBefore before(Target);
    TChoices choices(Target);
    choices.Interactive = true;
    TInstallCheck check(choices);
    {
      TSetupRun run(L"\"-D" + Target + L"\"");
      ASSERT_TRUE(run.OnPage(0));
      for (int next : {1, 2, 3, 5}) ASSERT_TRUE(run.Press(SNextButton) && run.OnPage(next));
      CloseByFrame(run.Wizard());
      const TBox quit = WaitForBox(run.ProcessId());
      EXPECT_EQ(quit.Text, Text(SConfirmQuit[1]));
      Answer(quit, IDYES);
      EXPECT_EQ(run.Wait(), 0u);
      check.ExpectInstalled(false);
    }
    std::map<std::wstring, std::string> shared;
    AddTree(SharedData(), shared);
    ASSERT_GT(shared.size(), 10u);

    EXPECT_EQ(RemoveLeavingSomething(silent, L"The shared files in " + SharedData() +
                                                 L"Public are not recorded for this installation, so they were left."),
              3u);
    std::map<std::wstring, std::string> sharedAfter;
    AddTree(SharedData(), sharedAfter);
    EXPECT_TRUE(sharedAfter == shared) << "the removal changed the shared data";
    EXPECT_FALSE(Exists(Target));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, "Software\\Lorvane Word Processor"));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, UninstallKey));
    for (bool forAll : {true, false})
      for (bool desktop : {false, true})
        EXPECT_FALSE(Exists(LinkFolder(forAll, desktop) + L"\\" + LinkName(1)));
  }
}

}  // namespace
