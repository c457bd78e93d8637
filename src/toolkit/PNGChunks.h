// The byte level of the PNG decoder: chunks and row filters. Portable.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "runtime/Streams.h"

class TPNGImage;

// Slots of the known chunk types; IEND only ends the reading.
constexpr uint8_t ciIHDR = 0;
constexpr uint8_t ciPLTE = 1;
constexpr uint8_t ciIDAT = 2;
constexpr uint8_t ciIEND = 3;

// One chunk's data bytes.
class TChunk : public TMemoryStream {
public:
  const uint8_t *Data() const { return static_cast<const uint8_t *>(Memory()); }

  uint8_t Index = 0;
  TPNGImage *Image = nullptr;
  const uint8_t *Header = nullptr;  // the IHDR chunk's data
};

// The chunks of one load, one slot per known type but IEND.
using TChunkTable = std::unique_ptr<TChunk>[ciIEND];

// Reads from the stream's position to its end or to IEND. The signature and
// the CRCs are skipped, unknown types passed over, the last IHDR and PLTE
// kept; image data chunks are joined in order. A chunk running past the end
// of the stream ends the reading and is dropped.
void ReadChunks(TStream &stream, TChunkTable &chunks);

uint32_t BigEndian32(const uint8_t *bytes);

// IHDR's width and height (big-endian) when IHDR is there and the size is one
// the decoder takes: 1 to 16,384 each and at most 2^24 pixels.
bool ImageSize(const TChunkTable &chunks, uint32_t &width, uint32_t &height);

// Undoes the filters Sub, Up, Average and Paeth of a row with one byte per
// pixel; prior is the row above, already unfiltered. Other types leave the
// row as it is.
void UnfilterRow(uint8_t filter, uint8_t *row, const uint8_t *prior, uint32_t count);

// The rows of the inflated image data, one at a time: a filter byte, then the
// row's bytes.
class TRowReader {
public:
  TRowReader(TStream &data, uint32_t rowBytes);
  // Delivers the next row into row; answers how many bytes came (fewer than
  // a row at the end of the data).
  uint32_t Next(uint8_t *row);

private:
  TStream &FData;
  uint32_t FRowBytes;
  std::vector<uint8_t> FLine;
  std::vector<uint8_t> FPrior;
};

// Inflates the image data (one byte per pixel) into height rows of width
// bytes, row y into scanLine(y), top first. Short or damaged data ends the
// rows early and leaves the rest as they were.
void DecodeRows(TStream &imageData, uint32_t width, uint32_t height, const std::function<uint8_t *(uint32_t)> &scanLine);
