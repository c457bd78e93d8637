// The installation the wizard runs from its ready page: the files, the
// stamp, the common data, the shortcuts in the chosen scope, the close step;
// a running application, a portable copy and a file that cannot be written.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "RunningApplication.h"
#include "WizardFixture.h"
#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "setup/Records.h"
#include "support/ProcessWindows.h"
#include "support/MessageBoxDriver.h"
#include "support/TempFolder.h"

namespace {

const AnsiString LinkName = "Lorvane Word Processor.lnk";

WideString Link(int csidl) { return AppendFileName(GetSpecialFolder(csidl), LinkName); }

// The first window of the installed application, into *found.
BOOL CALLBACK FindApplication(HWND window, LPARAM found) {
  if (::GetPropW(window, TRunningApplication::Property) == nullptr) return TRUE;
  *reinterpret_cast<HWND *>(found) = window;
  return FALSE;
}

bool LogHas(const AnsiString &line) { return InstallLog != nullptr && InstallLog->IndexOf(line) >= 0; }


class WizardInstallTest : public WizardTest {
protected:
  // The form with the destination typed in, ready to be clicked through.
  TMainForm *MakeWizardFor(const WideString &destination, bool silent) {
    TMainForm *form = MakeWizard();
    Silent = silent;
    form->DstEdt->SetCaption(UTF8Encode(destination));
    form->FinBx->SetChecked(false);
    return form;
  }
  void Next() {
    ::SendMessageW(Form->NBtn->Handle(), BM_CLICK, 0, 0);
    Pump();
  }
  void TearDown() override {
    for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY})
      ::DeleteFileW(Link(csidl).c_str());
    WizardTest::TearDown();
  }

  TempFolder Destination;
  const WideString Target = ExcludeTrailingBackslash(Destination.Path());
};

TEST_F(WizardInstallTest, TheRoadThroughEveryPageInstallsAndTheFinishButtonEndsTheWizard) {
  TMainForm *form = MakeWizardFor(Target, false);
  ShowWizard();
  for (int page = 1; page <= 3; ++page) {
    Next();
    ASSERT_EQ(CurrentPage, page);
  }
  Next();  // installs, then shows the finished page
  ASSERT_EQ(CurrentPage, 5);
  EXPECT_TRUE(InstallStarted);
  EXPECT_EQ(WindowText(form->NBtn), UTF8Decode(SFinishButton[1]));
  EXPECT_FALSE(form->CBtn->Enabled());
  EXPECT_FALSE(form->BBtn->Enabled());
  EXPECT_TRUE(form->FPan->Visible());

  EXPECT_TRUE(FileExists(Target + L"\\lvx.exe"));
  EXPECT_TRUE(FileExists(Target + L"\\License.txt"));
  EXPECT_EQ(ReadWholeFile(SharedDataFolder() + L"Hidden\\install_stamp").size(), 8u);
  EXPECT_EQ(ReadWholeFile(SharedDataFolder() + L"lvx_common.dat").size(), 25u);
  EXPECT_EQ(InstallLogFile, Target + L"\\Install.log");
  EXPECT_TRUE(LogHas("File Copy: " + UTF8Encode(Target) + "\\lvx.exe"));
  EXPECT_TRUE(LogHas("File Copy: " + UTF8Encode(Target) + "\\License.txt"));
  for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY}) {
    EXPECT_TRUE(FileExists(Link(csidl))) << csidl;
    EXPECT_TRUE(LogHas("File Copy: " + UTF8Encode(Link(csidl)))) << csidl;
  }
  // The public folder itself is logged when made; the shared files are not.
  for (const AnsiString &line : *InstallLog)
    EXPECT_NE(line.rfind("File Copy: " + UTF8Encode(PublicDir), 0), 0u) << "a shared file in the log: " << line;
  EXPECT_GT(AttachedFiles->PublicFiles.Count(), 0);

  Next();  // Finish: the close step
  EXPECT_EQ(form->ModalResult(), 1);
  EXPECT_TRUE(form->FCloseAllowed);
  const std::string updateLog = ReadWholeFile(SharedDataFolder() + L"Update.log");
  EXPECT_NE(updateLog.find(StampLine(form->FInstallTime) + "\r\n"), std::string::npos);
}

// Finish with the launch box ticked starts the installed application in
// the wizard's language; a silent run never launches it.
TEST_F(WizardInstallTest, FinishLaunchesTheApplicationInTheWizardsLanguage) {
  TMainForm *form = MakeWizardFor(Target, false);
  form->FinBx->SetChecked(true);
  ShowWizard();
  ChooseLanguage(5);
  for (int page = 1; page <= 4; ++page) Next();
  ASSERT_EQ(CurrentPage, 5);
  Next();
  EXPECT_EQ(form->ModalResult(), 1);

  HWND application = nullptr;
  for (int i = 0; i < 200 && application == nullptr; ++i) {
    ::Sleep(50);
    ::EnumWindows(FindApplication, reinterpret_cast<LPARAM>(&application));
  }
  ASSERT_NE(application, nullptr) << "the application did not start";
  wchar_t language[256] = L"";
  ::GetWindowTextW(::GetDlgItem(application, 101), language, 256);
  EXPECT_EQ(std::wstring(language), L"Interface language: ja (Japanese)");
  DWORD processId = 0;
  ::GetWindowThreadProcessId(application, &processId);
  HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
  ::TerminateProcess(process, 0);
  ::WaitForSingleObject(process, 5000);
  ::CloseHandle(process);
  EXPECT_FALSE(InstanceRunning());
}

TEST_F(WizardInstallTest, ARunningApplicationStopsTheInstallationWithAMessageOrSilentlyWithExitCode1) {
  TRunningApplication application;
  for (bool silent : {false, true}) {
    SCOPED_TRACE(silent ? "silent" : "interactive");
    TMainForm *form = MakeWizardFor(Target, silent);
    TMessageBoxDriver driver({TBoxAnswer{IDOK}});
    if (silent) {
      form->NBtn->Click();
    } else {
      ShowWizard();
      for (int page = 1; page <= 4; ++page) Next();
    }
    const auto &boxes = driver.Finish();
    ASSERT_EQ(boxes.size(), silent ? 0u : 1u);
    if (!silent) {
      EXPECT_EQ(boxes[0].Text, UTF8Decode(SCloseRunningInstances[1]));
    }
    EXPECT_EQ(CurrentPage, 3);
    EXPECT_EQ(ExitCode, silent ? 1 : 0);
    EXPECT_FALSE(InstallStarted);
    EXPECT_FALSE(FileExists(Target + L"\\lvx.exe"));
  }
}

TEST_F(WizardInstallTest, ASilentPortableCopyKeepsEverythingInItsFolderAndLeavesNoShortcutStampOrLaunch) {
  TMainForm *form = MakeWizardFor(Target, true);
  form->PortBx->SetChecked(true);
  form->FinBx->SetChecked(true);  // silent: no launch all the same
  form->NBtn->Click();
  EXPECT_EQ(ExitCode, 0);
  EXPECT_EQ(form->ModalResult(), 1);
  // A launch would have made the process before the close step returned.
  for (DWORD process : StandInProcesses()) EXPECT_NE(ImagePath(process), Target + L"\\lvx.exe") << "launched";
  for (const wchar_t *name : {L"lvx.exe", L"License.txt", L"Lorvane.ini", L"lvx_common.dat"})
    EXPECT_TRUE(FileExists(Target + L"\\" + name)) << UTF8Encode(name);
  EXPECT_TRUE(DirectoryExists(Target + L"\\Templates"));
  EXPECT_FALSE(FileExists(Target + L"\\install_stamp"));
  EXPECT_FALSE(FileExists(Target + L"\\Update.log"));
  EXPECT_EQ(InstallLogFile, L"");
  for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY})
    EXPECT_FALSE(FileExists(Link(csidl))) << csidl;
}

TEST_F(WizardInstallTest, AFileThatCannotBeWrittenEndsASilentRunWithExitCode2AndNothingTakenBack) {
  ASSERT_TRUE(::CreateDirectoryW((Target + L"\\License.txt").c_str(), nullptr));
  TMainForm *form = MakeWizardFor(Target, true);
  form->NBtn->Click();
  EXPECT_EQ(ExitCode, 2);
  EXPECT_EQ(form->ModalResult(), 2);
  EXPECT_TRUE(form->FCloseAllowed);
  EXPECT_TRUE(InstallStarted);
  EXPECT_EQ(CurrentPage, 4);
  EXPECT_TRUE(FileExists(Target + L"\\lvx.exe"));
  EXPECT_EQ(ReadWholeFile(SharedDataFolder() + L"Hidden\\install_stamp").size(), 8u);
}

// The links go to the chosen scope and leave the other scope's link of that
// name behind them; without the desktop box the chosen scope's desktop link
// stays as it was.
TEST_F(WizardInstallTest, ShortcutsGoToTheChosenScopeAndTheOtherScopesLinksAreDeleted) {
  struct TCase {
    bool ForAll, Desktop;
    int ProgramsMade, DesktopMade, ProgramsGone, DesktopGone;
    bool DesktopKept;
  } cases[] = {
      {true, true, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, false},
      {false, true, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY, false},
      {false, false, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY, true},
  };
  const std::string stale = "not a link";
  for (const TCase &c : cases) {
    SCOPED_TRACE(std::string(c.ForAll ? "all users" : "current user") + (c.Desktop ? "" : ", no desktop link"));
    for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY}) {
      ForceDirectories(GetSpecialFolder(csidl));
      WriteFileBytes(Link(csidl), stale);
    }
    TMainForm *form = MakeWizardFor(Target, true);
    form->Inst2AllBx->SetChecked(c.ForAll);
    form->DskBx->SetChecked(c.Desktop);
    form->NBtn->Click();
    ASSERT_EQ(ExitCode, 0);
    EXPECT_FALSE(FileExists(Link(c.ProgramsGone)));
    EXPECT_FALSE(FileExists(Link(c.DesktopGone)));
    EXPECT_TRUE(FileExists(Link(c.ProgramsMade)));
    EXPECT_NE(ReadWholeFile(Link(c.ProgramsMade)), stale);
    EXPECT_TRUE(FileExists(Link(c.DesktopMade)));
    EXPECT_EQ(ReadWholeFile(Link(c.DesktopMade)) == stale, c.DesktopKept);
  }
}

}  // namespace
