// The canvas: lazy selection of font, pen and brush into a device context.
#include "toolkit/Graphics.h"
#include "toolkit/GraphicsUnit.h"

LV_PUBLISH(TCanvas) { return {}; }

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush) {
  FFont->OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
  FPen->OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
  FBrush->OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
  Changing();
  RequiredState(csAllValid);
  return FHandle;
}

void TCanvas::SetHandle(HDC value) {
  if (FHandle == value) return;
  if (FHandle != nullptr) {
    DeselectHandles();
    GetCurrentPositionEx(FHandle, &FPenPos);
    FHandle = nullptr;
    FState &= ~csHandleValid;
  }
  if (value != nullptr) {
    FState |= csHandleValid;
    FHandle = value;
    MoveToEx(FHandle, FPenPos.x, FPenPos.y, nullptr);
  }
}

POINT TCanvas::PenPos() {
  if (FHandle != nullptr) GetCurrentPositionEx(FHandle, &FPenPos);
  return FPenPos;
}

void TCanvas::SetPenPos(POINT value) { MoveTo(value.x, value.y); }

void TCanvas::RequiredState(TCanvasState required) {
  TCanvasState needed = required & ~FState;
  if (needed == 0) return;
  if (needed & csHandleValid) {
    CreateHandle();
    if (FHandle == nullptr) throw Exception("The canvas has no device context to draw on");
  }
  if (needed & csFontValid) SelectFont();
  if (needed & csPenValid) SelectPen();
  if (needed & csBrushValid) SelectBrush();
  FState |= needed;
}

void TCanvas::DeselectHandles() {
  if (FHandle == nullptr || (FState & (csFontValid | csPenValid | csBrushValid)) == 0) return;
  SelectObject(FHandle, GraphicsUnit().StockPen);
  SelectObject(FHandle, GraphicsUnit().StockBrush);
  SelectObject(FHandle, GraphicsUnit().StockFont);
  FState &= ~(csFontValid | csPenValid | csBrushValid);
}

void TCanvas::SelectFont() {
  SelectObject(FHandle, FFont->Handle());
  SetTextColor(FHandle, ColorToRGB(FFont->Color()));
}

void TCanvas::SelectPen() {
  SelectObject(FHandle, FPen->Handle());
  SetROP2(FHandle, R2_COPYPEN);
}

void TCanvas::SelectBrush() {
  HBRUSH brush = FBrush->Handle();
  UnrealizeObject(brush);
  SelectObject(FHandle, brush);
  SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
  SetBkMode(FHandle, FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
}

void TCanvas::FontChanged(TObject *) { ObjectChanged(csFontValid, GraphicsUnit().StockFont); }

void TCanvas::PenChanged(TObject *) { ObjectChanged(csPenValid, GraphicsUnit().StockPen); }

void TCanvas::BrushChanged(TObject *) { ObjectChanged(csBrushValid, GraphicsUnit().StockBrush); }

void TCanvas::ObjectChanged(TCanvasState which, HGDIOBJ stockObject) {
  if ((FState & which) == 0) return;
  FState &= ~which;
  SelectObject(FHandle, stockObject);
}

void TCanvas::FillRect(const RECT &rect) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  ::FillRect(FHandle, &rect, FBrush->Handle());
}

void TCanvas::MoveTo(int32_t x, int32_t y) {
  RequiredState(csHandleValid);
  MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int32_t x, int32_t y) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::LineTo(FHandle, x, y);
}

void TCanvas::Polyline(std::span<const POINT> points) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Polyline(FHandle, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Draw(int32_t x, int32_t y, TGraphic *graphic) {
  if (graphic == nullptr || graphic->Empty()) return;
  Changing();
  RequiredState(csHandleValid);
  SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
  SetTextColor(FHandle, ColorToRGB(FFont->Color()));
  graphic->Draw(this, RECT{x, y, x + graphic->Width(), y + graphic->Height()});
}

SIZE TCanvas::TextExtent(const AnsiString &text) {
  RequiredState(csHandleValid | csFontValid);
  WideString wide = UTF8Decode(text);
  SIZE size{};
  GetTextExtentPointW(FHandle, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}
