// The wizard form as a user meets it: its controls where the description
// puts them, its banner and logo, its captions in every language, and the
// ways to leave it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "WizardFixture.h"
#include "dialogs/Dialogs.h"
#include "resconst/ResConst.h"
#include "support/MessageBoxDriver.h"
#include "support/WindowShot.h"

namespace {

// A stored coordinate; None where the description stores none and the class
// or the code decides.
constexpr int None = -1;

struct TStoredBounds {
  const char *Name;
  const char *Parent;
  int Left, Top, Width, Height;
};

const TStoredBounds Layout[] = {
    {"TopPan", "MainForm", 0, 0, 492, 46},     {"TopLbl", "TopPan", 20, 14, None, None},
    {"LftPan", "MainForm", 0, 46, 123, 301},   {"LogoImg", "LftPan", 0, 0, 120, 260},
    {"LftBvl", "LftPan", 121, 0, 2, 301},      {"WPan", "MainForm", 123, 47, 369, 261},
    {"WelLbl", "WPan", 12, 27, 345, 75},       {"LngLbl", "WPan", 12, 120, None, None},
    {"LngBx", "WPan", 83, 116, 260, None},     {"LPan", "MainForm", 123, 47, 369, 261},
    {"LicMemo", "LPan", 12, 10, 345, 215},     {"LicBx", "LPan", 12, 235, 345, None},
    {"DPan", "MainForm", 123, 47, 369, 261},   {"DstEdt", "DPan", 12, 30, 252, None},
    {"BwsBtn", "DPan", 266, 30, 90, 22},       {"PortBx", "DPan", 12, 80, None, None},
    {"PortIBtn", "DPan", None, 77, 40, 22},    {"SPan", "MainForm", 123, 47, 369, 261},
    {"StartLbl", "SPan", 12, 27, 345, 100},    {"Inst2AllBx", "SPan", 12, 189, 345, None},
    {"DskBx", "SPan", 12, 212, 345, None},     {"IPan", "MainForm", 123, 47, 369, 261},
    {"FPan", "MainForm", 123, 47, 369, 261},   {"FinLbl", "FPan", 12, 27, 345, 150},
    {"FinBx", "FPan", 12, 190, 345, None},     {"BtmBvlPan", "MainForm", 0, 306, 492, 2},
    {"BtmBvl", "BtmBvlPan", 1, 0, 491, 2},     {"BtmPan", "MainForm", 0, 307, 492, 44},
    {"BBtn", "BtmPan", 210, 12, 85, 22},       {"NBtn", "BtmPan", 295, 12, 85, 22},
    {"CBtn", "BtmPan", 392, 12, 85, 22},
};

// A coordinate of the description at the screen's text height, as the form
// scales it (a size scales with its far edge).
int Scaled(int value, int textHeight) { return MulDiv(value, textHeight, 13); }

TControl *Find(TMainForm *form, const std::string &name) {
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (form->Components(i)->Name() == name) return static_cast<TControl *>(form->Components(i));
  return nullptr;
}

TEST_F(WizardTest, Every31ControlStandsAtItsStoredBoundsScaledWithTheScreensTextHeight) {
  if (const char *dpi = std::getenv("LV_EXPECT_DPI")) {
    ASSERT_EQ(ScreenPixelsPerInch(), std::atoi(dpi));
  }
  TMainForm *form = MakeWizard();
  const int h = form->Canvas()->TextHeight("0");
  RecordProperty("TextHeight", h);
  ASSERT_EQ(form->ComponentCount(), 31);
  EXPECT_EQ(form->ClientWidth(), Scaled(492, h));
  EXPECT_EQ(form->ClientHeight(), Scaled(351, h));
  for (const TStoredBounds &b : Layout) {
    SCOPED_TRACE(b.Name);
    TControl *c = Find(form, b.Name);
    ASSERT_NE(c, nullptr);
    const std::string parent = c->Parent() == form ? "MainForm" : c->Parent()->Name();
    EXPECT_EQ(parent, b.Parent);
    if (b.Left != None) {
      EXPECT_EQ(c->Left(), Scaled(b.Left, h));
    }
    EXPECT_EQ(c->Top(), Scaled(b.Top, h));
    if (b.Width != None) {
      EXPECT_EQ(c->Width(), Scaled(b.Left + b.Width, h) - Scaled(b.Left, h));
    }
    if (b.Height != None) {
      EXPECT_EQ(c->Height(), Scaled(b.Top + b.Height, h) - Scaled(b.Top, h));
    }
  }
  const TPanel *pages[] = {form->WPan, form->LPan, form->DPan, form->SPan, form->IPan, form->FPan, form->IPan};
  for (int page = 0; page < PageCount; ++page) EXPECT_EQ(form->Pages[page], pages[page]) << page;
}

TEST_F(WizardTest, TheBannerIsWhiteWithANavyBoldTitleAndTheLogoStandsInItsColumn) {
  TMainForm *form = MakeWizard();
  EXPECT_EQ(form->TopLbl->Font()->Color(), TColor(0x800000));
  EXPECT_EQ(form->TopLbl->Font()->Style(), fsBold);
  EXPECT_EQ(form->TopPan->ControlStyle & (ctlParentBackground | ctlOpaque), ctlOpaque);
  ASSERT_NE(form->LogoImg->Picture(), nullptr);
  EXPECT_GT(form->LogoImg->Picture()->Width(), 0);
  ShowWizard();

  const TWindowShot shot = TakeWindowShot(form->Handle());
  ASSERT_GT(shot.Width, 0);
  RECT window;
  ::GetWindowRect(form->Handle(), &window);
  auto at = [&](TControl *control, int x, int y) {
    POINT p = control->ClientOrigin();
    return shot.At(p.x + x - window.left, p.y + y - window.top);
  };
  // Right of the title, inside the bevels.
  EXPECT_EQ(at(form->TopPan, form->TopPan->Width() - 8, form->TopPan->Height() / 2), RGB(255, 255, 255));
  int navy = 0;
  for (int y = 0; y < form->TopLbl->Height(); ++y)
    for (int x = 0; x < form->TopLbl->Width(); ++x) {
      const COLORREF c = at(form->TopLbl, x, y);
      if (GetRValue(c) < 0x30 && GetGValue(c) < 0x30 && GetBValue(c) > 0x60) ++navy;
    }
  EXPECT_GT(navy, 20) << "no navy text in the title";
  // The logo is drawn: its column is not one flat colour.
  std::vector<COLORREF> colours;
  for (int y = 0; y < form->LogoImg->Height(); y += 7)
    for (int x = 0; x < form->LogoImg->Width(); x += 7) {
      const COLORREF c = at(form->LogoImg, x, y);
      if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
    }
  EXPECT_GT(colours.size(), 8u);
}

struct TCaptioned {
  TWinControl *Control;
  AnsiString Expected;
};

TEST_F(WizardTest, EachLanguageRecaptionsTheWholeFormAndTheTaskbarTitle) {
  TMainForm *form = MakeWizard();
  ShowWizard();
  for (uint8_t language : {0, 2, 3, 4, 5, 6, 7, 1}) {
    SCOPED_TRACE(Languages[language].Code);
    ChooseLanguage(language);
    ASSERT_EQ(CurLanguage, language);
    const AnsiString product = SProductNameLite[language];
    const std::vector<TCaptioned> captions{
        {form, SSetupTitle[language]},
        {form->TopLbl, SPageTitles[language][0]},
        {form->WelLbl, Format(SWelcomeText[language], {product, ""})},
        {form->LngLbl, SLanguageLabel[language]},
        {form->LicBx, SAcceptLicence[language]},
        {form->BwsBtn, SBrowseButton[language]},
        {form->PortBx, SInstallPortable[language]},
        {form->PortIBtn, "  ?  "},
        {form->StartLbl, SReadyText[language]},
        {form->Inst2AllBx, SInstallForAll[language]},
        {form->DskBx, SDesktopShortcut[language]},
        {form->FinLbl, Format(SFinishedText[language], {product, ""})},
        {form->FinBx, SLaunchApp[language]},
        {form->BBtn, SBackButton[language]},
        {form->NBtn, SNextButton[language]},
        {form->CBtn, SCancelButton[language]},
    };
    for (const TCaptioned &c : captions) EXPECT_EQ(WindowText(c.Control), UTF8Decode(c.Expected)) << c.Control->Name();
    wchar_t title[256] = L"";
    ::GetWindowTextW(Application->Handle(), title, 256);
    EXPECT_EQ(std::wstring(title), UTF8Decode(SSetupTitle[language]));
    EXPECT_EQ(WindowText(form->LngBx), UTF8Decode(Languages[language].Name));
    // The portable box as wide as its caption plus its check mark; the help
    // button right after it, inside the page.
    EXPECT_EQ(form->PortBx->Width(), form->Canvas()->TextWidth(SInstallPortable[language]) + form->PortBx->Height());
    EXPECT_EQ(form->PortIBtn->Left(), form->PortBx->Left() + form->PortBx->Width());
    EXPECT_LE(form->PortIBtn->Left() + form->PortIBtn->Width(), form->DPan->Width());
    // Both texts that name the version show it.
    EXPECT_NE(WindowText(form->WelLbl).find(L"5.0.0.4"), std::wstring::npos);
    EXPECT_NE(WindowText(form->FinLbl).find(L"5.0.0.4"), std::wstring::npos);
    // Every other box shows its whole caption.
    for (TCheckBox *box : {form->LicBx, form->Inst2AllBx, form->DskBx, form->FinBx}) {
      AnsiString shown = UTF8Encode(WindowText(box));
      std::erase(shown, '&');
      EXPECT_LE(form->Canvas()->TextWidth(shown) + box->Height(), box->Width()) << box->Name();
    }
  }
}

// Without a selected item the box says nothing about the language: the
// language and the captions stay.
TEST_F(WizardTest, ALanguageBoxWithoutSelectionLeavesTheLanguageAsItIs) {
  TMainForm *form = MakeWizard();
  ShowWizard();
  ChooseLanguage(4);
  form->LngBx->SetItemIndex(-1);
  form->LngChg(form->LngBx);
  EXPECT_EQ(CurLanguage, 4);
  EXPECT_EQ(WindowText(form->CBtn), UTF8Decode(SCancelButton[4]));
}

// The four ways out of the wizard: each asks, No keeps it, Yes ends it.
struct TWayOut {
  const char *Name;
  void (*Take)(TMainForm *form);
};

const TWayOut WaysOut[] = {
    {"Cancel", [](TMainForm *f) { ::PostMessageW(f->CBtn->Handle(), BM_CLICK, 0, 0); }},
    {"close box", [](TMainForm *f) { ::PostMessageW(f->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"Escape", [](TMainForm *f) { ::PostMessageW(f->LngBx->Handle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }},
    // With the focus on a button: a drop-down list keeps Alt with a function
    // key to itself under Wine.
    {"Alt+F4", [](TMainForm *f) { ::PostMessageW(f->NBtn->Handle(), WM_SYSKEYDOWN, VK_F4, 0x203E0001); }},
};

TEST_F(WizardTest, CancelTheCloseBoxEscapeAndAltF4AskAndQuitOnYesOnly) {
  for (const TWayOut &way : WaysOut) {
    SCOPED_TRACE(way.Name);
    TMainForm *form = MakeWizard();
    // After the No, the same way again, once the box has gone: while it is up
    // its own loop would deliver the message.
    std::thread again;
    TMessageBoxDriver driver({TBoxAnswer{IDNO,
                                         [&](HWND box) {
                                           again = std::thread([&, box] {
                                             while (::IsWindow(box)) ::Sleep(20);
                                             way.Take(form);
                                           });
                                         }},
                              TBoxAnswer{IDYES}});
    way.Take(form);
    EXPECT_EQ(form->ShowModal(), 2);
    if (again.joinable()) again.join();
    const auto &boxes = driver.Finish();
    ASSERT_EQ(boxes.size(), 2u);
    for (const TSeenBox &box : boxes) {
      EXPECT_EQ(box.Text, UTF8Decode(SConfirmQuit[1]));
      EXPECT_EQ(box.Caption, UTF8Decode(SSetupTitle[1]));
      EXPECT_EQ(box.Buttons, (std::vector<int>{IDYES, IDNO}));
    }
    // Confirmed once, the close is not asked again.
    TMessageBoxDriver none({});
    EXPECT_TRUE(form->CloseQuery());
    EXPECT_TRUE(none.Finish().empty());
  }
}

}  // namespace
