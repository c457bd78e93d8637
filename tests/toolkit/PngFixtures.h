// The picture decoder's test inputs, made at build time by lv_pngfixtures into
// png/ beside the test program (host: the folder named at compile time).
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

using Bytes = std::vector<uint8_t>;

inline std::string FixturePath(const std::string &name) {
#ifdef _WIN32
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\') + 1) + "png\\" + name;
#else
  return std::string(LV_PNG_FIXTURES) + "/" + name;
#endif
}

inline Bytes ReadFixture(const std::string &name) {
  std::ifstream in(FixturePath(name), std::ios::binary);
  if (!in) throw std::runtime_error("missing test input " + name);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// What libpng decoded: palette as RGB triples and indices, rows top first.
struct IndexedImage {
  uint32_t Width = 0, Height = 0;
  Bytes Palette;
  Bytes Indices;
};

inline IndexedImage ReadIndexed(const std::string &name) {
  Bytes raw = ReadFixture(name);
  auto word = [&](size_t at) { return raw[at] | raw[at + 1] << 8 | raw[at + 2] << 16 | uint32_t(raw[at + 3]) << 24; };
  IndexedImage image;
  image.Width = word(0);
  image.Height = word(4);
  size_t colours = word(8);
  image.Palette.assign(raw.begin() + 12, raw.begin() + 12 + static_cast<long>(colours * 3));
  image.Indices.assign(raw.begin() + 12 + static_cast<long>(colours * 3), raw.end());
  return image;
}

// Where each chunk of a PNG file starts (its length field), by type.
struct ChunkAt {
  std::string Type;
  size_t Offset;
  uint32_t Length;
};

inline std::vector<ChunkAt> Chunks(const Bytes &png) {
  std::vector<ChunkAt> chunks;
  for (size_t at = 8; at + 8 <= png.size();) {
    uint32_t length = uint32_t(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    chunks.push_back({std::string(png.begin() + static_cast<long>(at) + 4, png.begin() + static_cast<long>(at) + 8), at, length});
    at += 12 + length;
  }
  return chunks;
}

inline ChunkAt FindChunk(const Bytes &png, const std::string &type) {
  for (const ChunkAt &c : Chunks(png))
    if (c.Type == type) return c;
  throw std::runtime_error("no " + type + " chunk");
}
