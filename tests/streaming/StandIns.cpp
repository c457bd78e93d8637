#include "StandIns.h"

int TControl::Live = 0;
std::vector<std::string> TControl::LoadedNames;
std::vector<std::string> TControl::Destroyed;

TControl::TControl(TComponent *AOwner) : TComponent(AOwner) { ++Live; }

TControl::~TControl() { --Live; }

void TControl::Loaded() {
  TComponent::Loaded();
  LoadedNames.push_back(Name());
}

void TControl::Destroy() {
  Destroyed.push_back(Describe());
  inherited::Destroy();
}

void TControl::Log(const std::string &entry) {
  if (Assigned.empty()) StateWhileReading = ComponentState();
  Assigned.push_back(entry);
}

LV_PUBLISH(TControl) {
  static const TPropInfo properties[] = {
      Property<&TControl::FLeft, &TControl::SetLeft>("Left"),
      Property<&TControl::FTop, &TControl::SetTop>("Top"),
      Property<&TControl::FWidth, &TControl::SetWidth>("Width"),
      Property<&TControl::FHeight, &TControl::SetHeight>("Height"),
  };
  return {.Properties = properties};
}

LV_PUBLISH(TWinControl) { return {}; }

LV_PUBLISH(TForm) {
  static const TPropInfo properties[] = {
      Property<&TForm::FClientHeight, &TForm::SetClientHeight>("ClientHeight"),
      Property<&TForm::FClientWidth, &TForm::SetClientWidth>("ClientWidth"),
      Property<&TForm::FOnCloseQuery, &TForm::SetOnCloseQuery>("OnCloseQuery"),
  };
  return {.Properties = properties};
}

LV_PUBLISH(TButton) {
  static const TPropInfo properties[] = {
      Property<&TButton::FCancel, &TButton::SetCancel>("Cancel"),
      Property<&TButton::FDefault, &TButton::SetDefault>("Default"),
      Property<&TButton::FCaption, &TButton::SetCaption>("Caption"),
      Property<&TButton::FOnClick, &TButton::SetOnClick>("OnClick"),
  };
  return {.Properties = properties};
}

LV_PUBLISH(TCheckBox) {
  static const TPropInfo properties[] = {
      Property<&TCheckBox::FCaption, &TCheckBox::SetCaption>("Caption"),
      Property<&TCheckBox::FChecked, &TCheckBox::SetChecked>("Checked"),
  };
  return {.Properties = properties};
}

LV_PUBLISH(TComboBox) {
  static const TPropInfo properties[] = {
      Property<&TComboBox::FOnChange, &TComboBox::SetOnChange>("OnChange"),
  };
  return {.Properties = properties};
}

LV_PUBLISH(TLabel) {
  static const TPropInfo properties[] = {
      Property<&TLabel::FAutoSize, &TLabel::SetAutoSize>("AutoSize"),
      Property<&TLabel::FCaption, &TLabel::SetCaption>("Caption"),
  };
  return {.Properties = properties};
}

LV_PUBLISH(TEdit) { return {}; }

LV_PUBLISH(TMemo) { return {}; }

LV_PUBLISH(TPanel) {
  static const TPropInfo properties[] = {
      Property<&TPanel::FBevelInner, &TPanel::SetBevelInner>("BevelInner"),
      Property<&TPanel::FBevelOuter, &TPanel::SetBevelOuter>("BevelOuter"),
      Property<&TPanel::FColor, &TPanel::SetColor>("Color"),
  };
  return {.Properties = properties};
}

LV_PUBLISH(TImage) { return {}; }

LV_PUBLISH(TBevel) {
  static const TPropInfo properties[] = {
      Property<&TBevel::FShape, &TBevel::SetShape>("Shape"),
  };
  return {.Properties = properties};
}

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

void TMainForm::Call(const char *handler, TObject *Sender) {
  const auto *sender = static_cast<TComponent *>(Sender);
  Calls.push_back(std::string(handler) + "(" + sender->Name() + ")");
}

void TMainForm::BNClk(TObject *Sender) { Call("BNClk", Sender); }
void TMainForm::CClk(TObject *Sender) { Call("CClk", Sender); }
void TMainForm::LngChg(TObject *Sender) { Call("LngChg", Sender); }
void TMainForm::BwsClk(TObject *Sender) { Call("BwsClk", Sender); }
void TMainForm::PortIClk(TObject *Sender) { Call("PortIClk", Sender); }

void TMainForm::FormCloseQuery(TObject *Sender, bool &CanClose) {
  Call("FormCloseQuery", Sender);
  CanClose = false;
}

std::vector<TComponent *> TMainForm::Fields() const {
  return {TopPan, TopLbl,   LogoImg,    WPan,  WelLbl, LngLbl, LngBx,  LPan, LicMemo,
          LicBx,  DPan,     DstEdt,     BwsBtn, PortBx, PortIBtn, SPan, StartLbl, Inst2AllBx,
          DskBx,  IPan,     FPan,       FinLbl, FinBx, BBtn,   NBtn,   CBtn};
}

void RegisterStandIns() {
  RegisterClasses<TBevel, TButton, TCheckBox, TComboBox, TEdit, TImage, TLabel, TMemo, TPanel, TMainForm>();
}

std::string Str(const std::string &s) { return std::string(1, static_cast<char>(s.size())) + s; }

std::string Record(const std::string &cls, const std::string &name, const std::string &properties,
                   const std::string &children) {
  return Str(cls) + Str(name) + properties + std::string(1, '\0') + children + std::string(1, '\0');
}
