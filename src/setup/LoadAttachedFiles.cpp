// Start-up: the catalogue, or the end of a run whose payload is damaged.
#include "setup/LoadAttachedFiles.h"

#include "dialogs/Dialogs.h"
#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "resconst/UserLocale.h"
#include "setup/Records.h"

bool LoadAttachedFiles() {
  try {
    AttachedFiles = new TAttachedFiles;
    // Nothing reads the compressed payload again.
    DiscardPayloadStream();
    return true;
  } catch (const EPayloadDamaged &) {
    // No form exists yet: the message speaks the language the wizard would.
    if (!Silent) {
      CurLanguage = ChooseStartLanguage(StartupLCID(), ReadSettings().UILang);
      MessageDlg(LocalisedText(SDamagedSetup), mtError, mbOK);
    }
    ExitCode = ExitDamagedSetup;
    return false;
  }
}
