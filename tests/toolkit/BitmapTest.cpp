#include <gtest/gtest.h>

#include <cstring>

#include "toolkit/Graphics.h"

namespace {

struct FormatCase {
  TPixelFormat Set;
  uint16_t BitCount;
  TPixelFormat Reads;
};

class PixelFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(PixelFormatTest, BuildsASectionOfThatDepth) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(GetParam().Set);
  bitmap.SetSize(5, 3);
  EXPECT_EQ(bitmap.PixelFormat(), GetParam().Reads);
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_EQ(bitmap.Height(), 3);
  const TBitmapImage *image = bitmap.Image();
  ASSERT_NE(image->FHandle, nullptr);
  if (GetParam().BitCount == 0) {
    EXPECT_EQ(image->FDIBHandle, nullptr);
    EXPECT_THROW(bitmap.ScanLine(0), Exception);
    return;
  }
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectW(image->FHandle, sizeof dib, &dib), static_cast<int>(sizeof dib));
  EXPECT_EQ(dib.dsBmih.biBitCount, GetParam().BitCount);
  EXPECT_EQ(dib.dsBmih.biHeight, 3) << "bottom-up";
}

INSTANTIATE_TEST_SUITE_P(Table, PixelFormatTest,
                         testing::Values(FormatCase{pfDevice, 0, pfDevice}, FormatCase{pf1Bit, 1, pf1Bit},
                                         FormatCase{pf4Bit, 4, pf4Bit}, FormatCase{pf8Bit, 8, pf8Bit},
                                         FormatCase{pf15Bit, 16, pf15Bit}, FormatCase{pf16Bit, 16, pf15Bit},
                                         FormatCase{pf24Bit, 24, pf24Bit}, FormatCase{pf32Bit, 32, pf32Bit}));

TEST(BitmapTest, ACustomFormatCannotBeSet) {
  TBitmap bitmap;
  EXPECT_THROW(bitmap.SetPixelFormat(pfCustom), Exception);
}

TEST(BitmapTest, ScanLinesCountFromTheTopOfABottomUpSection) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24Bit);
  bitmap.SetSize(3, 4);
  auto *bits = static_cast<uint8_t *>(bitmap.Image()->FDIB.dsBm.bmBits);
  const int stride = 12;  // 9 bytes rounded up to 4
  for (int row = 0; row < 4; ++row) EXPECT_EQ(bitmap.ScanLine(row), bits + (3 - row) * stride) << row;
  EXPECT_THROW(bitmap.ScanLine(4), Exception);
  EXPECT_THROW(bitmap.ScanLine(-1), Exception);

  static_cast<uint8_t *>(bitmap.ScanLine(0))[0] = 0x40;  // blue of the top left pixel
  EXPECT_EQ(GetPixel(bitmap.Canvas()->Handle(), 0, 0), RGB(0xFF, 0xFF, 0x40));
}

TEST(BitmapTest, ANewSizeKeepsThePictureAndFillsWithTheBrush) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24Bit);
  bitmap.SetSize(2, 2);
  bitmap.Canvas()->Brush()->SetColor(0x0000FF);
  bitmap.Canvas()->FillRect({0, 0, 2, 2});
  bitmap.Canvas()->Brush()->SetColor(0x00FF00);
  bitmap.SetSize(3, 3);
  HDC dc = bitmap.Canvas()->Handle();
  EXPECT_EQ(GetPixel(dc, 1, 1), 0x0000FFu);
  EXPECT_EQ(GetPixel(dc, 2, 0), 0x00FF00u);
  EXPECT_EQ(GetPixel(dc, 0, 2), 0x00FF00u);
}

// An 8-bit bitmap with a palette of 256 distinct colours and every index used.
void MakeIndexed(TBitmap &bitmap) {
  struct {
    WORD Version, Count;
    PALETTEENTRY Entries[256];
  } palette{0x300, 256, {}};
  for (int i = 0; i < 256; ++i)
    palette.Entries[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 7), 0};
  bitmap.SetPixelFormat(pf8Bit);
  bitmap.SetPalette(CreatePalette(reinterpret_cast<LOGPALETTE *>(&palette)));
  bitmap.SetSize(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) static_cast<uint8_t *>(bitmap.ScanLine(y))[x] = static_cast<uint8_t>(y * 16 + x);
}

TEST(BitmapTest, AssignedBitmapsShareTheImageUntilOneChanges) {
  TBitmap a, b;
  MakeIndexed(a);
  b.Assign(&a);
  EXPECT_EQ(a.Image(), b.Image());
  EXPECT_EQ(a.Image()->RefCount(), 2);

  static_cast<uint8_t *>(b.ScanLine(3))[5] = 0;
  EXPECT_NE(a.Image(), b.Image());
  EXPECT_EQ(static_cast<uint8_t *>(a.ScanLine(3))[5], 3 * 16 + 5);
  EXPECT_NE(a.Palette(), b.Palette()) << "the copy has its own palette";
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (y != 3 || x != 5) {
        ASSERT_EQ(static_cast<uint8_t *>(b.ScanLine(y))[x], y * 16 + x) << x << "," << y;
      }
    }

  TBitmap c;
  c.Assign(&a);
  c.Canvas()->FillRect({0, 0, 16, 16});
  EXPECT_EQ(static_cast<uint8_t *>(a.ScanLine(0))[0], 0) << "drawing on c leaves a alone";
  EXPECT_EQ(static_cast<uint8_t *>(a.ScanLine(15))[15], 255);
}

TEST(BitmapTest, EightBitsBringAHalftonePalette) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf8Bit);
  ASSERT_NE(bitmap.Palette(), nullptr);
  WORD count = 0;
  GetObjectW(bitmap.Palette(), sizeof count, &count);
  EXPECT_GE(count, 16);
}

TEST(BitmapTest, APaletteIsMadeFromTheColourTableWhenFirstDrawn) {
  TBitmap bitmap, target;
  MakeIndexed(bitmap);
  bitmap.SetPalette(nullptr);
  ASSERT_EQ(bitmap.Palette(), nullptr);
  target.SetPixelFormat(pf24Bit);
  target.SetSize(16, 16);
  bitmap.Draw(target.Canvas(), {0, 0, 16, 16});
  ASSERT_NE(bitmap.Palette(), nullptr);
  PALETTEENTRY entry{};
  ASSERT_EQ(GetPaletteEntries(bitmap.Palette(), 200, 1, &entry), 1u);
  EXPECT_EQ(entry.peRed, 200);
  EXPECT_EQ(entry.peGreen, 55);
  EXPECT_EQ(entry.peBlue, static_cast<BYTE>(200 * 7));
  EXPECT_EQ(GetPixel(target.Canvas()->Handle(), 8, 12), RGB(200, 55, static_cast<BYTE>(200 * 7)));
}

TEST(BitmapTest, DrawingIntoALargerRectangleStretches) {
  TBitmap source, target;
  source.SetPixelFormat(pf24Bit);
  source.SetSize(2, 2);
  const COLORREF colours[2][2] = {{0x0000FF, 0x00FF00}, {0xFF0000, 0x808080}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) {
      source.Canvas()->Brush()->SetColor(static_cast<TColor>(colours[y][x]));
      source.Canvas()->FillRect({x, y, x + 1, y + 1});
    }
  target.SetPixelFormat(pf24Bit);
  target.SetSize(6, 6);
  target.Canvas()->Draw(0, 0, &source);
  source.Draw(target.Canvas(), {0, 0, 6, 6});
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const uint8_t *p = static_cast<uint8_t *>(target.ScanLine(y)) + x * 3;
      EXPECT_EQ(RGB(p[2], p[1], p[0]), colours[y / 3][x / 3]) << x << "," << y;
    }
}

TEST(BitmapTest, MemoryContextsAreReleasedAfterEachMessage) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24Bit);
  bitmap.SetSize(2, 2);
  bitmap.Canvas()->FillRect({0, 0, 1, 1});
  EXPECT_TRUE(bitmap.Canvas()->HandleAllocated());
  FreeMemoryContexts();
  EXPECT_FALSE(bitmap.Canvas()->HandleAllocated());
}

}  // namespace
