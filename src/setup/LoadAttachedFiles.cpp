// Start-up: the catalogue, or the end of a run whose payload is damaged.
#include "setup/LoadAttachedFiles.h"

#include <optional>

#include "dialogs/Dialogs.h"
#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "payload/Registry.h"
#include "resconst/ResConst.h"
#include "resconst/UserLocale.h"

namespace {

// The interface language stored by an earlier installation, if any. The
// key is only opened when it exists: opening creates it.
std::optional<AnsiString> StoredLanguageCode() {
  TRegistry reg;
  const AnsiString key = "Software\\Lorvane Word Processor\\Install";
  if (!reg.KeyExists(key)) return std::nullopt;
  reg.OpenKey(key);
  if (!reg.ValueExists("UILANG")) return std::nullopt;
  WideString code;
  reg.ReadString("UILANG", code);
  return UTF8Encode(code);
}

}  // namespace

bool LoadAttachedFiles() {
  try {
    AttachedFiles = new TAttachedFiles;
    return true;
  } catch (const EPayloadDamaged &) {
    // No form exists yet: the message speaks the language the wizard would.
    if (!Silent) {
      CurLanguage = ChooseStartLanguage(StartupLCID(), StoredLanguageCode());
      MessageDlg(LocalisedText(SDamagedSetup), mtError, mbOK);
    }
    ExitCode = ExitDamagedSetup;
    return false;
  }
}
