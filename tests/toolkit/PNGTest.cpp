#include <gtest/gtest.h>
#include <zlib.h>

#include "PngFixtures.h"
#include "toolkit/PNG.h"

namespace {

void Load(TPNGImage &image, const Bytes &file) {
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
  stream.SetPosition(0);
  image.LoadFromStream(stream);
}

Bytes PaletteOf(TPNGImage &image) {
  WORD count = 0;
  GetObjectW(image.Palette(), sizeof count, &count);
  PALETTEENTRY entries[256];
  GetPaletteEntries(image.Palette(), 0, count, entries);
  Bytes rgb;
  for (WORD i = 0; i < count; ++i) rgb.insert(rgb.end(), {entries[i].peRed, entries[i].peGreen, entries[i].peBlue});
  return rgb;
}

// Same size, 8 bits, palette and every pixel as libpng decoded them.
void ExpectDecoded(TPNGImage &image, const IndexedImage &expected) {
  ASSERT_EQ(image.Width(), static_cast<int32_t>(expected.Width));
  ASSERT_EQ(image.Height(), static_cast<int32_t>(expected.Height));
  EXPECT_EQ(image.PixelFormat(), pf8Bit);
  EXPECT_EQ(PaletteOf(image), expected.Palette);
  for (uint32_t y = 0; y < expected.Height; ++y) {
    const auto *row = static_cast<const uint8_t *>(image.ScanLine(static_cast<int32_t>(y)));
    ASSERT_TRUE(std::equal(row, row + expected.Width, expected.Indices.begin() + y * expected.Width)) << "row " << y;
  }
}

TEST(PNGTest, TheLogoDecodesToItsPaletteAndIndices) {
  IndexedImage logo = ReadIndexed("logo.idx");
  ASSERT_EQ(logo.Width, 120u);
  ASSERT_EQ(logo.Height, 260u);
  ASSERT_EQ(logo.Palette.size(), 256u * 3);
  TPNGImage image;
  Load(image, ReadFixture("LOGO.png"));
  ExpectDecoded(image, logo);

  // The section's colour table is the file's palette too.
  HDC dc = image.Canvas()->Handle();
  RGBQUAD table[256];
  ASSERT_EQ(GetDIBColorTable(dc, 0, 256, table), 256u);
  EXPECT_EQ(table[17].rgbRed, logo.Palette[17 * 3]);
  EXPECT_EQ(table[17].rgbBlue, logo.Palette[17 * 3 + 2]);
}

TEST(PNGTest, ReadsFromTheStreamPosition) {
  Bytes file = ReadFixture("LOGO.png");
  file.insert(file.begin(), {'j', 'u', 'n', 'k'});
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
  stream.SetPosition(4);
  TPNGImage image;
  image.LoadFromStream(stream);
  ExpectDecoded(image, ReadIndexed("logo.idx"));
}

class PNGVariantTest : public testing::TestWithParam<const char *> {};

// Re-encodings of the logo: filters Sub, Up, Average, Paeth and a mix, data
// split over IDAT chunks, a text chunk before the data, a palette and junk
// after IEND.
TEST_P(PNGVariantTest, DecodesLikeTheLogo) {
  TPNGImage image;
  Load(image, ReadFixture(std::string(GetParam()) + ".png"));
  ExpectDecoded(image, ReadIndexed("logo.idx"));
}

INSTANTIATE_TEST_SUITE_P(Variants, PNGVariantTest,
                         testing::Values("sub", "up", "average", "paeth", "mixed", "split", "text", "trailing"),
                         [](const auto &info) { return std::string(info.param); });

TEST(PNGTest, AShortPaletteGivesThatManyEntries) {
  IndexedImage small = ReadIndexed("small.idx");
  ASSERT_EQ(small.Palette.size(), 16u * 3);
  TPNGImage image;
  Load(image, ReadFixture("small.png"));
  ExpectDecoded(image, small);
}

Bytes WithWord(Bytes file, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
  return file;
}

Bytes Renamed(Bytes file, const std::string &type) {
  file[FindChunk(file, type).Offset + 7] = 'x';
  return file;
}

// Files the decoder cannot use leave the bitmap empty.
TEST(PNGTest, UnusableFilesLeaveTheBitmapEmpty) {
  const Bytes logo = ReadFixture("LOGO.png");
  const ChunkAt header = FindChunk(logo, "IHDR"), palette = FindChunk(logo, "PLTE"), data = FindChunk(logo, "IDAT");
  struct Case {
    const char *Name;
    Bytes File;
  };
  const Case cases[] = {
      {"Empty", {}},
      {"SignatureOnly", Bytes(logo.begin(), logo.begin() + 8)},
      {"NoHeader", Renamed(logo, "IHDR")},
      {"NoPalette", Renamed(logo, "PLTE")},
      {"NoImageData", Renamed(logo, "IDAT")},
      {"ZeroWidth", WithWord(logo, header.Offset + 8, 0)},
      {"ZeroHeight", WithWord(logo, header.Offset + 12, 0)},
      {"HugeWidth", WithWord(logo, header.Offset + 8, 0x7FFFFFFF)},
      {"TooManyPixels", WithWord(WithWord(logo, header.Offset + 8, 16384), header.Offset + 12, 16384)},
      {"ShortHeader", WithWord(logo, header.Offset, 4)},
      {"PaletteRunsPastTheEnd", WithWord(logo, palette.Offset, 0xFFFFFFF0)},
      {"ImageDataCut", Bytes(logo.begin(), logo.begin() + static_cast<long>(data.Offset + 8 + data.Length / 2))},
  };
  for (const Case &c : cases) {
    TPNGImage image;
    EXPECT_NO_THROW(Load(image, c.File)) << c.Name;
    EXPECT_TRUE(image.Empty()) << c.Name;
    EXPECT_EQ(image.Palette(), nullptr) << c.Name;
  }
}

// Short image data: the rows that came are decoded, the rest keep the fill.
TEST(PNGTest, ShortImageDataDecodesTheRowsThatCame) {
  const IndexedImage logo = ReadIndexed("logo.idx");
  Bytes raw;
  for (uint32_t y = 0; y < 10; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), logo.Indices.begin() + y * logo.Width, logo.Indices.begin() + (y + 1) * logo.Width);
  }
  raw.insert(raw.end(), {0, 1, 2});  // a row cut short
  uLongf size = compressBound(raw.size());
  Bytes deflated(size);
  ASSERT_EQ(compress(deflated.data(), &size, raw.data(), raw.size()), Z_OK);
  deflated.resize(size);

  Bytes file = ReadFixture("LOGO.png");
  ChunkAt data = FindChunk(file, "IDAT");
  Bytes shorter(file.begin(), file.begin() + static_cast<long>(data.Offset));
  for (int i = 0; i < 4; ++i) shorter.push_back(static_cast<uint8_t>(deflated.size() >> (24 - 8 * i)));
  shorter.insert(shorter.end(), {'I', 'D', 'A', 'T'});
  shorter.insert(shorter.end(), deflated.begin(), deflated.end());
  shorter.insert(shorter.end(), {0, 0, 0, 0});  // the CRC is not checked
  shorter.insert(shorter.end(), file.begin() + static_cast<long>(data.Offset + 12 + data.Length), file.end());

  TPNGImage image;
  Load(image, shorter);
  ASSERT_EQ(image.Width(), 120);
  ASSERT_EQ(image.Height(), 260);
  for (uint32_t y = 0; y < 10; ++y) {
    const auto *row = static_cast<const uint8_t *>(image.ScanLine(static_cast<int32_t>(y)));
    EXPECT_TRUE(std::equal(row, row + 120, logo.Indices.begin() + y * 120)) << y;
  }
  const auto *cut = static_cast<const uint8_t *>(image.ScanLine(10));
  EXPECT_EQ(cut[0], 1);
  EXPECT_EQ(cut[1], 2);
  const uint8_t fill = static_cast<const uint8_t *>(image.ScanLine(259))[0];
  EXPECT_EQ(cut[2], fill);
  EXPECT_EQ(static_cast<const uint8_t *>(image.ScanLine(200))[60], fill);
}

// Any cut of the file, and damage anywhere in it, loads without a fault.
TEST(PNGTest, DamagedFilesDoNotFault) {
  const Bytes logo = ReadFixture("paeth.png");
  for (size_t cut = 0; cut < logo.size(); cut += 97) {
    TPNGImage image;
    EXPECT_NO_THROW(Load(image, Bytes(logo.begin(), logo.begin() + static_cast<long>(cut)))) << cut;
  }
  uint32_t seed = 1;
  for (int round = 0; round < 60; ++round) {
    Bytes damaged = logo;
    for (int i = 0; i < 4; ++i) {
      seed = seed * 1103515245u + 12345u;
      damaged[(seed >> 8) % damaged.size()] ^= static_cast<uint8_t>(seed >> 24 | 1);
    }
    TPNGImage image;
    EXPECT_NO_THROW(Load(image, damaged)) << round;
  }
}

}  // namespace
