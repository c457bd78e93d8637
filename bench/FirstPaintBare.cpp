// The yardstick: a program that opens one plain window of the benchmark's
// size with the system's own calls and nothing else.
#include "FirstPaint.h"

namespace {

bool Painted = false;

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT paint;
    ::BeginPaint(window, &paint);
    ::EndPaint(window, &paint);
    Painted = true;
    return 0;
  }
  return ::DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

int main() {
  const LONGLONG start = Ticks();
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  WNDCLASSW cls{};
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = module;
  cls.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = L"BareWindow";
  ::RegisterClassW(&cls);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT rect{0, 0, BenchClientWidth, BenchClientHeight};
  ::AdjustWindowRectEx(&rect, style, FALSE, 0);
  const HWND window = ::CreateWindowExW(0, L"BareWindow", L"Bare", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                        rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, module, nullptr);
  ::ShowWindow(window, SW_SHOWNORMAL);
  return ReportFirstPaint(start, Painted, [] {
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    return true;
  });
}
