// PNG and icon files, written byte for byte the same on every run.
#pragma once

#include <cstdint>

#include <vector>

#include "PngWrite.h"
#include "Quantize.h"

// 8-bit palette PNG: one IDAT, no interlace, filter 0 on every row.
Bytes PalettePng(const Indexed &image, int width, int height);
// 8-bit RGBA PNG (rgba: 4 bytes a pixel, rows top first).
Bytes RgbaPng(const Bytes &rgba, int width, int height);

struct IconImage {
  int size;
  Bytes rgba;
  bool png;  // stored PNG-compressed instead of as a bitmap
};
Bytes Icon(const std::vector<IconImage> &images);
