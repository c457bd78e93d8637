// What the wizard's buttons, language box and close box do.
#include <windows.h>

#include "dialogs/Dialogs.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "setup/MainForm.h"

// The licence page is skipped both ways when an earlier installation's
// settings were found.
void TMainForm::BNClk(TObject *Sender) {
  const int step = Sender == BBtn ? -1 : 1;
  uint8_t page = static_cast<uint8_t>(CurrentPage + step);
  if (page == pgLicence && FPrevInstall) page = static_cast<uint8_t>(page + step);
  SetPage(page);
}

void TMainForm::CClk(TObject *) { Close(); }

void TMainForm::LngChg(TObject *) { ApplyLanguage(); }

void TMainForm::BwsClk(TObject *) {
  WideString path = UTF8Decode(DstEdt->Caption());
  if (!BrowseForFolder(path, Handle())) return;
  DstEdt->SetCaption(UTF8Encode(path));
  CheckDestination();
}

void TMainForm::PortIClk(TObject *) {
  const WideString url = UTF8Decode(LocalisedText(SPortableHelpUrl));
  OpenAsDesktopUser(url, L"", SW_SHOWNORMAL);
}

void TMainForm::FormCloseQuery(TObject *, bool &CanClose) {
  if (FCloseAllowed || Silent)
    CanClose = true;
  else
    CanClose = MessageDlg(LocalisedText(SConfirmQuit), mtConfirmation, mbYes | mbNo) == IDYES;
  // A confirmed close is not asked again.
  FCloseAllowed = CanClose;
}
