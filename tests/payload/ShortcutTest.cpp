#include <windows.h>
#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <thread>

#include "TestFolders.h"
#include "payload/InstUtils.h"

namespace {

struct LinkFields {
  std::wstring path, workDir, description;
};

// Reads a saved link back through the shell's own link object.
LinkFields ReadLink(const std::wstring &linkFile) {
  LinkFields fields;
  IShellLinkW *link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void **>(&link))))
    return fields;
  IPersistFile *file = nullptr;
  link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file));
  if (file != nullptr && SUCCEEDED(file->Load(linkFile.c_str(), STGM_READ))) {
    wchar_t text[MAX_PATH];
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0))) fields.path = text;
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) fields.workDir = text;
    if (SUCCEEDED(link->GetDescription(text, MAX_PATH))) fields.description = text;
  }
  if (file != nullptr) file->Release();
  link->Release();
  return fields;
}

class ShortcutTest : public testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }

  TempFolder Temp;
  ScopedInstallLog Scoped;
};

TEST_F(ShortcutTest, SavesTheLinkInANewFolderAndLogsIt) {
  const std::wstring target = Temp / L"Lorvane\\lvx.exe", workDir = Temp / L"Lorvane";
  CreateDirectoryW(workDir.c_str(), nullptr);
  WriteStringToFile(target, "MZ");

  const std::wstring menu = Temp / L"Start Menu\\", programs = menu + L"Programs\\";
  const std::wstring link = programs + L"Lorvane Word Processor.lnk";
  const std::wstring description = L"Compact, fast-loading, but still powerful and efficient word processor \u00E9";
  CreateShortcut(link, target, workDir, description);

  LinkFields read = ReadLink(link);
  EXPECT_TRUE(SameText(read.path, target)) << UTF8Encode(read.path);
  EXPECT_EQ(read.workDir, workDir);
  EXPECT_EQ(read.description, description);
  EXPECT_EQ(Scoped.Lines(), (std::vector<std::string>{"Made Dir: " + UTF8Encode(menu),
                                                      "Made Dir: " + UTF8Encode(programs),
                                                      "File Copy: " + UTF8Encode(link)}));
}

TEST_F(ShortcutTest, ReplacingALinkAddsNoSecondLine) {
  const std::wstring link = Temp / L"Desktop\\Lorvane Word Processor.lnk";
  CreateShortcut(link, Temp / L"lvx.exe", Temp.Path(), L"first");
  CreateShortcut(Temp / L"DESKTOP\\lorvane word processor.LNK", Temp / L"lvx.exe", Temp.Path(), L"second");
  EXPECT_EQ(ReadLink(link).description, L"second");
  EXPECT_EQ(Scoped.Lines().size(), 2u);
}

TEST_F(ShortcutTest, WithoutTheLinkObjectNothingIsMadeOrLogged) {
  const std::wstring link = Temp / L"Desktop\\Lorvane Word Processor.lnk";
  // A thread without COM cannot create the shell's link object.
  std::thread([&] { CreateShortcut(link, Temp / L"lvx.exe", Temp.Path(), L"none"); }).join();
  EXPECT_FALSE(FileExists(link));
  EXPECT_FALSE(DirectoryExists(Temp / L"Desktop"));
  EXPECT_EQ(Scoped.Lines().size(), 0u);
}

}  // namespace
