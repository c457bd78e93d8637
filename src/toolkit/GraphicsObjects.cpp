// The resource cache and the fonts, pens and brushes that share its records.
#include <cstring>

#include "toolkit/Graphics.h"
#include "toolkit/GraphicsUnit.h"

namespace {

uint16_t Hash(const void *data, int32_t size) {
  const auto *bytes = static_cast<const uint8_t *>(data);
  uint16_t h = 0;
  for (int32_t i = 0; i < size; ++i) h = static_cast<uint16_t>(((h << 5) | (h >> 11)) ^ bytes[i]);
  return h;
}

// A copy of a shared record to change one field in; the handle of a key is 0.
template <class T>
T KeyFrom(const T &data) {
  T key;
  std::memcpy(&key, &data, sizeof key);
  key.Handle = nullptr;
  return key;
}

}  // namespace

TResourceManager::~TResourceManager() {
  while (FResList != nullptr) {
    TResource *next = FResList->Next;
    if (FResList->Handle != nullptr) DeleteObject(FResList->Handle);
    delete FResList;
    FResList = next;
  }
}

TResource *TResourceManager::AllocResource(const void *data) {
  uint16_t hash = Hash(data, FResDataSize);
  TResource *found = FResList;
  while (found != nullptr && (found->HashCode != hash || std::memcmp(&found->Data, data, FResDataSize) != 0))
    found = found->Next;
  if (found == nullptr) {
    found = new TResource{};
    std::memcpy(&found->Data, data, FResDataSize);
    found->Handle = *static_cast<const HGDIOBJ *>(data);
    found->HashCode = hash;
    found->Next = FResList;
    FResList = found;
  }
  ++found->RefCount;
  return found;
}

void TResourceManager::FreeResource(TResource *resource) {
  if (resource == nullptr || --resource->RefCount != 0) return;
  TResource **link = &FResList;
  while (*link != nullptr && *link != resource) link = &(*link)->Next;
  if (*link != nullptr) *link = resource->Next;
  if (resource->Handle != nullptr) DeleteObject(resource->Handle);
  delete resource;
}

void TResourceManager::ChangeResource(TGraphicsObject *object, const void *data) {
  TResource *old = object->FResource;
  object->FResource = AllocResource(data);
  // Listeners deselect the old handle before it may be deleted below.
  if (object->FResource != old) object->Changed();
  FreeResource(old);
}

void TResourceManager::AssignResource(TGraphicsObject *object, TResource *resource) {
  TResource *old = object->FResource;
  if (old == resource) return;
  ++resource->RefCount;
  object->FResource = resource;
  object->Changed();
  FreeResource(old);
}

LV_PUBLISH(TGraphicsObject) { return {}; }
LV_PUBLISH(TFont) { return {}; }
LV_PUBLISH(TPen) { return {}; }
LV_PUBLISH(TBrush) { return {}; }

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

TFont::TFont() : FPixelsPerInch(GraphicsUnit().ScreenLogPixels) {
  FResource = GraphicsUnit().FontManager.AllocResource(&GraphicsUnit().DefFontData);
}

TFont::~TFont() { GraphicsUnit().FontManager.FreeResource(FResource); }

void TFont::Assign(TPersistent *source) {
  auto *font = ObjectAs<TFont>(source);
  if (font == nullptr) return TGraphicsObject::Assign(source);
  GraphicsUnit().FontManager.AssignResource(this, font->FResource);
  SetColor(font->Color());
  if (FPixelsPerInch != font->FPixelsPerInch) SetSize(font->Size());
}

HFONT TFont::Handle() {
  if (FResource->Handle == nullptr) {
    const TFontData &data = FResource->Data.Font;
    LOGFONTA font{};
    font.lfHeight = data.Height;
    font.lfWeight = (data.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::memcpy(font.lfFaceName, data.Name, sizeof data.Name);
    FResource->Handle = CreateFontIndirectA(&font);
  }
  return static_cast<HFONT>(FResource->Handle);
}

void TFont::SetColor(TColor value) {
  if (FColor == value) return;
  FColor = value;
  Changed();
}

void TFont::Change(const TFontData &data) { GraphicsUnit().FontManager.ChangeResource(this, &data); }

void TFont::SetHeight(int32_t value) {
  TFontData data = KeyFrom(FResource->Data.Font);
  data.Height = value;
  Change(data);
}

int32_t TFont::Size() const { return -MulDiv(Height(), 72, FPixelsPerInch); }

void TFont::SetSize(int32_t value) { SetHeight(-MulDiv(value, FPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles value) {
  TFontData data = KeyFrom(FResource->Data.Font);
  data.Style = value;
  Change(data);
}

TPen::TPen() {
  TPenData data;
  std::memset(&data, 0, sizeof data);
  data.Color = clBlack;
  data.Width = 1;
  FResource = GraphicsUnit().PenManager.AllocResource(&data);
}

TPen::~TPen() { GraphicsUnit().PenManager.FreeResource(FResource); }

void TPen::Assign(TPersistent *source) {
  auto *pen = ObjectAs<TPen>(source);
  if (pen == nullptr) return TGraphicsObject::Assign(source);
  GraphicsUnit().PenManager.AssignResource(this, pen->FResource);
}

HPEN TPen::Handle() {
  if (FResource->Handle == nullptr) {
    const TPenData &data = FResource->Data.Pen;
    LOGPEN pen{PS_SOLID, {data.Width, 0}, ColorToRGB(data.Color)};
    FResource->Handle = CreatePenIndirect(&pen);
  }
  return static_cast<HPEN>(FResource->Handle);
}

void TPen::Change(const TPenData &data) { GraphicsUnit().PenManager.ChangeResource(this, &data); }

void TPen::SetColor(TColor value) {
  TPenData data = KeyFrom(FResource->Data.Pen);
  data.Color = value;
  Change(data);
}

void TPen::SetWidth(int32_t value) {
  if (value < 0) return;
  TPenData data = KeyFrom(FResource->Data.Pen);
  data.Width = value;
  Change(data);
}

TBrush::TBrush() {
  TBrushData data;
  std::memset(&data, 0, sizeof data);
  data.Color = clWhite;
  data.Style = bsSolid;
  FResource = GraphicsUnit().BrushManager.AllocResource(&data);
}

TBrush::~TBrush() { GraphicsUnit().BrushManager.FreeResource(FResource); }

void TBrush::Assign(TPersistent *source) {
  auto *brush = ObjectAs<TBrush>(source);
  if (brush == nullptr) return TGraphicsObject::Assign(source);
  GraphicsUnit().BrushManager.AssignResource(this, brush->FResource);
}

HBRUSH TBrush::Handle() {
  if (FResource->Handle == nullptr) {
    const TBrushData &data = FResource->Data.Brush;
    LOGBRUSH brush{static_cast<UINT>(data.Style == bsClear ? BS_NULL : BS_SOLID), ColorToRGB(data.Color), 0};
    FResource->Handle = CreateBrushIndirect(&brush);
  }
  return static_cast<HBRUSH>(FResource->Handle);
}

void TBrush::Change(const TBrushData &data) { GraphicsUnit().BrushManager.ChangeResource(this, &data); }

void TBrush::SetColor(TColor value) {
  TBrushData data = KeyFrom(FResource->Data.Brush);
  data.Color = value;
  if (data.Style == bsClear) data.Style = bsSolid;
  Change(data);
}

void TBrush::SetStyle(TBrushStyle value) {
  TBrushData data = KeyFrom(FResource->Data.Brush);
  data.Style = value;
  Change(data);
}
