// The first three pages in the languages of three scripts, photographed for
// a person to look at (when LV_SHOT_DIR names a folder), and checked for
// what a picture shows plainly: nothing sticks out of its page.
#include <gtest/gtest.h>

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

TEST_F(WizardTest, WelcomeLicenceAndDestinationPagesInThreeScripts) {
  const std::wstring look = std::to_wstring(ScreenPixelsPerInch()) + L"dpi-" +
                            (ThemeServices().ThemesEnabled() ? L"themed" : L"plain");
  for (uint8_t language : {1, 5, 7}) {
    SCOPED_TRACE(Languages[language].Code);
    TMainForm *form = MakeWizard();
    ShowWizard();
    ChooseLanguage(language);
    for (int page = 0; page <= 2; ++page) {
      ASSERT_EQ(CurrentPage, page);
      for (TControl *c : {static_cast<TControl *>(form->TopLbl), static_cast<TControl *>(form->LngLbl),
                          static_cast<TControl *>(form->LicBx), static_cast<TControl *>(form->PortBx),
                          static_cast<TControl *>(form->PortIBtn)})
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
