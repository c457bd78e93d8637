#include "Files.h"


namespace {

void PutLE(Bytes &out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// 32-bit bitmap with its mask: bottom-up BGRA, then one bit a pixel, set
// where the pixel is fully transparent.
Bytes IconBitmap(const IconImage &image) {
  int n = image.size;
  Bytes out;
  PutLE(out, 40, 4);
  PutLE(out, static_cast<uint32_t>(n), 4);
  PutLE(out, static_cast<uint32_t>(2 * n), 4);
  PutLE(out, 1, 2);
  PutLE(out, 32, 2);
  PutLE(out, 0, 4);
  int maskRow = ((n + 31) / 32) * 4;
  PutLE(out, static_cast<uint32_t>(n * n * 4 + maskRow * n), 4);
  for (int i = 0; i < 4; ++i) PutLE(out, 0, 4);
  for (int y = n - 1; y >= 0; --y)
    for (int x = 0; x < n; ++x) {
      const uint8_t *p = &image.rgba[static_cast<size_t>(y * n + x) * 4];
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  for (int y = n - 1; y >= 0; --y) {
    Bytes row(static_cast<size_t>(maskRow), 0);
    for (int x = 0; x < n; ++x)
      if (image.rgba[static_cast<size_t>(y * n + x) * 4 + 3] == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

Bytes PalettePng(const Indexed &image, int width, int height) {
  Bytes palette;
  for (const Rgb8 &c : image.palette) palette.insert(palette.end(), c.begin(), c.end());
  return EncodePng(width, height, PngPalette, &palette, image.indices.data(), static_cast<size_t>(width));
}

Bytes RgbaPng(const Bytes &rgba, int width, int height) {
  return EncodePng(width, height, PngRgba, nullptr, rgba.data(), static_cast<size_t>(width) * 4);
}

Bytes Icon(const std::vector<IconImage> &images) {
  std::vector<Bytes> data;
  for (const IconImage &image : images)
    data.push_back(image.png ? RgbaPng(image.rgba, image.size, image.size) : IconBitmap(image));
  Bytes out;
  PutLE(out, 0, 2);
  PutLE(out, 1, 2);
  PutLE(out, static_cast<uint32_t>(images.size()), 2);
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    uint8_t side = images[i].size >= 256 ? 0 : static_cast<uint8_t>(images[i].size);
    out.insert(out.end(), {side, side, 0, 0});
    PutLE(out, 1, 2);
    PutLE(out, 32, 2);
    PutLE(out, static_cast<uint32_t>(data[i].size()), 4);
    PutLE(out, offset, 4);
    offset += static_cast<uint32_t>(data[i].size());
  }
  for (const Bytes &d : data) out.insert(out.end(), d.begin(), d.end());
  return out;
}
