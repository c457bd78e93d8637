// Every caption of the wizard in the chosen language.
#include "resconst/ResConst.h"
#include "setup/MainForm.h"

void TMainForm::ApplyLanguage() {
  // Without a selection the language stays as it is.
  const int32_t index = LngBx->ItemIndex();
  if (index >= 0) CurLanguage = ObjectLanguage(LngBx->Items()->Objects(index));

  const AnsiString title = LocalisedText(SSetupTitle);
  Application->SetTitle(title);
  SetCaption(title);
  TopLbl->SetCaption(PageTitle(0));
  WelLbl->SetCaption(Format(LocalisedText(SWelcomeText), {LocalisedText(SProductNameLite), ""}));
  LngLbl->SetCaption(LocalisedText(SLanguageLabel));
  LicBx->SetCaption(LocalisedText(SAcceptLicence));
  BwsBtn->SetCaption(LocalisedText(SBrowseButton));
  PortBx->SetCaption(LocalisedText(SInstallPortable));
  FitPortableBox();
  StartLbl->SetCaption(LocalisedText(SReadyText));
  Inst2AllBx->SetCaption(LocalisedText(SInstallForAll));
  DskBx->SetCaption(LocalisedText(SDesktopShortcut));
  FinLbl->SetCaption(Format(LocalisedText(SFinishedText), {LocalisedText(SProductNameLite), ""}));
  FinBx->SetCaption(LocalisedText(SLaunchApp));
  BBtn->SetCaption(LocalisedText(SBackButton));
  NBtn->SetCaption(LocalisedText(SNextButton));
  CBtn->SetCaption(LocalisedText(SCancelButton));
}

// The box's own height stands for the check mark and the gap before the text.
void TMainForm::FitPortableBox() {
  PortBx->SetWidth(Canvas()->TextWidth(PortBx->Caption()) + PortBx->Height());
  PortIBtn->SetLeft(PortBx->Left() + PortBx->Width());
}
