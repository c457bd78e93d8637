// The shipped payload stream against byte damage: the load, which inflates
// and walks everything before the first file is written, refuses every
// inversion of one byte and every truncation, unless the damaged copy still
// inflates to the very same archive. A few bits of a compressed stream
// change nothing in what it inflates to; the stream's check value covers the
// inflated bytes, so such copies load, and what they write is the intact
// payload.
#include "payload/PayloadStream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string &ShippedStream() {
  static const std::string stream = [] {
    std::ifstream in(LV_FILES_STREAM, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }();
  return stream;
}

// The offsets damaged: every one within Edge bytes of either end (the
// stream's header, the first block's header, the last block and the check
// value), and every Stride-th between. LV_DAMAGE_STRIDE=1 takes them all.
constexpr size_t Edge = 1024;
constexpr size_t Stride = 127;

std::vector<size_t> DamagedOffsets(size_t size) {
  const char *given = std::getenv("LV_DAMAGE_STRIDE");
  const size_t stride = given != nullptr && std::atoi(given) > 0 ? static_cast<size_t>(std::atoi(given)) : Stride;
  std::vector<size_t> offsets;
  for (size_t i = 0; i < size; ++i)
    if (i < Edge || size - i <= Edge || i % stride == 0) offsets.push_back(i);
  return offsets;
}

struct DamageCase {
  const char *name;
  // The stream with the damage at offset applied.
  std::string (*damage)(const std::string &stream, size_t offset);
};

const DamageCase DamageCases[] = {
    {"InvertedByte",
     [](const std::string &stream, size_t offset) {
       std::string damaged = stream;
       damaged[offset] = static_cast<char>(~damaged[offset]);
       return damaged;
     }},
    {"CutAt", [](const std::string &stream, size_t offset) { return stream.substr(0, offset); }},
};

class PayloadDamageTest : public testing::TestWithParam<DamageCase> {};

bool SameRecords(const TInflatedPayload &a, const TInflatedPayload &b) {
  if (a.Records.size() != b.Records.size()) return false;
  for (size_t i = 0; i < a.Records.size(); ++i) {
    const TArchiveRecord &x = a.Records[i], &y = b.Records[i];
    if (x.Offset != y.Offset || x.Name != y.Name || std::memcmp(&x.Time, &y.Time, sizeof x.Time) != 0 ||
        x.Size != y.Size || std::memcmp(x.Data, y.Data, x.Size) != 0)
      return false;
  }
  return true;
}

TEST(PayloadStreamTest, TheShippedStreamLoadsWhole) {
  const std::string &stream = ShippedStream();
  ASSERT_GT(stream.size(), 2 * Edge) << "no payload stream at " LV_FILES_STREAM;
  const TInflatedPayload payload = InflatePayload(stream.data(), static_cast<uint32_t>(stream.size()));
  // Else every damaged copy would be refused for nothing.
  EXPECT_FALSE(payload.Records.empty());
}

TEST_P(PayloadDamageTest, IsRefusedAtEveryOffset) {
  const std::string &stream = ShippedStream();
  ASSERT_GT(stream.size(), 2 * Edge) << "no payload stream at " LV_FILES_STREAM;
  const TInflatedPayload intact = InflatePayload(stream.data(), static_cast<uint32_t>(stream.size()));
  const std::vector<size_t> offsets = DamagedOffsets(stream.size());
  std::vector<size_t> accepted;
  size_t unchanged = 0;
  for (size_t offset : offsets) {
    const std::string damaged = GetParam().damage(stream, offset);
    try {
      const TInflatedPayload loaded = InflatePayload(damaged.data(), static_cast<uint32_t>(damaged.size()));
      if (SameRecords(loaded, intact))
        ++unchanged;
      else
        accepted.push_back(offset);
    } catch (const EPayloadDamaged &) {
    }
  }
  EXPECT_TRUE(accepted.empty()) << accepted.size() << " of " << offsets.size()
                                << " damaged streams load another archive, the first at offset " << accepted.front();
  std::cout << "[ damaged  ] " << offsets.size() << " copies of " << stream.size() << " offsets, " << unchanged
            << " inflating to the intact archive\n";
}

INSTANTIATE_TEST_SUITE_P(Shipped, PayloadDamageTest, testing::ValuesIn(DamageCases),
                         [](const testing::TestParamInfo<DamageCase> &info) { return info.param.name; });

}  // namespace
