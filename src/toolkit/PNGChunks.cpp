#include "toolkit/PNGChunks.h"

#include <cstdlib>
#include <cstring>

#include "runtime/Zlib.h"

namespace {

int ChunkIndex(const uint8_t *type) {
  static const char Types[4][5] = {"IHDR", "PLTE", "IDAT", "IEND"};
  for (int i = ciIEND; i >= ciIHDR; --i)
    if (std::memcmp(type, Types[i], 4) == 0) return i;
  return -1;
}

uint8_t Paeth(uint8_t left, uint8_t up, uint8_t upLeft) {
  int p = left + up - upLeft;
  int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
  if (pa <= pb && pa <= pc) return left;
  return pb <= pc ? up : upLeft;
}

}  // namespace

uint32_t BigEndian32(const uint8_t *p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}

void ReadChunks(TStream &stream, TChunkTable &chunks) {
  for (auto &slot : chunks) slot.reset();
  stream.Seek(8, soFromCurrent);
  const int64_t size = stream.Size();
  while (stream.Position() < size) {
    uint8_t head[8];
    if (stream.Read(head, 8) != 8) break;
    uint32_t length = BigEndian32(head);
    int index = ChunkIndex(head + 4);
    if (index == ciIEND || length > size - stream.Position()) break;
    if (index < 0) {
      stream.Seek(static_cast<int32_t>(length), soFromCurrent);
    } else {
      auto &slot = chunks[index];
      if (!slot || index != ciIDAT) slot = std::make_unique<TChunk>();
      // CopyFrom takes a count of 0 for the whole stream.
      if (length > 0) slot->CopyFrom(stream, static_cast<int32_t>(length));
    }
    stream.Seek(4, soFromCurrent);
  }
}

bool ImageSize(const TChunkTable &chunks, uint32_t &width, uint32_t &height) {
  TChunk *header = chunks[ciIHDR].get();
  if (header == nullptr || header->Size() < 8) return false;
  width = BigEndian32(header->Data());
  height = BigEndian32(header->Data() + 4);
  constexpr uint32_t maxSide = 16384, maxPixels = 1u << 24;
  return width >= 1 && height >= 1 && width <= maxSide && height <= maxSide && width * height <= maxPixels;
}

void UnfilterRow(uint8_t filter, uint8_t *row, const uint8_t *prior, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t left = i > 0 ? row[i - 1] : 0;
    uint8_t upLeft = i > 0 ? prior[i - 1] : 0;
    switch (filter) {
      case 1: row[i] = static_cast<uint8_t>(row[i] + left); break;
      case 2: row[i] = static_cast<uint8_t>(row[i] + prior[i]); break;
      case 3: row[i] = static_cast<uint8_t>(row[i] + (left + prior[i]) / 2); break;
      case 4: row[i] = static_cast<uint8_t>(row[i] + Paeth(left, prior[i], upLeft)); break;
      default: return;
    }
  }
}

TRowReader::TRowReader(TStream &data, uint32_t rowBytes)
    : FData(data), FRowBytes(rowBytes), FLine(rowBytes + 1), FPrior(rowBytes) {}

uint32_t TRowReader::Next(uint8_t *row) {
  int32_t got = FData.Read(FLine.data(), static_cast<int32_t>(FLine.size()));
  if (got <= 0) return 0;
  std::memset(FLine.data() + got, 0, FLine.size() - static_cast<size_t>(got));
  UnfilterRow(FLine[0], FLine.data() + 1, FPrior.data(), FRowBytes);
  std::memcpy(FPrior.data(), FLine.data() + 1, FRowBytes);
  uint32_t delivered = static_cast<uint32_t>(got) - 1;
  std::memcpy(row, FLine.data() + 1, delivered);
  return delivered;
}

void DecodeRows(TStream &imageData, uint32_t width, uint32_t height, const std::function<uint8_t *(uint32_t)> &scanLine) {
  TZDecompressionStream data(imageData);
  data.SetPosition(0);
  TRowReader rows(data, (width * 8 + 7) / 8);
  for (uint32_t y = 0; y < height; ++y)
    if (rows.Next(scanLine(y)) < width) break;
}
