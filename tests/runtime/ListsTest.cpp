#include "runtime/Lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Streams.h"
#include "support/TempFolder.h"

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const TStringList &list) { return Lines(list.begin(), list.end()); }

TStringList ListOf(const Lines &lines) {
  TStringList list;
  for (const auto &s : lines) list.Add(s);
  return list;
}

TEST(TStringListTest, TextEndsEveryLineWithCrLf) {
  EXPECT_EQ(ListOf({"Made Dir: C:\\A\\", "", "File Copy: C:\\A\\b.txt"}).Text(),
            "Made Dir: C:\\A\\\r\n\r\nFile Copy: C:\\A\\b.txt\r\n");
  EXPECT_EQ(ListOf({}).Text(), "");
}

struct SplitCase {
  const char *name;
  std::string text;
  Lines lines;
};

void PrintTo(const SplitCase &c, std::ostream *os) { *os << c.name; }

class TStringListSetTextTest : public testing::TestWithParam<SplitCase> {};

TEST_P(TStringListSetTextTest, SplitsAtCrLfAndCrLf) {
  TStringList list = ListOf({"old line"});
  list.SetText(GetParam().text);
  EXPECT_EQ(LinesOf(list), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TStringListSetTextTest,
    testing::Values(SplitCase{"Empty", "", {}}, SplitCase{"NoBreak", "a", {"a"}},
                    SplitCase{"FinalCrLf", "a\r\n", {"a"}}, SplitCase{"OnlyCrLf", "\r\n", {""}},
                    SplitCase{"MixedBreaks", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
                    SplitCase{"LfCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}},
                    SplitCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
                    SplitCase{"EmptyLinesKept", "\n\na\n\n", {"", "", "a", ""}},
                    SplitCase{"Utf8Untouched", "\xE8\xAA\x9E\r\n\xC3\xA9", {"\xE8\xAA\x9E", "\xC3\xA9"}}),
    [](const auto &info) { return info.param.name; });

TEST(TStringListTest, AddAppendsAndIndexOfIgnoresCase) {
  TStringList list = ListOf({"Made Dir: C:\\Lorvane\\", "File Copy: c:\\x", "File Copy: C:\\X"});
  EXPECT_EQ(list.Add("zzz"), 3);
  EXPECT_EQ(list.IndexOf("FILE COPY: C:\\X"), 1);
  EXPECT_EQ(list.IndexOf("made dir: c:\\lorvane\\"), 0);
  EXPECT_EQ(list.IndexOf("File Copy: c:\\x "), -1);
  EXPECT_EQ(list.IndexOf("File Copy: c:\\"), -1);
  EXPECT_EQ(list.IndexOf(""), -1);
  EXPECT_FALSE(list.Sorted());
}

// Case-insensitive string sort of the user locale: symbols before digits
// before letters, and a hyphen counts like any other symbol.
const Lines Unsorted = {"coop", "C:\\b", "co-op", "Beta", "_x", "alpha", "C:\\A", "2", "10", "ALPHA2", "cop"};
const Lines SortedOrder = {"_x", "10", "2", "alpha", "ALPHA2", "Beta", "C:\\A", "C:\\b", "co-op", "coop", "cop"};

TEST(TStringListTest, SortUsesTheLocaleStringOrderIgnoringCase) {
  TStringList list = ListOf(Unsorted);
  list.Sort();
  EXPECT_TRUE(list.Sorted());
  EXPECT_EQ(LinesOf(list), SortedOrder);
}

TEST(TStringListTest, FindSearchesASortedList) {
  TStringList list = ListOf(Unsorted);
  list.Sort();
  int index = -1;
  for (int i = 0; i < list.Count(); ++i) {
    EXPECT_TRUE(list.Find(list[i], index)) << list[i];
    EXPECT_EQ(index, i);
  }
  EXPECT_TRUE(list.Find("BETA", index));
  EXPECT_EQ(index, 5);
  EXPECT_TRUE(list.Find("c:\\a", index));
  EXPECT_EQ(index, 6);
  EXPECT_FALSE(list.Find("b", index));
  EXPECT_EQ(index, 5) << "where it would go";
  EXPECT_FALSE(list.Find("zulu", index));
  EXPECT_EQ(index, list.Count());
  EXPECT_FALSE(list.Find("", index));
  EXPECT_EQ(index, 0);
}

TEST(TStringListTest, ASortedListStaysSorted) {
  TStringList list = ListOf(Unsorted);
  list.Sort();
  EXPECT_EQ(list.IndexOf("CO-OP"), 8);
  EXPECT_EQ(list.IndexOf("co op"), -1);
  EXPECT_EQ(list.Add("Bravo"), 6);
  EXPECT_EQ(list[6], "Bravo");
  list.SetText("b\r\nC\r\na\r\n");
  EXPECT_EQ(LinesOf(list), (Lines{"a", "b", "C"}));
}

class TStringListFileTest : public testing::Test {
protected:
  TempFolder Folder;
  std::wstring Path = Folder / L"Install.log";
};

TEST_F(TStringListFileTest, SaveAndLoadKeepUtf8Bytes) {
  const Lines lines = {"Made Dir: C:\\Program Files\\Lorvane\\",
                       "File Copy: C:\\ProgramData\\Lorvane\\Public\\\xE5\x89\xAA\xE8\xB4\xB4\\a.png",
                       "File Copy: C:\\Users\\J\xC3\xBCrgen\\Desktop\\Lorvane.lnk", ""};
  ListOf(lines).SaveToFile(Path);
  std::string expected;
  for (const auto &s : lines) expected += s + "\r\n";
  EXPECT_EQ(ReadWholeFile(Path), expected);
  TStringList loaded;
  loaded.LoadFromFile(Path);
  EXPECT_EQ(LinesOf(loaded), lines);
}

TEST_F(TStringListFileTest, SaveReplacesALongerFile) {
  WriteFileBytes(Path, std::string(5000, 'x'));
  ListOf({"short"}).SaveToFile(Path);
  EXPECT_EQ(ReadWholeFile(Path), "short\r\n");
}

TEST_F(TStringListFileTest, LoadSplitsAnyLineBreaks) {
  WriteFileBytes(Path, "one\rtwo\nthree\r\nfour");
  TStringList list;
  list.LoadFromFile(Path);
  EXPECT_EQ(LinesOf(list), (Lines{"one", "two", "three", "four"}));
}

TEST_F(TStringListFileTest, FailuresRaiseEAbortAndKeepTheList) {
  TStringList list = ListOf({"kept"});
  EXPECT_THROW(list.LoadFromFile(Folder / L"missing.log"), EAbort);
  EXPECT_EQ(LinesOf(list), Lines{"kept"});

  WriteFileBytes(Path, "old\r\n");
  TFileStream holder(Path, fmOpenRead);
  EXPECT_THROW(list.LoadFromFile(Path), EAbort) << "the file is open without sharing";
  EXPECT_THROW(list.SaveToFile(Path), EAbort);
  EXPECT_EQ(LinesOf(list), Lines{"kept"});
}

}  // namespace
