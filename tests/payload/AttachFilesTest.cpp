// Loading the catalogue: this executable's own archive, and the damaged
// payloads that the carriers hold, read from their files as data.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "CatalogueFixture.h"

namespace {

TEST_F(CatalogueTest, ParsesEveryRecordInArchiveOrder) {
  const struct {
    const wchar_t *name;
    TDateTime time;
    std::string contents;
  } expected[FixtureEntryCount] = {
      {L"Readme.txt", LocalTime(2023, 5, 6, 10, 20, 30), "The first readme.\r\n"},
      {L"Docs\\Guide.txt", LocalTime(2023, 5, 6, 10, 20, 32), "How to use the guide.\r\nSecond line.\r\n"},
      {L"Docs\\Empty.txt", LocalTime(2001, 2, 3, 4, 5, 6), ""},
      {L"Docs\\R\u00e9sum\u00e9.txt", LocalTime(2010, 7, 8, 9, 10, 12), "A r\xc3\xa9sum\xc3\xa9.\r\n"},
      {L"Old.txt", LocalTime(1975, 6, 1, 12, 0, 0), "Stored with a time before 1980.\r\n"},
      {L"Future.txt", LocalTime(2105, 6, 1, 12, 0, 0), "Stored with a time after 2099.\r\n"},
      {L"README.TXT", LocalTime(2022, 1, 1, 0, 0, 0), "The second readme, never selected by its name.\r\n"},
  };
  ASSERT_EQ(Catalogue->Files.Count(), FixtureEntryCount);
  for (int i = 0; i < FixtureEntryCount; ++i) {
    const TAttachedFile &entry = *Catalogue->Files[i];
    SCOPED_TRACE(UTF8Encode(expected[i].name));
    EXPECT_EQ(entry.Name, expected[i].name);
    EXPECT_EQ(entry.Time, expected[i].time);
    EXPECT_EQ(entry.Size, expected[i].contents.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(entry.Data), entry.Size), expected[i].contents);
  }
  EXPECT_EQ(Catalogue->ToInstall.Count(), 0);
  EXPECT_EQ(Catalogue->PublicFiles.Count(), 0);
}

TEST_F(CatalogueTest, EntriesPointIntoOneBufferInRecordLayout) {
  // Each record is 1 + L + 8 + 4 bytes of head before its contents.
  for (int i = 0; i + 1 < FixtureEntryCount; ++i) {
    const TAttachedFile &entry = *Catalogue->Files[i];
    const size_t nextNameBytes = UTF8Encode(Catalogue->Files[i + 1]->Name).size();
    EXPECT_EQ(Catalogue->Files[i + 1]->Data, entry.Data + entry.Size + 1 + nextNameBytes + 8 + 4) << i;
  }
}

TEST_F(CatalogueTest, PublicDirIsTheSharedPublicFolder) {
  EXPECT_EQ(PublicDir, L"C:\\ProgramData\\Lorvane\\Public\\");
}

// The path of a carrier executable as Wine sees it.
std::wstring CarrierPath(const char *carrier) {
  std::wstring path = L"Z:";
  for (const char *p = LV_CARRIER_DIR; *p != '\0'; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
  for (const char *p = carrier; *p != '\0'; ++p) path.push_back(static_cast<wchar_t>(*p));
  return path;
}

// A carrier executable loaded as data: its resources, none of its code.
class CarrierModule {
public:
  explicit CarrierModule(const char *carrier)
      : FModule(LoadLibraryExW(CarrierPath(carrier).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~CarrierModule() {
    if (FModule != nullptr) FreeLibrary(FModule);
  }
  CarrierModule(const CarrierModule &) = delete;
  CarrierModule &operator=(const CarrierModule &) = delete;
  HMODULE Handle() const { return FModule; }

private:
  HMODULE FModule;
};

TEST(DamagedPayloadTest, EveryDamageRaisesWithWhatWentWrong) {
  const struct {
    const char *carrier;
    const char *message;
  } cases[] = {
      {"\\payload_carrier_flipped.exe", "The payload cannot be inflated: Damaged compressed data: "},
      {"\\payload_carrier_truncated.exe", "The payload cannot be inflated: Damaged compressed data: "},
      {"\\payload_carrier_overrun.exe", "The payload is cut short: Damaged archive: the record at offset "},
      {"\\payload_carrier_missing.exe", "The setup carries no payload (resource FILES is missing)"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.carrier);
    CarrierModule carrier(c.carrier);
    ASSERT_NE(carrier.Handle(), nullptr);
    try {
      TAttachedFiles catalogue(carrier.Handle());
      ADD_FAILURE() << "loaded " << catalogue.Files.Count() << " entries";
    } catch (const EPayloadDamaged &e) {
      EXPECT_EQ(e.Message.rfind(c.message, 0), 0u) << e.Message;
    }
  }
}

TEST(DamagedPayloadTest, TheIntactCarrierHoldsTheShippedPayload) {
  CarrierModule carrier("\\payload_carrier_intact.exe");
  ASSERT_NE(carrier.Handle(), nullptr);
  TAttachedFiles catalogue(carrier.Handle());
  EXPECT_EQ(catalogue.Files.Count(), 100);
}

// A stream that inflates to no bytes is an archive of no entries: nothing to
// select, nothing damaged.
TEST(EmptyPayloadTest, InflatesToACatalogueOfNoEntries) {
  CarrierModule carrier("\\payload_carrier_empty.exe");
  ASSERT_NE(carrier.Handle(), nullptr);
  TAttachedFiles catalogue(carrier.Handle());
  EXPECT_EQ(catalogue.Files.Count(), 0);
  catalogue.SelectFiles("Readme.txt", L"C:\\Somewhere", omAlwaysReplace);
  catalogue.SelectFiles("Docs\\", L"C:\\Somewhere", omAlwaysReplace);
  EXPECT_EQ(catalogue.ToInstall.Count(), 0);
  EXPECT_EQ(catalogue.PublicFiles.Count(), 0);
}

}  // namespace
