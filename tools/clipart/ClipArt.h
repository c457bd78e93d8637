// The pictures of the clip library: bullets, lines and signs, drawn by code
// so that every build ships the same bytes.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

struct TClipArt {
  std::string Name;  // archive name, "\" between folders
  int Width, Height;
  void (*Draw)(TCanvas &canvas);
};

const std::vector<TClipArt> &ClipArt();
