// The files an installation keeps for the installed application, byte for
// byte: the stamp, the common data record and the merged list of shared
// files. Runs with the user locale en-US (LC_ALL of the test entry).
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "runtime/Lists.h"
#include "setup/Records.h"
#include "support/TempFolder.h"

namespace {

struct TimeCase {
  TDateTime time;
  std::string bytes;  // in memory order
  std::string stampLine;
};

void PrintTo(const TimeCase &c, std::ostream *os) { *os << c.stampLine; }

class TimeRecordsTest : public testing::TestWithParam<TimeCase> {};

TEST_P(TimeRecordsTest, StampCommonDataAndStampLineHoldTheDoubleInMemoryOrder) {
  const TimeCase &c = GetParam();
  TempFolder folder;
  // Both files are replaced whole, whatever was there before.
  WriteFileBytes(folder / L"install_stamp", std::string(40, 'x'));
  WriteFileBytes(folder / L"lvx_common.dat", std::string(40, 'x'));

  WriteInstallStamp(folder.Path(), c.time);
  WriteCommonData(folder.Path(), c.time);

  EXPECT_EQ(ReadWholeFile(folder / L"install_stamp"), c.bytes);
  const std::string tag1 = std::string("\x01\0\0\0\x08\0\0\0", 8), tag2 = std::string("\x02\0\0\0\x01\0\0\0", 8);
  const std::string common = tag1 + c.bytes + tag2 + "1";
  ASSERT_EQ(common.size(), 25u);
  EXPECT_EQ(ReadWholeFile(folder / L"lvx_common.dat"), common);
  EXPECT_EQ(StampLine(c.time), c.stampLine);
}

INSTANTIATE_TEST_SUITE_P(
    Times, TimeRecordsTest,
    testing::Values(TimeCase{1.0, std::string("\0\0\0\0\0\0\xF0\x3F", 8), "*000000000000F03F"},
                    TimeCase{0.0, std::string(8, '\0'), "*0000000000000000"},
                    TimeCase{45000.5, std::string("\0\0\0\0\x10\xF9\xE5\x40", 8), "*0000000010F9E540"},
                    // 1 January 2000, 23:59:59
                    TimeCase{36526.999988425923, "\x37\xBA\xE7\xFF\xDF\xD5\xE1\x40", "*37BAE7FFDFD5E140"},
                    TimeCase{-1.75, std::string("\0\0\0\0\0\0\xFC\xBF", 8), "*000000000000FCBF"}));

// Lines of "Update.log" as a file holds them, each ended with CR LF.
std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto &line : lines) text += line + "\r\n";
  return text;
}

// This installation's stamp (FInstallTime 1.0) and two of earlier ones.
const std::string New = "*000000000000F03F";
const std::string A = "*00000000A0C4E540";
const std::string B = "*00000000B0C4E540";
// Shared files as the catalogue lists them, in sorted order: full paths,
// UTF-8, kept files marked with a tab and "!".
const std::string Pub = "C:\\ProgramData\\Lorvane\\Public\\";
const std::string P0 = Pub + "Clip Library\\Ablage.txt\t!";
const std::string P1 = Pub + "Clip Library\\Gruß.txt\t!";
const std::string P2 = Pub + "Clip Library\\Logo.png\t!";
const std::string P3 = Pub + "Templates\\Fax.dot\t!";

struct MergeCase {
  const char *label;
  std::optional<std::string> existing;  // the old file's bytes
  std::vector<std::string> publicFiles;
  std::string expected;
};

void PrintTo(const MergeCase &c, std::ostream *os) { *os << c.label; }

class MergeUpdateLogTest : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeUpdateLogTest, MovesRewrittenFilesToTheNewGroup) {
  const MergeCase &c = GetParam();
  TempFolder folder;
  const std::wstring path = folder / L"Update.log";
  if (c.existing) WriteFileBytes(path, *c.existing);
  TStringList publicFiles;
  for (const auto &file : c.publicFiles) publicFiles.Add(file);

  MergeUpdateLog(publicFiles, 1.0, path);

  EXPECT_EQ(ReadWholeFile(path), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeUpdateLogTest,
    testing::Values(
        MergeCase{"no_file", std::nullopt, {P3, P1}, Lines({New, P1, P3})},
        // P1 leaves group B, whose stamp then follows A's and goes: P0
        // stands under A.
        MergeCase{"group_left_empty", Lines({A, P1, B, P0}), {P1}, Lines({A, P0, New, P1})},
        MergeCase{"all_rewritten", Lines({A, P1, P2, B, P3}), {P3, P1, P2}, Lines({New, P1, P2, P3})},
        MergeCase{"only_stamps", "*1\r\n*2\r\n*3\r\n", {P1}, Lines({New, P1})},
        MergeCase{"last_group_emptied", "*1\r\nX\r\n*2\r\nY\r\n", {"Y"}, Lines({"*1", "X", New, "Y"})},
        // Lines the setup does not know stay; empty ones go.
        MergeCase{"unknown_and_empty_lines", "\r\nA note\r\n*1\r\n\r\nX\r\n\r\n", {"X"}, Lines({"A note", New, "X"})},
        // Whole lines compare: a path with and without the mark differ.
        MergeCase{"mark_is_part_of_the_line",
                  "*1\r\nC:\\P\\a.dot\r\nC:\\P\\b.dot\t!\r\n",
                  {"C:\\P\\a.dot\t!", "C:\\P\\b.dot\t!"},
                  Lines({"*1", "C:\\P\\a.dot", New, "C:\\P\\a.dot\t!", "C:\\P\\b.dot\t!"})},
        // Letter case does not count, beyond ASCII too.
        MergeCase{"case_ignored",
                  "*1\r\nC:\\PROGRAMDATA\\GRÜSSE\\ÄRZTE.TXT\r\n",
                  {"C:\\ProgramData\\Grüsse\\ärzte.txt"},
                  Lines({New, "C:\\ProgramData\\Grüsse\\ärzte.txt"})},
        // Any line end loads; CR LF is written.
        MergeCase{"line_ends", "*1\nX\rY\r\n*2\nZ", {"Z", "Y"}, Lines({"*1", "X", New, "Y", "Z"})},
        // The user locale's order, not the bytes': case and accents come
        // second, and a hyphen counts (string sort).
        MergeCase{"locale_order",
                  std::nullopt,
                  {"c", "B", "Ä", "a", "bb", "b-b"},
                  Lines({New, "a", "Ä", "B", "b-b", "bb", "c"})}),
    [](const testing::TestParamInfo<MergeCase> &info) { return std::string(info.param.label); });

TEST(MergeUpdateLogFailureTest, AFileThatCannotBeLoadedRaisesEAbortAndStaysAsItWas) {
  TempFolder folder;
  const std::wstring path = folder / L"Update.log";
  WriteFileBytes(path, Lines({A, P1}));
  TStringList publicFiles;
  publicFiles.Add(P1);
  HANDLE locked = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  EXPECT_THROW(MergeUpdateLog(publicFiles, 1.0, path), EAbort);
  ::CloseHandle(locked);
  EXPECT_EQ(ReadWholeFile(path), Lines({A, P1}));
}

TEST(MergeUpdateLogFailureTest, AFileThatCannotBeSavedRaisesEAbort) {
  TempFolder folder;
  // A folder by that name: nothing to load, and nothing can be created.
  const std::wstring path = folder / L"Update.log";
  ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
  TStringList publicFiles;
  publicFiles.Add(P1);
  EXPECT_THROW(MergeUpdateLog(publicFiles, 1.0, path), EAbort);
}

}  // namespace
