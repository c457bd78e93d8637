#include "runtime/SysUtils.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

struct DecodeCase {
  const char *name;
  std::string bytes;
  std::wstring text;
};

class UTF8DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(UTF8DecodeTest, Decodes) { EXPECT_EQ(UTF8Decode(GetParam().bytes), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Cases, UTF8DecodeTest,
    testing::Values(DecodeCase{"Ascii", "Setup", L"Setup"}, DecodeCase{"TwoBytes", "\xC3\xA9", L"\u00E9"},
                    DecodeCase{"ThreeBytes", "\xE8\xAA\x9E", L"\u8A9E"},
                    DecodeCase{"FourByteLeadDropped", "\xF0\x9F\x98\x80", L""},
                    DecodeCase{"FourByteLeadSkipsFour", "a\xF0\x9F\x98\x80z", L"az"},
                    DecodeCase{"StrayContinuationSkipsFour", "\x80" "abcd", L"d"},
                    DecodeCase{"CutTwoByteTakesZero", "\xC3", L"\u00C0"},
                    DecodeCase{"CutThreeByteTakesZeros", "\xE2\x82", L"\u2080"},
                    DecodeCase{"ContinuationNotChecked", "\xC3\x41", L"\u00C1"},
                    DecodeCase{"StopsAtZero", std::string("ab\0cd", 5), L"ab"}, DecodeCase{"Empty", "", L""}),
    [](const auto &info) { return info.param.name; });

TEST(UTF8EncodeTest, EncodesEachUnitOnItsOwn) {
  EXPECT_EQ(UTF8Encode(L"A"), "A");
  EXPECT_EQ(UTF8Encode(L"\u00E9"), "\xC3\xA9");
  EXPECT_EQ(UTF8Encode(L"\u20AC"), "\xE2\x82\xAC");
  // A surrogate pair becomes two three-byte sequences.
  std::wstring pair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  EXPECT_EQ(UTF8Encode(pair), "\xED\xA0\xBD\xED\xB8\x80");
}

TEST(UTF8EncodeTest, RoundTripsTheBasicPlane) {
  std::wstring all;
  for (unsigned c = 1; c < 0x10000; ++c) all.push_back(static_cast<wchar_t>(c));
  EXPECT_EQ(UTF8Decode(UTF8Encode(all)), all);
}

TEST(FormatTest, FillsPlaceholdersInOrder) {
  EXPECT_EQ(Format("This program will install %s (version 5.0.0.4%s).", {"Lorvane Word Processor Lite", ""}),
            "This program will install Lorvane Word Processor Lite (version 5.0.0.4).");
  EXPECT_EQ(Format("100%% of %s", {"x"}), "100% of x");
  EXPECT_THROW(Format("%s and %s", {"one"}), Exception);
  EXPECT_THROW(Format("%d", {"1"}), Exception);
}

TEST(DateTest, EncodesDaysSince1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1899, 12, 31), 1.0);
  EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_THROW(EncodeDate(2023, 2, 29), Exception);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), Exception);
}

TEST(DateTest, DecodesWhatItEncodes) {
  for (int y : {1, 1600, 1899, 1900, 1980, 2000, 2024, 2099, 2100, 9999})
    for (int m = 1; m <= 12; ++m)
      for (int d : {1, 28}) {
        int yy, mm, dd;
        // Before 1899-12-30 the day is the whole part toward zero, so no fraction there.
        DecodeDate(EncodeDate(y, m, d) + (y >= 1900 ? 0.75 : 0.0), yy, mm, dd);
        ASSERT_EQ(yy * 10000 + mm * 100 + dd, y * 10000 + m * 100 + d);
      }
  int y, m, d;
  DecodeDate(EncodeDate(2000, 12, 31), y, m, d);  // last day of a 400-year cycle
  EXPECT_EQ(y * 10000 + m * 100 + d, 20001231);
  DecodeDate(EncodeDate(2024, 12, 31), y, m, d);  // last day of a leap year
  EXPECT_EQ(y * 10000 + m * 100 + d, 20241231);
  int h, mi, s, ms;
  DecodeTime(EncodeDate(2024, 5, 6) + EncodeTime(10, 0, 3, 500), h, mi, s, ms);
  EXPECT_EQ(h * 10000000 + mi * 100000 + s * 1000 + ms, 100003500);
}

TEST(DateTest, ValuesThatAreNoDateDecodeToZeros) {
  const double noDates[] = {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                            1e300, -1e300, 1e19, -1e19, 1e11, -1e11};
  for (double dt : noDates) {
    int y = -1, m = -1, d = -1, h = -1, mi = -1, s = -1, ms = -1;
    DecodeDate(dt, y, m, d);
    DecodeTime(dt, h, mi, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, mi, s, ms}), std::vector<int>(7, 0)) << dt;
  }
  // Just inside the bound the split still fits: some 270 million years on.
  int y, m, d;
  DecodeDate(9.9e10, y, m, d);
  EXPECT_GT(y, 270000000);
}

TEST(FileDateTest, PacksToEvenSeconds) {
  TDateTime t = EncodeDate(2024, 5, 6) + EncodeTime(10, 0, 3, 0);
  uint32_t packed = DateTimeToFileDate(t);
  EXPECT_EQ(packed >> 16, (2024u - 1980) * 512 + 5 * 32 + 6);
  EXPECT_EQ(packed & 0xFFFF, 10u * 2048 + 0 * 32 + 1);
  EXPECT_EQ(FileDateToDateTime(packed), EncodeDate(2024, 5, 6) + EncodeTime(10, 0, 2, 0));
}

TEST(FileDateTest, YearsOutsideTheRangeGiveZero) {
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(1979, 12, 31) + EncodeTime(23, 59, 58, 0)), 0u);
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(2100, 1, 1)), 0u);
  EXPECT_NE(DateTimeToFileDate(EncodeDate(1980, 1, 1)), 0u);
  EXPECT_NE(DateTimeToFileDate(EncodeDate(2099, 12, 31) + EncodeTime(23, 59, 58, 0)), 0u);
}

TEST(FileDateTest, ValuesThatAreNoDateGiveZero) {
  const double noDates[] = {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                            1e19, -1e19, 1e6, -1e6};
  for (double dt : noDates) EXPECT_EQ(DateTimeToFileDate(dt), 0u) << dt;
}

TEST(FileDateTest, EvenSecondTimesSurviveTheRoundTrip) {
  // Archive times lie on even seconds; a write and a later read must give
  // back the same double, bit for bit.
  for (int sec = 0; sec < 60; sec += 2)
    for (int hour : {0, 9, 13, 23}) {
      TDateTime t = EncodeDate(2021, 7, 14) + EncodeTime(hour, 37, sec, 0);
      ASSERT_EQ(FileDateToDateTime(DateTimeToFileDate(t)), t) << hour << ":" << sec;
    }
}

TEST(FileDateTest, InvalidDateGivesDayZeroInvalidTimeRaises) {
  // Month 0 is no date: only the time remains.
  uint32_t noDate = (0u << 16) | (12u * 2048);
  EXPECT_EQ(FileDateToDateTime(noDate), 0.5);
  // Hour 25.
  uint32_t badTime = ((44u * 512 + 1 * 32 + 1) << 16) | (25u * 2048);
  EXPECT_THROW(FileDateToDateTime(badTime), EAbort);
  // 62 seconds.
  uint32_t badSeconds = ((44u * 512 + 1 * 32 + 1) << 16) | 31u;
  EXPECT_THROW(FileDateToDateTime(badSeconds), EAbort);
}

TEST(ExceptionTest, AbortCarriesItsMessage) {
  try {
    throw EAbort();
  } catch (const Exception &e) {
    EXPECT_STREQ(e.what(), "Operation aborted");
  }
}

}  // namespace
