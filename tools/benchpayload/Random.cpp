#include "Random.h"

uint64_t TRandom::Next() {
  uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint32_t TRandom::Below(uint32_t bound) { return static_cast<uint32_t>((Next() >> 32) % bound); }

uint64_t SeedOf(std::string_view name) {
  uint64_t h = 0xCBF29CE484222325ull;
  for (char c : name) {
    h ^= static_cast<uint8_t>(c);
    h *= 0x100000001B3ull;
  }
  return h;
}
