#include "support/ProcessWindows.h"

#include <tlhelp32.h>

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

std::vector<DWORD> StandInProcesses() {
  std::vector<DWORD> found;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry))
    if (::lstrcmpiW(entry.szExeFile, L"lvx.exe") == 0) found.push_back(entry.th32ProcessID);
  ::CloseHandle(snapshot);
  return found;
}

std::wstring ImagePath(DWORD processId) {
  wchar_t path[MAX_PATH * 2] = L"";
  DWORD size = MAX_PATH * 2;
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return {};
  ::QueryFullProcessImageNameW(process, 0, path, &size);
  ::CloseHandle(process);
  return path;
}
