#include <gtest/gtest.h>

#include "MainFormBytes.h"
#include "StandIns.h"

namespace {

struct Expected {
  const char *name;
  const char *cls;
  const char *parent;
  std::vector<std::string> assigned;
};

// The wizard's layout in description order; "OnClick" and the like name the
// events set, their handlers are checked by calling them.
const Expected Layout[] = {
    {"TopPan", "TPanel", "MainForm", {"Width=492", "Height=46", "BevelInner=2", "BevelOuter=1", "Color=16777215"}},
    {"TopLbl", "TLabel", "TopPan", {"Left=20", "Top=14"}},
    {"LftPan", "TPanel", "MainForm", {"Top=46", "Width=123", "Height=301"}},
    {"LogoImg", "TImage", "LftPan", {"Width=120", "Height=260"}},
    {"LftBvl", "TBevel", "LftPan", {"Left=121", "Width=2", "Height=301", "Shape=1"}},
    {"WPan", "TPanel", "MainForm", {"Left=123", "Top=47", "Width=369", "Height=261"}},
    {"WelLbl", "TLabel", "WPan", {"Left=12", "Top=27", "Width=345", "Height=75", "AutoSize=0"}},
    {"LngLbl", "TLabel", "WPan", {"Left=12", "Top=120"}},
    {"LngBx", "TComboBox", "WPan", {"Left=83", "Top=116", "Width=260", "OnChange"}},
    {"LPan", "TPanel", "MainForm", {}},
    {"LicMemo", "TMemo", "LPan", {"Left=12", "Top=10", "Width=345", "Height=215"}},
    {"LicBx", "TCheckBox", "LPan", {"Left=12", "Top=235", "Width=345", "Checked=1"}},
    {"DPan", "TPanel", "MainForm", {}},
    {"DstEdt", "TEdit", "DPan", {"Left=12", "Top=30", "Width=252"}},
    {"BwsBtn", "TButton", "DPan", {"Left=266", "Top=30", "Width=90", "Height=22", "OnClick"}},
    {"PortBx", "TCheckBox", "DPan", {"Left=12", "Top=80"}},
    {"PortIBtn", "TButton", "DPan", {"Top=77", "Width=40", "Height=22", "Caption=  ?  ", "OnClick"}},
    {"SPan", "TPanel", "MainForm", {}},
    {"StartLbl", "TLabel", "SPan", {"Left=12", "Top=27", "Width=345", "Height=100", "AutoSize=0"}},
    {"Inst2AllBx", "TCheckBox", "SPan", {"Left=12", "Top=189", "Width=345"}},
    {"DskBx", "TCheckBox", "SPan", {"Left=12", "Top=212", "Width=345"}},
    {"IPan", "TPanel", "MainForm", {}},
    {"FPan", "TPanel", "MainForm", {}},
    {"FinLbl", "TLabel", "FPan", {"Left=12", "Top=27", "Width=345", "Height=150", "AutoSize=0"}},
    {"FinBx", "TCheckBox", "FPan", {"Left=12", "Top=190", "Width=345"}},
    {"BtmBvlPan", "TPanel", "MainForm", {"Top=306", "Width=492", "Height=2"}},
    {"BtmBvl", "TBevel", "BtmBvlPan", {"Left=1", "Width=491", "Height=2"}},
    {"BtmPan", "TPanel", "MainForm", {"Top=307", "Width=492", "Height=44"}},
    {"BBtn", "TButton", "BtmPan", {"Left=210", "Top=12", "Width=85", "Height=22", "OnClick"}},
    {"NBtn", "TButton", "BtmPan", {"Left=295", "Top=12", "Width=85", "Height=22", "Default=1", "OnClick"}},
    {"CBtn", "TButton", "BtmPan", {"Left=392", "Top=12", "Width=85", "Height=22", "Cancel=1", "OnClick"}},
};

const char *const FieldNames[] = {"TopPan", "TopLbl",   "LogoImg",    "WPan",   "WelLbl", "LngLbl", "LngBx",
                                  "LPan",   "LicMemo",  "LicBx",      "DPan",   "DstEdt", "BwsBtn", "PortBx",
                                  "PortIBtn", "SPan",   "StartLbl",   "Inst2AllBx", "DskBx", "IPan", "FPan",
                                  "FinLbl", "FinBx",    "BBtn",       "NBtn",   "CBtn"};

const std::vector<std::string> LoadedOrder = {
    "MainForm", "TopLbl",   "TopPan", "LogoImg",  "LftBvl", "LftPan",   "WelLbl",     "LngLbl",
    "LngBx",    "WPan",     "LicMemo", "LicBx",   "LPan",   "DstEdt",   "BwsBtn",     "PortBx",
    "PortIBtn", "DPan",     "StartLbl", "Inst2AllBx", "DskBx", "SPan",  "IPan",       "FinLbl",
    "FinBx",    "FPan",     "BtmBvl", "BtmBvlPan", "BBtn",  "NBtn",     "CBtn",       "BtmPan"};

}  // namespace

void ExpectWizardForm(TMainForm *form) {
  EXPECT_EQ(form->Name(), "MainForm");
  EXPECT_EQ(form->Assigned, (std::vector<std::string>{"ClientWidth=492", "ClientHeight=351", "OnCloseQuery"}));
  ASSERT_EQ(form->ComponentCount(), 31);
  for (int i = 0; i < 31; ++i) {
    const Expected &e = Layout[i];
    auto *control = ObjectAs<TControl>(form->Components(i));
    ASSERT_NE(control, nullptr);
    SCOPED_TRACE(e.name);
    EXPECT_EQ(control->Name(), e.name);
    EXPECT_STREQ(control->ClassName(), e.cls);
    ASSERT_NE(control->ParentComponent, nullptr);
    EXPECT_EQ(control->ParentComponent->Name(), e.parent);
    EXPECT_EQ(control->Owner(), form);
    EXPECT_EQ(control->Assigned, e.assigned);
    EXPECT_EQ(control->ComponentState(), 0);
  }

  std::vector<TComponent *> fields = form->Fields();
  for (size_t i = 0; i < fields.size(); ++i) {
    ASSERT_NE(fields[i], nullptr) << FieldNames[i];
    EXPECT_EQ(fields[i]->Name(), FieldNames[i]);
  }

  form->Calls.clear();
  form->LngBx->FOnChange(form->LngBx);
  form->BwsBtn->FOnClick(form->BwsBtn);
  form->PortIBtn->FOnClick(form->PortIBtn);
  form->BBtn->FOnClick(form->BBtn);
  form->NBtn->FOnClick(form->NBtn);
  form->CBtn->FOnClick(form->CBtn);
  bool canClose = true;
  form->FOnCloseQuery(form, canClose);
  EXPECT_FALSE(canClose);
  EXPECT_EQ(form->Calls, (std::vector<std::string>{"LngChg(LngBx)", "BwsClk(BwsBtn)", "PortIClk(PortIBtn)",
                                                   "BNClk(BBtn)", "BNClk(NBtn)", "CClk(CBtn)",
                                                   "FormCloseQuery(MainForm)"}));
  EXPECT_EQ(TControl::LoadedNames, LoadedOrder);
}
