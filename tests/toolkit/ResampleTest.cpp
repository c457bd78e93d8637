#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "toolkit/Graphics.h"

namespace {

// width x height pixels, 3 channels each (B, G, R), rows top first.
struct Picture {
  int Width, Height;
  std::vector<uint8_t> Bytes;
  uint8_t &At(int x, int y, int channel) { return Bytes[(static_cast<size_t>(y) * Width + x) * 3 + channel]; }
  uint8_t At(int x, int y, int channel) const { return Bytes[(static_cast<size_t>(y) * Width + x) * 3 + channel]; }
};

void Store(const Picture &picture, TBitmap &bitmap) {
  bitmap.SetPixelFormat(pf24Bit);
  bitmap.SetSize(picture.Width, picture.Height);
  for (int y = 0; y < picture.Height; ++y)
    std::copy_n(&picture.Bytes[static_cast<size_t>(y) * picture.Width * 3], picture.Width * 3,
                static_cast<uint8_t *>(bitmap.ScanLine(y)));
}

Picture Load(TBitmap &bitmap) {
  Picture picture{bitmap.Width(), bitmap.Height(), {}};
  for (int y = 0; y < picture.Height; ++y) {
    auto *row = static_cast<uint8_t *>(bitmap.ScanLine(y));
    picture.Bytes.insert(picture.Bytes.end(), row, row + picture.Width * 3);
  }
  return picture;
}

Picture Resampled(const Picture &source, int width, int height) {
  TBitmap from, to;
  Store(source, from);
  to.SetPixelFormat(pf24Bit);
  to.SetSize(width, height);
  Resample(&from, &to, true);
  EXPECT_EQ(from.PixelFormat(), pf24Bit);
  return Load(to);
}

// Independent reference in doubles: the filter, its taps and the two passes
// written out plainly.
double Mitchell(double t) {
  const double B = 1.0 / 3, C = 1.0 / 3;
  t = std::fabs(t);
  if (t < 1) return ((12 - 9 * B - 6 * C) * t * t * t + (-18 + 12 * B + 6 * C) * t * t + (6 - 2 * B)) / 6;
  if (t < 2) return ((-B - 6 * C) * t * t * t + (6 * B + 30 * C) * t * t + (-12 * B - 48 * C) * t + (8 * B + 24 * C)) / 6;
  return 0;
}

// One axis: sums of source values for each destination position. Every sum
// must lie clear of a rounding boundary (the float sums stray from the exact
// ones by well under 1e-4 at these sizes), so both round alike.
std::vector<uint8_t> ReferenceAxis(const std::vector<uint8_t> &in, int outSize) {
  int n = static_cast<int>(in.size());
  double s = n == 1 ? outSize : std::max(1, outSize - 1) / double(n - 1);
  double support = s < 1 ? 2 / s : 2;
  std::vector<uint8_t> out;
  for (int i = 0; i < outSize; ++i) {
    double centre = i / s, sum = 0;
    for (int j = static_cast<int>(std::floor(centre - support)); j <= static_cast<int>(std::ceil(centre + support)); ++j) {
      double w = s < 1 ? Mitchell((centre - j) * s) * s : Mitchell(centre - j);
      sum += in[static_cast<size_t>(std::min(std::abs(j), n - 1))] * w;
    }
    double clamped = std::clamp(sum, 0.0, 255.0);
    EXPECT_GT(std::fabs(clamped - std::floor(clamped) - 0.5), 1e-4) << "too near a tie to compare: " << sum;
    out.push_back(static_cast<uint8_t>(std::lround(clamped)));
  }
  return out;
}

Picture Reference(const Picture &source, int width, int height) {
  Picture rows{width, source.Height, std::vector<uint8_t>(static_cast<size_t>(width) * source.Height * 3)};
  for (int y = 0; y < source.Height; ++y)
    for (int c = 0; c < 3; ++c) {
      std::vector<uint8_t> line;
      for (int x = 0; x < source.Width; ++x) line.push_back(source.At(x, y, c));
      std::vector<uint8_t> out = ReferenceAxis(line, width);
      for (int x = 0; x < width; ++x) rows.At(x, y, c) = out[static_cast<size_t>(x)];
    }
  Picture result{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  for (int x = 0; x < width; ++x)
    for (int c = 0; c < 3; ++c) {
      std::vector<uint8_t> column;
      for (int y = 0; y < source.Height; ++y) column.push_back(rows.At(x, y, c));
      std::vector<uint8_t> out = ReferenceAxis(column, height);
      for (int y = 0; y < height; ++y) result.At(x, y, c) = out[static_cast<size_t>(y)];
    }
  return result;
}

Picture Noise(int width, int height, uint32_t seed) {
  Picture picture{width, height, {}};
  for (int i = 0; i < width * height * 3; ++i) {
    seed = seed * 1103515245u + 12345u;
    picture.Bytes.push_back(static_cast<uint8_t>(seed >> 16));
  }
  return picture;
}

// At its own size each pixel becomes 16/18 of itself and 1/18 of each
// neighbour, along the row and then along the column. Values that are
// multiples of 18 keep the first pass exact.
TEST(ResampleTest, TheSameSizeStillSoftens) {
  Picture dot{5, 5, std::vector<uint8_t>(75, 0)};
  dot.At(2, 2, 0) = 180;
  dot.At(2, 2, 1) = 90;
  dot.At(2, 2, 2) = 36;
  Picture out = Resampled(dot, 5, 5);
  // Row pass: blue 10 160 10, green 5 80 5, red 2 32 2. Column pass below.
  const uint8_t centre[3] = {142, 71, 28}, above[3] = {9, 4, 2}, beside[3] = {9, 4, 2}, diagonal[3] = {1, 0, 0};
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(out.At(2, 2, c), centre[c]) << c;
    EXPECT_EQ(out.At(2, 1, c), above[c]) << c;
    EXPECT_EQ(out.At(2, 3, c), above[c]) << c;
    EXPECT_EQ(out.At(1, 2, c), beside[c]) << c;
    EXPECT_EQ(out.At(3, 2, c), beside[c]) << c;
    EXPECT_EQ(out.At(1, 1, c), diagonal[c]) << c;
    EXPECT_EQ(out.At(0, 0, c), 0) << c;
    EXPECT_EQ(out.At(4, 2, c), 0) << c;
  }
}

// Before the first pixel the row is mirrored (-1 reads 1), past the last it
// is clamped (n reads n - 1).
TEST(ResampleTest, EdgesAreMirroredAtTheStartAndClampedAtTheEnd) {
  const uint8_t row[4] = {0, 180, 36, 90};
  const uint8_t expected[4] = {20, 162, 47, 87};  // 2/18*180; 160+2; 32+10+5; 17/18*90+2
  Picture across{4, 3, {}}, down{3, 4, {}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) across.Bytes.insert(across.Bytes.end(), {row[x], row[x], row[x]});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) down.Bytes.insert(down.Bytes.end(), {row[y], row[y], row[y]});
  Picture outAcross = Resampled(across, 4, 3), outDown = Resampled(down, 3, 4);
  for (int i = 0; i < 4; ++i)
    for (int other = 0; other < 3; ++other) {
      EXPECT_EQ(outAcross.At(i, other, 1), expected[i]) << "column " << i;
      EXPECT_EQ(outDown.At(other, i, 1), expected[i]) << "row " << i;
    }
}

struct SizeCase {
  const char *Name;
  int FromWidth, FromHeight, ToWidth, ToHeight;
  uint32_t Seed;
};

class ResampleSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(ResampleSizeTest, MatchesTheReference) {
  const SizeCase &c = GetParam();
  Picture source = Noise(c.FromWidth, c.FromHeight, c.Seed);
  Picture expected = Reference(source, c.ToWidth, c.ToHeight);
  Picture actual = Resampled(source, c.ToWidth, c.ToHeight);
  ASSERT_EQ(actual.Bytes.size(), expected.Bytes.size());
  for (int y = 0; y < c.ToHeight; ++y)
    for (int x = 0; x < c.ToWidth; ++x)
      for (int ch = 0; ch < 3; ++ch) ASSERT_EQ(actual.At(x, y, ch), expected.At(x, y, ch)) << x << "," << y << "," << ch;
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResampleSizeTest,
                         testing::Values(SizeCase{"Enlarge2x2To5x5", 2, 2, 5, 5, 7},
                                         SizeCase{"Enlarge2x2To4x3", 2, 2, 4, 3, 11},
                                         SizeCase{"Shrink7x6To3x2", 7, 6, 3, 2, 17},
                                         SizeCase{"ShrinkLogoColumn", 12, 26, 5, 9, 23},
                                         SizeCase{"OnePixelTo3x2", 1, 1, 3, 2, 13}),
                         [](const auto &info) { return info.param.Name; });

TEST(ResampleTest, UnfilteredStretchesWithoutSoftening) {
  Picture source{2, 1, {10, 20, 30, 200, 210, 220}};
  TBitmap from, to;
  Store(source, from);
  to.SetPixelFormat(pf24Bit);
  to.SetSize(4, 1);
  Resample(&from, &to, false);
  Picture out = Load(to);
  EXPECT_EQ(out.Bytes, (std::vector<uint8_t>{10, 20, 30, 10, 20, 30, 200, 210, 220, 200, 210, 220}));
}

}  // namespace
