// The payload this executable carries as its resource "FILES", read the way
// the setup reads it: FindResource, whole-buffer inflation, record walk.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "archiveformat/ArchiveFormat.h"
#include "runtime/Zlib.h"

namespace {

struct Payload {
  std::string stream;
  std::string archive;
  std::vector<TArchiveRecord> records;
};

const Payload &Shipped() {
  static const Payload payload = [] {
    Payload p;
    HRSRC info = FindResourceA(nullptr, "FILES", "FILES");
    if (info == nullptr) return p;
    const auto *bytes = static_cast<const char *>(LockResource(LoadResource(nullptr, info)));
    p.stream.assign(bytes, SizeofResource(nullptr, info));
    void *out = nullptr;
    int32_t outBytes = 0;
    DecompressBuf(p.stream.data(), static_cast<int32_t>(p.stream.size()), 0, out, outBytes);
    p.archive.assign(static_cast<const char *>(out), static_cast<size_t>(outBytes));
    std::free(out);
    TArchiveReader reader(p.archive.data(), p.archive.size());
    TArchiveRecord rec;
    while (reader.Next(rec)) p.records.push_back(rec);
    return p;
  }();
  return payload;
}

std::string Name(const TArchiveRecord &r) { return std::string(r.Name); }

std::string Folder(const TArchiveRecord &r) {
  const std::string name = Name(r);
  const size_t slash = name.rfind('\\');
  return slash == std::string::npos ? "" : name.substr(0, slash + 1);
}

std::string Head(const TArchiveRecord &r, size_t n) {
  return std::string(reinterpret_cast<const char *>(r.Data), r.Size < n ? r.Size : n);
}

TEST(ShippedPayloadTest, IsOneZlibStreamAtTheBestLevel) {
  ASSERT_GE(Shipped().stream.size(), 2u) << "no resource FILES of type FILES";
  EXPECT_EQ(Shipped().stream.substr(0, 2), "\x78\xDA");
}

TEST(ShippedPayloadTest, HoldsTheHundredEntriesInTheirOrder) {
  const auto &records = Shipped().records;
  ASSERT_EQ(records.size(), 100u);
  EXPECT_EQ(Name(records[0]), "lvx.exe");
  EXPECT_EQ(Name(records[1]), "License.txt");

  // The folders, each one run of entries, in this order.
  const std::vector<std::string> expected = {
      "Templates\\Letters\\",
      "Templates\\Memos\\",
      "Templates\\Stories\\",
      "Templates\\TOCs\\",
      "Clip Library\\Closings\\",
      "Clip Library\\Headers & Footers\\",
      "Clip Library\\Images\\Bullets\\",
      "Clip Library\\Images\\Lines\\",
      "Clip Library\\Images\\Signs\\",
      "Clip Library\\Salutations\\",
      "Clip Library\\Tables\\",
  };
  std::vector<std::string> runs;
  size_t templates = 0, clips = 0;
  for (size_t i = 2; i < records.size(); ++i) {
    const std::string folder = Folder(records[i]);
    if (runs.empty() || runs.back() != folder) runs.push_back(folder);
    templates += folder.rfind("Templates\\", 0) == 0;
    clips += folder.rfind("Clip Library\\", 0) == 0;
  }
  EXPECT_EQ(runs, expected);
  EXPECT_EQ(templates, 16u);
  EXPECT_EQ(clips, 82u);
  EXPECT_EQ(Name(records[2]), "Templates\\Letters\\Letter 1.rtf");
}

TEST(ShippedPayloadTest, NamesAreAsciiAndTimesSurviveAFileTimeRoundTrip) {
  for (const auto &r : Shipped().records) {
    SCOPED_TRACE(Name(r));
    for (char c : r.Name) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "byte " << static_cast<int>(c);
    // A written file reads back at two-second resolution; an unchanged file
    // is only recognised when that gives the stored time exactly.
    EXPECT_EQ(FileDateToDateTime(DateTimeToFileDate(r.Time)), r.Time);
    EXPECT_GT(r.Time, EncodeDate(2024, 1, 1));
    EXPECT_LT(r.Time, EncodeDate(2025, 1, 1));
  }
}

TEST(ShippedPayloadTest, ContentsAreWhatTheirNamesSay) {
  for (const auto &r : Shipped().records) {
    const std::string name = Name(r);
    SCOPED_TRACE(name);
    EXPECT_GT(r.Size, 0u);
    const std::string ext = name.substr(name.rfind('.'));
    if (ext == ".exe") {
      EXPECT_EQ(Head(r, 2), "MZ");
    } else if (ext == ".rtf") {
      EXPECT_EQ(Head(r, 6), "{\\rtf1");
    } else if (ext == ".png") {
      EXPECT_EQ(Head(r, 8), "\x89PNG\r\n\x1A\n");
    }
  }
  const auto &license = Shipped().records[1];
  const std::string text(reinterpret_cast<const char *>(license.Data), license.Size);
  EXPECT_EQ(text.rfind("Lorvane Word Processor Lite 5.0.0.4\r\n", 0), 0u);
  EXPECT_NE(text.find("Copyright \xC2\xA9 2024"), std::string::npos);
  // CR LF between lines, never a bare LF.
  for (size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
    ASSERT_GT(i, 0u);
    ASSERT_EQ(text[i - 1], '\r') << "at byte " << i;
  }
}

}  // namespace
