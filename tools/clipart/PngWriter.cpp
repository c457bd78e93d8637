#include "PngWriter.h"

#include <zlib.h>

#include <stdexcept>

namespace {

void AppendBE(std::string &out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(v >> shift & 0xFF));
}

void AppendChunk(std::string &out, const char type[4], const std::string &data) {
  AppendBE(out, static_cast<uint32_t>(data.size()));
  std::string body(type, 4);
  body += data;
  out += body;
  AppendBE(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef *>(body.data()), body.size())));
}

}  // namespace

std::string EncodePng(const TCanvas &canvas) {
  const size_t rowBytes = static_cast<size_t>(canvas.Width()) * 4;
  // Each row behind filter byte 0 (none).
  std::string raw;
  for (int y = 0; y < canvas.Height(); ++y) {
    raw.push_back('\0');
    raw.append(reinterpret_cast<const char *>(canvas.Pixels().data()) + y * rowBytes, rowBytes);
  }
  uLongf packedSize = compressBound(raw.size());
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef *>(packed.data()), &packedSize, reinterpret_cast<const Bytef *>(raw.data()),
                raw.size(), Z_BEST_COMPRESSION) != Z_OK)
    throw std::runtime_error("zlib could not compress an image");
  packed.resize(packedSize);

  std::string header;
  AppendBE(header, static_cast<uint32_t>(canvas.Width()));
  AppendBE(header, static_cast<uint32_t>(canvas.Height()));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // depth 8, RGBA, deflate, filter 0, no interlace

  std::string png("\x89PNG\r\n\x1A\n", 8);
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", packed);
  AppendChunk(png, "IEND", "");
  return png;
}
