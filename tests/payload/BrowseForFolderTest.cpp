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
#include "support/FolderPickerDriver.h"

namespace {

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
