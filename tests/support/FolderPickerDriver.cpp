#include "support/FolderPickerDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "support/ProcessWindows.h"

std::vector<std::wstring> Picker::SelectedChain() const {
  std::vector<std::wstring> chain;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  while (item != nullptr) {
    wchar_t text[MAX_PATH] = L"";
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    SendMessageW(Tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    chain.push_back(text);
    item = reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
  }
  return chain;
}

std::vector<std::wstring> Picker::WaitForSelection(const std::wstring &leaf, const std::wstring &parent) const {
  std::vector<std::wstring> seen;
  for (int i = 0; i < 200; ++i) {
    std::vector<std::wstring> chain = SelectedChain();
    seen.assign(chain.begin(), chain.begin() + std::min<size_t>(chain.size(), 2));
    if (seen == std::vector<std::wstring>{leaf, parent}) break;
    Sleep(50);
  }
  return seen;
}

void Picker::SelectParent() const {
  auto item = SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
  auto parent = SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_PARENT, item);
  SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, parent);
}

void Picker::Press(int id) const {
  HWND button = GetDlgItem(Dialog, id);
  if (button != nullptr)
    SendMessageW(button, BM_CLICK, 0, 0);
  else
    PostMessageW(Dialog, WM_COMMAND, IDCANCEL, 0);
}

std::thread DrivePicker(std::function<void(const Picker &)> act) {
  return std::thread([act] {
    Picker picker;
    for (int i = 0; i < 600 && picker.Tree == nullptr; ++i) {
      Sleep(50);
      HWND dialog = FindProcessDialog(GetCurrentProcessId());
      if (dialog == nullptr) continue;
      HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
      if (tree != nullptr && SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0) {
        picker.Dialog = dialog;
        picker.Tree = tree;
      }
    }
    if (picker.Tree == nullptr) {
      std::fprintf(stderr, "the folder picker did not show up within 30 s\n");
      std::fflush(stderr);
      _exit(1);
    }
    act(picker);
  });
}

void HoldAccessTime(const std::wstring &folder) {
  HANDLE handle = CreateFileW(folder.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ULARGE_INTEGER time;
  GetSystemTimeAsFileTime(reinterpret_cast<FILETIME *>(&time));
  time.QuadPart += 3600ULL * 10000000;  // an hour ahead
  SetFileTime(handle, nullptr, reinterpret_cast<FILETIME *>(&time), nullptr);
  CloseHandle(handle);
}
