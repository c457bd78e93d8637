// The form's side of the records: what its boxes and language say is what
// the registry gets, and "Update.log" is only touched when there are shared
// files to list.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WizardFixture.h"
#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "setup/Records.h"
#include "support/TempFolder.h"

namespace {

TEST_F(WizardTest, SaveSettingsWritesWhatTheBoxesSayAndTheLanguageAtExit) {
  TMainForm *form = MakeWizard();
  ShowWizard();
  ChooseLanguage(3);
  form->Inst2AllBx->SetChecked(false);
  form->DskBx->SetChecked(true);
  form->FinBx->SetChecked(false);
  TargetDir = L"C:\\Apps\\Éditeur";
  form->SaveSettings();

  struct TExpected {
    HKEY Root;
    const char *Key;
    const wchar_t *Name;
    DWORD Type;
    std::string Bytes;
  } expected[] = {
      {HKEY_CURRENT_USER, SettingsKeyPath, L"MAINDIR", REG_SZ, WideBytes(TargetDir)},
      {HKEY_CURRENT_USER, SettingsKeyPath, L"INSTALLTOALL", REG_DWORD, DwordBytes(0)},
      {HKEY_CURRENT_USER, SettingsKeyPath, L"DSKSHORTCUT", REG_DWORD, DwordBytes(1)},
      {HKEY_CURRENT_USER, SettingsKeyPath, L"LAUNCH", REG_DWORD, DwordBytes(0)},
      {HKEY_CURRENT_USER, SettingsKeyPath, L"UILANG", REG_SZ, WideBytes(L"fr")},
      {HKEY_LOCAL_MACHINE, UninstallKeyPath, L"DisplayName", REG_SZ, WideBytes(UTF8Decode(SProductName[3]))},
      {HKEY_LOCAL_MACHINE, UninstallKeyPath, L"UninstallString", REG_SZ, WideBytes(L"\"C:\\Apps\\Éditeur\\lvx.exe\" -ui")},
  };
  for (const TExpected &e : expected) {
    const TRawValue v = QueryRaw(e.Root, e.Key, e.Name);
    EXPECT_EQ(v.Type, e.Type) << UTF8Encode(e.Name);
    EXPECT_EQ(v.Bytes, e.Bytes) << UTF8Encode(e.Name);
  }
  ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKeyPath);
}

TEST_F(WizardTest, UpdateLogIsLeftAloneWithoutSharedFilesAndGoesToTheCommonDataFolderOtherwise) {
  TMainForm *form = MakeWizard();
  form->FInstallTime = 1.0;
  const WideString common = SharedDataFolder();
  TempFolder::RemoveTree(common);  // what an installation of another test left
  AttachedFiles->PublicFiles.Clear();
  form->WriteUpdateLog();
  EXPECT_FALSE(DirectoryExists(ExcludeTrailingBackslash(common))) << "the data folder was made for nothing";

  const AnsiString shared = UTF8Encode(common) + "Public\\Templates\\Letter.rtf\t!";
  AttachedFiles->PublicFiles.Add(shared);
  form->WriteUpdateLog();
  AttachedFiles->PublicFiles.Clear();
  EXPECT_EQ(ReadWholeFile(common + L"Update.log"), "*000000000000F03F\r\n" + shared + "\r\n");

  // A portable installation keeps its data in the destination.
  TempFolder portable;
  TargetDir = ExcludeTrailingBackslash(portable.Path());
  form->PortBx->SetChecked(true);
  for (TDataFolderKind kind : {dfCommon, dfHidden, dfPublic}) EXPECT_EQ(form->GetDataFolder(kind), portable.Path()) << kind;
}

}  // namespace
