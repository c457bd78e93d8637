#include "support/ProcessWindows.h"

namespace {

struct TWindowSearch {
  DWORD ProcessId;
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto *search = reinterpret_cast<TWindowSearch *>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->ProcessId) search->Found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> ProcessWindows(DWORD processId) {
  TWindowSearch search{processId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND FindProcessDialog(DWORD processId) {
  for (HWND window : ProcessWindows(processId)) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (IsWindowVisible(window) && lstrcmpW(className, L"#32770") == 0) return window;
  }
  return nullptr;
}

HWND GoneWindow() {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(window);
  return window;
}
