// What the wizard starts from and what its pages and destination buttons
// do: the stored settings and the destination switch, Back and Next over the
// licence page, the folder picker and the help page.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "WizardFixture.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "setup/Destination.h"
#include "support/FolderPickerDriver.h"
#include "support/MessageBoxDriver.h"
#include "support/TempFolder.h"

namespace {

TEST_F(WizardTest, WithoutStoredSettingsAllThreeBoxesAreTickedAndTheDefaultFolderIsOffered) {
  TMainForm *form = MakeWizard();
  EXPECT_FALSE(form->FPrevInstall);
  EXPECT_TRUE(form->Inst2AllBx->Checked());
  EXPECT_TRUE(form->DskBx->Checked());
  EXPECT_TRUE(form->FinBx->Checked());
  EXPECT_TRUE(form->LicBx->Checked());
  EXPECT_EQ(UTF8Decode(form->DstEdt->Caption()), DefaultDestination());
  EXPECT_FALSE(form->PortBx->Checked());
  EXPECT_TRUE(form->PortBx->Enabled());
  // Reading the settings leaves no key behind.
  HKEY key;
  EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(WizardTest, StoredSettingsTickTheBoxesAndAStoredFolderThatIsGoneGivesTheDefault) {
  TempFolder kept;
  struct TCase {
    std::wstring MainDir;
    DWORD ToAll, Desktop, Launch;
    std::wstring Offered;
  } cases[] = {
      {ExcludeTrailingBackslash(kept.Path()), 0, 2, 0, ExcludeTrailingBackslash(kept.Path())},
      {kept.Path() + L"Gone", 1, 0, 7, DefaultDestination()},
      {L"", 0, 0, 1, DefaultDestination()},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(UTF8Encode(c.MainDir));
    RemoveStoredSettings();
    WriteStoredString("MAINDIR", c.MainDir);
    WriteStoredDword("INSTALLTOALL", c.ToAll);
    WriteStoredDword("DSKSHORTCUT", c.Desktop);
    WriteStoredDword("LAUNCH", c.Launch);
    TMainForm *form = MakeWizard();
    EXPECT_TRUE(form->FPrevInstall);
    EXPECT_EQ(form->Inst2AllBx->Checked(), c.ToAll != 0);
    EXPECT_EQ(form->DskBx->Checked(), c.Desktop != 0);
    EXPECT_EQ(form->FinBx->Checked(), c.Launch != 0);
    EXPECT_EQ(UTF8Decode(form->DstEdt->Caption()), c.Offered);
  }
}

// The codes that do not match leave the locale's language; the ctest entry
// of a German locale (LV_LOCALE_LANGUAGE=de) shows that "EN" is no English.
TEST_F(WizardTest, AStoredLanguageCodeMatchesOnlyExactly) {
  const char *localeCode = std::getenv("LV_LOCALE_LANGUAGE");
  const uint8_t locale = localeCode != nullptr && std::string(localeCode) == "de" ? 0 : 1;
  struct {
    const wchar_t *Code;
    uint8_t Expected;
  } cases[] = {{L"zht", 7}, {L"fr", 3}, {L"EN", locale}, {L"en", 1}, {L"zh ", locale}, {L"", locale}};
  for (const auto &c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Code));
    RemoveStoredSettings();
    WriteStoredString("UILANG", c.Code);
    TMainForm *form = MakeWizard();
    EXPECT_EQ(CurLanguage, c.Expected);
    EXPECT_EQ(ObjectLanguage(form->LngBx->Items()->Objects(form->LngBx->ItemIndex())), c.Expected);
    EXPECT_EQ(WindowText(form->CBtn), UTF8Decode(SCancelButton[c.Expected]));
  }
}

TEST_F(WizardTest, NextAndBackSkipTheLicencePageOnlyAfterAnEarlierInstallation) {
  for (bool earlier : {false, true}) {
    SCOPED_TRACE(earlier ? "earlier installation" : "first installation");
    RemoveStoredSettings();
    if (earlier) WriteStoredDword("LAUNCH", 1);
    TMainForm *form = MakeWizard();
    ShowWizard();
    EXPECT_EQ(CurrentPage, 0);
    EXPECT_FALSE(form->BBtn->Visible());
    ::SendMessageW(form->NBtn->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(CurrentPage, earlier ? 2 : 1);
    EXPECT_TRUE(form->Pages[CurrentPage]->Visible());
    EXPECT_FALSE(form->WPan->Visible());
    EXPECT_EQ(WindowText(form->TopLbl), UTF8Decode(SPageTitles[1][CurrentPage]));
    if (!earlier) {
      EXPECT_TRUE(form->LicMemo->ReadOnly());
      EXPECT_EQ(WindowText(form->LicMemo).substr(0, 37), L"Lorvane Word Processor Lite 5.0.0.4\r\n");
    }
    ::SendMessageW(form->BBtn->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(CurrentPage, 0);
    EXPECT_TRUE(form->WPan->Visible());
  }
}

// Back on the welcome page asks, in byte arithmetic, for page 255; no page
// above the close step is shown, and nothing changes.
TEST_F(WizardTest, APageAboveTheCloseStepIsRefused) {
  TMainForm *form = MakeWizard();
  ShowWizard();
  const std::wstring title = WindowText(form->TopLbl);
  for (uint8_t page : {7, 200, 255}) {
    SCOPED_TRACE(page);
    form->SetPage(page);
    Pump();
    EXPECT_EQ(CurrentPage, 0);
    EXPECT_TRUE(form->WPan->Visible());
    EXPECT_EQ(WindowText(form->TopLbl), title);
    EXPECT_EQ(form->ModalResult(), 0);
  }
}

TEST_F(WizardTest, TheLicenceMustBeAcceptedToGoOn) {
  TMainForm *form = MakeWizard();
  ShowWizard();
  ::SendMessageW(form->NBtn->Handle(), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(CurrentPage, 1);
  ::SendMessageW(form->LicBx->Handle(), BM_CLICK, 0, 0);
  ASSERT_FALSE(form->LicBx->Checked());
  TMessageBoxDriver driver({TBoxAnswer{IDOK}});
  ::SendMessageW(form->NBtn->Handle(), BM_CLICK, 0, 0);
  Pump();
  const auto &boxes = driver.Finish();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, UTF8Decode(SMustAcceptLicence[1]));
  EXPECT_EQ(CurrentPage, 1);
}

// The destination page as the program starts it: the destination switch of
// the command line beats a stored folder, and a folder holding the portable
// marker ticks and locks the portable box.
TEST_F(WizardTest, AFolderWithThePortableMarkerTicksAndLocksThePortableBox) {
  TempFolder portable;
  WriteFileBytes(portable / L"Lorvane.ini", "");
  WriteStoredString("MAINDIR", ExcludeTrailingBackslash(portable.Path()));
  TMainForm *form = MakeWizard();
  EXPECT_EQ(UTF8Decode(form->DstEdt->Caption()), ExcludeTrailingBackslash(portable.Path()));
  EXPECT_TRUE(form->PortBx->Checked());
  EXPECT_FALSE(form->PortBx->Enabled());
  // Another folder unlocks the box and leaves it ticked.
  form->DstEdt->SetCaption("D:\\Apps\\Editor\\  ");
  form->CheckDestination();
  EXPECT_EQ(form->DstEdt->Caption(), "D:\\Apps\\Editor");
  EXPECT_TRUE(form->PortBx->Checked());
  EXPECT_TRUE(form->PortBx->Enabled());
}

TEST_F(WizardTest, APortableCopyBelowProgramFilesIsRefusedOnTheWayToTheReadyPage) {
  RemoveStoredSettings();
  WriteStoredDword("LAUNCH", 1);  // straight to the destination page
  TMainForm *form = MakeWizard();
  ShowWizard();
  ::SendMessageW(form->NBtn->Handle(), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(CurrentPage, 2);
  form->PortBx->SetChecked(true);
  form->DstEdt->SetCaption(UTF8Encode(ProgramFilesFolder() + L"Old"));
  TMessageBoxDriver driver({TBoxAnswer{IDOK}});
  ::SendMessageW(form->NBtn->Handle(), BM_CLICK, 0, 0);
  Pump();
  const auto &boxes = driver.Finish();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, UTF8Decode(SPortableNotAllowed[1]));
  EXPECT_EQ(CurrentPage, 2);

  TempFolder elsewhere;
  form->DstEdt->SetCaption(UTF8Encode(elsewhere.Path()));
  ::SendMessageW(form->NBtn->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(CurrentPage, 3);
  EXPECT_EQ(TargetDir, ExcludeTrailingBackslash(elsewhere.Path()));
  EXPECT_FALSE(form->Inst2AllBx->Visible());
  EXPECT_FALSE(form->DskBx->Visible());
}

// The picker opens at the typed folder without its trailing backslash;
// the chosen folder goes through the destination check; Cancel changes
// nothing.
TEST_F(WizardTest, BrowseOpensThePickerAtTheTypedFolderAndTakesTheChosenOne) {
  TempFolder root{L"C:\\"};
  const std::wstring rootPath = ExcludeTrailingBackslash(root.Path());
  const std::wstring name = rootPath.substr(ExtractFilePath(rootPath).size());
  const std::wstring start = root / L"Start", marked = root / L"Marked";
  for (const auto &folder : {start, marked}) ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  WriteFileBytes(marked + L"\\Lorvane.ini", "");
  for (const auto &folder : {rootPath, start, marked}) HoldAccessTime(folder);

  TMainForm *form = MakeWizard();
  ShowWizard();
  auto browse = [&](std::function<void(const Picker &)> act) {
    std::thread helper = DrivePicker(act);
    ::SendMessageW(form->BwsBtn->Handle(), BM_CLICK, 0, 0);
    helper.join();
    Pump();
  };

  form->DstEdt->SetCaption(UTF8Encode(start + L"\\"));
  std::vector<std::wstring> seen;
  browse([&](const Picker &p) {
    seen = p.WaitForSelection(L"Start", name);
    ::SendMessageW(p.Dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(marked.c_str()));
    p.WaitForSelection(L"Marked", name);
    p.Press(IDOK);
  });
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"Start", name}));
  EXPECT_TRUE(SameText(UTF8Decode(form->DstEdt->Caption()), marked)) << form->DstEdt->Caption();
  EXPECT_TRUE(form->PortBx->Checked());
  EXPECT_FALSE(form->PortBx->Enabled());

  browse([&](const Picker &p) {
    p.WaitForSelection(L"Marked", name);
    ::SendMessageW(p.Dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
    p.WaitForSelection(L"Start", name);
    p.Press(IDOK);
  });
  EXPECT_TRUE(SameText(UTF8Decode(form->DstEdt->Caption()), start)) << form->DstEdt->Caption();
  EXPECT_TRUE(form->PortBx->Checked());
  EXPECT_TRUE(form->PortBx->Enabled());

  form->DstEdt->SetCaption(UTF8Encode(marked + L"\\"));
  browse([&](const Picker &p) {
    p.WaitForSelection(L"Marked", name);
    p.Press(IDCANCEL);
  });
  EXPECT_EQ(UTF8Decode(form->DstEdt->Caption()), marked + L"\\");
  EXPECT_TRUE(form->PortBx->Enabled());
}

// The shell is asked to open the help page of the current language; a
// recorder stands in for the browser as the handler of https addresses, so
// nothing is opened.
TEST_F(WizardTest, TheHelpButtonAsksTheShellForTheCurrentLanguagesPage) {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring recorder = ExtractFilePath(self) + L"url_recorder.exe";
  // The machine's handler of https addresses, put back afterwards.
  struct THandler {
    HKEY Key = nullptr;
    std::wstring Saved;
    explicit THandler(const std::wstring &command) {
      ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\https\\shell\\open\\command", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &Key, nullptr);
      wchar_t old[1024] = L"";
      DWORD size = sizeof old;
      if (::RegQueryValueExW(Key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE *>(old), &size) == ERROR_SUCCESS)
        Saved = old;
      Set(command);
    }
    ~THandler() {
      Set(Saved);
      ::RegCloseKey(Key);
    }
    void Set(const std::wstring &command) {
      ::RegSetValueExW(Key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(command.c_str()),
                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
  };
  // The shell that opens the address has its own environment: the record's
  // path travels in the handler's command.
  TempFolder records;
  const std::wstring record = records / L"url";
  const THandler handler(L"\"" + recorder + L"\" \"" + record + L"\" \"%1\"");

  TMainForm *form = MakeWizard();
  ShowWizard();
  for (uint8_t language : {1, 3, 7}) {
    SCOPED_TRACE(Languages[language].Code);
    ChooseLanguage(language);
    ::DeleteFileW(record.c_str());
    ::SendMessageW(form->PortIBtn->Handle(), BM_CLICK, 0, 0);
    std::string seen = "<missing>";
    for (int i = 0; i < 200 && (seen = ReadWholeFile(record)) == "<missing>"; ++i) ::Sleep(50);
    EXPECT_EQ(seen, SPortableHelpUrl[language]);
  }
}

}  // namespace
