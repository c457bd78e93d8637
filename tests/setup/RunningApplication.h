// A window of the installed application, as the setup recognises one: a
// top-level window carrying its property, for as long as the object lives.
#pragma once

#include <windows.h>

class TRunningApplication {
public:
  TRunningApplication() {
    FWindow = ::CreateWindowExW(0, L"STATIC", L"lvx", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::SetPropW(FWindow, Property, reinterpret_cast<HANDLE>(1));
  }
  ~TRunningApplication() {
    ::RemovePropW(FWindow, Property);
    ::DestroyWindow(FWindow);
  }
  TRunningApplication(const TRunningApplication &) = delete;
  TRunningApplication &operator=(const TRunningApplication &) = delete;

  static constexpr const wchar_t *Property = L"1.x Quenmoor";

private:
  HWND FWindow;
};
