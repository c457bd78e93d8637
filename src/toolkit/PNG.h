// The decoder of the wizard's logo: 8-bit palette PNG images into a bitmap.
#pragma once

#include "toolkit/Graphics.h"

class TPNGImage : public TBitmap {
public:
  // Reads from the stream's position. The result is an 8-bit palette bitmap
  // with the file's palette (up to 256 entries) and pixels, rows top first.
  // Filtered rows and image data split over chunks are taken; other kinds of
  // PNG give a wrong picture. Without a usable IHDR, PLTE or image data
  // nothing changes. Short image data leaves the remaining rows as they were.
  void LoadFromStream(TStream &stream) override;
};
