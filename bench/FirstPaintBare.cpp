// The yardstick: what any setup must do before its first window, and no more.
// It inflates the same payload stream that setup.exe carries (its resource
// "FILES", five times the stream's size as room, as the setup's first
// estimate) and opens one plain window of the wizard's client size with the
// system's own calls, then waits to be ended.
#include <windows.h>
#include <zlib.h>

#include <cstdlib>

namespace {

// The wizard's client size at 96 dpi (assets/MainForm.form).
constexpr int WizardClientWidth = 492;
constexpr int WizardClientHeight = 351;

// Zero when the stream inflated whole.
int InflatePayload() {
  const HRSRC info = ::FindResourceA(nullptr, "FILES", "FILES");
  const void *stream = info != nullptr ? ::LockResource(::LoadResource(nullptr, info)) : nullptr;
  if (stream == nullptr) return 1;
  const uLong size = ::SizeofResource(nullptr, info);
  uLongf room = 5 * size;
  void *inflated = std::malloc(room);
  if (inflated == nullptr) return 1;
  const int result = ::uncompress(static_cast<Bytef *>(inflated), &room, static_cast<const Bytef *>(stream), size);
  std::free(inflated);
  return result == Z_OK ? 0 : 1;
}

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR, int) {
  if (InflatePayload() != 0) return 1;
  WNDCLASSW cls{};
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = module;
  cls.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = L"BareWindow";
  ::RegisterClassW(&cls);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT rect{0, 0, WizardClientWidth, WizardClientHeight};
  ::AdjustWindowRectEx(&rect, style, FALSE, 0);
  const HWND window = ::CreateWindowExW(0, L"BareWindow", L"Bare", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                        rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, module, nullptr);
  ::ShowWindow(window, SW_SHOWNORMAL);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
