#include "WizardFixture.h"

#include <ole2.h>

#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace {

class TWizardEnvironment : public testing::Environment {
public:
  void SetUp() override {
    ::OleInitialize(nullptr);
    RegisterStdControls();
    RegisterExtControls();
    CreateApplication();
    AttachedFiles = new TAttachedFiles;
  }
  void TearDown() override {
    FreeApplication();
    ::OleUninitialize();
  }
};

const testing::Environment *const environment = testing::AddGlobalTestEnvironment(new TWizardEnvironment);

}  // namespace

TMainForm *WizardTest::MakeWizard() {
  TargetDir.clear();
  CurrentPage = 0;
  CurLanguage = 1;
  Silent = false;
  ExitCode = 0;
  InstallStarted = false;
  delete InstallLog;
  InstallLog = nullptr;
  InstallLogFile.clear();
  AttachedFiles->ToInstall.Clear();
  AttachedFiles->PublicFiles.Clear();
  Form.reset(new TMainForm(nullptr));
  return Form.get();
}

void WizardTest::ShowWizard() {
  Form->SetVisible(true);
  Pump();
}

void WizardTest::Pump() {
  while (Application->ProcessMessage()) {
  }
  ::RedrawWindow(nullptr, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void WizardTest::ChooseLanguage(uint8_t language) {
  const HWND box = Form->LngBx->Handle();
  ::PostMessageW(box, WM_KEYDOWN, VK_HOME, 0);
  for (int k = 0; k < LanguageCount && LanguageOrder[k] != language; ++k) ::PostMessageW(box, WM_KEYDOWN, VK_DOWN, 0);
  Pump();
}

std::wstring WizardTest::WindowText(TWinControl *control) {
  wchar_t text[1024] = L"";
  ::GetWindowTextW(control->Handle(), text, 1024);
  return text;
}

void WizardTest::TearDown() {
  Form.reset();
  Pump();
  RemoveStoredSettings();
}
