// Filtered resampling: two separable passes of the Mitchell-Netravali filter
// (B = C = 1/3, support 2) in 32-bit floats.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "toolkit/Graphics.h"

namespace {

struct TContributor {
  int32_t Pixel;
  float Weight;
};

using TContributions = std::vector<std::vector<TContributor>>;

float Mitchell(float t) {
  t = std::fabs(t);
  float tt = t * t;
  if (t < 1.0f) return (7.0f * t * tt - 12.0f * tt + 16.0f / 3.0f) / 6.0f;
  if (t < 2.0f) return (-7.0f / 3.0f * t * tt + 12.0f * tt - 20.0f * t + 32.0f / 3.0f) / 6.0f;
  return 0.0f;
}

// For each destination pixel along one axis, the source pixels and their
// weights. Indices before the start are mirrored, past the end clamped; the
// weights are not normalised.
TContributions Contributions(int32_t srcSize, int32_t dstSize) {
  float scale = srcSize == 1 ? static_cast<float>(dstSize)
                             : static_cast<float>(std::max(1, dstSize - 1)) / static_cast<float>(srcSize - 1);
  bool shrinking = scale < 1.0f;
  float width = shrinking ? 2.0f / scale : 2.0f;
  TContributions result(static_cast<size_t>(dstSize));
  for (int32_t i = 0; i < dstSize; ++i) {
    float center = static_cast<float>(i) / scale;
    auto left = static_cast<int32_t>(std::floor(center - width));
    auto right = static_cast<int32_t>(std::ceil(center + width));
    for (int32_t j = left; j <= right; ++j) {
      float weight = shrinking ? Mitchell((center - static_cast<float>(j)) * scale) * scale
                               : Mitchell(center - static_cast<float>(j));
      if (weight == 0.0f) continue;
      result[static_cast<size_t>(i)].push_back({std::min(std::abs(j), srcSize - 1), weight});
    }
  }
  return result;
}

// Clamped to 0..255, otherwise rounded to nearest (ties to even).
uint8_t ToByte(float sum) {
  if (sum > 255.0f) return 255;
  if (sum < 0.0f) return 0;
  return static_cast<uint8_t>(std::lrint(sum));
}

// One output pixel: the weighted sum of the pixels at pixel(contributor).
template <class PixelAt>
void Filter(const std::vector<TContributor> &contributors, PixelAt pixel, uint8_t *out) {
  float sum[3] = {0.0f, 0.0f, 0.0f};
  for (const TContributor &c : contributors) {
    const uint8_t *p = pixel(c.Pixel);
    for (int k = 0; k < 3; ++k) sum[k] += static_cast<float>(p[k]) * c.Weight;
  }
  for (int k = 0; k < 3; ++k) out[k] = ToByte(sum[k]);
}

std::vector<uint8_t *> Rows(TBitmap *bitmap) {
  std::vector<uint8_t *> rows(static_cast<size_t>(bitmap->Height()));
  for (int32_t y = 0; y < bitmap->Height(); ++y) rows[static_cast<size_t>(y)] = static_cast<uint8_t *>(bitmap->ScanLine(y));
  return rows;
}

}  // namespace

void Resample(TBitmap *source, TBitmap *dest, bool filtered) {
  source->SetPixelFormat(pf24Bit);
  dest->SetPixelFormat(pf24Bit);
  if (source->Empty() || dest->Empty()) return;
  if (!filtered) return source->Draw(dest->Canvas(), RECT{0, 0, dest->Width(), dest->Height()});

  const int32_t srcWidth = source->Width(), srcHeight = source->Height();
  const int32_t dstWidth = dest->Width(), dstHeight = dest->Height();
  std::vector<uint8_t *> srcRows = Rows(source);
  std::vector<uint8_t *> dstRows = Rows(dest);

  // First pass: each source row along x into a buffer of dstWidth x srcHeight.
  std::vector<uint8_t> work(static_cast<size_t>(dstWidth) * static_cast<size_t>(srcHeight) * 3);
  TContributions columns = Contributions(srcWidth, dstWidth);
  for (int32_t y = 0; y < srcHeight; ++y) {
    const uint8_t *row = srcRows[static_cast<size_t>(y)];
    uint8_t *out = &work[static_cast<size_t>(y) * static_cast<size_t>(dstWidth) * 3];
    for (int32_t x = 0; x < dstWidth; ++x)
      Filter(columns[static_cast<size_t>(x)], [&](int32_t i) { return row + i * 3; }, out + x * 3);
  }

  // Second pass: each column of the buffer along y into the destination.
  TContributions rows = Contributions(srcHeight, dstHeight);
  for (int32_t x = 0; x < dstWidth; ++x)
    for (int32_t y = 0; y < dstHeight; ++y)
      Filter(rows[static_cast<size_t>(y)],
             [&](int32_t i) { return &work[(static_cast<size_t>(i) * static_cast<size_t>(dstWidth) + x) * 3]; },
             dstRows[static_cast<size_t>(y)] + x * 3);
}
