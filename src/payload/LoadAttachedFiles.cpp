// Start-up: the catalogue, or the end of a run whose payload is damaged.
#include <cstdlib>
#include <optional>

#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "payload/Registry.h"
#include "toolkit/Dialogs.h"
#include "wizard/ResConst.h"
#include "wizard/UserLocale.h"

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

void LoadAttachedFiles() {
  try {
    AttachedFiles = new TAttachedFiles;
  } catch (const EPayloadDamaged &) {
    // No form exists yet: the message speaks the language the wizard would.
    if (!Silent) {
      CurLanguage = ChooseStartLanguage(StartupLCID(), StoredLanguageCode());
      MessageDlg(LocalisedText(SDamagedSetup), mtError, mbOK);
    }
    ExitCode = ExitDamagedSetup;
    std::exit(ExitCode);
  }
}
