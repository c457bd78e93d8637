// Device contexts taken for one drawing and given back on every way out of
// it, an exception's too: a context left taken is lost for the window, and
// a paint never ended leaves the window invalid, so WM_PAINT comes again and
// again.
#pragma once

#include <windows.h>

// GetDC / ReleaseDC.
class TWindowDC {
public:
  explicit TWindowDC(HWND window) : FWindow(window), FDC(::GetDC(window)) {}
  ~TWindowDC() { ::ReleaseDC(FWindow, FDC); }
  TWindowDC(const TWindowDC &) = delete;
  TWindowDC &operator=(const TWindowDC &) = delete;
  HDC DC() const { return FDC; }

private:
  HWND FWindow;
  HDC FDC;
};

// BeginPaint / EndPaint: the window is validated when the scope ends.
class TPaintDC {
public:
  explicit TPaintDC(HWND window) : FWindow(window), FDC(::BeginPaint(window, &FPaint)) {}
  ~TPaintDC() { ::EndPaint(FWindow, &FPaint); }
  TPaintDC(const TPaintDC &) = delete;
  TPaintDC &operator=(const TPaintDC &) = delete;
  HDC DC() const { return FDC; }

private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
  HDC FDC;
};

// SaveDC / RestoreDC: origin, clipping and selections as they were.
class TSavedDC {
public:
  explicit TSavedDC(HDC dc) : FDC(dc), FSaved(::SaveDC(dc)) {}
  ~TSavedDC() { ::RestoreDC(FDC, FSaved); }
  TSavedDC(const TSavedDC &) = delete;
  TSavedDC &operator=(const TSavedDC &) = delete;

private:
  HDC FDC;
  int FSaved;
};

// The screen's context with a font selected, for measuring text in it.
class TScreenFontDC {
public:
  explicit TScreenFontDC(HFONT font) : FScreen(nullptr), FOld(::SelectObject(FScreen.DC(), font)) {}
  ~TScreenFontDC() { ::SelectObject(FScreen.DC(), FOld); }
  TScreenFontDC(const TScreenFontDC &) = delete;
  TScreenFontDC &operator=(const TScreenFontDC &) = delete;
  HDC DC() const { return FScreen.DC(); }

private:
  TWindowDC FScreen;
  HGDIOBJ FOld;
};
