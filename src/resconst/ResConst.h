// The localised string table: every text the setup shows or writes into the
// system, in eight languages, and the choice of the language to start in.
// Portable: no platform headers.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/SysUtils.h"

constexpr int LanguageCount = 8;
// The wizard's pages, the close step after the finished page included.
constexpr int PageCount = 7;

struct TLanguageInfo {
  uint32_t LangId;   // a bare primary language, or a full LANGID
  const char *Code;  // stored as "UILANG", passed after "-uilp "
  const char *Name;  // UTF-8, shown in the language box
};

// Index = language index: de, en, es, fr, pl, ja, zh, zht.
extern const TLanguageInfo Languages[LanguageCount];
// The order in which the language box lists the languages.
extern const uint8_t LanguageOrder[LanguageCount];
// The language of every lookup; 1 (English) until chosen.
extern uint8_t CurLanguage;

// One NUL-terminated UTF-8 string per language index.
using TLocalisedText = const char *const[LanguageCount];

// The message at CurLanguage.
const char *LocalisedText(const TLocalisedText &message);

extern TLocalisedText SProductName, SProductNameLite, SSetupTitle;
extern TLocalisedText SLanguageLabel, SAcceptLicence, SInstallPortable;
extern TLocalisedText SInstallForAll, SDesktopShortcut, SLaunchApp;
extern TLocalisedText SBackButton, SNextButton, SFinishButton, SCancelButton, SBrowseButton;
// Two %s: the product name, then the version suffix.
extern TLocalisedText SWelcomeText, SFinishedText;
extern TLocalisedText SReadyText, SDescription, SMustAcceptLicence, SCloseRunningInstances, SConfirmQuit;
extern TLocalisedText SPortableNotAllowed, SDamagedSetup;
// One %s: the target path (none in Japanese).
extern TLocalisedText SCannotCreateFile;
extern TLocalisedText SPortableHelpUrl;

// Language-major: the titles of pages 0 to 6 per language; page 6 (the close
// step) has none.
extern const char *const SPageTitles[LanguageCount][PageCount];

// The title of the page at CurLanguage.
const char *PageTitle(int page);

// The language to start in: the user's locale (the full language identifier
// first, then its primary language alone), overridden by a stored code that
// matches exactly; English when nothing matches.
uint8_t ChooseStartLanguage(uint32_t userLcid, const std::optional<AnsiString> &storedCode);
