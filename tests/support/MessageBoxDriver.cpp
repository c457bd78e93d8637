#include "support/MessageBoxDriver.h"

#include <algorithm>

#include "support/ProcessWindows.h"

namespace {

constexpr DWORD PollMs = 20;
constexpr UINT SendTimeoutMs = 5000;
constexpr DWORD CloseTimeoutMs = 10000;

// Through WM_GETTEXT, which works for windows of other processes too.
std::wstring WindowText(HWND window) {
  if (window == nullptr) return L"(no window)";
  wchar_t text[4096] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, SendTimeoutMs,
                      &copied);
  return text;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM param) {
  wchar_t className[16] = {};
  GetClassNameW(child, className, 16);
  if (lstrcmpiW(className, L"Button") == 0 && IsWindowVisible(child))
    reinterpret_cast<std::vector<int> *>(param)->push_back(GetDlgCtrlID(child));
  return TRUE;
}

BOOL CALLBACK FindIconControl(HWND child, LPARAM param) {
  wchar_t className[16] = {};
  GetClassNameW(child, className, 16);
  if (lstrcmpiW(className, L"Static") != 0 || (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
    return TRUE;
  *reinterpret_cast<HWND *>(param) = child;
  return FALSE;
}

// The system icon the box shows, compared by handle with the shared icons.
int IconId(HWND box) {
  HWND control = nullptr;
  EnumChildWindows(box, FindIconControl, reinterpret_cast<LPARAM>(&control));
  if (control == nullptr) return 0;
  DWORD_PTR icon = 0;
  SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, SendTimeoutMs, &icon);
  for (int id : {32513, 32514, 32515, 32516}) {  // IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK
    if (icon != 0 && reinterpret_cast<HICON>(icon) == LoadIconW(nullptr, MAKEINTRESOURCEW(id))) return id;
  }
  return 0;
}

TSeenBox Read(HWND box) {
  TSeenBox seen;
  seen.Owner = GetWindow(box, GW_OWNER);
  seen.Caption = WindowText(box);
  seen.Text = WindowText(GetDlgItem(box, 0xFFFF));
  EnumChildWindows(box, CollectButton, reinterpret_cast<LPARAM>(&seen.Buttons));
  std::sort(seen.Buttons.begin(), seen.Buttons.end());
  seen.Icon = IconId(box);
  return seen;
}

}  // namespace

TMessageBoxDriver::TMessageBoxDriver(std::vector<TBoxAnswer> answers, DWORD processId)
    : FAnswers(std::move(answers)), FProcessId(processId), FThread([this] { Watch(); }) {}

TMessageBoxDriver::~TMessageBoxDriver() { Finish(); }

const std::vector<TSeenBox> &TMessageBoxDriver::Finish() {
  FStop = true;
  if (FThread.joinable()) FThread.join();
  return FSeen;
}

void TMessageBoxDriver::Watch() {
  while (!FStop) {
    HWND box = FindProcessDialog(FProcessId);
    if (box == nullptr) {
      Sleep(PollMs);
      continue;
    }
    TSeenBox seen = Read(box);
    const size_t index = FSeen.size();
    if (index < FAnswers.size()) {
      if (FAnswers[index].BeforePress) FAnswers[index].BeforePress(box);
      seen.Pressed = FAnswers[index].Button;
    } else {
      seen.Pressed = seen.Buttons.empty() ? IDOK : seen.Buttons.front();
    }
    FSeen.push_back(seen);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GetDlgItem(box, seen.Pressed), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, SendTimeoutMs, &result);
    // The next box is a new window: wait until this one is gone.
    const DWORD start = GetTickCount();
    while (IsWindow(box) && IsWindowVisible(box) && GetTickCount() - start < CloseTimeoutMs) Sleep(PollMs);
  }
}
