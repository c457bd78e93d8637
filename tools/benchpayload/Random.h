// A small generator with a fixed sequence for every seed (splitmix64), so the
// benchmark payload has the same bytes on every machine and compiler.
#pragma once

#include <cstdint>
#include <string_view>

class TRandom {
 public:
  explicit TRandom(uint64_t seed) : FState(seed) {}
  uint64_t Next();
  // Uniform in [0, bound); bound > 0.
  uint32_t Below(uint32_t bound);
  // Uniform in [low, high].
  uint32_t Between(uint32_t low, uint32_t high) { return low + Below(high - low + 1); }
  // True with the chance percent / 100.
  bool Chance(uint32_t percent) { return Below(100) < percent; }
  uint8_t Byte() { return static_cast<uint8_t>(Next() >> 56); }

 private:
  uint64_t FState;
};

// A seed from a name (FNV-1a), so each file's contents depend on its name
// only, not on the files listed before it.
uint64_t SeedOf(std::string_view name);
