// The registry records: the settings key and the uninstall entry.
#include "setup/Records.h"

#include "payload/InstUtils.h"
#include "payload/Registry.h"
#include "resconst/ResConst.h"

const char SettingsKeyPath[] = "Software\\Lorvane Word Processor\\Install";
const char UninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lorvane Word Processor";

namespace {

void ReadFlag(TRegistry &reg, const char *name, bool &flag) {
  if (reg.ValueExists(name)) flag = reg.ReadBool(name);
}

}  // namespace

TStoredSettings ReadSettings() {
  TStoredSettings stored;
  TRegistry reg;
  // Opening creates the key, which would make the next run see an
  // installation that never happened.
  if (!reg.KeyExists(SettingsKeyPath)) return stored;
  stored.Found = true;
  reg.OpenKey(SettingsKeyPath);
  if (reg.ValueExists("MAINDIR")) reg.ReadString("MAINDIR", stored.MainDir);
  ReadFlag(reg, "INSTALLTOALL", stored.InstallToAll);
  ReadFlag(reg, "DSKSHORTCUT", stored.DesktopShortcut);
  ReadFlag(reg, "LAUNCH", stored.Launch);
  if (reg.ValueExists("UILANG")) {
    WideString code;
    reg.ReadString("UILANG", code);
    stored.UILang = UTF8Encode(code);
  }
  return stored;
}

void SaveSettingsRecords(const TSettingsRecord &record, bool portable) {
  TRegistry reg;
  reg.OpenKey(SettingsKeyPath);
  reg.WriteStringW("MAINDIR", record.MainDir);
  reg.WriteBool("INSTALLTOALL", record.InstallToAll);
  reg.WriteBool("DSKSHORTCUT", record.DesktopShortcut);
  reg.WriteBool("LAUNCH", record.Launch);
  reg.WriteString("UILANG", Languages[record.Language].Code);
  if (portable) return;

  // The platform lists installed programs from the machine's key, also for
  // an installation for the current user only.
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  reg.OpenKey(UninstallKeyPath);
  const WideString program = AppendFileName(record.MainDir, "lvx.exe");
  reg.WriteStringW("DisplayIcon", program);
  reg.WriteStringW("DisplayName", UTF8Decode(SProductName[record.Language]));
  reg.WriteString("DisplayVersion", "5.0.0.4");
  reg.WriteInteger("EstimatedSize", 3072);  // kilobytes
  reg.WriteString("Publisher", "The Lorvane Word Processor Team");
  // The application removes itself when started with -ui.
  reg.WriteStringW("UninstallString", L"\"" + program + L"\" -ui");
}
