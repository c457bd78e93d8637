// The current language, the lookups at it, and the language to start in.
#include "resconst/ResConst.h"

uint8_t CurLanguage = 1;

const char *LocalisedText(const TLocalisedText &message) { return message[CurLanguage]; }

const char *PageTitle(int page) { return SPageTitles[CurLanguage][page]; }

namespace {

// The last language with this identifier, or -1.
int FindLangId(uint32_t langId) {
  for (int i = LanguageCount - 1; i >= 0; --i)
    if (Languages[i].LangId == langId) return i;
  return -1;
}

}  // namespace

uint8_t ChooseStartLanguage(uint32_t userLcid, const std::optional<AnsiString> &storedCode) {
  uint8_t language = 1;
  uint32_t langId = userLcid & 0xFFFF;
  uint32_t primary = langId & 0x3FF;
  int found = FindLangId(langId);
  if (found < 0) found = FindLangId(primary);
  if (found >= 0) language = static_cast<uint8_t>(found);

  if (storedCode) {
    for (int i = LanguageCount - 1; i >= 0; --i)
      if (*storedCode == Languages[i].Code) return static_cast<uint8_t>(i);
  }
  return language;
}
