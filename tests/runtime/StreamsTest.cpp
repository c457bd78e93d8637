#include "runtime/Streams.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/RecordingStream.h"

namespace {

std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return s;
}

TEST(TStreamTest, PositionAndSizeGoThroughSeek) {
  TMemoryStream m;
  m.WriteBuffer("0123456789", 10);
  m.SetPosition(4);
  EXPECT_EQ(m.Position(), 4);
  EXPECT_EQ(m.Size(), 10);
  EXPECT_EQ(m.Position(), 4) << "Size must put the position back";
}

TEST(TStreamTest, ReadBufferRaisesOnShortRead) {
  TRecordingStream m("abc");
  char buf[4];
  try {
    m.ReadBuffer(buf, 4);
    FAIL() << "no exception";
  } catch (const EAbort &e) {
    EXPECT_STREQ(e.what(), "Operation aborted");
  }
  m.SetPosition(0);
  EXPECT_NO_THROW(m.ReadBuffer(buf, 3));
  EXPECT_EQ(std::string(buf, 3), "abc");
}

TEST(TStreamTest, ReadBufferOfNothingNeverRaisesNorReads) {
  TRecordingStream empty("");
  EXPECT_NO_THROW(empty.ReadBuffer(nullptr, 0));
  EXPECT_TRUE(empty.ReadCounts.empty());
}

TEST(TStreamTest, WriteBufferRaisesOnShortWrite) {
  TMemoryStream m;
  m.SetPosition(-1);  // a memory stream writes nothing before its start
  EXPECT_THROW(m.WriteBuffer("x", 1), EAbort);
  EXPECT_NO_THROW(m.WriteBuffer(nullptr, 0));
}

TEST(TStreamTest, CopyFromZeroCopiesTheWholeSourceFromItsBeginning) {
  TRecordingStream source("whole source");
  source.SetPosition(6);
  TMemoryStream target;
  target.WriteBuffer(">", 1);
  EXPECT_EQ(target.CopyFrom(source, 0), 12);
  EXPECT_EQ(Contents(target), ">whole source");
  EXPECT_EQ(source.Position(), 12);
}

TEST(TStreamTest, CopyFromCountStartsAtTheSourcePosition) {
  TRecordingStream source("0123456789");
  source.SetPosition(3);
  TMemoryStream target;
  EXPECT_EQ(target.CopyFrom(source, 4), 4);
  EXPECT_EQ(Contents(target), "3456");
  EXPECT_EQ(source.Position(), 7);
}

TEST(TStreamTest, CopyFromOfAnEmptySourceCopiesNothing) {
  TRecordingStream source("");
  TMemoryStream target;
  EXPECT_EQ(target.CopyFrom(source, 0), 0);
  EXPECT_EQ(target.Size(), 0);
}

TEST(TStreamTest, CopyFromRaisesWhenTheSourceRunsShortOrTheCountIsNegative) {
  TRecordingStream source("short");
  TMemoryStream target;
  EXPECT_THROW(target.CopyFrom(source, 6), EAbort);
  source.SetPosition(0);
  EXPECT_THROW(target.CopyFrom(source, -1), EAbort);
}

TEST(TStreamTest, LargeCopyGoesThroughABoundedBufferAndKeepsEveryByte) {
  const std::string data = Pattern(200000);
  TRecordingStream source(data);
  TMemoryStream target;
  EXPECT_EQ(target.CopyFrom(source, 0), 200000);
  EXPECT_EQ(Contents(target), data);
  EXPECT_EQ(source.ReadCounts, (std::vector<int32_t>{61440, 61440, 61440, 15680}));
}

TEST(TCustomMemoryStreamTest, ReadStopsAtSize) {
  TRecordingStream m("abcdef");
  char buf[8] = {};
  m.SetPosition(4);
  EXPECT_EQ(m.Read(buf, 8), 2);
  EXPECT_EQ(std::string(buf, 2), "ef");
  EXPECT_EQ(m.Position(), 6);
}

TEST(TCustomMemoryStreamTest, ReadOutsideTheDataReturnsNothingAndKeepsPosition) {
  TRecordingStream m("abcdef");
  char buf[4] = {'-', '-', '-', '-'};
  for (int32_t pos : {6, 7, 1000, -1, INT_MIN}) {
    m.SetPosition(pos);
    EXPECT_EQ(m.Read(buf, 4), 0) << pos;
    EXPECT_EQ(m.Position(), pos);
  }
  m.SetPosition(0);
  EXPECT_EQ(m.Read(buf, -5), 0);
  EXPECT_EQ(m.Position(), 0);
  EXPECT_EQ(std::string(buf, 4), "----");
}

struct SeekCase {
  const char *name;
  int32_t start, offset;
  uint16_t origin;
  int32_t expected;
};

void PrintTo(const SeekCase &c, std::ostream *os) { *os << c.name; }

class TCustomMemoryStreamSeekTest : public testing::TestWithParam<SeekCase> {};

TEST_P(TCustomMemoryStreamSeekTest, MovesAndReturnsThePosition) {
  const SeekCase &c = GetParam();
  TRecordingStream m("0123456789");
  m.SetPosition(c.start);
  EXPECT_EQ(m.Seek(c.offset, c.origin), c.expected);
  EXPECT_EQ(m.Position(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Origins, TCustomMemoryStreamSeekTest,
    testing::Values(SeekCase{"FromBeginning", 5, 3, soFromBeginning, 3},
                    SeekCase{"FromCurrent", 5, 3, soFromCurrent, 8},
                    SeekCase{"BackFromCurrent", 5, -2, soFromCurrent, 3},
                    SeekCase{"FromEnd", 5, -4, soFromEnd, 6},
                    SeekCase{"PastTheEnd", 5, 20, soFromEnd, 30},
                    SeekCase{"BeforeTheStart", 5, -9, soFromCurrent, -4},
                    SeekCase{"UnknownOriginStays", 5, 3, 3, 5},
                    SeekCase{"WrapsInsteadOfOverflowing", INT_MAX, 1, soFromCurrent, INT_MIN}),
    [](const auto &info) { return info.param.name; });

TEST(TMemoryStreamTest, CapacityGrowsInSteps) {
  struct Case {
    int32_t written, capacity;
  };
  for (Case c : {Case{1, 8192}, Case{8192, 8192}, Case{8193, 16384}, Case{40000, 40960}}) {
    TMemoryStream m;
    m.WriteBuffer(Pattern(static_cast<size_t>(c.written)).data(), c.written);
    EXPECT_EQ(m.Capacity(), c.capacity) << c.written;
    EXPECT_EQ(m.Size(), c.written);
  }
}

TEST(TMemoryStreamTest, GrowingKeepsTheContents) {
  const std::string data = Pattern(8192 * 3 + 5);
  TMemoryStream m;
  for (size_t i = 0; i < data.size(); i += 1000)
    m.WriteBuffer(data.data() + i, static_cast<int32_t>(std::min<size_t>(1000, data.size() - i)));
  EXPECT_EQ(m.Capacity(), 8192 * 4);
  EXPECT_EQ(Contents(m), data);
}

TEST(TMemoryStreamTest, WriteOverwritesAndExtends) {
  TMemoryStream m;
  m.WriteBuffer("abcdef", 6);
  m.SetPosition(4);
  EXPECT_EQ(m.Write("XYZ", 3), 3);
  EXPECT_EQ(m.Position(), 7);
  EXPECT_EQ(Contents(m), "abcdXYZ");
  m.SetPosition(1);
  EXPECT_EQ(m.Write("-", 1), 1);
  EXPECT_EQ(Contents(m), "a-cdXYZ");
}

TEST(TMemoryStreamTest, WriteRefusesWhatCannotBeStored) {
  TMemoryStream m;
  m.WriteBuffer("abc", 3);
  EXPECT_EQ(m.Write("x", -1), 0);
  m.SetPosition(-2);
  EXPECT_EQ(m.Write("xyz", 3), 0);
  m.SetPosition(INT_MAX);
  EXPECT_EQ(m.Write("x", 1), 0);
  EXPECT_EQ(Contents(m), "abc");
  EXPECT_EQ(m.Capacity(), 8192);
}

TEST(TMemoryStreamTest, SetSizeResizesAndPullsThePositionBack) {
  TMemoryStream m;
  m.WriteBuffer(Pattern(20000).data(), 20000);
  m.SetSize(100);
  EXPECT_EQ(m.Size(), 100);
  EXPECT_EQ(m.Capacity(), 8192);
  EXPECT_EQ(m.Position(), 100);
  EXPECT_EQ(Contents(m), Pattern(100));
  m.SetSize(0);
  EXPECT_EQ(m.Capacity(), 0);
  EXPECT_EQ(m.Memory(), nullptr);
}

}  // namespace
