// Bitmaps: device-independent sections with a pixel format and palette,
// shared between assigned bitmaps until one of them changes.
#include <algorithm>
#include <optional>

#include "toolkit/Graphics.h"
#include "toolkit/GraphicsUnit.h"

namespace {

const uint16_t BitCounts[] = {0, 1, 4, 8, 16, 16, 24, 32};

struct TColorTable {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

struct TLogPalette {
  WORD palVersion;
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[256];
};

// A bitmap selected into a memory context, with its palette realized.
class TMemoryContext {
public:
  TMemoryContext(HBITMAP bitmap, HPALETTE palette) : DC(CreateCompatibleDC(nullptr)) {
    OldBitmap = SelectObject(DC, bitmap);
    if (palette != nullptr) {
      OldPalette = SelectPalette(DC, palette, TRUE);
      RealizePalette(DC);
    }
  }
  ~TMemoryContext() {
    if (OldPalette != nullptr) SelectPalette(DC, OldPalette, TRUE);
    SelectObject(DC, OldBitmap);
    DeleteDC(DC);
  }
  TMemoryContext(const TMemoryContext &) = delete;
  TMemoryContext &operator=(const TMemoryContext &) = delete;

  HDC DC;

private:
  HGDIOBJ OldBitmap;
  HPALETTE OldPalette = nullptr;
};

// A bitmap can be selected into one context only: canvases holding it let go.
void DeselectBitmap(HBITMAP bitmap) {
  if (bitmap == nullptr) return;
  auto &list = GraphicsUnit().BitmapCanvasList;
  for (size_t i = list.size(); i-- > 0;)
    if (list[i]->Bitmap()->Image()->FHandle == bitmap) list[i]->FreeContext();
}

UINT PaletteColors(HPALETTE palette, UINT count, RGBQUAD *colors) {
  PALETTEENTRY entries[256];
  count = GetPaletteEntries(palette, 0, count, entries);
  for (UINT i = 0; i < count; ++i) colors[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  return count;
}

// Black and white for one bit, else the 16 standard colours.
UINT DefaultColors(uint16_t bitCount, RGBQUAD *colors) {
  if (bitCount == 1) {
    colors[0] = {0, 0, 0, 0};
    colors[1] = {255, 255, 255, 0};
    return 2;
  }
  return PaletteColors(GraphicsUnit().SystemPalette16, 16, colors);
}

HPALETTE CopyPalette(HPALETTE palette) {
  if (palette == nullptr) return nullptr;
  TLogPalette copy{0x300, 0, {}};
  WORD count = 0;
  GetObjectW(palette, sizeof count, &count);
  copy.palNumEntries = static_cast<WORD>(GetPaletteEntries(palette, 0, std::min<WORD>(count, 256), copy.palPalEntry));
  return CreatePalette(reinterpret_cast<LOGPALETTE *>(&copy));
}

}  // namespace

LV_PUBLISH(TBitmap) { return {}; }
LV_PUBLISH(TBitmapCanvas) { return {}; }

TBitmapImage::~TBitmapImage() {
  if (FHandle != nullptr) DeleteObject(FHandle);
  if (FPalette != nullptr) DeleteObject(FPalette);
}

TBitmap::TBitmap() : FImage(new TBitmapImage) {
  FImage->Reference();
  FImage->FDIB.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
}

TBitmap::~TBitmap() {
  delete FCanvas;
  FImage->Release();
}

void TBitmap::Assign(TPersistent *source) {
  auto *bitmap = ObjectAs<TBitmap>(source);
  if (bitmap == nullptr) return TGraphic::Assign(source);
  if (bitmap == this) return;
  FreeContext();
  ReplaceImage(bitmap->FImage);
  FPaletteFailed = bitmap->FPaletteFailed;
}

void TBitmap::FreeContext() {
  if (FCanvas != nullptr) FCanvas->FreeContext();
}

TColor TBitmap::FillColor() const { return FCanvas != nullptr ? FCanvas->Brush()->Color() : clWhite; }

void TBitmap::ReplaceImage(TBitmapImage *image) {
  image->Reference();
  FImage->Release();
  FImage = image;
}

// The new picture takes palette (moved from the current image when it is
// that image's own). The current image must not be shared unless palette is
// a copy.
void TBitmap::NewImage(int32_t width, int32_t height, uint16_t bitCount, HPALETTE palette) {
  FreeContext();
  TBitmapImage *old = FImage;
  auto *image = new TBitmapImage;
  image->FPalette = palette;
  BITMAPINFOHEADER &header = image->FDIB.dsBmih;
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = bitCount;
  image->FDIB.dsBm.bmWidth = width;
  image->FDIB.dsBm.bmHeight = height;

  if (width > 0 && height > 0) {
    DeselectBitmap(old->FHandle);
    std::optional<TMemoryContext> from;
    if (old->FHandle != nullptr) from.emplace(old->FHandle, old->FPalette);
    if (bitCount == 0) {
      image->FHandle = CreateCompatibleBitmap(GraphicsUnit().ScreenDC, width, height);
    } else {
      TColorTable info{header, {}};
      if (bitCount <= 8) {
        UINT count = 1u << bitCount, used = 0;
        if (palette != nullptr)
          used = PaletteColors(palette, count, info.Colors);
        else if (from && old->FDIBHandle != nullptr && old->FDIB.dsBmih.biBitCount <= 8)
          used = GetDIBColorTable(from->DC, 0, count, info.Colors);
        if (used == 0) used = DefaultColors(bitCount, info.Colors);
        info.Header.biClrUsed = used;
      }
      void *bits = nullptr;
      image->FHandle = CreateDIBSection(GraphicsUnit().ScreenDC, reinterpret_cast<BITMAPINFO *>(&info),
                                        DIB_RGB_COLORS, &bits, nullptr, 0);
      image->FDIBHandle = image->FHandle;
    }
    if (image->FHandle == nullptr) {
      if (palette == old->FPalette) image->FPalette = nullptr;
      delete image;
      throw Exception(Format("Cannot create a bitmap of %s x %s pixels",
                             {std::to_string(width), std::to_string(height)}));
    }
    if (image->FDIBHandle != nullptr)
      GetObjectW(image->FHandle, sizeof image->FDIB, &image->FDIB);
    else
      GetObjectW(image->FHandle, sizeof image->FDIB.dsBm, &image->FDIB.dsBm);

    TMemoryContext to(image->FHandle, palette);
    RECT all{0, 0, width, height};
    HBRUSH fill = CreateSolidBrush(ColorToRGB(FillColor()));
    ::FillRect(to.DC, &all, fill);
    DeleteObject(fill);
    if (from) BitBlt(to.DC, 0, 0, std::min(width, Width()), std::min(height, Height()), from->DC, 0, 0, SRCCOPY);
  }
  if (old->FPalette == palette) old->FPalette = nullptr;
  ReplaceImage(image);
}

void TBitmap::Changing() {
  if (FImage->RefCount() > 1)
    NewImage(Width(), Height(), FImage->FDIB.dsBmih.biBitCount, CopyPalette(FImage->FPalette));
}

void TBitmap::SetWidth(int32_t value) {
  value = std::max(value, 0);
  if (value == Width()) return;
  Changing();
  NewImage(value, Height(), FImage->FDIB.dsBmih.biBitCount, FImage->FPalette);
}

void TBitmap::SetHeight(int32_t value) {
  value = std::max(value, 0);
  if (value == Height()) return;
  Changing();
  NewImage(Width(), value, FImage->FDIB.dsBmih.biBitCount, FImage->FPalette);
}

void TBitmap::SetSize(int32_t width, int32_t height) {
  SetWidth(width);
  SetHeight(height);
}

// 16 bits read as pf15Bit: the sections are made without colour masks, which
// means 5-5-5.
TPixelFormat TBitmap::PixelFormat() const {
  switch (FImage->FDIB.dsBmih.biBitCount) {
    case 0: return pfDevice;
    case 1: return pf1Bit;
    case 4: return pf4Bit;
    case 8: return pf8Bit;
    case 16: return pf15Bit;
    case 24: return pf24Bit;
    case 32: return pf32Bit;
    default: return pfCustom;
  }
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
  if (value >= pfCustom) throw Exception("A bitmap cannot be given a custom pixel format");
  uint16_t bitCount = BitCounts[value];
  if (bitCount == FImage->FDIB.dsBmih.biBitCount) return;
  Changing();
  HPALETTE palette = FImage->FPalette;
  if (value == pf8Bit) palette = CreateHalftonePalette(GraphicsUnit().ScreenDC);
  NewImage(Width(), Height(), bitCount, palette);
}

void TBitmap::SetPalette(HPALETTE value) {
  if (value == FImage->FPalette) return;
  Changing();
  FPaletteFailed = false;
  NewImage(Width(), Height(), FImage->FDIB.dsBmih.biBitCount, value);
}

void *TBitmap::ScanLine(int32_t row) {
  Changing();
  if (FImage->FDIBHandle == nullptr) throw Exception("A scan line needs a device-independent bitmap");
  if (row < 0 || row >= Height()) throw Exception("Scan line index out of range");
  GdiFlush();
  const BITMAPINFOHEADER &header = FImage->FDIB.dsBmih;
  int32_t bytesPerRow = ((header.biWidth * header.biBitCount + 31) / 32) * 4;
  if (header.biHeight > 0) row = header.biHeight - row - 1;
  return static_cast<uint8_t *>(FImage->FDIB.dsBm.bmBits) + row * bytesPerRow;
}

TCanvas *TBitmap::Canvas() {
  if (FCanvas == nullptr) FCanvas = new TBitmapCanvas(this);
  return FCanvas;
}

HBITMAP TBitmap::Handle() {
  Changing();
  return FImage->FHandle;
}

// Tried once: a palette from the section's colour table.
void TBitmap::MakePaletteFromColorTable() {
  const BITMAPINFOHEADER &header = FImage->FDIB.dsBmih;
  if (FImage->FDIBHandle != nullptr && header.biBitCount <= 8) {
    RGBQUAD colors[256];
    UINT count;
    {
      DeselectBitmap(FImage->FHandle);
      TMemoryContext dc(FImage->FHandle, nullptr);
      count = GetDIBColorTable(dc.DC, 0, 1u << header.biBitCount, colors);
    }
    if (count > 0) {
      TLogPalette palette{0x300, static_cast<WORD>(count), {}};
      for (UINT i = 0; i < count; ++i)
        palette.palPalEntry[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
      FImage->FPalette = CreatePalette(reinterpret_cast<LOGPALETTE *>(&palette));
    }
  }
  if (FImage->FPalette == nullptr) FPaletteFailed = true;
}

void TBitmap::Draw(TCanvas *canvas, const RECT &rect) {
  if (FImage->FHandle == nullptr) return;
  if (FImage->FPalette == nullptr && !FPaletteFailed) MakePaletteFromColorTable();
  HDC target = canvas->Handle();
  TBitmapCanvas *own = static_cast<TBitmapCanvas *>(Canvas());
  own->RequiredState(csHandleValid);
  StretchBlt(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, own->FHandle, 0, 0,
             Width(), Height(), SRCCOPY);
}

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  TBitmapImage *image = FBitmap->FImage;
  DeselectBitmap(image->FHandle);
  HDC dc = CreateCompatibleDC(nullptr);
  FOldBitmap = image->FHandle != nullptr ? SelectObject(dc, image->FHandle) : nullptr;
  FOldPalette = nullptr;
  if (image->FPalette != nullptr) {
    FOldPalette = SelectPalette(dc, image->FPalette, TRUE);
    RealizePalette(dc);
  }
  SetHandle(dc);
  GraphicsUnit().BitmapCanvasList.push_back(this);
}

void TBitmapCanvas::FreeContext() {
  auto &list = GraphicsUnit().BitmapCanvasList;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (FHandle == nullptr) return;
  HDC dc = FHandle;
  SetHandle(nullptr);
  if (FOldBitmap != nullptr) SelectObject(dc, FOldBitmap);
  if (FOldPalette != nullptr) SelectPalette(dc, FOldPalette, TRUE);
  DeleteDC(dc);
}

void FreeMemoryContexts() {
  auto &list = GraphicsUnit().BitmapCanvasList;
  while (!list.empty()) list.back()->FreeContext();
}
