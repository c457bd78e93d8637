#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "Contents.h"
#include "ListFile.h"
#include "Sizes.h"

namespace {

std::vector<std::string> ShippedNames() {
  std::ifstream in(LV_PAYLOAD_LIST, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> names;
  for (const TPackEntry &entry : ParsePackList(text)) names.push_back(entry.Name);
  return names;
}

double Ratio(const Bytes &bytes) {
  uLongf size = compressBound(bytes.size());
  Bytes packed(size);
  EXPECT_EQ(compress2(packed.data(), &size, bytes.data(), bytes.size(), Z_BEST_COMPRESSION), Z_OK);
  return static_cast<double>(bytes.size()) / static_cast<double>(size);
}

uint32_t BE32(const Bytes &b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

TEST(BenchPayloadTest, TheShippedListFillsTheShippedSizeWithTheProgramAboutAThird) {
  const std::vector<std::string> names = ShippedNames();
  ASSERT_EQ(names.size(), 100u);
  const std::vector<size_t> sizes = PlanSizes(names, ShippedArchiveBytes);
  size_t total = 0;
  for (size_t i = 0; i < names.size(); ++i) total += RecordOverhead(names[i]) + sizes[i];
  EXPECT_EQ(total, ShippedArchiveBytes);
  EXPECT_EQ(names[0], "lvx.exe");
  EXPECT_EQ(*std::max_element(sizes.begin(), sizes.end()), sizes[0]);
  EXPECT_EQ(PlanSizes(names, ShippedArchiveBytes), sizes) << "the same list plans the same sizes";
}

TEST(BenchPayloadTest, PlansThatCannotHaveTheShapeAreRefused) {
  const std::vector<std::string> names = ShippedNames();
  std::vector<std::string> twoPrograms = names;
  twoPrograms[1] = "second.exe";
  const std::vector<std::string> noProgram(names.begin() + 1, names.end());
  const struct {
    const char *what;
    std::vector<std::string> names;
    size_t total;
  } cases[] = {
      {"two programs", twoPrograms, ShippedArchiveBytes},
      {"no program", noProgram, ShippedArchiveBytes},
      {"no room for the program", names, 100000},
      {"the program far above a third", names, ShippedArchiveBytes * 2},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_THROW(PlanSizes(c.names, c.total), std::runtime_error);
  }
}

TEST(BenchPayloadTest, ContentsHaveTheirExactSizeAndDependOnTheSeedOnly) {
  const struct {
    TContentKind kind;
    size_t size;
  } cases[] = {{TContentKind::Text, 0},    {TContentKind::Text, 1},        {TContentKind::Text, 20000},
               {TContentKind::Rtf, 1},     {TContentKind::Rtf, 30000},     {TContentKind::Png, PngMinimumSize},
               {TContentKind::Png, 8237},  {TContentKind::Png, 40000},     {TContentKind::Program, 132},
               {TContentKind::Program, 500000}};
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.kind) << " of " << c.size);
    const Bytes bytes = MakeContents(c.kind, 7, c.size);
    EXPECT_EQ(bytes.size(), c.size);
    EXPECT_EQ(MakeContents(c.kind, 7, c.size), bytes);
    if (c.size > 1000) {
      EXPECT_NE(MakeContents(c.kind, 8, c.size), bytes);
    }
  }
}

TEST(BenchPayloadTest, PicturesAreWholePngFilesOfChunksWithTheirChecksums) {
  for (size_t size : {PngMinimumSize, size_t(8237), size_t(8238), size_t(40000)}) {
    SCOPED_TRACE(size);
    const Bytes png = MakeContents(TContentKind::Png, 3, size);
    ASSERT_TRUE(std::equal(png.begin(), png.begin() + 8, PngSignature().begin()));
    std::vector<std::string> types;
    size_t at = 8;
    while (at + 12 <= png.size()) {
      const uint32_t length = BE32(png, at);
      ASSERT_LE(at + 12 + length, png.size());
      types.emplace_back(png.begin() + at + 4, png.begin() + at + 8);
      EXPECT_EQ(BE32(png, at + 8 + length), crc32(0, png.data() + at + 4, 4 + length)) << types.back();
      at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    ASSERT_GE(types.size(), 3u);
    EXPECT_EQ(types.front(), "IHDR");
    EXPECT_EQ(types.back(), "IEND");
    for (size_t i = 1; i + 1 < types.size(); ++i) EXPECT_EQ(types[i], "IDAT");
  }
}

TEST(BenchPayloadTest, EachKindCompressesAsItsKindDoes) {
  const struct {
    TContentKind kind;
    const char *extension;
    double low, high;
  } cases[] = {{TContentKind::Text, ".txt", 2.5, 6},
               {TContentKind::Rtf, ".rtf", 3, 8},
               {TContentKind::Png, ".png", 1, 1.15},
               {TContentKind::Program, ".exe", 1.8, 3.5}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.extension);
    EXPECT_EQ(KindOf(std::string("a\\b") + c.extension), c.kind);
    const double ratio = Ratio(MakeContents(c.kind, 11, 200000));
    EXPECT_GE(ratio, c.low);
    EXPECT_LE(ratio, c.high);
  }
  const Bytes rtf = MakeContents(TContentKind::Rtf, 11, 5000);
  EXPECT_EQ(std::string(rtf.begin(), rtf.begin() + 6), "{\\rtf1");
  EXPECT_EQ(rtf.back(), '}');
}

}  // namespace
