// The page switch: the entry step of the page, then what every page shows.
#include "dialogs/Dialogs.h"
#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "runtime/SysUtils.h"
#include "setup/Destination.h"
#include "setup/ExitCodes.h"
#include "setup/MainForm.h"

namespace {

// A page check that does not let the run go on: the user is told why; a
// silent run, which may show no window, ends with its own exit code.
void Refuse(const TLocalisedText &message) {
  if (Silent)
    ExitCode = ExitRefusedSilently;
  else
    MessageDlg(LocalisedText(message), mtInformation, mbOK);
}

}  // namespace

bool TMainForm::EnterPage(uint8_t Page, TWinControl *&Focus) {
  switch (Page) {
    case pgWelcome:
      Focus = LngBx;
      return true;
    case pgLicence:
      if (!FLicenseShown) {
        LicMemo->SetReadOnly(true);
        NBtn->SetEnabled(false);
        CBtn->SetEnabled(false);
        for (int i = AttachedFiles->Files.Count() - 1; i >= 0; --i) {
          const TAttachedFile *entry = AttachedFiles->Files[i];
          if (!SameText(entry->Name, L"License.txt")) continue;
          LicMemo->Lines()->SetText(AnsiString(reinterpret_cast<const char *>(entry->Data), entry->Size));
          break;
        }
        FLicenseShown = true;
      }
      Focus = LicMemo;
      return true;
    case pgDestination:
      if (!LicBx->Checked()) {
        Refuse(SMustAcceptLicence);
        return false;
      }
      Focus = DstEdt;
      return true;
    case pgReady: {
      CheckDestination();
      const WideString destination = UTF8Decode(DstEdt->Caption());
      if (PortBx->Checked() && PortableRefused(destination, ProgramFilesFolder())) {
        Refuse(SPortableNotAllowed);
        return false;
      }
      TargetDir = destination;
      Inst2AllBx->SetVisible(!PortBx->Checked());
      DskBx->SetVisible(!PortBx->Checked());
      Focus = NBtn;
      return true;
    }
    case pgInstalling:
      if (!InstanceRunning()) return true;
      if (Silent)
        ExitCode = ExitApplicationRunning;
      else
        MessageDlg(LocalisedText(SCloseRunningInstances), mtInformation, mbOK);
      return false;
    case pgFinished:
      FinishInstallation();
      return true;
    case pgCloseStep:
      CloseStep();
      return false;
    default:
      return true;
  }
}

void TMainForm::SetPage(uint8_t Page) {
  // Back from the welcome page, in byte arithmetic, asks for page 255.
  if (Page >= PageCount) return;
  TWinControl *focus = nullptr;
  if (!EnterPage(Page, focus)) return;

  BBtn->SetVisible(Page != pgWelcome);
  BBtn->SetEnabled(Page < pgInstalling);
  NBtn->SetEnabled(Page != pgInstalling);
  NBtn->SetCaption(LocalisedText(Page == pgFinished ? SFinishButton : SNextButton));
  CBtn->SetEnabled(Page != pgFinished);
  TopLbl->SetCaption(PageTitle(Page));
  CurrentPage = Page;
  for (int slot = PageCount - 1; slot >= 0; --slot) Pages[slot]->SetVisible(slot == Page);
  if (focus != nullptr && focus->CanFocus()) focus->SetFocus();

  if (Page == pgInstalling)
    RunInstallation();
  else if (Silent && ExitCode == ExitSuccess)
    NBtn->Click();
}
