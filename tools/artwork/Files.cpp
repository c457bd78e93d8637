#include "Files.h"

#include <zlib.h>

#include <cstdio>
#include <stdexcept>

namespace {

void Put32(Bytes &out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutLE(Bytes &out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Chunk(Bytes &out, const char *type, const Bytes &data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

Bytes Deflate(const Bytes &raw) {
  uLongf size = compressBound(raw.size());
  Bytes out(size);
  if (compress2(out.data(), &size, raw.data(), raw.size(), 9) != Z_OK) throw std::runtime_error("deflate failed");
  out.resize(size);
  return out;
}

Bytes Png(int width, int height, uint8_t colourType, const Bytes *palette, const Bytes &rows) {
  static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes out(signature, signature + 8);
  Bytes header;
  Put32(header, static_cast<uint32_t>(width));
  Put32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, colourType, 0, 0, 0});
  Chunk(out, "IHDR", header);
  if (palette != nullptr) Chunk(out, "PLTE", *palette);
  Chunk(out, "IDAT", Deflate(rows));
  Chunk(out, "IEND", {});
  return out;
}

// Each row: filter byte 0, then the row.
Bytes Rows(const uint8_t *pixels, int rowBytes, int height) {
  Bytes rows;
  for (int y = 0; y < height; ++y) {
    rows.push_back(0);
    rows.insert(rows.end(), pixels + y * rowBytes, pixels + (y + 1) * rowBytes);
  }
  return rows;
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
  return Png(width, height, 3, &palette, Rows(image.indices.data(), width, height));
}

Bytes RgbaPng(const Bytes &rgba, int width, int height) {
  return Png(width, height, 6, nullptr, Rows(rgba.data(), width * 4, height));
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

void WriteFile(const std::string &path, const Bytes &bytes) {
  FILE *f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0)
    throw std::runtime_error("cannot write " + path);
}
