#include "toolkit/PNG.h"

#include <algorithm>

#include "toolkit/PNGChunks.h"

namespace {

HPALETTE CreatePaletteFromChunk(TChunk &plte) {
  struct {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[256];
  } palette{0x300, static_cast<WORD>(std::min<int32_t>(plte.Size() / 3, 256)), {}};
  const uint8_t *rgb = plte.Data();
  for (int i = 0; i < palette.palNumEntries; ++i)
    palette.palPalEntry[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], 0};
  return palette.palNumEntries > 0 ? CreatePalette(reinterpret_cast<LOGPALETTE *>(&palette)) : nullptr;
}

// Inflates the image data into the image's rows, one byte per pixel.
void DecodeImageData(TChunk &idat, TChunk &plte) {
  const uint32_t width = BigEndian32(idat.Header), height = BigEndian32(idat.Header + 4);
  HPALETTE palette = CreatePaletteFromChunk(plte);
  if (palette == nullptr) return;
  TPNGImage &image = *idat.Image;
  image.SetPixelFormat(pf8Bit);
  image.SetPalette(palette);
  image.SetSize(static_cast<int32_t>(width), static_cast<int32_t>(height));
  DecodeRows(idat, width, height,
             [&image](uint32_t y) { return static_cast<uint8_t *>(image.ScanLine(static_cast<int32_t>(y))); });
}

}  // namespace

void TPNGImage::LoadFromStream(TStream &stream) {
  TChunkTable chunks;
  ReadChunks(stream, chunks);
  uint32_t width, height;
  if (!ImageSize(chunks, width, height) || !chunks[ciPLTE] || !chunks[ciIDAT]) return;
  for (uint8_t i = ciIHDR; i < ciIEND; ++i) {
    chunks[i]->Index = i;
    chunks[i]->Image = this;
    chunks[i]->Header = chunks[ciIHDR]->Data();
  }
  for (auto &chunk : chunks)
    if (chunk->Index == ciIDAT) DecodeImageData(*chunk, *chunks[ciPLTE]);
}
