// Reduces an opaque RGB picture to a palette of exactly 256 distinct colours:
// median cut refined by k-means, then error diffusion.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

using Rgb8 = std::array<uint8_t, 3>;

struct Indexed {
  std::vector<Rgb8> palette;     // 256 entries
  std::vector<uint8_t> indices;  // one per pixel, rows top first
};

// pixels: width * height colours in 0..1, rows top first.
Indexed Quantize(const std::vector<std::array<double, 3>> &pixels, int width, int height);
