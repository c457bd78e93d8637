#include "automation/Automation.h"

#include <algorithm>

namespace {

constexpr UINT SendTimeoutMs = 5000;

DWORD_PTR Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SendTimeoutMs, &result);
  return result;
}

bool IsClass(HWND window, const wchar_t *className) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return ::lstrcmpiW(name, className) == 0;
}

// A window is usable when it and every parent up to the top show.
bool Showing(HWND window) { return window != nullptr && ::IsWindowVisible(window); }

struct TTopSearch {
  DWORD ProcessId;
  const wchar_t *ClassName;
  HWND Found = nullptr;
};

BOOL CALLBACK FindTop(HWND window, LPARAM param) {
  auto *search = reinterpret_cast<TTopSearch *>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search->ProcessId || !Showing(window) || !IsClass(window, search->ClassName)) return TRUE;
  search->Found = window;
  return FALSE;
}

struct TTaskbarSearch {
  DWORD ProcessId;
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectTaskbarWindow(HWND window, LPARAM param) {
  auto *search = reinterpret_cast<TTaskbarSearch *>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search->ProcessId || !Showing(window)) return TRUE;
  const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
  const bool unowned = ::GetWindow(window, GW_OWNER) == nullptr;
  if ((exStyle & WS_EX_APPWINDOW) != 0 || (unowned && (exStyle & WS_EX_TOOLWINDOW) == 0))
    search->Found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM tree) {
  reinterpret_cast<std::vector<HWND> *>(tree)->push_back(child);
  return TRUE;
}

// The visible windows of the tree under top, in z order.
std::vector<HWND> ShowingTree(HWND top) {
  std::vector<HWND> tree;
  ::EnumChildWindows(top, CollectChild, reinterpret_cast<LPARAM>(&tree));
  tree.erase(std::remove_if(tree.begin(), tree.end(), [](HWND w) { return !Showing(w); }), tree.end());
  return tree;
}

int ComboSelection(HWND combo) { return static_cast<int>(static_cast<LRESULT>(Send(combo, CB_GETCURSEL, 0, 0))); }

std::wstring ComboItem(HWND combo, int index) {
  wchar_t text[256] = {};
  if (index < 0 || Send(combo, CB_GETLBTEXTLEN, index, 0) >= 256) return {};
  Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM param) {
  if (IsClass(child, L"Button") && ::IsWindowVisible(child))
    reinterpret_cast<std::vector<int> *>(param)->push_back(::GetDlgCtrlID(child));
  return TRUE;
}

}  // namespace

std::wstring WindowText(HWND window) {
  if (window == nullptr) return L"(no window)";
  wchar_t text[4096] = {};
  Send(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring ReadableCaption(const std::wstring &caption) {
  std::wstring readable;
  for (size_t k = 0; k < caption.size(); ++k) {
    // "&&" shows one ampersand.
    if (caption[k] == L'&' && ++k == caption.size()) break;
    readable.push_back(caption[k]);
  }
  return readable;
}

HWND WaitForTopWindow(DWORD processId, const wchar_t *className, DWORD waitMs) {
  TTopSearch search{processId, className};
  WaitUntil([&] { return !::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search)) && search.Found; }, waitMs);
  return search.Found;
}

std::vector<HWND> TaskbarWindows(DWORD processId) {
  TTaskbarSearch search{processId, {}};
  ::EnumWindows(CollectTaskbarWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND FindByCaption(HWND top, const std::wstring &caption) {
  for (HWND window : ShowingTree(top))
    if (ReadableCaption(WindowText(window)) == caption) return window;
  return nullptr;
}

HWND WaitForCaption(HWND top, const std::wstring &caption, DWORD waitMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindByCaption(top, caption)) != nullptr; }, waitMs);
  return found;
}

HWND FindByClass(HWND top, const wchar_t *className) {
  for (HWND window : ShowingTree(top))
    if (IsClass(window, className)) return window;
  return nullptr;
}

bool Click(HWND button) {
  if (!Showing(button) || !::IsWindowEnabled(button)) return false;
  // Posted: what the click starts (a page, a box, the installation) runs in
  // the program's own time, as after a real click.
  return ::PostMessageW(button, BM_CLICK, 0, 0);
}

bool ClickCaption(HWND top, const std::wstring &caption) { return Click(FindByCaption(top, caption)); }

bool Ticked(HWND box) { return Send(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool SetTicked(HWND box, bool ticked) {
  if (Ticked(box) == ticked) return true;
  return Click(box) && WaitUntil([&] { return Ticked(box) == ticked; });
}

bool TypeInto(HWND edit, const std::wstring &text) {
  if (!Showing(edit) || !::IsWindowEnabled(edit)) return false;
  // Select all, then type over it; an empty text is a Delete.
  ::PostMessageW(edit, EM_SETSEL, 0, -1);
  if (text.empty()) ::PostMessageW(edit, WM_CHAR, VK_BACK, 0);
  for (wchar_t unit : text) ::PostMessageW(edit, WM_CHAR, unit, 1);
  return WaitUntil([&] { return WindowText(edit) == text; });
}

bool Choose(HWND combo, const std::wstring &item) {
  if (!Showing(combo) || !::IsWindowEnabled(combo)) return false;
  const int count = static_cast<int>(Send(combo, CB_GETCOUNT, 0, 0));
  int index = 0;
  while (index < count && ComboItem(combo, index) != item) ++index;
  if (index == count) return false;
  ::PostMessageW(combo, WM_KEYDOWN, VK_HOME, 0);
  for (int k = 0; k < index; ++k) ::PostMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
  return WaitUntil([&] { return ComboSelection(combo) == index; });
}

std::wstring ChosenItem(HWND combo) { return ComboItem(combo, ComboSelection(combo)); }

void CloseByFrame(HWND top) { ::PostMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0); }

TBox WaitForBox(DWORD processId, DWORD waitMs) {
  TBox box;
  box.Window = WaitForTopWindow(processId, L"#32770", waitMs);
  if (box.Window == nullptr) return box;
  box.Caption = WindowText(box.Window);
  box.Text = WindowText(::GetDlgItem(box.Window, 0xFFFF));
  ::EnumChildWindows(box.Window, CollectButton, reinterpret_cast<LPARAM>(&box.Buttons));
  std::sort(box.Buttons.begin(), box.Buttons.end());
  return box;
}

bool Answer(const TBox &box, int button) {
  HWND control = ::GetDlgItem(box.Window, button);
  if (control == nullptr) return false;
  Send(control, BM_CLICK, 0, 0);
  return WaitUntil([&] { return !::IsWindow(box.Window) || !::IsWindowVisible(box.Window); });
}
