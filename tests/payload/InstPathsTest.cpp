#include <gtest/gtest.h>

#include "payload/InstUtils.h"

namespace {

struct PathCase {
  std::wstring in, out;
};

TEST(PathHelpersTest, IncludeTrailingBackslash) {
  const PathCase cases[] = {{L"C:\\dir/", L"C:\\dir\\"}, {L"", L""},         {L"C:\\dir", L"C:\\dir\\"},
                            {L"C:\\dir\\", L"C:\\dir\\"}, {L"C:", L"C:\\"}, {L"/", L"\\"}};
  for (const auto &c : cases) {
    std::wstring path = c.in;
    IncludeTrailingBackslash(path);
    EXPECT_EQ(path, c.out) << "of " << UTF8Encode(c.in);
  }
}

TEST(PathHelpersTest, ExcludeTrailingBackslashDropsOnlyOne) {
  const PathCase cases[] = {
      {L"C:\\dir\\", L"C:\\dir"}, {L"C:\\dir", L"C:\\dir"}, {L"C:\\dir\\\\", L"C:\\dir\\"}, {L"", L""}, {L"\\", L""}};
  for (const auto &c : cases) EXPECT_EQ(ExcludeTrailingBackslash(c.in), c.out) << "of " << UTF8Encode(c.in);
}

TEST(PathHelpersTest, ExtractFilePathKeepsTheLastSeparator) {
  const PathCase cases[] = {{L"C:\\a\\b.txt", L"C:\\a\\"},
                            {L"C:b.txt", L"C:"},
                            {L"b.txt", L""},
                            {L"C:\\a\\", L"C:\\a\\"},
                            {L"C:\\a", L"C:\\"},
                            {L"\\\\server\\share\\x", L"\\\\server\\share\\"},
                            {L"", L""}};
  for (const auto &c : cases) EXPECT_EQ(ExtractFilePath(c.in), c.out) << "of " << UTF8Encode(c.in);
}

TEST(PathHelpersTest, AppendFileNameDecodesTheName) {
  EXPECT_EQ(AppendFileName(L"C:\\Program Files", "Lorvane"), L"C:\\Program Files\\Lorvane");
  EXPECT_EQ(AppendFileName(L"C:\\Data\\", "Lorvane\\Public\\"), L"C:\\Data\\Lorvane\\Public\\");
  EXPECT_EQ(AppendFileName(L"C:\\Data/", "\xC3\xA9t\xC3\xA9.txt"), L"C:\\Data\\\u00E9t\u00E9.txt");
  EXPECT_EQ(AppendFileName(L"", "lvx.exe"), L"lvx.exe");
}

struct TextCase {
  std::wstring a, b;
  bool same, starts;
};

// starts: whether a begins with b.
TEST(TextCompareTest, SameTextAndStartsText) {
  const TextCase cases[] = {
      {L"", L"", true, true},
      {L"abc", L"", false, true},
      {L"", L"a", false, false},
      {L"C:\\Program Files", L"c:\\PROGRAM FILES", true, true},
      {L"C:\\Program Files\\Lorvane", L"c:\\program files", false, true},
      {L"C:\\Program FilesOld", L"C:\\Program Files", false, true},
      {L"C:\\Program", L"C:\\Program Files", false, false},
      {L"abc", L"abd", false, false},
      {L"\u00E9t\u00E9", L"\u00C9T\u00C9", true, true},
      {L"\u00C9cole\\Lettres", L"\u00E9COLE\\", false, true},
      {L"\u00E9", L"e", false, false},
      {L"\u8A9E\u8A00", L"\u8A9E", false, true},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(UTF8Encode(c.a) + " | " + UTF8Encode(c.b));
    EXPECT_EQ(SameText(c.a, c.b), c.same);
    EXPECT_EQ(SameText(c.b, c.a), c.same);
    EXPECT_EQ(StartsText(c.a, c.b), c.starts);
  }
}

}  // namespace
