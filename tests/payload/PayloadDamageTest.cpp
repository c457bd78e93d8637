// The shipped payload stream against byte damage: the load, which inflates
// and walks everything before the first file is written, refuses every
// inversion of one byte and every truncation.
#include "payload/PayloadStream.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
  const std::vector<size_t> offsets = DamagedOffsets(stream.size());
  std::vector<size_t> accepted;
  for (size_t offset : offsets) {
    const std::string damaged = GetParam().damage(stream, offset);
    try {
      InflatePayload(damaged.data(), static_cast<uint32_t>(damaged.size()));
      accepted.push_back(offset);
    } catch (const EPayloadDamaged &) {
    }
  }
  EXPECT_TRUE(accepted.empty()) << accepted.size() << " of " << offsets.size()
                                << " damaged streams load, the first at offset " << accepted.front();
  std::cout << "[ damaged  ] " << offsets.size() << " copies, offsets out of " << stream.size() << "\n";
}

INSTANTIATE_TEST_SUITE_P(Shipped, PayloadDamageTest, testing::ValuesIn(DamageCases),
                         [](const testing::TestParamInfo<DamageCase> &info) { return info.param.name; });

}  // namespace
