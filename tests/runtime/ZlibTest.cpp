#include "runtime/Zlib.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/RecordingStream.h"

namespace {

// Text-like data with enough variety that its compressed form spans several
// 64 KiB input blocks.
std::string SampleData(size_t n) {
  static const char *const words[] = {"Vorlage ", "Brief ", "clip ", "\u00E9t\u00E9 ", "Lorvane ", "\r\n", "\u8A9E "};
  std::string s;
  uint32_t r = 12345;
  while (s.size() < n) {
    r = r * 1103515245u + 12345u;
    if ((r >> 28) < 5) s += std::to_string(r >> 8);
    s += words[(r >> 16) % 7];
  }
  s.resize(n);
  return s;
}

std::string Deflate(const std::string &data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(data.data()),
            static_cast<uLong>(data.size()), 9);
  out.resize(size);
  return out;
}

// One zlib stream holding first and then second, the two parts separated by a
// full flush; boundary is where the second part's first block begins.
std::string DeflateInTwoParts(const std::string &first, const std::string &second, size_t &boundary) {
  std::string out(compressBound(static_cast<uLong>(first.size() + second.size())) + 64, '\0');
  z_stream z{};
  deflateInit(&z, 9);
  z.next_out = reinterpret_cast<Bytef *>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(first.data()));
  z.avail_in = static_cast<uInt>(first.size());
  deflate(&z, Z_FULL_FLUSH);
  boundary = z.total_out;
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(second.data()));
  z.avail_in = static_cast<uInt>(second.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

const std::string &Data() {
  static const std::string data = SampleData(600000);
  return data;
}

const std::string &Compressed() {
  static const std::string compressed = Deflate(Data());
  return compressed;
}

// Damaged forms of one stream, with how many leading bytes of the data still
// come out of them.
struct Damage {
  const char *name;
  std::string bytes;
  size_t intact;
};

void PrintTo(const Damage &c, std::ostream *os) { *os << c.name; }

std::vector<Damage> DamagedStreams() {
  std::vector<Damage> cases;
  std::string data = Data();
  std::string badHeader = Compressed();
  badHeader[0] = 0x00;
  cases.push_back({"BadHeader", badHeader, 0});
  std::string badBlock = Compressed();
  badBlock[2] |= 0x06;  // block type 3 does not exist
  cases.push_back({"BadFirstBlock", badBlock, 0});
  size_t boundary;
  std::string badLaterBlock = DeflateInTwoParts(data.substr(0, 70000), data.substr(70000), boundary);
  badLaterBlock[boundary] = 0x07;
  cases.push_back({"BadLaterBlock", badLaterBlock, 70000});
  std::string badCheck = Compressed();
  badCheck.back() ^= 0x01;
  cases.push_back({"BadChecksum", badCheck, data.size()});
  // A header asking for a preset dictionary, which nothing supplies.
  cases.push_back({"PresetDictionary", std::string("\x78\x20\x00\x00\x00\x01\x03\x00", 8), 0});
  return cases;
}

std::string ReadAll(TStream &stream, std::initializer_list<int32_t> pieces) {
  std::string out;
  std::vector<char> buf(70000);
  for (size_t i = 0;; ++i) {
    int32_t want = pieces.begin()[i % pieces.size()];
    int32_t got = stream.Read(buf.data(), want);
    out.append(buf.data(), static_cast<size_t>(got));
    if (got < want) return out;
  }
}

TEST(TZDecompressionStreamTest, ReadsInflatedBytesInAnyPieces) {
  TRecordingStream source(Compressed());
  TZDecompressionStream z(source);
  EXPECT_EQ(ReadAll(z, {1, 7, 4093, 65537, 333}), Data());
  char c;
  EXPECT_EQ(z.Read(&c, 1), 0);
  EXPECT_EQ(z.Position(), static_cast<int32_t>(Data().size()));
}

TEST(TZDecompressionStreamTest, PullsInputIn64KiBlocks) {
  ASSERT_GT(Compressed().size(), 2u * 65536) << "the sample must span several blocks";
  TRecordingStream source(Compressed());
  TZDecompressionStream z(source);
  ReadAll(z, {100});
  ASSERT_GE(source.ReadCounts.size(), (Compressed().size() + 65535) / 65536);
  for (int32_t count : source.ReadCounts) EXPECT_EQ(count, 65536);
}

TEST(TZDecompressionStreamTest, StartsWhereTheSourceStood) {
  TRecordingStream source("header" + Compressed());
  source.SetPosition(6);
  TZDecompressionStream z(source);
  EXPECT_EQ(ReadAll(z, {5000}), Data());
}

TEST(TZDecompressionStreamTest, ResumesItsSourceAfterOthersMovedIt) {
  TRecordingStream source(Compressed());
  TZDecompressionStream z(source);
  std::string first(10, '\0');
  z.ReadBuffer(first.data(), 10);
  int32_t sourcePos = source.Position();
  source.SetPosition(3);
  std::string rest = ReadAll(z, {65536});
  EXPECT_EQ(first + rest, Data());
  EXPECT_GT(source.Position(), sourcePos);
}

TEST(TZDecompressionStreamTest, ForwardSeeksDiscard) {
  TRecordingStream source(Compressed());
  TZDecompressionStream z(source);
  char buf[10];
  EXPECT_EQ(z.Seek(1000, soFromCurrent), 1000);
  z.ReadBuffer(buf, 10);
  EXPECT_EQ(std::string(buf, 10), Data().substr(1000, 10));
  EXPECT_EQ(z.Seek(0, soFromCurrent), 1010);
  EXPECT_EQ(z.Seek(50000, soFromBeginning), 50000);
  z.ReadBuffer(buf, 10);
  EXPECT_EQ(std::string(buf, 10), Data().substr(50000, 10));
}

TEST(TZDecompressionStreamTest, OtherSeeksChangeNothing) {
  TRecordingStream source(Compressed());
  TZDecompressionStream z(source);
  z.SetPosition(5000);
  const struct {
    int32_t offset;
    uint16_t origin;
  } moves[] = {{100, soFromBeginning}, {5000, soFromBeginning}, {-1, soFromBeginning}, {-10, soFromCurrent},
               {0, soFromEnd},         {10, soFromEnd},          {-10, soFromEnd},       {10, 3}};
  for (const auto &m : moves) EXPECT_EQ(z.Seek(m.offset, m.origin), 5000) << m.offset << " from " << m.origin;
  char buf[10];
  z.ReadBuffer(buf, 10);
  EXPECT_EQ(std::string(buf, 10), Data().substr(5000, 10));
}

TEST(TZDecompressionStreamTest, SeekToZeroStartsOverFromTheSourceStart) {
  TRecordingStream source(Compressed());
  TZDecompressionStream z(source);
  std::vector<char> buf(200000);
  z.ReadBuffer(buf.data(), 200000);
  EXPECT_EQ(z.Seek(0, soFromBeginning), 0);
  EXPECT_EQ(source.Position(), 0);
  EXPECT_EQ(ReadAll(z, {65536}), Data());
}

TEST(TZDecompressionStreamTest, SeekingPastTheEndRaises) {
  const int32_t size = static_cast<int32_t>(Data().size());
  TRecordingStream source(Compressed());
  TZDecompressionStream z(source);
  EXPECT_EQ(z.Seek(size, soFromBeginning), size);
  EXPECT_THROW(z.Seek(1, soFromCurrent), EAbort);
  TRecordingStream again(Compressed());
  TZDecompressionStream fresh(again);
  EXPECT_THROW(fresh.Seek(size + 1, soFromBeginning), EAbort);
}

TEST(TZDecompressionStreamTest, WriteDoesNothing) {
  TRecordingStream source(Compressed());
  TZDecompressionStream z(source);
  EXPECT_EQ(z.Write("x", 1), 0);
  EXPECT_EQ(source.Size(), static_cast<int32_t>(Compressed().size()));
  EXPECT_EQ(ReadAll(z, {65536}), Data());
}

class TZDecompressionStreamDamageTest : public testing::TestWithParam<Damage> {};

TEST_P(TZDecompressionStreamDamageTest, ReturnsWhatWasProducedAndStops) {
  TRecordingStream source(GetParam().bytes);
  TZDecompressionStream z(source);
  std::vector<char> buf(Data().size() + 100);
  int32_t got = z.Read(buf.data(), static_cast<int32_t>(buf.size()));
  EXPECT_EQ(got, static_cast<int32_t>(GetParam().intact));
  EXPECT_EQ(std::string(buf.data(), GetParam().intact), Data().substr(0, GetParam().intact));
  EXPECT_EQ(z.Read(buf.data(), 100), 0);
}

INSTANTIATE_TEST_SUITE_P(Damaged, TZDecompressionStreamDamageTest, testing::ValuesIn(DamagedStreams()),
                         [](const auto &info) { return info.param.name; });

TEST(TZDecompressionStreamTest, TruncatedStreamGivesAnIntactPrefix) {
  for (size_t cut : {size_t{0}, size_t{1}, size_t{2}, size_t{100}, Compressed().size() / 2, Compressed().size() - 1}) {
    TRecordingStream source(Compressed().substr(0, cut));
    TZDecompressionStream z(source);
    std::string got = ReadAll(z, {65536});
    EXPECT_TRUE(got == Data().substr(0, got.size())) << cut;
    if (cut <= Compressed().size() / 2) {
      EXPECT_LT(got.size(), Data().size()) << cut;
    }
    char c;
    EXPECT_EQ(z.Read(&c, 1), 0) << cut;
  }
}

// Inflation can hold output of input it already took; a dry source must not
// keep it back from a read in small pieces.
TEST(TZDecompressionStreamTest, CutStreamGivesTheSameBytesInAnyPieces) {
  for (size_t cut : {size_t{5}, size_t{100}, Compressed().size() / 2, Compressed().size() - 1}) {
    TRecordingStream whole(Compressed().substr(0, cut));
    TZDecompressionStream once(whole);
    const std::string expected = ReadAll(once, {70000});
    for (int32_t piece : {1, 7, 4096}) {
      TRecordingStream source(Compressed().substr(0, cut));
      TZDecompressionStream z(source);
      EXPECT_EQ(ReadAll(z, {piece}), expected) << "cut at " << cut << ", pieces of " << piece;
    }
  }
}

// DecompressBuf with the input in a heap block of its exact size, so the
// sanitizers see any read beyond it.
std::string Inflate(const std::string &in, int32_t estimate) {
  std::vector<unsigned char> input(in.begin(), in.end());
  void *out = nullptr;
  int32_t outBytes = -1;
  DecompressBuf(input.data(), static_cast<int32_t>(input.size()), estimate, out, outBytes);
  std::string result(static_cast<const char *>(out), static_cast<size_t>(outBytes));
  std::free(out);
  return result;
}

TEST(DecompressBufTest, AnyEstimateGivesTheExactData) {
  const std::string zeros(1 << 18, '\0');  // about 500 growth steps from estimate 0
  for (const std::string *data : {&Data(), &zeros}) {
    const std::string in = Deflate(*data);
    const int32_t size = static_cast<int32_t>(data->size());
    const int32_t inSize = static_cast<int32_t>(in.size());
    for (int32_t estimate : {0, 1, inSize, size / 3, size - 1, size, size + 1, 5 * inSize}) {
      std::string out = Inflate(in, estimate);
      EXPECT_EQ(out.size(), data->size()) << "estimate " << estimate;
      EXPECT_TRUE(out == *data) << "estimate " << estimate;
    }
  }
}

TEST(DecompressBufTest, IgnoresBytesAfterTheStream) {
  EXPECT_EQ(Inflate(Compressed() + "trailing bytes", 0), Data());
}

TEST(DecompressBufTest, EmptyDataGivesAnEmptyBlock) {
  EXPECT_EQ(Inflate(Deflate(""), 0), "");
  EXPECT_EQ(Inflate(Deflate(""), 1000), "");
}

TEST(DecompressBufTest, RefusesWhatIsNotACompleteStream) {
  std::vector<std::pair<std::string, std::string>> inputs;
  for (const Damage &d : DamagedStreams()) inputs.emplace_back(d.name, d.bytes);
  for (size_t cut : {size_t{0}, size_t{1}, size_t{2}, size_t{10}, Compressed().size() / 2, Compressed().size() - 4,
                     Compressed().size() - 1})
    inputs.emplace_back("cut at " + std::to_string(cut), Compressed().substr(0, cut));
  std::string garbage(5000, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 2654435761u) >> 13);
  inputs.emplace_back("garbage", garbage);
  for (const auto &[name, bytes] : inputs) {
    for (int32_t estimate : {0, 5 * static_cast<int32_t>(bytes.size())}) {
      std::vector<unsigned char> input(bytes.begin(), bytes.end());
      void *out = nullptr;
      int32_t outBytes = 0;
      EXPECT_THROW(DecompressBuf(input.data(), static_cast<int32_t>(input.size()), estimate, out, outBytes),
                   EZDecompressionError)
          << name << ", estimate " << estimate;
      EXPECT_EQ(out, nullptr) << name;
    }
  }
}

TEST(DecompressBufTest, RefusesNegativeSizes) {
  void *out = nullptr;
  int32_t outBytes = 0;
  EXPECT_THROW(DecompressBuf(Compressed().data(), -1, 0, out, outBytes), EZDecompressionError);
  EXPECT_THROW(DecompressBuf(Compressed().data(), static_cast<int32_t>(Compressed().size()), -1, out, outBytes),
               EZDecompressionError);
  EXPECT_THROW(DecompressBuf(nullptr, 0, 0, out, outBytes), EZDecompressionError);
}

}  // namespace
