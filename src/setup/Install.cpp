// The installation itself: the file list, the writing of the files, the
// finish actions with the shortcuts, and the close step.
#include <windows.h>
#include <shlobj.h>

#include <optional>

#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "setup/ExitCodes.h"
#include "setup/MainForm.h"
#include "setup/Records.h"

bool InstallStarted = false;

namespace {

// The property the installed application puts on its windows.
constexpr wchar_t InstanceProperty[] = L"1.x Quenmoor";

BOOL CALLBACK FindInstance(HWND window, LPARAM found) {
  if (::GetPropW(window, InstanceProperty) == nullptr) return TRUE;
  *FromParam<bool *>(found) = true;
  return FALSE;
}

}  // namespace

bool InstanceRunning() {
  bool found = false;
  ::EnumWindows(FindInstance, ToParam(&found));
  return found;
}

WideString TMainForm::InTargetDir(const AnsiString &Name) const { return AppendFileName(TargetDir, Name); }

void TMainForm::BuildFileList() {
  ForceOverwrite = !IsPortable();
  AttachedFiles->SelectFiles("lvx.exe", TargetDir, omReplaceIfDifferent);
  AttachedFiles->SelectFiles("License.txt", TargetDir, omReplaceIfDifferent);
  const WideString publicDir = GetDataFolder(dfPublic);
  {
    // The shared files are listed in "Update.log", not in "Install.log".
    TLogSuspension suspended;
    AttachedFiles->SelectFiles("Templates\\", publicDir, omKeepExisting);
    AttachedFiles->SelectFiles("Clip Library\\", publicDir, omKeepExisting);
  }
  if (IsPortable()) return;
  FInstallTime = Now();
  WriteInstallStamp(GetDataFolder(dfHidden), FInstallTime);
}

void TMainForm::RunInstallation() {
  delete InstallLog;
  InstallLog = new TStringList;
  if (!IsPortable()) {
    InstallLogFile = InTargetDir("Install.log");
    LoadInstallLog();
  }
  InstallStarted = true;
  BuildFileList();
  for (TFileToInstall *item : AttachedFiles->ToInstall) {
    std::optional<TLogSuspension> suspended;
    if (!item->Logged) suspended.emplace();
    if (AttachedFiles->WriteEntry(*item->Entry, item->Target)) continue;
    // Nothing written is taken back; the records are still saved at exit.
    if (ExitCode == ExitSuccess) ExitCode = ExitNotWritten;
    FCloseAllowed = true;
    SetModalResult(mrCancel);
    return;
  }
  SetPage(pgFinished);
}

void TMainForm::FinishInstallation() {
  WriteCommonData(GetDataFolder(dfCommon), Now());
  if (!IsPortable()) {
    CreateShortcuts();
    return;
  }
  const WideString marker = InTargetDir("Lorvane.ini");
  if (!FileExists(marker)) WriteStringToFile(marker, "");
}

// The programs menu's link and the desktop's, in the chosen scope; the
// other scope's link of that name goes.
void TMainForm::CreateShortcuts() {
  struct TShortcutFolders {
    int AllUsers, CurrentUser;
  } const shortcuts[] = {{CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS},
                         {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY}};
  const AnsiString linkName = AnsiString(LocalisedText(SProductName)) + ".lnk";
  for (const TShortcutFolders &folders : shortcuts) {
    const bool forAll = Inst2AllBx->Checked();
    WideString chosen = GetSpecialFolder(forAll ? folders.AllUsers : folders.CurrentUser);
    const WideString other = GetSpecialFolder(forAll ? folders.CurrentUser : folders.AllUsers);
    if (!other.empty()) ::DeleteFileW(AppendFileName(other, linkName).c_str());
    if (&folders == &shortcuts[1] && !DskBx->Checked()) continue;
    if (chosen.empty()) chosen = other;
    CreateShortcut(AppendFileName(chosen, linkName), InTargetDir("lvx.exe"), TargetDir,
                   UTF8Decode(LocalisedText(SDescription)));
  }
}

void TMainForm::CloseStep() {
  if (!IsPortable()) WriteUpdateLog();
  if (!Silent && FinBx->Checked()) {
    const WideString parameters = L"-uilp " + UTF8Decode(Languages[CurLanguage].Code);
    OpenAsDesktopUser(InTargetDir("lvx.exe"), parameters, SW_SHOW);
  }
  FCloseAllowed = true;
  SetModalResult(mrOk);
}
