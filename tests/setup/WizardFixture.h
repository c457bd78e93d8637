// The wizard as the program makes it: the application object and the
// catalogue exist for the whole test process, and each test makes its own
// form from the program's description, then shows it and drives it through
// its real windows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/SysUtils.h"
#include "setup/MainForm.h"
#include "setup/Records.h"
#include "support/StoredRecords.h"

class WizardTest : public testing::Test {
protected:
  // A fresh run's state, then a new form (the welcome page unless silent).
  TMainForm *MakeWizard();
  // Shows the form without a modal loop and lets it paint.
  void ShowWizard();
  // Delivers everything waiting in the queue.
  static void Pump();
  // Picks the language through the box with the keyboard, as a user would.
  void ChooseLanguage(uint8_t language);
  // What the control's window shows.
  static std::wstring WindowText(TWinControl *control);
  void TearDown() override;

  TComponentPtr<TMainForm> Form;
};
