#include "archiveformat/ArchiveFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Entry {
  std::string name;
  TDateTime time;
  std::string contents;
};

std::string Pack(const std::vector<Entry> &entries) {
  std::string out;
  for (const auto &e : entries) WriteArchiveRecord(out, e.name, e.time, e.contents);
  return out;
}

std::vector<TArchiveRecord> Walk(const std::string &bytes) {
  TArchiveReader reader(bytes.data(), bytes.size());
  std::vector<TArchiveRecord> records;
  TArchiveRecord rec;
  while (reader.Next(rec)) records.push_back(rec);
  return records;
}

TEST(ArchiveRecordTest, WritesTheDocumentedLayout) {
  std::string out;
  WriteArchiveRecord(out, "a\\b", 1.0, "xyz");
  const std::string expected("\x03" "a\\b"
                             "\x00\x00\x00\x00\x00\x00\xF0\x3F"
                             "\x03\x00\x00\x00"
                             "xyz",
                             1 + 3 + 8 + 4 + 3);
  EXPECT_EQ(out, expected);
}

TEST(ArchiveRecordTest, RefusesWhatTheLayoutCannotHold) {
  std::string out;
  EXPECT_THROW(WriteArchiveRecord(out, std::string(256, 'n'), 0, ""), Exception);
  EXPECT_NO_THROW(WriteArchiveRecord(out, std::string(255, 'n'), 0, ""));
}

TEST(ArchiveReaderTest, WalksRecordsInOrderPointingIntoTheBuffer) {
  const std::vector<Entry> entries = {
      {"lvx.exe", 45371.5, std::string("MZ\0\x90", 4)},
      {"License.txt", 45370.25, "Terms\r\n"},
      {"Templates\\Empty.rtf", 45000.0, ""},
      {std::string(255, 'n'), -1.5, "last"},
  };
  const std::string bytes = Pack(entries);
  const auto records = Walk(bytes);

  ASSERT_EQ(records.size(), entries.size());
  size_t offset = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(i);
    const auto &r = records[i];
    EXPECT_EQ(r.Offset, offset);
    EXPECT_EQ(r.Name, entries[i].name);
    EXPECT_EQ(r.Time, entries[i].time);
    EXPECT_EQ(r.Size, entries[i].contents.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(r.Data), r.Size), entries[i].contents);
    // Views, not copies.
    EXPECT_EQ(r.Name.data(), bytes.data() + offset + 1);
    EXPECT_EQ(reinterpret_cast<const char *>(r.Data), bytes.data() + offset + 13 + r.Name.size());
    offset += 13 + r.Name.size() + r.Size;
  }
}

TEST(ArchiveReaderTest, EmptyArchiveHasNoRecords) {
  TArchiveReader reader(nullptr, 0);
  TArchiveRecord rec;
  EXPECT_FALSE(reader.Next(rec));
  EXPECT_FALSE(reader.Next(rec));
}

struct DamageCase {
  const char *name;
  std::string tail;  // bytes after one good record
};

class ArchiveDamageTest : public testing::TestWithParam<DamageCase> {};

// The damaged bytes sit at the end of an exactly sized heap block, so the
// sanitizers catch any read past them.
TEST_P(ArchiveDamageTest, ReportsTheRecordWithoutReadingPastTheEnd) {
  std::string good;
  WriteArchiveRecord(good, "good.txt", 2.0, "ok");
  const std::string all = good + GetParam().tail;
  std::vector<unsigned char> block(all.begin(), all.end());

  TArchiveReader reader(block.data(), block.size());
  TArchiveRecord rec;
  ASSERT_TRUE(reader.Next(rec));
  EXPECT_EQ(rec.Name, "good.txt");
  try {
    reader.Next(rec);
    FAIL() << "damage not reported";
  } catch (const EArchiveDamaged &e) {
    EXPECT_EQ(e.Offset, good.size());
    EXPECT_NE(e.Message.find("offset " + std::to_string(good.size())), std::string::npos) << e.Message;
  }
  // The reader stays on the damaged record.
  EXPECT_EQ(reader.Position(), good.size());
  EXPECT_THROW(reader.Next(rec), EArchiveDamaged);
}

std::string Bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s.push_back(static_cast<char>(b));
  return s;
}

const std::string Time8 = Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F});

INSTANTIATE_TEST_SUITE_P(
    Cases, ArchiveDamageTest,
    testing::Values(DamageCase{"LengthBytePastTheEnd", "\x05" "abc"},
                    DamageCase{"LengthByteAlone", "\xFF"},
                    DamageCase{"TimeCut", "\x01" "a" + Time8.substr(0, 5)},
                    DamageCase{"NoTime", "\x01" "a"},
                    DamageCase{"SizeCut", "\x01" "a" + Time8 + Bytes({2, 0})},
                    DamageCase{"ContentsPastTheEnd", "\x01" "a" + Time8 + Bytes({4, 0, 0, 0}) + "abc"},
                    DamageCase{"SizeNear4GiB", "\x01" "a" + Time8 + Bytes({0xFF, 0xFF, 0xFF, 0xFF}) + "abc"},
                    DamageCase{"SizeJustPastWhatIsLeft", "\x01" "a" + Time8 + Bytes({0xF3, 0xFF, 0xFF, 0xFF})}),
    [](const auto &info) { return info.param.name; });

}  // namespace
