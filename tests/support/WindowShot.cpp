#include "support/WindowShot.h"

#include <cstdio>

namespace {

int Stride(int width) { return ((width * 3 + 3) / 4) * 4; }

BOOL CALLBACK CollectChild(HWND child, LPARAM tree) {
  reinterpret_cast<std::vector<HWND> *>(tree)->push_back(child);
  return TRUE;
}

// The window or one of its descendants has a region it has not painted yet.
bool PaintPending(HWND window) {
  std::vector<HWND> tree{window};
  ::EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&tree));
  for (const HWND member : tree)
    if (::GetUpdateRect(member, nullptr, FALSE)) return true;
  return false;
}

// A paint may invalidate another window of the tree (a parent's background
// behind a child): a few rounds, not forever.
void PaintTree(HWND window) {
  for (int round = 0; round < 20 && PaintPending(window); ++round)
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace

COLORREF TWindowShot::At(int x, int y) const {
  const uint8_t *pixel = Rows.data() + static_cast<size_t>(Height - 1 - y) * Stride(Width) + 3 * x;
  return RGB(pixel[2], pixel[1], pixel[0]);
}

TWindowShot TakeWindowShot(HWND window) {
  TWindowShot shot;
  RECT rect;
  if (!::IsWindowVisible(window) || !::GetWindowRect(window, &rect)) return shot;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return shot;
  PaintTree(window);
  // From the window's own surface, not the screen: the screen may not show
  // yet what the window has painted.
  const HDC source = ::GetWindowDC(window);
  const HDC memory = ::CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void *bits = nullptr;
  const HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  ::GdiFlush();
  if (const auto *begin = static_cast<const uint8_t *>(bits)) {
    shot.Width = width;
    shot.Height = height;
    shot.Rows.assign(begin, begin + static_cast<size_t>(Stride(width)) * height);
  }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window, source);
  return shot;
}

bool SaveWindowShot(HWND window, const std::wstring &path) {
  const TWindowShot shot = TakeWindowShot(window);
  if (shot.Rows.empty()) return false;
  BITMAPINFOHEADER header{sizeof header, shot.Width, shot.Height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(shot.Rows.size());
  FILE *out = _wfopen(path.c_str(), L"wb");
  if (out == nullptr) return false;
  bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
                 std::fwrite(shot.Rows.data(), shot.Rows.size(), 1, out) == 1;
  written = std::fclose(out) == 0 && written;
  return written;
}

std::wstring ShotPath(const std::wstring &name) {
  wchar_t folder[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableW(L"LV_SHOT_DIR", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(folder) + L"\\" + name;
}
