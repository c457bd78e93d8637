#include "PeResource.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/SysUtils.h"

namespace {

void Put16(std::string &b, size_t at, uint32_t v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}

void Put32(std::string &b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// A minimal PE32 image with one section ".rsrc" holding a resource tree
// type -> name -> language 0x409 -> data, laid out at fixed offsets so
// tests can damage single fields.
struct FakePe {
  static constexpr size_t PeHeader = 0x80;
  static constexpr size_t Optional = PeHeader + 24;
  static constexpr size_t ResourceDirEntry = Optional + 96 + 2 * 8;
  static constexpr size_t SectionTable = Optional + 0xE0;
  static constexpr size_t Raw = 0x200;  // file offset of the section
  static constexpr uint32_t Rva = 0x1000;
  // Offsets inside the section.
  static constexpr size_t TypeDir = 0, NameDir = 0x18, LangDir = 0x30, DataEntry = 0x48, TypeName = 0x58,
                          ResName = 0x70, Data = 0x90;

  std::string bytes;

  FakePe(const std::u16string &type, const std::u16string &name, const std::string &data) {
    bytes.assign(Raw + Data + data.size(), '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    Put32(bytes, 0x3C, PeHeader);
    bytes.replace(PeHeader, 4, std::string("PE\0\0", 4));
    Put16(bytes, PeHeader + 4, 0x14C);
    Put16(bytes, PeHeader + 6, 1);
    Put16(bytes, PeHeader + 20, 0xE0);
    Put16(bytes, Optional, 0x10B);
    Put32(bytes, Optional + 92, 16);
    Put32(bytes, ResourceDirEntry, Rva);
    Put32(bytes, ResourceDirEntry + 4, static_cast<uint32_t>(Data + data.size()));
    bytes.replace(SectionTable, 5, ".rsrc");
    Put32(bytes, SectionTable + 8, static_cast<uint32_t>(Data + data.size()));
    Put32(bytes, SectionTable + 12, Rva);
    Put32(bytes, SectionTable + 16, static_cast<uint32_t>(Data + data.size()));
    Put32(bytes, SectionTable + 20, Raw);

    Directory(TypeDir, 1, 0, 0x80000000u | TypeName, 0x80000000u | NameDir);
    Directory(NameDir, 1, 0, 0x80000000u | ResName, 0x80000000u | LangDir);
    Directory(LangDir, 0, 1, 0x409, DataEntry);
    Put32(bytes, Raw + DataEntry, static_cast<uint32_t>(Rva + Data));
    Put32(bytes, Raw + DataEntry + 4, static_cast<uint32_t>(data.size()));
    String(TypeName, type);
    String(ResName, name);
    bytes.replace(Raw + Data, data.size(), data);
  }

  void Directory(size_t at, uint32_t named, uint32_t ids, uint32_t entryName, uint32_t entryTarget) {
    Put16(bytes, Raw + at + 12, named);
    Put16(bytes, Raw + at + 14, ids);
    Put32(bytes, Raw + at + 16, entryName);
    Put32(bytes, Raw + at + 20, entryTarget);
  }

  void String(size_t at, const std::u16string &s) {
    Put16(bytes, Raw + at, static_cast<uint32_t>(s.size()));
    for (size_t i = 0; i < s.size(); ++i) Put16(bytes, Raw + at + 2 + 2 * i, s[i]);
  }
};

TEST(PeResourceTest, FindsTheNamedResourceIgnoringAsciiCase) {
  FakePe pe(u"FILES", u"files", "payload bytes");
  const auto found = FindNamedResource(pe.bytes, "FILES", "FILES");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(*found, "payload bytes");
  EXPECT_EQ(found->data(), pe.bytes.data() + FakePe::Raw + FakePe::Data);
}

TEST(PeResourceTest, OtherNamesAreNotFound) {
  FakePe pe(u"FILES", u"LOGO", "x");
  EXPECT_FALSE(FindNamedResource(pe.bytes, "FILES", "FILES").has_value());
  EXPECT_FALSE(FindNamedResource(pe.bytes, "PNG", "LOGO").has_value());
  EXPECT_FALSE(FindNamedResource(pe.bytes, "FILE", "LOGO").has_value());
  EXPECT_TRUE(FindNamedResource(pe.bytes, "FILES", "LOGO").has_value());
}

TEST(PeResourceTest, AnImageWithoutResourcesHasNone) {
  FakePe pe(u"FILES", u"FILES", "x");
  Put32(pe.bytes, FakePe::ResourceDirEntry, 0);
  Put32(pe.bytes, FakePe::ResourceDirEntry + 4, 0);
  EXPECT_FALSE(FindNamedResource(pe.bytes, "FILES", "FILES").has_value());
}

struct DamageCase {
  const char *name;
  void (*damage)(std::string &bytes);
};

class PeDamageTest : public testing::TestWithParam<DamageCase> {};

// Damaged images raise an error, and the sanitizers check that nothing is
// read outside the image.
TEST_P(PeDamageTest, RaisesInsteadOfReadingOutside) {
  FakePe pe(u"FILES", u"FILES", "payload");
  GetParam().damage(pe.bytes);
  std::string exact = pe.bytes;
  exact.shrink_to_fit();
  EXPECT_THROW(FindNamedResource(exact, "FILES", "FILES"), Exception);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PeDamageTest,
    testing::Values(
        DamageCase{"OnlyMZ", [](std::string &b) { b.resize(2); }},
        DamageCase{"PeOffsetPastTheEnd", [](std::string &b) { Put32(b, 0x3C, 0xFFFFFFF0u); }},
        DamageCase{"NoPeSignature", [](std::string &b) { b[FakePe::PeHeader] = 'X'; }},
        DamageCase{"UnknownOptionalHeader", [](std::string &b) { Put16(b, FakePe::Optional, 0x107); }},
        DamageCase{"SectionTableCut", [](std::string &b) { b.resize(FakePe::SectionTable + 20); }},
        DamageCase{"ResourcesInNoSection", [](std::string &b) { Put32(b, FakePe::ResourceDirEntry, 0x9000); }},
        DamageCase{"SectionPastTheFile", [](std::string &b) { b.resize(FakePe::Raw + FakePe::Data + 3); }},
        DamageCase{"TypeNamePastTheSection",
                   [](std::string &b) { Put32(b, FakePe::Raw + 16, 0x80000000u | 0x7FFFFFF0u); }},
        DamageCase{"SubdirectoryPastTheSection",
                   [](std::string &b) { Put32(b, FakePe::Raw + FakePe::NameDir + 20, 0x80000000u | 0xFFF0u); }},
        DamageCase{"DataWhereADirectoryBelongs",
                   [](std::string &b) { Put32(b, FakePe::Raw + FakePe::NameDir + 20, FakePe::DataEntry); }},
        DamageCase{"DirectoryWhereDataBelongs",
                   [](std::string &b) { Put32(b, FakePe::Raw + FakePe::LangDir + 20, 0x80000000u | FakePe::TypeDir); }},
        DamageCase{"DataPastItsSection",
                   [](std::string &b) { Put32(b, FakePe::Raw + FakePe::DataEntry + 4, 0xFFFFFFFFu); }},
        DamageCase{"DataInNoSection", [](std::string &b) { Put32(b, FakePe::Raw + FakePe::DataEntry, 0x10); }}),
    [](const auto &info) { return info.param.name; });

}  // namespace
