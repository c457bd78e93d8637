// The folder picker driven through its real window: the test thread runs the
// modal dialog while a helper thread finds it, reads its tree and presses its
// buttons.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <thread>

#include "TestFolders.h"
#include "payload/InstUtils.h"
#include "support/ProcessWindows.h"

namespace {

// The picker as the helper thread sees it.
struct Picker {
  HWND Dialog = nullptr;
  HWND Tree = nullptr;

  // The captions of the selected tree item and its ancestors, leaf first.
  std::vector<std::wstring> SelectedChain() const {
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

  // Waits until the selection is the folder leaf inside parent; returns the
  // leaf and parent captions last seen.
  std::vector<std::wstring> WaitForSelection(const std::wstring &leaf, const std::wstring &parent) const {
    std::vector<std::wstring> seen;
    for (int i = 0; i < 200; ++i) {
      std::vector<std::wstring> chain = SelectedChain();
      seen.assign(chain.begin(), chain.begin() + std::min<size_t>(chain.size(), 2));
      if (seen == std::vector<std::wstring>{leaf, parent}) break;
      Sleep(50);
    }
    return seen;
  }

  void SelectParent() const {
    auto item = SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    auto parent = SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_PARENT, item);
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, parent);
  }

  // Clicks the button as a user would; a missing button still ends the dialog.
  void Press(int id) const {
    HWND button = GetDlgItem(Dialog, id);
    if (button != nullptr)
      SendMessageW(button, BM_CLICK, 0, 0);
    else
      PostMessageW(Dialog, WM_COMMAND, IDCANCEL, 0);
  }
};

// Starts the helper: it waits for the picker to show its tree, then acts. A
// picker that never shows ends the test run with a message, since the test
// thread is then stuck in the modal call.
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

// Wine's picker finds a folder in its tree by item data that holds the
// folder's access time, and the first read after a change moves that time
// (relatime), so a fresh folder may not be found. An access time ahead of the
// change time holds still.
void HoldAccessTime(const std::wstring &folder) {
  HANDLE handle = CreateFileW(folder.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ULARGE_INTEGER time;
  GetSystemTimeAsFileTime(reinterpret_cast<FILETIME *>(&time));
  time.QuadPart += 3600ULL * 10000000;  // an hour ahead
  SetFileTime(handle, nullptr, reinterpret_cast<FILETIME *>(&time), nullptr);
  CloseHandle(handle);
}

// The folders lie directly on the drive: a drive's own tree item holds no
// time, while the temporary folder changes whenever another test writes.
class BrowseForFolderTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    Root = ExcludeTrailingBackslash(Temp.Path());
    Name = Root.substr(ExtractFilePath(Root).size());
    Start = Temp / L"Start";
    Other = Temp / L"Other";
    for (const auto &folder : {Start, Other}) ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    for (const auto &folder : {Root, Start, Other}) HoldAccessTime(folder);
    Owner = CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                            nullptr);
    ASSERT_NE(Owner, nullptr);
  }
  void TearDown() override {
    DestroyWindow(Owner);
    OleUninitialize();
  }

  TempFolder Temp{L"C:\\"};
  std::wstring Name, Root, Start, Other;
  HWND Owner = nullptr;
};

TEST_F(BrowseForFolderTest, OpensAtTheFolderAndReturnsItOnOk) {
  std::vector<std::wstring> seen;
  HWND owner = nullptr;
  std::thread helper = DrivePicker([&](const Picker &p) {
    seen = p.WaitForSelection(L"Start", Name);
    owner = GetWindow(p.Dialog, GW_OWNER);
    p.Press(IDOK);
  });
  std::wstring folder = Start + L"\\";
  bool chosen = BrowseForFolder(folder, Owner);
  helper.join();

  EXPECT_EQ(seen, (std::vector<std::wstring>{L"Start", Name}));
  EXPECT_EQ(owner, Owner);
  EXPECT_TRUE(chosen);
  EXPECT_TRUE(SameText(folder, Start)) << UTF8Encode(folder);
}

TEST_F(BrowseForFolderTest, ReturnsTheFolderTheUserMovesTo) {
  std::vector<std::wstring> before, after;
  std::thread helper = DrivePicker([&](const Picker &p) {
    before = p.WaitForSelection(L"Start", Name);
    SendMessageW(p.Dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Other.c_str()));
    after = p.WaitForSelection(L"Other", Name);
    p.Press(IDOK);
  });
  std::wstring folder = Start;
  bool chosen = BrowseForFolder(folder, nullptr);
  helper.join();

  EXPECT_EQ(before, (std::vector<std::wstring>{L"Start", Name}));
  EXPECT_EQ(after, (std::vector<std::wstring>{L"Other", Name}));
  EXPECT_TRUE(chosen);
  EXPECT_TRUE(SameText(folder, Other)) << UTF8Encode(folder);
}

TEST_F(BrowseForFolderTest, ReturnsTheParentChosenInTheTree) {
  std::vector<std::wstring> seen;
  std::thread helper = DrivePicker([&](const Picker &p) {
    p.WaitForSelection(L"Start", Name);
    p.SelectParent();
    seen = p.SelectedChain();
    p.Press(IDOK);
  });
  std::wstring folder = Start + L"\\";
  bool chosen = BrowseForFolder(folder, Owner);
  helper.join();

  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0], Name);
  EXPECT_TRUE(chosen);
  EXPECT_TRUE(SameText(folder, Root)) << UTF8Encode(folder);
}

TEST_F(BrowseForFolderTest, CancelLeavesTheFolderUnchanged) {
  std::vector<std::wstring> seen;
  std::thread helper = DrivePicker([&](const Picker &p) {
    seen = p.WaitForSelection(L"Start", Name);
    p.Press(IDCANCEL);
  });
  std::wstring folder = Start + L"\\";
  bool chosen = BrowseForFolder(folder, Owner);
  helper.join();

  EXPECT_EQ(seen, (std::vector<std::wstring>{L"Start", Name}));
  EXPECT_FALSE(chosen);
  EXPECT_EQ(folder, Start + L"\\");
}

}  // namespace
