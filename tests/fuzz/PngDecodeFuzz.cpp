// The picture decoder's portable core over any bytes: the chunks, the image
// size, then the image data inflated and unfiltered row by row into rows of
// exactly the image's width, as the decoder does into its bitmap (which needs
// the native graphics and is left out here).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/PNGChunks.h"

namespace {

// A memory stream over the given bytes, at its start.
class TInputStream : public TMemoryStream {
public:
  TInputStream(const uint8_t *data, size_t size) {
    WriteBuffer(data, static_cast<int32_t>(size));
    SetPosition(0);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TInputStream stream(data, size);
  TChunkTable chunks;
  ReadChunks(stream, chunks);
  uint32_t width, height;
  if (!ImageSize(chunks, width, height) || !chunks[ciPLTE] || !chunks[ciIDAT]) return 0;
  // One row of the image's width: a write past it is caught, and no image of
  // up to 16 MiB is made for every input.
  std::vector<uint8_t> row(width);
  DecodeRows(*chunks[ciIDAT], width, height, [&row](uint32_t) { return row.data(); });
  return 0;
}
