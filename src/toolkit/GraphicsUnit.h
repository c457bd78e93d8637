// The drawing objects the Graphics unit shares between its parts, made on
// first use.
#pragma once

#include <vector>

#include "toolkit/Graphics.h"

struct TGraphicsUnit {
  TGraphicsUnit();
  ~TGraphicsUnit();
  TGraphicsUnit(const TGraphicsUnit &) = delete;
  TGraphicsUnit &operator=(const TGraphicsUnit &) = delete;

  TFontData DefFontData;
  HDC ScreenDC;
  int32_t ScreenLogPixels;
  HGDIOBJ StockPen;
  HGDIOBJ StockBrush;
  HGDIOBJ StockFont;
  // The 16 standard colours, the first and last eight from the system
  // palette when the screen uses one.
  HPALETTE SystemPalette16;
  TResourceManager FontManager{sizeof(TFontData)};
  TResourceManager PenManager{sizeof(TPenData)};
  TResourceManager BrushManager{sizeof(TBrushData)};
  // Bitmap canvases that hold a memory context.
  std::vector<TBitmapCanvas *> BitmapCanvasList;
};

TGraphicsUnit &GraphicsUnit();
