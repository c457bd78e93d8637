// setup.exe as a person runs it: the wizard driven from outside through its
// windows by the automation tool, every box answered as a person would.
#include <windows.h>
#include <shlobj.h>

#include "SetupRun.h"
#include "automation/Automation.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "support/StoredRecords.h"
#include "support/WindowShot.h"

namespace {

// The interactive cases, apart from the silent ones so that both run at once.
class InteractiveRun : public SetupRunTest {};

constexpr uint8_t English = 1, Japanese = 5;

// Leaves a picture of the wizard as it shows now, when shots are asked for.
void Shot(TSetupRun &run, const std::wstring &name) {
  if (const std::wstring path = ShotPath(L"e2e-" + name + L".bmp"); !path.empty()) {
    EXPECT_TRUE(SaveWindowShot(run.Wizard(), path)) << UTF8Encode(path);
  }
}

// Next, and the page it leads to.
bool NextTo(TSetupRun &run, int page, uint8_t language = English) {
  return run.Press(SNextButton, language) && run.OnPage(page, language);
}

// Next from the welcome page to the ready page, then Next once more to
// install.
void ThroughToInstalling(TSetupRun &run) {
  ASSERT_TRUE(run.OnPage(0));
  for (int next : {1, 2, 3}) ASSERT_TRUE(NextTo(run, next));
  ASSERT_TRUE(run.Press(SNextButton));
}

// What a person's installation into the folder must show.
TChoices Interactively(const std::wstring &target) {
  TChoices choices(target);
  choices.Interactive = true;
  return choices;
}

// Cancel, confirmed: the wizard ends with exit code 0.
void Quit(TSetupRun &run) {
  ASSERT_TRUE(run.Press(SCancelButton));
  const TBox box = WaitForBox(run.ProcessId());
  EXPECT_EQ(box.Text, Text(SConfirmQuit[English]));
  Answer(box, IDYES);
  EXPECT_EQ(run.Wait(), 0u);
}

// The box a page check or the installation shows: its text, answered.
std::wstring AnswerBox(TSetupRun &run, int button) {
  const TBox box = WaitForBox(run.ProcessId());
  EXPECT_EQ(box.Caption, Text(SSetupTitle[English]));
  Answer(box, button);
  return box.Text;
}

// All six pages, in English and in Japanese chosen in the language box: the
// choices made on the way are what the installation shows afterwards.
TEST_F(InteractiveRun, APersonGoesThroughAllSixPagesAndTheApplicationStarts) {
  for (uint8_t language : {English, Japanese}) {
    const std::wstring code = Text(Languages[language].Code);
    SCOPED_TRACE(UTF8Encode(code));
    RemoveEveryTrace();
    TempFolder::RemoveTree(Target + L"\\");
    TChoices choices = Interactively(Target);
    choices.Language = language;
    choices.ForAll = language == English;
    choices.Desktop = language != English;
    TInstallCheck check(choices);

    TSetupRun run(L"");
    ASSERT_TRUE(run.OnPage(0));
    HWND languages = FindByClass(run.Wizard(), L"TComboBox");
    EXPECT_EQ(ChosenItem(languages), Text(Languages[English].Name));
    ASSERT_TRUE(Choose(languages, Text(Languages[language].Name)));
    ASSERT_TRUE(run.OnPage(0, language));
    // One button on the taskbar: the application window's, with the setup's
    // title in the chosen language.
    const std::vector<HWND> taskbar = TaskbarWindows(run.ProcessId());
    ASSERT_EQ(taskbar.size(), 1u);
    EXPECT_EQ(WindowText(taskbar[0]), Text(SSetupTitle[language]));
    Shot(run, code + L"-page0");
    ASSERT_TRUE(NextTo(run, 1, language));
    EXPECT_NE(WindowText(FindByClass(run.Wizard(), L"TMemo")).find(L"Lorvane"), std::wstring::npos);
    EXPECT_TRUE(Ticked(run.Control(SAcceptLicence, language)));
    Shot(run, code + L"-page1");
    ASSERT_TRUE(NextTo(run, 2, language));
    ASSERT_TRUE(TypeInto(FindByClass(run.Wizard(), L"TEdit"), Target));
    Shot(run, code + L"-page2");
    ASSERT_TRUE(NextTo(run, 3, language));
    ASSERT_TRUE(SetTicked(run.Control(SInstallForAll, language), choices.ForAll));
    ASSERT_TRUE(SetTicked(run.Control(SDesktopShortcut, language), choices.Desktop));
    Shot(run, code + L"-page3");
    // The installing page passes while the files are written.
    ASSERT_TRUE(NextTo(run, 5, language));
    EXPECT_FALSE(IsWindowEnabled(run.Control(SCancelButton, language)));
    EXPECT_TRUE(Ticked(run.Control(SLaunchApp, language)));
    Shot(run, code + L"-page5");
    ASSERT_TRUE(run.Press(SFinishButton, language));
    EXPECT_EQ(run.Wait(), 0u);
    check.ExpectInstalled();
  }
}

// The close box asks on every page; Yes quits with exit code 0. Before the
// installation nothing is written; on the finished page the records are
// saved, but "Update.log" and the launch belong to Finish.
TEST_F(InteractiveRun, TheCloseBoxOnEveryPageAsksFirst) {
  for (int page : {0, 1, 2, 3, 5}) {
    SCOPED_TRACE(page);
    RemoveEveryTrace();
    TInstallCheck check(Interactively(Target));
    TSetupRun run(L"\"-D" + Target + L"\"");
    ASSERT_TRUE(run.OnPage(0));
    for (int next : {1, 2, 3, 5}) {
      if (next > page) break;
      ASSERT_TRUE(NextTo(run, next));
    }
    // No: the wizard stays where it was.
    CloseByFrame(run.Wizard());
    EXPECT_EQ(AnswerBox(run, IDNO), Text(SConfirmQuit[English]));
    EXPECT_TRUE(run.OnPage(page));
    CloseByFrame(run.Wizard());
    EXPECT_EQ(AnswerBox(run, IDYES), Text(SConfirmQuit[English]));
    EXPECT_EQ(run.Wait(), 0u);
    if (page == 5)
      check.ExpectInstalled(false);
    else
      TInstallCheck::ExpectNothingInstalled(Target);
  }
}

// The licence box cleared, or a portable copy aimed into Program Files: a
// box, and the wizard stays on its page until the person changes course.
TEST_F(InteractiveRun, APageCheckShowsItsBoxAndTheWizardStays) {
  const std::wstring portable = GetSpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Lorvane Portable";
  ForceDirectories(portable + L"\\");
  WriteStringToFile(portable + L"\\Lorvane.ini", "");
  TSetupRun run(L"");
  ASSERT_TRUE(run.OnPage(0));
  ASSERT_TRUE(NextTo(run, 1));
  ASSERT_TRUE(SetTicked(run.Control(SAcceptLicence), false));
  ASSERT_TRUE(run.Press(SNextButton));
  EXPECT_EQ(AnswerBox(run, IDOK), Text(SMustAcceptLicence[English]));
  EXPECT_TRUE(run.OnPage(1));
  ASSERT_TRUE(SetTicked(run.Control(SAcceptLicence), true));
  ASSERT_TRUE(NextTo(run, 2));
  ASSERT_TRUE(TypeInto(FindByClass(run.Wizard(), L"TEdit"), portable));
  ASSERT_TRUE(run.Press(SNextButton));
  EXPECT_EQ(AnswerBox(run, IDOK), Text(SPortableNotAllowed[English]));
  EXPECT_TRUE(run.OnPage(2));
  // The marker ticked the portable box, and left it for good.
  EXPECT_TRUE(Ticked(run.Control(SInstallPortable)));
  EXPECT_FALSE(IsWindowEnabled(run.Control(SInstallPortable)));
  Quit(run);
  TInstallCheck::ExpectNothingInstalled(portable, {L"Lorvane.ini"});
  TempFolder::RemoveTree(portable + L"\\");
}

// The stored settings show in the wizard: the licence page is skipped both
// ways, the boxes are ticked as stored, and the stored language is taken
// only when its code matches exactly.
TEST_F(InteractiveRun, AnEarlierInstallationsSettingsShowInTheWizard) {
  const std::wstring stored = Work.Path() + L"Stored";
  ::CreateDirectoryW(stored.c_str(), nullptr);
  for (uint8_t language : {English, Japanese}) {
    const wchar_t *code = language == English ? L"JA" : L"ja";
    SCOPED_TRACE(UTF8Encode(code));
    RemoveEveryTrace();
    WriteStoredString("MAINDIR", stored);
    WriteStoredDword("INSTALLTOALL", 0);
    WriteStoredDword("DSKSHORTCUT", 0);
    WriteStoredDword("LAUNCH", 0);
    WriteStoredString("UILANG", code);
    TChoices choices = Interactively(stored);
    choices.ForAll = choices.Desktop = choices.Launch = false;
    choices.Language = language;
    TInstallCheck check(choices);

    TSetupRun run(L"");
    ASSERT_TRUE(run.OnPage(0, language));
    EXPECT_EQ(ChosenItem(FindByClass(run.Wizard(), L"TComboBox")), Text(Languages[language].Name));
    ASSERT_TRUE(NextTo(run, 2, language));
    EXPECT_EQ(WindowText(FindByClass(run.Wizard(), L"TEdit")), stored);
    ASSERT_TRUE(run.Press(SBackButton, language));
    ASSERT_TRUE(run.OnPage(0, language));
    ASSERT_TRUE(NextTo(run, 2, language));
    ASSERT_TRUE(NextTo(run, 3, language));
    EXPECT_FALSE(Ticked(run.Control(SInstallForAll, language)));
    EXPECT_FALSE(Ticked(run.Control(SDesktopShortcut, language)));
    ASSERT_TRUE(NextTo(run, 5, language));
    EXPECT_FALSE(Ticked(run.Control(SLaunchApp, language)));
    ASSERT_TRUE(run.Press(SFinishButton, language));
    EXPECT_EQ(run.Wait(), 0u);
    check.ExpectInstalled();
  }
}

// The application running: the wizard asks to close it and stays on the
// ready page; once it is closed, Next installs.
TEST_F(InteractiveRun, ARunningApplicationIsToBeClosedFirst) {
  TSetupRun application(L"", StandInApp());
  HWND window = WaitForTopWindow(application.ProcessId(), L"LorvaneWordProcessorStandIn");
  ASSERT_NE(window, nullptr);
  TInstallCheck check(Interactively(Target));
  TSetupRun run(L"\"-D" + Target + L"\"");
  ASSERT_NO_FATAL_FAILURE(ThroughToInstalling(run));
  EXPECT_EQ(AnswerBox(run, IDOK), Text(SCloseRunningInstances[English]));
  EXPECT_TRUE(run.OnPage(3));
  EXPECT_FALSE(DirectoryExists(Target));
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(application.Wait(), 0u);
  ASSERT_TRUE(NextTo(run, 5));
  ASSERT_TRUE(run.Press(SFinishButton));
  EXPECT_EQ(run.Wait(), 0u);
  check.ExpectInstalled();
}

// The licence cannot be written (a folder stands in its place): Abort ends
// the wizard at once with exit code 2, keeping what was written and saving
// the records; Retry writes it once the obstacle is gone; Ignore goes on
// without it.
TEST_F(InteractiveRun, AFileThatCannotBeWrittenOffersAbortRetryAndIgnore) {
  for (int answer : {IDABORT, IDRETRY, IDIGNORE}) {
    SCOPED_TRACE(answer);
    RemoveEveryTrace();
    TempFolder::RemoveTree(Target + L"\\");
    const std::wstring licence = Target + L"\\License.txt";
    ForceDirectories(licence + L"\\");
    TInstallCheck check(Interactively(Target));
    TSetupRun run(L"\"-D" + Target + L"\"");
    ASSERT_NO_FATAL_FAILURE(ThroughToInstalling(run));
    const TBox box = WaitForBox(run.ProcessId());
    EXPECT_NE(box.Text.find(L"\"" + licence + L"\""), std::wstring::npos) << UTF8Encode(box.Text);
    EXPECT_EQ(box.Buttons, (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
    if (answer == IDRETRY) {
      // The installing page, which shows only its title, behind the box.
      EXPECT_TRUE(run.OnPage(4));
      Shot(run, L"en-page4");
      ::RemoveDirectoryW(licence.c_str());
    }
    Answer(box, answer);
    if (answer == IDABORT) {
      EXPECT_EQ(run.Wait(), 2u);
      check.ExpectStoppedAt(L"License.txt");
      continue;
    }
    ASSERT_TRUE(run.OnPage(5));
    ASSERT_TRUE(run.Press(SFinishButton));
    EXPECT_EQ(run.Wait(), 0u);
    if (answer == IDIGNORE) {
      check.Choices.Unwritten = {licence};
      EXPECT_TRUE(DirectoryExists(licence));
    }
    check.ExpectInstalled();
  }
}

// The program file does not fit on the drive: the box names it while no
// part of it is left; Retry, once room is made, installs in full.
TEST_F(SmallDriveRun, RetryAfterRoomIsMadeOnAFullDriveInstallsInFull) {
  TInstallCheck check(Interactively(Destination));
  TSetupRun run(L"\"-D" + Destination + L"\"");
  ASSERT_NO_FATAL_FAILURE(ThroughToInstalling(run));
  const std::wstring program = Destination + L"\\lvx.exe";
  const TBox box = WaitForBox(run.ProcessId());
  EXPECT_NE(box.Text.find(L"\"" + program + L"\""), std::wstring::npos) << UTF8Encode(box.Text);
  EXPECT_EQ(box.Buttons, (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
  EXPECT_EQ(::GetFileAttributesW(program.c_str()), INVALID_FILE_ATTRIBUTES) << "a part of the file was left";
  FreeDrive();
  Answer(box, IDRETRY);
  ASSERT_TRUE(run.OnPage(5));
  ASSERT_TRUE(run.Press(SFinishButton));
  EXPECT_EQ(run.Wait(), 0u);
  check.ExpectInstalled();
}

// "Update.log" cannot be saved (a folder of that name stands in its place):
// Finish names the file in a box, then launches the application and ends.
TEST_F(InteractiveRun, AnUpdateLogThatCannotBeSavedIsReportedAndTheCloseStepGoesOn) {
  const std::wstring updateLog = SharedData() + L"Update.log";
  ForceDirectories(updateLog + L"\\");
  TChoices choices = Interactively(Target);
  choices.Unwritten = {updateLog};
  TInstallCheck check(choices);
  TSetupRun run(L"\"-D" + Target + L"\"");
  ASSERT_NO_FATAL_FAILURE(ThroughToInstalling(run));
  ASSERT_TRUE(run.OnPage(5));
  ASSERT_TRUE(run.Press(SFinishButton));
  const TBox box = WaitForBox(run.ProcessId());
  EXPECT_EQ(box.Caption, Text(SSetupTitle[English]));
  EXPECT_EQ(box.Text.substr(0, box.Text.find(L'\r')), L"Cannot create file \"" + updateLog + L"\".");
  EXPECT_EQ(box.Buttons, std::vector<int>{IDOK});
  Answer(box, IDOK);
  EXPECT_EQ(run.Wait(), 0u);
  check.ExpectInstalled();
  EXPECT_TRUE(DirectoryExists(updateLog));
}

// A setup.exe whose payload was damaged in transit refuses at start-up,
// before anything is written: a box for a person, exit code 3 either way.
TEST_F(InteractiveRun, ADamagedSetupIsRefusedBeforeAnythingIsWritten) {
  const std::wstring damaged = DamagedCopy(Work.Path());
  {
    TSetupRun run(L"\"-D" + Target + L"\"", damaged);
    const TBox box = WaitForBox(run.ProcessId());
    EXPECT_EQ(box.Text, Text(SDamagedSetup[English]));
    EXPECT_EQ(box.Caption, Text(SSetupTitle[English]));
    Answer(box, IDOK);
    EXPECT_EQ(run.Wait(), 3u);
  }
  TInstallCheck::ExpectNothingInstalled(Target);
  TSetupRun silent(L"/S \"-D" + Target + L"\"", damaged);
  EXPECT_EQ(silent.Wait(), 3u);
  EXPECT_FALSE(silent.ShowedAWindow());
  TInstallCheck::ExpectNothingInstalled(Target);
}

}  // namespace
