#include "PngWrite.h"

#include <zlib.h>

#include <cstdio>
#include <stdexcept>

Bytes PngSignature() { return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}; }

void AppendBE32(Bytes &out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

Bytes PngHeader(uint32_t width, uint32_t height, uint8_t colourType) {
  Bytes header;
  AppendBE32(header, width);
  AppendBE32(header, height);
  header.insert(header.end(), {8, colourType, 0, 0, 0});  // depth, type, deflate, filter set 0, no interlace
  return header;
}

void AppendPngChunk(Bytes &out, const char *type, const Bytes &data) {
  AppendBE32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  AppendBE32(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

Bytes DeflateBest(const Bytes &raw) {
  uLongf size = compressBound(raw.size());
  Bytes out(size);
  if (compress2(out.data(), &size, raw.data(), raw.size(), Z_BEST_COMPRESSION) != Z_OK)
    throw std::runtime_error("zlib could not compress an image");
  out.resize(size);
  return out;
}

Bytes EncodePng(uint32_t width, uint32_t height, uint8_t colourType, const Bytes *palette, const uint8_t *pixels,
                size_t rowBytes) {
  Bytes rows;
  for (uint32_t y = 0; y < height; ++y) {
    rows.push_back(0);
    rows.insert(rows.end(), pixels + y * rowBytes, pixels + (y + 1) * rowBytes);
  }
  Bytes out = PngSignature();
  AppendPngChunk(out, "IHDR", PngHeader(width, height, colourType));
  if (palette != nullptr) AppendPngChunk(out, "PLTE", *palette);
  AppendPngChunk(out, "IDAT", DeflateBest(rows));
  AppendPngChunk(out, "IEND", {});
  return out;
}

void WriteBytes(const std::string &path, const Bytes &bytes) {
  FILE *f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0)
    throw std::runtime_error("cannot write " + path);
}
