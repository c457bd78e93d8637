// The log's lines are UTF-8 paths: two lines are one only when the file
// system would take them for one name. The ctest entries run this under
// locales whose ANSI code pages (1252, 932, 936) would pair up the bytes of
// distinct names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFolders.h"
#include "payload/InstUtils.h"

namespace {

class InstallLogNamesTest : public testing::Test {
protected:
  ScopedInstallLog Scoped;
};

TEST_F(InstallLogNamesTest, LinesAreOneOnlyWhenTheNamesDifferInLetterCaseAlone) {
  const struct {
    const wchar_t *first;
    const wchar_t *second;
    bool same;
  } cases[] = {
      {L"Made Dir: C:\\\u00dcber\\", L"Made Dir: C:\\\u00ccber\\", false},
      {L"File Copy: C:\\CAF\u00c9.txt", L"File Copy: C:\\CAF\u00c8.txt", false},
      {L"File Copy: C:\\\u65e5.txt", L"File Copy: C:\\\u6708.txt", false},
      {L"File Copy: C:\\\u3042.txt", L"File Copy: C:\\\u30a2.txt", false},  // hiragana, katakana
      {L"File Copy: C:\\\uff71.txt", L"File Copy: C:\\\u30a2.txt", false},  // half and full width
      {L"File Copy: C:\\Stra\u00dfe.txt", L"File Copy: C:\\STRASSE.txt", false},
      {L"File Copy: C:\\caf\u00e9.txt", L"FILE COPY: c:\\CAF\u00c9.TXT", true},
      {L"File Copy: C:\\\u00fcber\\\u0436", L"File Copy: C:\\\u00dcBER\\\u0416", true},
      {L"File Copy: C:\\\u03c3\u03bf\u03c6\u03af\u03b1", L"File Copy: C:\\\u03a3\u039f\u03a6\u038a\u0391", true},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(UTF8Encode(c.first) + " / " + UTF8Encode(c.second));
    InstallLog->Clear();
    Log(UTF8Encode(c.first));
    Log(UTF8Encode(c.second));
    EXPECT_EQ(InstallLog->Count(), c.same ? 1 : 2);
    EXPECT_EQ(InstallLog->Strings(0), UTF8Encode(c.first));
  }
}

TEST_F(InstallLogNamesTest, EverySingleKanaAndIdeographNameIsItsOwnLine) {
  std::vector<std::string> lines;
  auto add = [&](wchar_t first, wchar_t last) {
    for (wchar_t c = first; c <= last; ++c) lines.push_back(UTF8Encode(L"File Copy: C:\\" + std::wstring(1, c)));
  };
  add(0x3041, 0x3096);  // hiragana
  add(0x30a1, 0x30fa);  // katakana
  add(0x4e00, 0x4f2f);  // the first ideographs
  for (const std::string &line : lines) Log(line);
  ASSERT_EQ(InstallLog->Count(), static_cast<int>(lines.size()));
  for (int i = 0; i < InstallLog->Count(); ++i) EXPECT_EQ(InstallLog->Strings(i), lines[static_cast<size_t>(i)]);
}

}  // namespace
