#include "Quantize.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

using Colour = std::array<double, 3>;  // 0..255

struct Box {
  std::vector<Colour> colours;
  int axis = 0;
  double range = 0;
  void Measure() {
    range = -1;
    for (int k = 0; k < 3; ++k) {
      auto [lo, hi] = std::minmax_element(colours.begin(), colours.end(),
                                          [k](const Colour &a, const Colour &b) { return a[k] < b[k]; });
      double r = (*hi)[k] - (*lo)[k];
      if (r > range) range = r, axis = k;
    }
  }
};

double Distance2(const Colour &a, const Colour &b) {
  // Weighted towards green, as the eye is.
  double dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
  return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

std::vector<Colour> MedianCut(const std::vector<Colour> &pixels, size_t count) {
  std::vector<Box> boxes(1);
  boxes[0].colours = pixels;
  boxes[0].Measure();
  while (boxes.size() < count) {
    auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box &a, const Box &b) {
      return a.range * std::sqrt(static_cast<double>(a.colours.size())) <
             b.range * std::sqrt(static_cast<double>(b.colours.size()));
    });
    if (widest->range <= 0) break;
    Box &box = *widest;
    int k = box.axis;
    std::stable_sort(box.colours.begin(), box.colours.end(), [k](const Colour &a, const Colour &b) { return a[k] < b[k]; });
    size_t half = box.colours.size() / 2;
    Box upper;
    upper.colours.assign(box.colours.begin() + static_cast<long>(half), box.colours.end());
    box.colours.resize(half);
    box.Measure();
    upper.Measure();
    boxes.push_back(std::move(upper));
  }
  std::vector<Colour> palette;
  for (const Box &box : boxes) {
    Colour sum{0, 0, 0};
    for (const Colour &c : box.colours)
      for (int k = 0; k < 3; ++k) sum[k] += c[k];
    for (int k = 0; k < 3; ++k) sum[k] /= static_cast<double>(box.colours.size());
    palette.push_back(sum);
  }
  return palette;
}

size_t Nearest(const std::vector<Colour> &palette, const Colour &c) {
  size_t best = 0;
  double bestDistance = 1e300;
  for (size_t i = 0; i < palette.size(); ++i) {
    double d = Distance2(palette[i], c);
    if (d < bestDistance) bestDistance = d, best = i;
  }
  return best;
}

void Refine(std::vector<Colour> &palette, const std::vector<Colour> &pixels, int rounds) {
  for (int round = 0; round < rounds; ++round) {
    std::vector<Colour> sums(palette.size(), Colour{0, 0, 0});
    std::vector<double> counts(palette.size(), 0);
    for (const Colour &c : pixels) {
      size_t i = Nearest(palette, c);
      for (int k = 0; k < 3; ++k) sums[i][k] += c[k];
      counts[i] += 1;
    }
    for (size_t i = 0; i < palette.size(); ++i)
      if (counts[i] > 0)
        for (int k = 0; k < 3; ++k) palette[i][k] = sums[i][k] / counts[i];
  }
}

// Rounds to bytes and nudges repeated entries apart; pads to 256 with
// colours not yet used.
std::vector<Rgb8> Finish(const std::vector<Colour> &palette) {
  std::vector<Rgb8> result;
  std::set<Rgb8> used;
  auto add = [&](Rgb8 c) {
    while (used.count(c) != 0) c[2] = static_cast<uint8_t>(c[2] + 1);
    used.insert(c);
    result.push_back(c);
  };
  for (const Colour &c : palette)
    add({static_cast<uint8_t>(std::lround(std::clamp(c[0], 0.0, 255.0))),
         static_cast<uint8_t>(std::lround(std::clamp(c[1], 0.0, 255.0))),
         static_cast<uint8_t>(std::lround(std::clamp(c[2], 0.0, 255.0)))});
  for (int grey = 0; result.size() < 256; grey = (grey + 37) % 256)
    add({static_cast<uint8_t>(grey), static_cast<uint8_t>(grey), static_cast<uint8_t>(grey)});
  return result;
}

}  // namespace

Indexed Quantize(const std::vector<std::array<double, 3>> &pixels, int width, int height) {
  std::vector<Colour> scaled;
  scaled.reserve(pixels.size());
  for (const auto &p : pixels) scaled.push_back({p[0] * 255, p[1] * 255, p[2] * 255});
  std::vector<Colour> palette = MedianCut(scaled, 256);
  Refine(palette, scaled, 6);

  Indexed out;
  out.palette = Finish(palette);
  std::vector<Colour> exact;
  for (const Rgb8 &c : out.palette) exact.push_back({double(c[0]), double(c[1]), double(c[2])});

  // Floyd-Steinberg, serpentine, with the error kept to a fraction so flat
  // areas stay calm.
  std::vector<Colour> work = scaled;
  out.indices.assign(pixels.size(), 0);
  for (int y = 0; y < height; ++y) {
    bool reverse = y % 2 != 0;
    for (int i = 0; i < width; ++i) {
      int x = reverse ? width - 1 - i : i;
      int dir = reverse ? -1 : 1;
      Colour &c = work[static_cast<size_t>(y) * width + x];
      for (int k = 0; k < 3; ++k) c[k] = std::clamp(c[k], 0.0, 255.0);
      size_t index = Nearest(exact, c);
      out.indices[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>(index);
      Colour error;
      for (int k = 0; k < 3; ++k) error[k] = (c[k] - exact[index][k]) * 0.75;
      auto spread = [&](int dx, int dy, double weight) {
        int nx = x + dx * dir, ny = y + dy;
        if (nx < 0 || nx >= width || ny >= height) return;
        Colour &n = work[static_cast<size_t>(ny) * width + nx];
        for (int k = 0; k < 3; ++k) n[k] += error[k] * weight;
      };
      spread(1, 0, 7 / 16.0);
      spread(-1, 1, 3 / 16.0);
      spread(0, 1, 5 / 16.0);
      spread(1, 1, 1 / 16.0);
    }
  }
  return out;
}
