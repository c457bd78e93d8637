// The wizard form's construction: the description, the page table, the
// logo, the language and the stored settings, the destination.
#include "setup/MainForm.h"

#include <windows.h>

#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "resconst/UserLocale.h"
#include "runtime/Streams.h"
#include "setup/CommandLine.h"
#include "setup/Destination.h"
#include "setup/Records.h"

WideString TargetDir;
uint8_t CurrentPage = 0;

LV_PUBLISH(TMainForm) {
  static const TFieldInfo fields[] = {
      Field<&TMainForm::TopPan>("TopPan"),         Field<&TMainForm::TopLbl>("TopLbl"),
      Field<&TMainForm::LogoImg>("LogoImg"),       Field<&TMainForm::WPan>("WPan"),
      Field<&TMainForm::WelLbl>("WelLbl"),         Field<&TMainForm::LngLbl>("LngLbl"),
      Field<&TMainForm::LngBx>("LngBx"),           Field<&TMainForm::LPan>("LPan"),
      Field<&TMainForm::LicMemo>("LicMemo"),       Field<&TMainForm::LicBx>("LicBx"),
      Field<&TMainForm::DPan>("DPan"),             Field<&TMainForm::DstEdt>("DstEdt"),
      Field<&TMainForm::BwsBtn>("BwsBtn"),         Field<&TMainForm::PortBx>("PortBx"),
      Field<&TMainForm::PortIBtn>("PortIBtn"),     Field<&TMainForm::SPan>("SPan"),
      Field<&TMainForm::StartLbl>("StartLbl"),     Field<&TMainForm::Inst2AllBx>("Inst2AllBx"),
      Field<&TMainForm::DskBx>("DskBx"),           Field<&TMainForm::IPan>("IPan"),
      Field<&TMainForm::FPan>("FPan"),             Field<&TMainForm::FinLbl>("FinLbl"),
      Field<&TMainForm::FinBx>("FinBx"),           Field<&TMainForm::BBtn>("BBtn"),
      Field<&TMainForm::NBtn>("NBtn"),             Field<&TMainForm::CBtn>("CBtn"),
  };
  static const TMethodInfo methods[] = {
      Method<&TMainForm::BNClk>("BNClk"),       Method<&TMainForm::CClk>("CClk"),
      Method<&TMainForm::LngChg>("LngChg"),     Method<&TMainForm::BwsClk>("BwsClk"),
      Method<&TMainForm::PortIClk>("PortIClk"), Method<&TMainForm::FormCloseQuery>("FormCloseQuery"),
  };
  return {.Fields = fields, .Methods = methods};
}

TMainForm::TMainForm(TComponent *AOwner) : TForm(AOwner) {
  ReadDescription();
  // The banner stays white when themed: no parent background behind it.
  TopPan->ControlStyle = (TopPan->ControlStyle & ~ctlParentBackground) | ctlOpaque;
  FillPageTable();
  LoadLogo();
  TopLbl->Font()->SetColor(0x800000);
  TopLbl->Font()->SetStyle(fsBold);
  FillLanguageBox();
  ReadStoredSettings();

  if (TargetDir.empty() || !DirectoryExists(TargetDir)) TargetDir = DefaultDestination();
  if (auto dir = DestinationSwitch(CommandLineParams(::GetCommandLineW()))) TargetDir = *dir;
  DstEdt->SetCaption(UTF8Encode(TargetDir));
  CheckDestination();

  if (!Silent) SetPage(pgWelcome);
}

void TMainForm::FillPageTable() {
  TPanel *const panels[PageCount] = {WPan, LPan, DPan, SPan, IPan, FPan, IPan};
  std::copy(std::begin(panels), std::end(panels), Pages);
  const RECT r = WPan->BoundsRect();
  for (int page = PageCount - 1; page > pgWelcome; --page)
    Pages[page]->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TMainForm::LoadLogo() {
  FLogo = std::make_unique<TPNGImage>();
  TResourceStream stream(nullptr, "LOGO", "PNG");
  FLogo->LoadFromStream(stream);
  LogoImg->SetPicture(FLogo.get());
}

void TMainForm::FillLanguageBox() {
  for (uint8_t language : LanguageOrder)
    LngBx->Items()->AddObject(Languages[language].Name, LanguageObject(language));
}

// Local defaults, then what an earlier installation stored; the language
// from the user's locale unless a stored code matches exactly.
void TMainForm::ReadStoredSettings() {
  const TStoredSettings stored = ReadSettings();
  FPrevInstall = stored.Found;
  if (!stored.MainDir.empty()) TargetDir = stored.MainDir;
  CurLanguage = ChooseStartLanguage(StartupLCID(), stored.UILang);
  DskBx->SetChecked(stored.DesktopShortcut);
  Inst2AllBx->SetChecked(stored.InstallToAll);
  FinBx->SetChecked(stored.Launch);

  for (int32_t i = 0; i < LngBx->Items()->Count(); ++i)
    if (ObjectLanguage(LngBx->Items()->Objects(i)) == CurLanguage) LngBx->SetItemIndex(i);
  LngChg(nullptr);
}
