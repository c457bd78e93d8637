// Our generated icon and logo, linked as resources and read the way the
// program reads them.
#include <gtest/gtest.h>

#include <set>

#include "PngFixtures.h"
#include "toolkit/PNG.h"

namespace {

// The resource types RT_GROUP_ICON and RT_ICON.
constexpr WORD GroupIconType = 14;
constexpr WORD IconType = 3;

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE Width, Height, ColorCount, Reserved;
  WORD Planes, BitCount;
  DWORD BytesInRes;
  WORD Id;
};
struct GroupIconHeader {
  WORD Reserved, Type, Count;
  GroupIconEntry Entries[1];
};
#pragma pack(pop)

const void *Resource(LPCWSTR name, LPCWSTR type, DWORD *size) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, name, type);
  if (info == nullptr) return nullptr;
  *size = SizeofResource(module, info);
  return LockResource(LoadResource(module, info));
}

TEST(ArtworkTest, TheIconCarriesEverySizeAndEachLoads) {
  DWORD size = 0;
  auto *group = static_cast<const GroupIconHeader *>(Resource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(GroupIconType), &size));
  ASSERT_NE(group, nullptr);
  std::set<int> sizes;
  for (WORD i = 0; i < group->Count; ++i) {
    const GroupIconEntry &entry = group->Entries[i];
    int side = entry.Width == 0 ? 256 : entry.Width;
    sizes.insert(side);
    EXPECT_EQ(entry.BitCount, 32);
    DWORD bytes = 0;
    auto *image = static_cast<const BYTE *>(Resource(MAKEINTRESOURCEW(entry.Id), MAKEINTRESOURCEW(IconType), &bytes));
    ASSERT_NE(image, nullptr) << side;
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE *>(image), bytes, TRUE, 0x00030000, side, side, 0);
    ASSERT_NE(icon, nullptr) << side;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, side);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));
}

TEST(ArtworkTest, TheLogoResourceDecodes) {
  TResourceStream stream(GetModuleHandleW(nullptr), "LOGO", "PNG");
  ASSERT_GT(stream.Size(), 0);
  TPNGImage logo;
  logo.LoadFromStream(stream);
  ASSERT_EQ(logo.Width(), 120);
  ASSERT_EQ(logo.Height(), 260);
  EXPECT_EQ(logo.PixelFormat(), pf8Bit);
  IndexedImage expected = ReadIndexed("logo.idx");
  for (int y = 0; y < 260; ++y) {
    const auto *row = static_cast<const uint8_t *>(logo.ScanLine(y));
    ASSERT_TRUE(std::equal(row, row + 120, expected.Indices.begin() + y * 120)) << y;
  }
}

}  // namespace
