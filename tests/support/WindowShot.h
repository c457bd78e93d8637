// Screenshots of a process's own windows, for a person to look at and for
// tests to read.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// What a window shows, frame included: 24-bit rows padded to four bytes,
// bottom row first, as a BMP file holds them.
struct TWindowShot {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rows;
  // The pixel at (x, y) from the window's top-left corner.
  COLORREF At(int x, int y) const;
};

// Paints every window of the tree that still waits for its paint, then
// copies the window. Empty when the window is not visible.
TWindowShot TakeWindowShot(HWND window);

// TakeWindowShot into a 24-bit BMP file. False when there is nothing to
// save or the file cannot be written.
bool SaveWindowShot(HWND window, const std::wstring &path);

// The file name under the folder named by the variable LV_SHOT_DIR, or an
// empty string when it is not set: shots are taken only when asked for.
std::wstring ShotPath(const std::wstring &name);
