// Writes a canvas as a PNG file: 8-bit RGBA, no interlacing, one zlib stream
// at level 9, no time or text chunks, so the same canvas gives the same bytes.
#pragma once

#include <string>

#include "Canvas.h"

std::string EncodePng(const TCanvas &canvas);
