// The catalogue of the shipped payload, which this executable carries as its
// resource "FILES", against the pack list and the files it was packed from.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "TestFolders.h"
#include "payload/AttachFiles.h"

namespace {

// A path below assets/payload as Wine sees it.
std::wstring AssetPath(const std::wstring &relative) {
  std::wstring path = L"Z:";
  for (const char *p = LV_PAYLOAD_DIR; *p != '\0'; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
  return path + L"\\" + relative;
}

struct ListedEntry {
  std::wstring name;
  TDateTime time;
};

// The pack list: "YYYY-MM-DD HH:MM:SS  name" lines, "#" comments.
std::vector<ListedEntry> PackList() {
  std::vector<ListedEntry> entries;
  const std::string text = ReadWholeFile(AssetPath(L"payload.list"));
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    int year, month, day, hour, min, sec, nameAt = 0;
    if (line.empty() || line[0] == '#' ||
        std::sscanf(line.c_str(), "%d-%d-%d %d:%d:%d %n", &year, &month, &day, &hour, &min, &sec, &nameAt) != 6)
      continue;
    entries.push_back({UTF8Decode(line.substr(static_cast<size_t>(nameAt))),
                       EncodeDate(year, month, day) + EncodeTime(hour, min, sec, 0)});
  }
  return entries;
}

class ShippedCatalogueTest : public testing::Test {
protected:
  static void SetUpTestSuite() { Catalogue = new TAttachedFiles; }
  static void TearDownTestSuite() { delete Catalogue; }
  void SetUp() override { ForceOverwrite = false; }

  static TAttachedFiles *Catalogue;
};

TAttachedFiles *ShippedCatalogueTest::Catalogue = nullptr;

TEST_F(ShippedCatalogueTest, HoldsTheListedEntriesInOrderWithTheirTimes) {
  const std::vector<ListedEntry> listed = PackList();
  ASSERT_EQ(listed.size(), 100u);
  ASSERT_EQ(Catalogue->Files.Count(), 100);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(Catalogue->Files[i]->Name, listed[i].name) << i;
    EXPECT_EQ(Catalogue->Files[i]->Time, listed[i].time) << UTF8Encode(listed[i].name);
  }
}

TEST_F(ShippedCatalogueTest, EntriesHoldTheBytesOfTheirSourceFiles) {
  int compared = 0;
  for (const TAttachedFile *entry : Catalogue->Files) {
    const std::string source = ReadWholeFile(AssetPath(L"files\\" + entry->Name));
    if (source == "<missing>") continue;  // built, not kept as a file: lvx.exe and the pictures
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(entry->Data), entry->Size), source) << UTF8Encode(entry->Name);
    ++compared;
  }
  EXPECT_GE(compared, 60);
}

struct SelectionCase {
  const char *name;
  int first;  // index of the first entry taken
  int count;  // consecutive entries taken
};

class ShippedSelectionTest : public ShippedCatalogueTest, public testing::WithParamInterface<SelectionCase> {};

TEST_P(ShippedSelectionTest, TakesItsEntriesInArchiveOrder) {
  const SelectionCase &c = GetParam();
  TempFolder temp;
  const std::wstring dest = temp / L"D";
  const int before = Catalogue->ToInstall.Count();
  Catalogue->SelectFiles(c.name, dest, omKeepExisting);
  ASSERT_EQ(Catalogue->ToInstall.Count() - before, c.count);
  for (int i = 0; i < c.count; ++i) {
    const TFileToInstall &item = *Catalogue->ToInstall[before + i];
    EXPECT_EQ(item.Entry, Catalogue->Files[c.first + i]);
    EXPECT_EQ(item.Target, dest + L"\\" + Catalogue->Files[c.first + i]->Name);
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedSelectionTest,
                         testing::Values(SelectionCase{"LICENSE.TXT", 1, 1}, SelectionCase{"lvx.exe", 0, 1},
                                         SelectionCase{"Templates\\", 2, 16},
                                         SelectionCase{"templates\\letters\\", 2, 5},
                                         SelectionCase{"Clip Library\\", 18, 82}, SelectionCase{"Templates", 0, 0},
                                         SelectionCase{"License", 0, 0}));

TEST_F(ShippedCatalogueTest, TheFirstTemplateGoesToItsSubFolder) {
  Catalogue->SelectFiles("Templates\\", L"D:", omKeepExisting);
  EXPECT_EQ(Catalogue->ToInstall.Last()->Target, L"D:\\Templates\\TOCs\\TOC 4.rtf");
  EXPECT_EQ(Catalogue->ToInstall[Catalogue->ToInstall.Count() - 16]->Target, L"D:\\Templates\\Letters\\Letter 1.rtf");
}

}  // namespace
