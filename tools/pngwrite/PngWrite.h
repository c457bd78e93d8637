// PNG files as bytes for the host tools, the same bytes on every run: 8 bits
// a channel, no interlace, no time or text chunks, one zlib stream at level 9.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Colour types.
constexpr uint8_t PngPalette = 3;
constexpr uint8_t PngRgba = 6;

// The eight signature bytes.
Bytes PngSignature();
// The data of an IHDR chunk.
Bytes PngHeader(uint32_t width, uint32_t height, uint8_t colourType);
// Appends one chunk: length, type, data, CRC.
void AppendPngChunk(Bytes &out, const char *type, const Bytes &data);
// Appends a 32-bit big-endian number.
void AppendBE32(Bytes &out, uint32_t v);
// One zlib stream at level 9.
Bytes DeflateBest(const Bytes &raw);
// A whole file: every row behind filter byte 0, one IDAT. pixels holds
// height rows of rowBytes bytes, top first; palette (RGB triples) only for
// PngPalette.
Bytes EncodePng(uint32_t width, uint32_t height, uint8_t colourType, const Bytes *palette, const uint8_t *pixels,
                size_t rowBytes);
// Writes the bytes to a file; raises std::runtime_error when that fails.
void WriteBytes(const std::string &path, const Bytes &bytes);
