#include "MainWindow.h"

#include <string>

namespace {

constexpr wchar_t ClassName[] = L"LorvaneWordProcessorStandIn";
constexpr wchar_t Title[] = L"Lorvane Word Processor";

constexpr int ClientWidth = 560, ClientHeight = 264, BandHeight = 84, Margin = 24;
constexpr int ButtonWidth = 96, ButtonHeight = 28;
constexpr COLORREF BandColor = RGB(31, 78, 121), BandTextColor = RGB(255, 255, 255),
                   SubtitleColor = RGB(178, 204, 229), BodyColor = RGB(255, 255, 255);

// The one window's options and drawing objects; they live as long as the
// process.
struct TWindowState {
  TStartOptions Options;
  HFONT TextFont = nullptr, TitleFont = nullptr, SubtitleFont = nullptr;
  HBRUSH BandBrush = nullptr, BodyBrush = nullptr;
};
TWindowState State;

// The user's message font at a given height in pixels (0 keeps its own).
HFONT MessageFont(int height, int weight) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  if (height != 0) font.lfHeight = -height;
  font.lfWeight = weight;
  font.lfQuality = CLEARTYPE_QUALITY;
  return CreateFontIndirectW(&font);
}

std::wstring LanguageLine(const std::wstring &code) {
  if (code.empty()) return L"Interface language: en (English, no language was given)";
  const std::wstring name = LanguageName(code);
  return L"Interface language: " + code + (name.empty() ? L" (not one of the setup's languages)" : L" (" + name + L")");
}

std::wstring StatusLine() {
  return L"This small program stands in for the word processor. The setup installed it, started it in the "
         L"language of the wizard, and recognises this window while it is open.";
}

HWND AddChild(HWND parent, const wchar_t *cls, const std::wstring &text, DWORD style, int id, RECT r, HFONT font) {
  HWND child = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                               r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void CreateChildren(HWND window, const TWindowState &state) {
  const int width = ClientWidth - 2 * Margin;
  int top = BandHeight + Margin;
  AddChild(window, L"STATIC", LanguageLine(state.Options.Language), SS_LEFT | SS_NOPREFIX, IdLanguage,
           {Margin, top, Margin + width, top + 22}, state.TextFont);
  top += 22 + 12;
  AddChild(window, L"STATIC", StatusLine(), SS_LEFT | SS_NOPREFIX, IdStatus,
           {Margin, top, Margin + width, top + 60}, state.TextFont);
  const int buttonTop = ClientHeight - Margin - ButtonHeight;
  HWND close = AddChild(window, L"BUTTON", L"Close", BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL,
                        {ClientWidth - Margin - ButtonWidth, buttonTop, ClientWidth - Margin, buttonTop + ButtonHeight},
                        state.TextFont);
  SetFocus(close);
}

void PaintBand(HWND window, const TWindowState &state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT band = {0, 0, ClientWidth, BandHeight};
  FillRect(dc, &band, state.BandBrush);
  SetBkMode(dc, TRANSPARENT);

  HGDIOBJ old = SelectObject(dc, state.TitleFont);
  SetTextColor(dc, BandTextColor);
  RECT title = {Margin, 14, ClientWidth - Margin, 50};
  DrawTextW(dc, Title, -1, &title, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, state.SubtitleFont);
  SetTextColor(dc, SubtitleColor);
  RECT subtitle = {Margin, 50, ClientWidth - Margin, BandHeight - 8};
  DrawTextW(dc, L"Lite 5.0.0.4", -1, &subtitle, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      // Marked once it is whole: whoever finds the mark finds the window
      // with everything it shows.
      CreateChildren(window, State);
      SetPropW(window, InstanceProperty, reinterpret_cast<HANDLE>(1));
      return 0;
    case WM_PAINT:
      PaintBand(window, State);
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wParam), BodyColor);
      return reinterpret_cast<LRESULT>(State.BodyBrush);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) PostMessageW(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_DESTROY:
      RemovePropW(window, InstanceProperty);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance, const TStartOptions &options, int show) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  cls.hbrBackground = CreateSolidBrush(BodyColor);
  cls.lpszClassName = ClassName;
  if (RegisterClassExW(&cls) == 0) return nullptr;

  State.Options = options;
  State.TextFont = MessageFont(0, FW_NORMAL);
  State.TitleFont = MessageFont(26, FW_BOLD);
  State.SubtitleFont = MessageFont(15, FW_NORMAL);
  State.BandBrush = CreateSolidBrush(BandColor);
  State.BodyBrush = CreateSolidBrush(BodyColor);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, ClientWidth, ClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = CreateWindowExW(0, ClassName, Title, style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return nullptr;
  ShowWindow(window, show);
  UpdateWindow(window);
  return window;
}
