// Start-up and shut-down of the Graphics unit, and colours.
#include "toolkit/Graphics.h"

#include <cstddef>
#include <cstring>

#include "toolkit/GraphicsUnit.h"

namespace {

TGraphicsUnit *Unit = nullptr;

// The message font of the non-client metrics, in the 340-byte record that
// every system version accepts.
void GetMessageFont(LOGFONTA &font) {
  NONCLIENTMETRICSA metrics{};
  constexpr UINT size = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
  static_assert(size == 340);
  metrics.cbSize = size;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, size, &metrics, 0))
    font = metrics.lfMessageFont;
  else
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
}

HPALETTE CreateSystemPalette16(HDC screen) {
  static const COLORREF standard[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                        0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                        0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  struct {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[16];
  } palette{0x300, 16, {}};
  for (int i = 0; i < 16; ++i)
    palette.palPalEntry[i] = {GetRValue(standard[i]), GetGValue(standard[i]), GetBValue(standard[i]), 0};
  if (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) {
    UINT size = static_cast<UINT>(GetDeviceCaps(screen, SIZEPALETTE));
    GetSystemPaletteEntries(screen, 0, 8, &palette.palPalEntry[0]);
    GetSystemPaletteEntries(screen, size - 8, 8, &palette.palPalEntry[8]);
  }
  return CreatePalette(reinterpret_cast<LOGPALETTE *>(&palette));
}

}  // namespace

TGraphicsUnit::TGraphicsUnit() {
  LOGFONTA message{};
  GetMessageFont(message);
  std::memset(&DefFontData, 0, sizeof DefFontData);
  DefFontData.Height = message.lfHeight;
  DefFontData.Charset = DEFAULT_CHARSET;
  std::memcpy(DefFontData.Name, message.lfFaceName, strnlen(message.lfFaceName, sizeof DefFontData.Name - 1));

  ScreenDC = GetDC(nullptr);
  ScreenLogPixels = GetDeviceCaps(ScreenDC, LOGPIXELSY);
  StockPen = GetStockObject(BLACK_PEN);
  StockBrush = GetStockObject(NULL_BRUSH);
  StockFont = GetStockObject(SYSTEM_FONT);
  SystemPalette16 = CreateSystemPalette16(ScreenDC);
}

TGraphicsUnit::~TGraphicsUnit() {
  FreeMemoryContexts();
  DeleteObject(SystemPalette16);
  ReleaseDC(nullptr, ScreenDC);
}

TGraphicsUnit &GraphicsUnit() {
  if (Unit == nullptr) Unit = new TGraphicsUnit;
  return *Unit;
}

void DoneGraphics() {
  delete Unit;
  Unit = nullptr;
}

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color);
}
