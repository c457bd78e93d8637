// The decoder's byte level, natively with sanitizers: chunk reading and row
// filters against libpng's reading of the same files, and damaged input.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>

#include "PngFixtures.h"
#include "runtime/Zlib.h"
#include "toolkit/PNGChunks.h"

namespace {

class BytesStream : public TMemoryStream {
public:
  explicit BytesStream(const Bytes &bytes) {
    if (!bytes.empty()) WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    SetPosition(0);
  }
};

// Width, height, palette and indices as the decoder's byte level reads them.
IndexedImage Decode(const Bytes &file) {
  BytesStream stream(file);
  TChunkTable chunks;
  ReadChunks(stream, chunks);
  IndexedImage image;
  if (!ImageSize(chunks, image.Width, image.Height) || !chunks[ciPLTE] || !chunks[ciIDAT]) return image;
  image.Palette.assign(chunks[ciPLTE]->Data(), chunks[ciPLTE]->Data() + chunks[ciPLTE]->Size());
  TZDecompressionStream data(*chunks[ciIDAT]);
  data.SetPosition(0);
  TRowReader rows(data, image.Width);
  image.Indices.assign(static_cast<size_t>(image.Width) * image.Height, 0xEE);
  for (uint32_t y = 0; y < image.Height; ++y)
    if (rows.Next(&image.Indices[y * image.Width]) < image.Width) break;
  return image;
}

class ChunkVariantTest : public testing::TestWithParam<const char *> {};

TEST_P(ChunkVariantTest, ReadsTheSameIndicesAsLibpng) {
  IndexedImage expected = ReadIndexed("logo.idx");
  IndexedImage actual = Decode(ReadFixture(std::string(GetParam()) + ".png"));
  EXPECT_EQ(actual.Width, expected.Width);
  EXPECT_EQ(actual.Height, expected.Height);
  EXPECT_EQ(actual.Palette, expected.Palette);
  EXPECT_TRUE(actual.Indices == expected.Indices);
}

INSTANTIATE_TEST_SUITE_P(Variants, ChunkVariantTest,
                         testing::Values("LOGO", "sub", "up", "average", "paeth", "mixed", "split", "text", "trailing"),
                         [](const auto &info) { return std::string(info.param); });

// What the program's decoder reads as written: 8-bit palette, 256 entries,
// no interlace, one IDAT, filter 0 on every row.
TEST(LogoTest, IsAPlainPaletteFile) {
  const Bytes logo = ReadFixture("LOGO.png");
  std::vector<ChunkAt> chunks = Chunks(logo);
  ASSERT_EQ(chunks.size(), 4u);
  EXPECT_EQ(chunks[0].Type, "IHDR");
  EXPECT_EQ(chunks[1].Type, "PLTE");
  EXPECT_EQ(chunks[1].Length, 768u);
  EXPECT_EQ(chunks[2].Type, "IDAT");
  EXPECT_EQ(chunks[3].Type, "IEND");
  const uint8_t *header = &logo[chunks[0].Offset + 8];
  EXPECT_EQ(BigEndian32(header), 120u);
  EXPECT_EQ(BigEndian32(header + 4), 260u);
  EXPECT_EQ(Bytes(header + 8, header + 13), (Bytes{8, 3, 0, 0, 0}));

  Bytes raw(121 * 260);
  uLongf size = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &size, &logo[chunks[2].Offset + 8], chunks[2].Length), Z_OK);
  ASSERT_EQ(size, raw.size());
  for (size_t y = 0; y < 260; ++y) ASSERT_EQ(raw[y * 121], 0) << "row " << y;

  // Every colour of the palette differs from the others.
  IndexedImage indexed = ReadIndexed("logo.idx");
  std::vector<uint32_t> colours;
  for (size_t i = 0; i < 256; ++i)
    colours.push_back(uint32_t(indexed.Palette[3 * i]) << 16 | indexed.Palette[3 * i + 1] << 8 | indexed.Palette[3 * i + 2]);
  std::sort(colours.begin(), colours.end());
  EXPECT_EQ(std::adjacent_find(colours.begin(), colours.end()), colours.end());
}

TEST(LogoTest, IsDrawnTheSameEveryTime) {
  const std::string folder = FixturePath("again");
  ASSERT_EQ(std::system(("mkdir -p '" + folder + "' && '" LV_ARTWORK "' '" + folder + "'").c_str()), 0);
  EXPECT_TRUE(ReadFixture("again/LOGO.png") == ReadFixture("LOGO.png"));
}

TEST(ChunkTest, TheLastHeaderAndPaletteWin) {
  Bytes file = ReadFixture("LOGO.png");
  ChunkAt header = FindChunk(file, "IHDR");
  Bytes second(file.begin() + static_cast<long>(header.Offset), file.begin() + static_cast<long>(header.Offset + 25));
  second[11] = 7;  // width 7
  file.insert(file.begin() + static_cast<long>(FindChunk(file, "IDAT").Offset), second.begin(), second.end());
  BytesStream stream(file);
  TChunkTable chunks;
  ReadChunks(stream, chunks);
  uint32_t width, height;
  ASSERT_TRUE(ImageSize(chunks, width, height));
  EXPECT_EQ(width, 7u);
  EXPECT_EQ(height, 260u);
}

TEST(ChunkTest, AZeroLengthChunkCopiesNothing) {
  Bytes file = ReadFixture("LOGO.png");
  ChunkAt palette = FindChunk(file, "PLTE");
  const uint8_t empty[12] = {0, 0, 0, 0, 'P', 'L', 'T', 'E', 0, 0, 0, 0};
  file.insert(file.begin() + static_cast<long>(palette.Offset + 12 + palette.Length), empty, empty + 12);
  BytesStream stream(file);
  TChunkTable chunks;
  ReadChunks(stream, chunks);
  ASSERT_TRUE(chunks[ciPLTE]);
  EXPECT_EQ(chunks[ciPLTE]->Size(), 0);
}

TEST(ChunkTest, CutsAndDamageStayInBounds) {
  const Bytes file = ReadFixture("mixed.png");
  for (size_t cut = 0; cut <= file.size(); ++cut) Decode(Bytes(file.begin(), file.begin() + static_cast<long>(cut)));
  uint32_t seed = 7;
  for (int round = 0; round < 400; ++round) {
    Bytes damaged = file;
    for (int i = 0; i < 3; ++i) {
      seed = seed * 1103515245u + 12345u;
      damaged[(seed >> 8) % damaged.size()] ^= static_cast<uint8_t>(seed >> 24 | 1);
    }
    Decode(damaged);
  }
}

TEST(FilterTest, UndoesEachFilterAgainstTheRowAbove) {
  struct Case {
    uint8_t Filter;
    uint8_t Prior[4];
    uint8_t Row[4];
    uint8_t Expected[4];
  };
  const Case cases[] = {
      {0, {10, 12, 30, 40}, {1, 2, 3, 4}, {1, 2, 3, 4}},
      {1, {10, 12, 30, 40}, {1, 2, 3, 255}, {1, 3, 6, 5}},
      {2, {10, 12, 30, 40}, {1, 2, 3, 250}, {11, 14, 33, 34}},
      {3, {10, 12, 30, 40}, {1, 2, 3, 4}, {6, 11, 23, 35}},
      {4, {50, 50, 50, 50}, {1, 2, 3, 4}, {51, 53, 56, 60}},  // up, then left
      {4, {50, 0, 0, 0}, {50, 1, 2, 4}, {100, 51, 53, 57}},  // up, upper left, left
      {9, {10, 12, 30, 40}, {1, 2, 3, 4}, {1, 2, 3, 4}},
  };
  for (const Case &c : cases) {
    uint8_t row[4];
    std::copy(c.Row, c.Row + 4, row);
    UnfilterRow(c.Filter, row, c.Prior, 4);
    EXPECT_TRUE(std::equal(row, row + 4, c.Expected)) << int(c.Filter) << " " << int(row[0]) << " " << int(row[1])
                                                      << " " << int(row[2]) << " " << int(row[3]);
  }
}

}  // namespace
