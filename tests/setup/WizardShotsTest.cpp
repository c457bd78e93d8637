// The pages a user sees (welcome, licence, destination, ready, finished; the
// installing page shows while the files are written, and nothing paints
// then) in the languages of three scripts, photographed for a person to look
// at (when LV_SHOT_DIR names a folder), and checked for what a picture shows
// plainly: nothing sticks out of its page. The installation goes to the
// default folder of the throwaway prefix.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "WizardFixture.h"
#include "resconst/ResConst.h"
#include "support/WindowShot.h"
#include "toolkit/Themes.h"

namespace {

// Right edge inside the parent's client area.
void ExpectInside(TControl *control) {
  EXPECT_LE(control->Left() + control->Width(), control->Parent()->ClientWidth()) << control->Name();
  EXPECT_LE(control->Top() + control->Height(), control->Parent()->ClientHeight()) << control->Name();
}

TEST_F(WizardTest, EveryPageAUserSeesInThreeScripts) {
  const std::wstring look = std::to_wstring(ScreenPixelsPerInch()) + L"dpi-" +
                            (ThemeServices().ThemesEnabled() ? L"themed" : L"plain");
  for (uint8_t language : {1, 5, 7}) {
    SCOPED_TRACE(Languages[language].Code);
    TMainForm *form = MakeWizard();
    ShowWizard();
    ChooseLanguage(language);
    form->FinBx->SetChecked(false);
    for (int page : {0, 1, 2, 3, 5}) {
      ASSERT_EQ(CurrentPage, page);
      for (TControl *c : std::initializer_list<TControl *>{form->TopLbl, form->LngLbl, form->LicBx, form->PortBx,
                                                           form->PortIBtn, form->Inst2AllBx, form->DskBx, form->FinBx})
        ExpectInside(c);
      EXPECT_LT(form->LngLbl->Left() + form->LngLbl->Width(), form->LngBx->Left());
      const std::wstring path = ShotPath(L"wizard-" + UTF8Decode(Languages[language].Code) + L"-page" +
                                         std::to_wstring(page) + L"-" + look + L".bmp");
      if (!path.empty()) {
        EXPECT_TRUE(SaveWindowShot(form->Handle(), path));
      }
      ::SendMessageW(form->NBtn->Handle(), BM_CLICK, 0, 0);
      Pump();
    }
  }
}

}  // namespace
