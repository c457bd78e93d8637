#include "resconst/ResConst.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum { De, En, Es, Fr, Pl, Ja, Zh, Zht };

// Strict UTF-8 of the Basic Multilingual Plane: no four-byte sequences, no
// overlong forms, no surrogates, every continuation byte in place.
bool IsBmpUtf8(const std::string &s) {
  for (size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    size_t extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : 99;
    if (extra == 99 || i + extra >= s.size()) return false;
    unsigned c = extra == 0 ? b : extra == 1 ? b & 0x1F : b & 0x0F;
    for (size_t k = 1; k <= extra; ++k) {
      auto cb = static_cast<unsigned char>(s[i + k]);
      if ((cb & 0xC0) != 0x80) return false;
      c = c * 64 + (cb & 0x3F);
    }
    if ((extra == 1 && c < 0x80) || (extra == 2 && (c < 0x800 || (c >= 0xD800 && c < 0xE000)))) return false;
    i += extra + 1;
  }
  return true;
}

// Number of "%s"; -1 when any other "%" sequence is there.
int CountPlaceholders(const std::string &s) {
  int n = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') continue;
    if (i + 1 >= s.size() || s[i + 1] != 's') return -1;
    ++n;
    ++i;
  }
  return n;
}

struct MessageCase {
  const char *name;
  const TLocalisedText *text;
  int placeholders;
  int japanesePlaceholders;
};

class MessageTest : public testing::TestWithParam<MessageCase> {};

TEST_P(MessageTest, EveryLanguageHasAWellFormedCell) {
  const MessageCase &m = GetParam();
  for (int lang = 0; lang < LanguageCount; ++lang) {
    SCOPED_TRACE(Languages[lang].Code);
    const char *cell = (*m.text)[lang];
    ASSERT_NE(cell, nullptr);
    std::string s = cell;
    EXPECT_FALSE(s.empty());
    EXPECT_TRUE(IsBmpUtf8(s)) << s;
    EXPECT_EQ(UTF8Encode(UTF8Decode(s)), s);
    EXPECT_EQ(CountPlaceholders(s), lang == Ja ? m.japanesePlaceholders : m.placeholders) << s;
    for (char c : s) EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\r') << "control character in " << s;
    EXPECT_EQ(s.find("\r\r\r"), std::string::npos) << s;
    EXPECT_NE(s.back(), '\r') << s;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MessageTest,
    testing::Values(MessageCase{"SProductName", &SProductName, 0, 0},
                    MessageCase{"SProductNameLite", &SProductNameLite, 0, 0},
                    MessageCase{"SSetupTitle", &SSetupTitle, 0, 0},
                    MessageCase{"SLanguageLabel", &SLanguageLabel, 0, 0},
                    MessageCase{"SAcceptLicence", &SAcceptLicence, 0, 0},
                    MessageCase{"SInstallPortable", &SInstallPortable, 0, 0},
                    MessageCase{"SInstallForAll", &SInstallForAll, 0, 0},
                    MessageCase{"SDesktopShortcut", &SDesktopShortcut, 0, 0},
                    MessageCase{"SLaunchApp", &SLaunchApp, 0, 0},
                    MessageCase{"SBackButton", &SBackButton, 0, 0},
                    MessageCase{"SNextButton", &SNextButton, 0, 0},
                    MessageCase{"SFinishButton", &SFinishButton, 0, 0},
                    MessageCase{"SCancelButton", &SCancelButton, 0, 0},
                    MessageCase{"SBrowseButton", &SBrowseButton, 0, 0},
                    MessageCase{"SWelcomeText", &SWelcomeText, 2, 2},
                    MessageCase{"SReadyText", &SReadyText, 0, 0},
                    MessageCase{"SFinishedText", &SFinishedText, 2, 2},
                    MessageCase{"SDescription", &SDescription, 0, 0},
                    MessageCase{"SMustAcceptLicence", &SMustAcceptLicence, 0, 0},
                    MessageCase{"SCloseRunningInstances", &SCloseRunningInstances, 0, 0},
                    MessageCase{"SConfirmQuit", &SConfirmQuit, 0, 0},
                    MessageCase{"SPortableNotAllowed", &SPortableNotAllowed, 0, 0},
                    MessageCase{"SCannotCreateFile", &SCannotCreateFile, 1, 0},
                    MessageCase{"SDamagedSetup", &SDamagedSetup, 0, 0},
                    MessageCase{"SPortableHelpUrl", &SPortableHelpUrl, 0, 0}),
    [](const auto &info) { return info.param.name; });

TEST(PageTitlesTest, SixTitlesPerLanguageAndNoneForTheCloseStep) {
  for (int lang = 0; lang < LanguageCount; ++lang) {
    for (int page = 0; page < PageCount; ++page) {
      SCOPED_TRACE(std::string(Languages[lang].Code) + " page " + std::to_string(page));
      std::string s = SPageTitles[lang][page];
      EXPECT_EQ(s.empty(), page == 6) << s;
      EXPECT_TRUE(IsBmpUtf8(s)) << s;
      EXPECT_EQ(CountPlaceholders(s), 0) << s;
      EXPECT_EQ(s.find('\r'), std::string::npos) << s;
    }
  }
  // Language-major: the French group holds the French titles.
  EXPECT_STREQ(SPageTitles[Fr][0], "Merci de faire confiance \xC3\xA0 Lorvane");
  EXPECT_STREQ(SPageTitles[Fr][3], "L'installation peut commencer");
  EXPECT_STREQ(SPageTitles[Pl][0], "Witamy w programie \"Lorvane Word Processor\"");
  EXPECT_STREQ(SPageTitles[Zht][2], "\xE9\x81\xB8\xE6\x93\x87\xE7\x9B\xAE\xE6\xA8\x99\xE6\x96\x87\xE4\xBB\xB6\xE5\xA4\xBE");
  EXPECT_STREQ(SPageTitles[En][5], "Installation Complete");
}

TEST(LanguagesTest, TableOfIdentifiersCodesAndNames) {
  const struct {
    uint32_t id;
    const char *code;
    const char *name;
  } expected[LanguageCount] = {
      {0x0007, "de", "Deutsch"},
      {0x0009, "en", "English"},
      {0x000A, "es", "Espa\xC3\xB1ol"},
      {0x000C, "fr", "Fran\xC3\xA7" "ais"},
      {0x0015, "pl", "Polski"},
      {0x0011, "ja", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E (Japanese)"},
      {0x0004, "zh", "\xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87 (Simplified Chinese)"},
      {0x0404, "zht", "\xE7\xB9\x81\xE9\xAB\x94\xE4\xB8\xAD\xE6\x96\x87 (Traditional Chinese)"},
  };
  for (int i = 0; i < LanguageCount; ++i) {
    EXPECT_EQ(Languages[i].LangId, expected[i].id) << i;
    EXPECT_STREQ(Languages[i].Code, expected[i].code) << i;
    EXPECT_STREQ(Languages[i].Name, expected[i].name) << i;
    EXPECT_EQ(LanguageOrder[i], i);
  }
}

// Cells where a slip is easy: odd punctuation, accelerators, look-alike characters.
TEST(ShortRowsTest, KeepTheirExactBytes) {
  EXPECT_STREQ(SLanguageLabel[Pl], "J\xC4\x99zyk");
  EXPECT_STREQ(SLanguageLabel[Fr], "Langue :");
  EXPECT_STREQ(SLanguageLabel[Ja], "\xE8\xA8\x80\xE8\xAA\x9E:");
  EXPECT_STREQ(SFinishButton[Pl], "KONIEC");
  EXPECT_STREQ(SNextButton[Zh], "&N\xE4\xB8\x8B\xE4\xB8\x80\xE6\xAD\xA5>");
  EXPECT_STREQ(SNextButton[Zht], "&N\xE4\xB8\x8B\xE4\xB8\x80\xE6\xAD\xA5>");
  EXPECT_STREQ(SNextButton[Ja], "\xE6\xAC\xA1\xE3\x81\xB8(&N) >");
  EXPECT_STREQ(SBackButton[Pl], "< Wr\xC3\xB3\xC4\x87");
  EXPECT_STREQ(SBackButton[Zht], "< &B\xE8\xBF\x94\xE5\x9B\x9E");
  EXPECT_STREQ(SAcceptLicence[Fr], "J'&accepte l'Accord de licence ci-dessus dans son int\xC3\xA9gralit\xC3\xA9");
  EXPECT_STREQ(SAcceptLicence[De], "Ich akzeptiere alle Bedingungen der Lizenzvereinbarung");
  EXPECT_STREQ(SInstallPortable[Ja],
               "\xE3\x83\x9D\xE3\x83\xBC\xE3\x82\xBF\xE3\x83\x96\xE3\x83\xAB\xE7\x89\x88\xE3\x81\xA8\xE3\x81\x97"
               "\xE3\x81\xA6\xE3\x82\xA4\xE3\x83\xB3\xE3\x82\xB9\xE3\x83\x88\xE3\x83\xBC\xE3\x83\xAB(&P)");
  EXPECT_STREQ(SLaunchApp[Pl], "Uruchomienie programu \"Lorvane Word Processor\"");
  EXPECT_STREQ(SSetupTitle[Fr], "Installation du traitement de texte Lorvane (Version Light)");
  EXPECT_STREQ(SSetupTitle[Es], "Procesador de textos Lorvane Lite - Instalaci\xC3\xB3n");
  EXPECT_STREQ(SProductNameLite[Zh], "Lorvane\xE6\x96\x87\xE5\xAD\x97\xE5\xA4\x84\xE7\x90\x86\xE5\x99\xA8"
                                     "\xE9\x99\x90\xE5\x88\xB6\xE7\x89\x88");
  EXPECT_STREQ(SProductName[De], "Lorvane-Textverarbeitungsprogramm");
  EXPECT_STREQ(SProductName[En], "Lorvane Word Processor");
}

TEST(ShortRowsTest, PolishAndJapaneseShareTheEnglishProductNames) {
  EXPECT_EQ(SProductName[Pl], SProductName[En]);
  EXPECT_EQ(SProductName[Ja], SProductName[En]);
  EXPECT_EQ(SProductNameLite[Pl], SProductNameLite[En]);
  EXPECT_EQ(SProductNameLite[Ja], SProductNameLite[En]);
}

// Every welcome and finished text names the version right before its second
// placeholder, Japanese included (its full-width brackets kept).
TEST(LongTextsTest, EveryWelcomeAndFinishedTextNamesTheVersion) {
  for (int lang = 0; lang < LanguageCount; ++lang) {
    EXPECT_NE(std::string(SWelcomeText[lang]).find("5.0.0.4%s"), std::string::npos) << Languages[lang].Code;
    EXPECT_NE(std::string(SFinishedText[lang]).find("5.0.0.4%s"), std::string::npos) << Languages[lang].Code;
  }
  EXPECT_NE(std::string(SWelcomeText[Ja]).find("%s\xEF\xBC\x88\xE3\x83\x90\xE3\x83\xBC\xE3\x82\xB8\xE3\x83\xA7\xE3\x83\xB3 5.0.0.4%s\xEF\xBC\x89"),
            std::string::npos);
}

TEST(LongTextsTest, EnglishCellsAreTheOriginals) {
  EXPECT_STREQ(SReadyText[En],
               "You are now ready to install Lorvane Word Processor.\r\rClick Next to begin installation. Click Back "
               "if you want to review or change installation settings.");
  EXPECT_STREQ(SCannotCreateFile[En],
               "Cannot create file \"%s\".\rAnother application might already be using this file.\r\rPlease make "
               "sure that the setup of Lorvane Word Processor is not blocked by your security software "
               "(firewall/antivirus) in any way.");
  EXPECT_STREQ(SDamagedSetup[En],
               "The setup file is damaged and cannot be used.\r\rPlease download the Lorvane Word Processor setup "
               "again.");
}

// Each message keeps the paragraph layout of the English text.
TEST(LongTextsTest, ParagraphsMatchTheEnglishCell) {
  for (const TLocalisedText *m : {&SReadyText, &SFinishedText, &SDamagedSetup, &SCannotCreateFile}) {
    auto count = [](const std::string &s, const std::string &what) {
      int n = 0;
      for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + what.size())) ++n;
      return n;
    };
    for (int lang = 0; lang < LanguageCount; ++lang) {
      EXPECT_EQ(count((*m)[lang], "\r"), count((*m)[En], "\r")) << (*m)[lang];
      EXPECT_EQ(count((*m)[lang], "\r\r"), count((*m)[En], "\r\r")) << (*m)[lang];
    }
  }
}

TEST(LongTextsTest, EnglishWelcomeFormatsWithAnEmptyVersionSuffix) {
  EXPECT_EQ(Format(SWelcomeText[En], {SProductNameLite[En], ""}),
            "This program will install Lorvane Word Processor Lite (version 5.0.0.4) on your computer.");
  for (int lang = 0; lang < LanguageCount; ++lang) {
    EXPECT_NO_THROW(Format(SWelcomeText[lang], {SProductNameLite[lang], ""})) << lang;
    EXPECT_NO_THROW(Format(SFinishedText[lang], {SProductNameLite[lang], ""})) << lang;
  }
}

TEST(HelpUrlTest, OneSiteFrenchPathForFrenchOnly) {
  const std::string en = "/en/help/portable.htm", fr = "/fr/help/portable.htm";
  std::string site = std::string(SPortableHelpUrl[En]).substr(0, std::string(SPortableHelpUrl[En]).size() - en.size());
  EXPECT_EQ(site.rfind("http", 0), 0u) << site;
  for (int lang = 0; lang < LanguageCount; ++lang)
    EXPECT_EQ(SPortableHelpUrl[lang], site + (lang == Fr ? fr : en)) << lang;
}

TEST(LookupTest, FollowsCurLanguage) {
  EXPECT_EQ(CurLanguage, 1);
  EXPECT_STREQ(LocalisedText(SBackButton), "< &Back");
  EXPECT_STREQ(PageTitle(0), "Welcome to the Lorvane Word Processor Lite Setup");
  CurLanguage = Fr;
  EXPECT_STREQ(LocalisedText(SBackButton), "< &Retour");
  EXPECT_STREQ(PageTitle(0), "Merci de faire confiance \xC3\xA0 Lorvane");
  EXPECT_STREQ(PageTitle(6), "");
  EXPECT_NE(std::string(LocalisedText(SPortableHelpUrl)).find("/fr/help/"), std::string::npos);
  CurLanguage = 1;
}

struct ChoiceCase {
  const char *name;
  uint32_t lcid;
  std::optional<std::string> stored;
  const char *expected;
};

class StartLanguageTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(StartLanguageTest, Chooses) {
  const ChoiceCase &c = GetParam();
  EXPECT_STREQ(Languages[ChooseStartLanguage(c.lcid, c.stored)].Code, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartLanguageTest,
    testing::Values(
        // The full identifier first, then the primary language alone.
        ChoiceCase{"GermanGermany", 0x0407, std::nullopt, "de"},
        ChoiceCase{"ChineseTaiwan", 0x0404, std::nullopt, "zht"},
        ChoiceCase{"ChineseHongKong", 0x0C04, std::nullopt, "zh"},
        ChoiceCase{"ChineseChina", 0x0804, std::nullopt, "zh"},
        ChoiceCase{"PortugueseBrazil", 0x0416, std::nullopt, "en"},
        ChoiceCase{"EnglishUS", 0x0409, std::nullopt, "en"},
        ChoiceCase{"SpanishModernSort", 0x0C0A, std::nullopt, "es"},
        ChoiceCase{"FrenchCanada", 0x0C0C, std::nullopt, "fr"},
        ChoiceCase{"Polish", 0x0415, std::nullopt, "pl"},
        ChoiceCase{"Japanese", 0x0411, std::nullopt, "ja"},
        ChoiceCase{"SortIdIgnored", 0x00050407, std::nullopt, "de"},
        // A stored code that matches exactly beats the locale; anything else changes nothing.
        ChoiceCase{"StoredBeatsLocale", 0x0407, "zht", "zht"},
        ChoiceCase{"StoredZhOnTaiwan", 0x0404, "zh", "zh"},
        ChoiceCase{"StoredFrOnUnknownLocale", 0x0416, "fr", "fr"},
        ChoiceCase{"StoredIsCaseSensitive", 0x0407, "EN", "de"},
        ChoiceCase{"StoredWithBlank", 0x0404, "en ", "zht"},
        ChoiceCase{"StoredEmpty", 0x0411, "", "ja"},
        ChoiceCase{"StoredUnknownEnglishStays", 0x0416, "pt", "en"}),
    [](const auto &info) { return info.param.name; });

}  // namespace
