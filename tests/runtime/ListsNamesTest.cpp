// Sorted string lists of UTF-8 names outside ASCII. The ctest entries run
// this under locales whose ANSI code pages (1252, 932, 936) would pair up the
// bytes of distinct names if they were compared as bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Lists.h"

namespace {

std::vector<std::string> DistinctNames() {
  std::vector<std::string> names = {
      "C:\\\xC3\x9C" "ber\\", "C:\\\xC3\x8C" "ber\\",  // Über, Ìber
      "CAF\xC3\x89.txt", "CAF\xC3\x88.txt",             // CAFÉ, CAFÈ
  };
  auto add = [&](wchar_t first, wchar_t last) {
    for (wchar_t c = first; c <= last; ++c) names.push_back(UTF8Encode(std::wstring(1, c) + L".txt"));
  };
  add(0x3041, 0x3096);  // hiragana
  add(0x30a1, 0x30fa);  // katakana
  add(0x4e00, 0x4f2f);  // the first ideographs
  return names;
}

TEST(TStringListNamesTest, DistinctNamesStayDistinctWhenSortedAndFound) {
  const std::vector<std::string> names = DistinctNames();
  TStringList sortedAfter, sortedBefore;
  sortedBefore.Sort();
  for (const std::string &name : names) {
    sortedAfter.Add(name);
    sortedBefore.Add(name);
  }
  sortedAfter.Sort();
  for (const TStringList *list : {&sortedAfter, &sortedBefore}) {
    ASSERT_EQ(list->Count(), static_cast<int>(names.size()));
    for (const std::string &name : names) {
      int index = -1;
      ASSERT_TRUE(list->Find(name, index)) << name;
      EXPECT_EQ((*list)[index], name);
      EXPECT_EQ(list->IndexOf(name), index);
    }
  }
}

TEST(TStringListNamesTest, LetterCaseAloneStillMatches) {
  const struct {
    const char *stored;
    const char *sought;
    bool found;
  } cases[] = {
      {"CAF\xC3\x89.txt", "caf\xC3\xA9.TXT", true},          // CAFÉ, café
      {"CAF\xC3\x89.txt", "CAF\xC3\x88.txt", false},         // CAFÉ, CAFÈ
      {"C:\\\xC3\x9C" "ber\\", "c:\\\xC3\xBC" "BER\\", true},  // Über, üBER
      {"C:\\\xC3\x9C" "ber\\", "C:\\\xC3\x8C" "ber\\", false},  // Über, Ìber
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.stored) + " / " + c.sought);
    TStringList unsorted;
    unsorted.Add(c.stored);
    EXPECT_EQ(unsorted.IndexOf(c.sought), c.found ? 0 : -1);
    TStringList sorted;
    sorted.Sort();
    sorted.Add(c.stored);
    int index = -1;
    EXPECT_EQ(sorted.Find(c.sought, index), c.found);
  }
}

}  // namespace
