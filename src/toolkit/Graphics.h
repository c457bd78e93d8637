// Fonts, pens and brushes with shared native handles, the canvas that draws
// with them, and bitmaps held as device-independent sections.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "runtime/Streams.h"
#include "streaming/Classes.h"

// 0x00BBGGRR, or 0x80000000 plus a system colour index.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindow = static_cast<TColor>(0x80000005);
constexpr TColor clWindowText = static_cast<TColor>(0x80000008);
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);
constexpr TColor clBtnShadow = static_cast<TColor>(0x80000010);
constexpr TColor clBtnHighlight = static_cast<TColor>(0x80000014);

COLORREF ColorToRGB(TColor color);

// A set in one byte; only bold is drawn.
using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 0x01;

enum TBrushStyle : uint8_t { bsSolid = 0, bsClear = 1 };

// The shared data records. The cache compares and hashes them byte for byte,
// so they are only ever built by copying a whole record (padding included).
struct TFontData {
  HFONT Handle;  // 0 in every key
  int32_t Height;  // pixels; negative: character height
  TFontStyles Style;
  uint8_t Charset;  // always DEFAULT_CHARSET
  char Name[32];  // zero-terminated, zero-filled
};
struct TPenData {
  HPEN Handle;
  TColor Color;
  int32_t Width;
};
struct TBrushData {
  HBRUSH Handle;
  TColor Color;
  TBrushStyle Style;
};
static_assert(sizeof(void *) != 4 || (sizeof(TFontData) == 44 && sizeof(TPenData) == 12 && sizeof(TBrushData) == 12));
static_assert(sizeof(void *) != 8 || (sizeof(TFontData) == 48 && sizeof(TPenData) == 16 && sizeof(TBrushData) == 16));

// One cached record; Handle is made on first use and deleted with the record.
struct TResource {
  TResource *Next;
  int32_t RefCount;
  HGDIOBJ Handle;
  uint16_t HashCode;
  union {
    TFontData Font;
    TPenData Pen;
    TBrushData Brush;
  } Data;
};

class TGraphicsObject;

// Equal records share one native object: a list of reference-counted records.
class TResourceManager {
public:
  explicit TResourceManager(int32_t dataSize) : FResDataSize(dataSize) {}
  // Frees every record still listed and deletes its handle.
  ~TResourceManager();
  TResourceManager(const TResourceManager &) = delete;
  TResourceManager &operator=(const TResourceManager &) = delete;

  TResource *AllocResource(const void *data);
  void FreeResource(TResource *resource);
  // Moves the object to the record for data; its Changed runs when that is
  // another record.
  void ChangeResource(TGraphicsObject *object, const void *data);
  void AssignResource(TGraphicsObject *object, TResource *resource);

private:
  TResource *FResList = nullptr;
  int32_t FResDataSize;
};

class TGraphicsObject : public TPersistent {
  LV_CLASS(TGraphicsObject, TPersistent)

public:
  // Called with the object after it changed; empty when nobody listens.
  TNotifyEvent OnChange;
  TResource *Resource() const { return FResource; }

protected:
  virtual void Changed();
  TResource *FResource = nullptr;

  friend class TResourceManager;
};

class TFont : public TGraphicsObject {
  LV_CLASS(TFont, TGraphicsObject)

public:
  TFont();
  ~TFont() override;
  TFont(const TFont &) = delete;
  TFont &operator=(const TFont &) = delete;
  // Shares the source's record and takes its colour; across a different
  // PixelsPerInch it keeps the point size.
  void Assign(TPersistent *source) override;

  HFONT Handle();
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  int32_t Height() const { return FResource->Data.Font.Height; }
  void SetHeight(int32_t value);
  // Points, from Height and PixelsPerInch.
  int32_t Size() const;
  void SetSize(int32_t value);
  TFontStyles Style() const { return FResource->Data.Font.Style; }
  void SetStyle(TFontStyles value);
  const char *Name() const { return FResource->Data.Font.Name; }
  int32_t PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int32_t value) { FPixelsPerInch = value; }

private:
  void Change(const TFontData &data);
  TColor FColor = clWindowText;
  int32_t FPixelsPerInch;
};

class TPen : public TGraphicsObject {
  LV_CLASS(TPen, TGraphicsObject)

public:
  TPen();
  ~TPen() override;
  TPen(const TPen &) = delete;
  TPen &operator=(const TPen &) = delete;
  void Assign(TPersistent *source) override;

  HPEN Handle();
  TColor Color() const { return FResource->Data.Pen.Color; }
  void SetColor(TColor value);
  int32_t Width() const { return FResource->Data.Pen.Width; }
  // A negative width is ignored.
  void SetWidth(int32_t value);

private:
  void Change(const TPenData &data);
};

class TBrush : public TGraphicsObject {
  LV_CLASS(TBrush, TGraphicsObject)

public:
  TBrush();
  ~TBrush() override;
  TBrush(const TBrush &) = delete;
  TBrush &operator=(const TBrush &) = delete;
  void Assign(TPersistent *source) override;

  HBRUSH Handle();
  TColor Color() const { return FResource->Data.Brush.Color; }
  // A colour makes a clear brush solid.
  void SetColor(TColor value);
  TBrushStyle Style() const { return FResource->Data.Brush.Style; }
  void SetStyle(TBrushStyle value);

private:
  void Change(const TBrushData &data);
};

// Which of the handle and the drawing objects are selected into it.
using TCanvasState = uint8_t;
constexpr TCanvasState csHandleValid = 0x01;
constexpr TCanvasState csFontValid = 0x02;
constexpr TCanvasState csPenValid = 0x04;
constexpr TCanvasState csBrushValid = 0x08;
constexpr TCanvasState csAllValid = 0x0F;

class TGraphic;

// Draws on a device context; font, pen and brush are selected only when a
// drawing operation needs them.
class TCanvas : public TPersistent {
  LV_CLASS(TCanvas, TPersistent)

public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas &) = delete;
  TCanvas &operator=(const TCanvas &) = delete;

  // The context with everything selected, for drawing with native calls.
  HDC Handle();
  // Deselects the objects from the old context and carries PenPos over.
  void SetHandle(HDC value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  TCanvasState State() const { return FState; }

  TFont *Font() const { return FFont.get(); }
  TPen *Pen() const { return FPen.get(); }
  TBrush *Brush() const { return FBrush.get(); }
  void SetFont(TFont *value) { FFont->Assign(value); }
  void SetPen(TPen *value) { FPen->Assign(value); }
  void SetBrush(TBrush *value) { FBrush->Assign(value); }
  POINT PenPos();
  void SetPenPos(POINT value);

  void FillRect(const RECT &rect);
  void MoveTo(int32_t x, int32_t y);
  void LineTo(int32_t x, int32_t y);
  void Polyline(std::span<const POINT> points);
  void Draw(int32_t x, int32_t y, TGraphic *graphic);
  // Text is UTF-8.
  SIZE TextExtent(const AnsiString &text);
  int32_t TextWidth(const AnsiString &text) { return TextExtent(text).cx; }
  int32_t TextHeight(const AnsiString &text) { return TextExtent(text).cy; }

protected:
  // Derived canvases obtain their context here when one is needed.
  virtual void CreateHandle() {}
  // Runs before an operation changes what the context shows.
  virtual void Changing() {}
  // Raises Exception when no context can be had.
  void RequiredState(TCanvasState required);
  // Selects the stock objects, so the context no longer holds ours.
  void DeselectHandles();
  HDC FHandle = nullptr;

private:
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void FontChanged(TObject *sender);
  void PenChanged(TObject *sender);
  void BrushChanged(TObject *sender);
  void ObjectChanged(TCanvasState which, HGDIOBJ stockObject);

  TCanvasState FState = 0;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  POINT FPenPos{};
};

// An abstract picture. Those that show it without owning it ask to be told
// when it is freed.
class TGraphic : public TPersistent {
  LV_CLASS(TGraphic, TPersistent)

public:
  TGraphic() = default;
  // Tells every holder still listed.
  ~TGraphic() override;
  TGraphic(const TGraphic &) = delete;
  TGraphic &operator=(const TGraphic &) = delete;
  // Holder is called with this picture when it is freed; a holder that lets
  // go of the picture first removes itself.
  void FreeNotification(const TNotifyEvent &holder);
  void RemoveFreeNotification(const TNotifyEvent &holder);

  virtual void Draw(TCanvas *canvas, const RECT &rect) = 0;
  virtual int32_t Height() const = 0;
  virtual HPALETTE Palette() = 0;
  virtual int32_t Width() const = 0;
  virtual void SetHeight(int32_t value) = 0;
  virtual void SetPalette(HPALETTE value) = 0;
  virtual void SetWidth(int32_t value) = 0;
  virtual void LoadFromStream(TStream &stream) = 0;
  bool Empty() const { return Width() == 0 || Height() == 0; }

private:
  std::vector<TNotifyEvent> FFreeNotifies;
};

// Reference counted; the last Release frees it.
class TSharedImage {
public:
  virtual ~TSharedImage() = default;
  void Reference() { ++FRefCount; }
  void Release() {
    if (--FRefCount == 0) delete this;
  }
  int32_t RefCount() const { return FRefCount; }

private:
  int32_t FRefCount = 0;
};

// The native picture of one or more bitmaps. Width, height and bits per pixel
// are kept in FDIB even while there is no handle (an empty size); bit count 0
// stands for a device-dependent bitmap.
class TBitmapImage : public TSharedImage {
public:
  TBitmapImage() = default;
  ~TBitmapImage() override;
  TBitmapImage(const TBitmapImage &) = delete;
  TBitmapImage &operator=(const TBitmapImage &) = delete;

  HBITMAP FHandle = nullptr;
  HPALETTE FPalette = nullptr;
  HBITMAP FDIBHandle = nullptr;  // FHandle when it is a section, else 0
  DIBSECTION FDIB{};
};

enum TPixelFormat : uint8_t { pfDevice, pf1Bit, pf4Bit, pf8Bit, pf15Bit, pf16Bit, pf24Bit, pf32Bit, pfCustom };

class TBitmapCanvas;

class TBitmap : public TGraphic {
  LV_CLASS(TBitmap, TGraphic)

public:
  TBitmap();
  ~TBitmap() override;
  TBitmap(const TBitmap &) = delete;
  TBitmap &operator=(const TBitmap &) = delete;
  // Shares the source bitmap's image until one of them changes.
  void Assign(TPersistent *source) override;

  // Stretches the whole picture into rect.
  void Draw(TCanvas *canvas, const RECT &rect) override;
  int32_t Height() const override { return FImage->FDIB.dsBm.bmHeight; }
  int32_t Width() const override { return FImage->FDIB.dsBm.bmWidth; }
  // Negative sizes count as 0. The old picture is kept at the top left, the
  // rest filled with the canvas brush colour.
  void SetHeight(int32_t value) override;
  void SetWidth(int32_t value) override;
  void SetSize(int32_t width, int32_t height);
  HPALETTE Palette() override { return FImage->FPalette; }
  // The bitmap owns the palette from now on; palette formats take their
  // colour table from it.
  void SetPalette(HPALETTE value) override;
  // A plain bitmap has no file format of its own.
  void LoadFromStream(TStream &) override {}

  TPixelFormat PixelFormat() const;
  // Raises Exception for pfCustom.
  void SetPixelFormat(TPixelFormat value);
  // Row 0 is the top row. Raises Exception for a row out of range or a
  // device-dependent bitmap.
  void *ScanLine(int32_t row);
  TCanvas *Canvas();
  // The bitmap handle, the image made this bitmap's own first.
  HBITMAP Handle();
  const TBitmapImage *Image() const { return FImage; }

protected:
  // Before a change: gives this bitmap its own copy of a shared image.
  void Changing();

private:
  void FreeContext();
  void NewImage(int32_t width, int32_t height, uint16_t bitCount, HPALETTE palette);
  void ReplaceImage(TBitmapImage *image);
  void MakePaletteFromColorTable();
  TColor FillColor() const;

  TBitmapImage *FImage;
  TBitmapCanvas *FCanvas = nullptr;
  bool FPaletteFailed = false;

  friend class TBitmapCanvas;
};

// The canvas of a bitmap: the bitmap selected into a memory context that is
// released again after every message.
class TBitmapCanvas : public TCanvas {
  LV_CLASS(TBitmapCanvas, TCanvas)

public:
  explicit TBitmapCanvas(TBitmap *bitmap) : FBitmap(bitmap) {}
  ~TBitmapCanvas() override;
  TBitmap *Bitmap() const { return FBitmap; }
  // Selects the old objects back and deletes the memory context.
  void FreeContext();

protected:
  void CreateHandle() override;
  void Changing() override { FBitmap->Changing(); }

private:
  TBitmap *FBitmap;
  HGDIOBJ FOldBitmap = nullptr;
  HPALETTE FOldPalette = nullptr;

  friend class TBitmap;
};

// Releases the memory contexts of all bitmap canvases; the message loop calls
// it after every native message.
void FreeMemoryContexts();

// Two-pass Mitchell filter (B = C = 1/3) from Source into Dest at Dest's
// size; both become 24 bits per pixel. Unfiltered, the picture is stretched
// with StretchBlt instead.
void Resample(TBitmap *source, TBitmap *dest, bool filtered);

// The unit starts on first use (screen context, stock objects, caches). Shut
// down after every graphics object is gone; a later use starts it again.
void DoneGraphics();
