// The form's side of the destination rules and of the records: what the
// boxes say goes into the rules and records, and back.
#include "dialogs/Dialogs.h"
#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "setup/Destination.h"
#include "setup/ExitCodes.h"
#include "setup/MainForm.h"
#include "setup/Records.h"

void TMainForm::CheckDestination() {
  const AnsiString text = UTF8Encode(NormalizeDestination(UTF8Decode(DstEdt->Caption()), ProgramFilesFolder()));
  if (text != DstEdt->Caption()) DstEdt->SetCaption(text);
  // An existing portable installation can only be updated as one.
  if (HoldsPortableMarker(UTF8Decode(text))) {
    PortBx->SetChecked(true);
    PortBx->SetEnabled(false);
  } else {
    PortBx->SetEnabled(true);
  }
}

WideString TMainForm::GetDataFolder(TDataFolderKind Kind) { return DataFolder(Kind, PortBx->Checked(), TargetDir); }

void TMainForm::SaveSettings() {
  SaveSettingsRecords({TargetDir, Inst2AllBx->Checked(), DskBx->Checked(), FinBx->Checked(), CurLanguage},
                      PortBx->Checked());
}

void TMainForm::WriteUpdateLog() {
  if (AttachedFiles->PublicFiles.Count() == 0) return;
  const WideString path = GetDataFolder(dfCommon) + L"Update.log";
  try {
    MergeUpdateLog(AttachedFiles->PublicFiles, FInstallTime, path);
  } catch (const EAbort &) {
    // The list is the removal's only record of the shared files: the user
    // is told, and a script learns it from the exit code.
    if (Silent)
      ExitCode = ExitNotWritten;
    else
      MessageDlg(Format(LocalisedText(SCannotCreateFile), {UTF8Encode(path)}), mtError, mbOK);
  }
}
