// What tests that drive real windows share: running the queued messages,
// making a control in place, and a bitmap to paint into instead of the
// screen.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/Forms.h"

// Delivers every queued message through the application's pump.
inline void Pump() {
  while (Application->ProcessMessage()) {
  }
}

// A new control named Name at Bounds (left, top, width, height) in Parent,
// owned by the form that owns Parent, or by Parent itself.
template <class T>
T *Add(TWinControl *Parent, const char *Name, RECT Bounds) {
  auto *control = new T(Parent->Owner() != nullptr ? Parent->Owner() : Parent);
  control->SetName(Name);
  control->SetBounds(Bounds.left, Bounds.top, Bounds.right, Bounds.bottom);
  control->SetParent(Parent);
  return control;
}

// A 32-bit bitmap, white at first, to paint into instead of the screen.
class TPixels {
public:
  TPixels(int width, int height) : FDC(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    FBitmap = ::CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FOld = ::SelectObject(FDC, FBitmap);
    const RECT all{0, 0, width, height};
    ::FillRect(FDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  }
  ~TPixels() {
    ::SelectObject(FDC, FOld);
    ::DeleteObject(FBitmap);
    ::DeleteDC(FDC);
  }
  TPixels(const TPixels &) = delete;
  TPixels &operator=(const TPixels &) = delete;
  HDC DC() const { return FDC; }
  // The context as a message parameter (WM_PAINT's WParam).
  TMsgParam Param() const { return ToParam(FDC); }
  COLORREF At(int x, int y) const { return ::GetPixel(FDC, x, y); }

private:
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
};
