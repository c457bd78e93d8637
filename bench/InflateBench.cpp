// Times DecompressBuf, with the first estimate the catalogue passes (five
// times the input), against zlib's own uncompress into a buffer of the exact
// size, on the same stream, side by side. Fails (exit code 1) unless
// DecompressBuf inflates in one pass (its only reallocation is the final
// shrink) and it takes at most 1.1 times as long as uncompress. The two run
// back to back in pairs and the verdict is the median of the pairs' ratios,
// which load from other processes disturbs least.
// Linked with -Wl,--wrap=realloc so that the reallocations can be counted.
// Usage: inflate_bench <inflated file> <compressed file> [repetitions]
#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/Zlib.h"

namespace {

int Reallocations = 0;
size_t LastReallocSize = 0;

}  // namespace

extern "C" void *__real_realloc(void *block, size_t size);
extern "C" void *__wrap_realloc(void *block, size_t size) {
  ++Reallocations;
  LastReallocSize = size;
  return __real_realloc(block, size);
}

namespace {

constexpr double MaxSlowdown = 1.1;

std::string ReadWholeFile(const char *path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "inflate_bench: cannot open %s\n", path);
    std::exit(2);
  }
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static const double ticksPerMs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  return static_cast<double>(to.QuadPart - from.QuadPart) / ticksPerMs;
}

struct Timings {
  std::vector<double> ms;
  double Min() const { return *std::min_element(ms.begin(), ms.end()); }
  double Median() const {
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  }
};

// One run of each contender; each allocates its output, inflates and checks
// the result. Freeing the output is not timed.
struct Bench {
  const std::string &plain;
  const std::string &packed;
  bool ok = true;
  int maxReallocations = 0;

  double RunDecompressBuf() {
    void *out = nullptr;
    int32_t outBytes = 0;
    LARGE_INTEGER t0, t1;
    Reallocations = 0;
    QueryPerformanceCounter(&t0);
    DecompressBuf(packed.data(), static_cast<int32_t>(packed.size()), 5 * static_cast<int32_t>(packed.size()), out,
                  outBytes);
    QueryPerformanceCounter(&t1);
    int reallocations = Reallocations;
    maxReallocations = std::max(maxReallocations, reallocations);
    Check("DecompressBuf", reallocations == 1 && LastReallocSize == plain.size(),
          "reallocated " + std::to_string(reallocations) + " times, the last to " + std::to_string(LastReallocSize) +
              " bytes; only the final shrink was expected");
    Check("DecompressBuf", Same(out, outBytes), "wrong output");
    std::free(out);
    return Milliseconds(t0, t1);
  }

  double RunUncompress() {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    auto *out = static_cast<Bytef *>(std::malloc(plain.size()));
    uLongf outBytes = static_cast<uLongf>(plain.size());
    int rc = uncompress(out, &outBytes, reinterpret_cast<const Bytef *>(packed.data()),
                        static_cast<uLong>(packed.size()));
    QueryPerformanceCounter(&t1);
    Check("uncompress", rc == Z_OK && Same(out, static_cast<int32_t>(outBytes)), "wrong output");
    std::free(out);
    return Milliseconds(t0, t1);
  }

  bool Same(const void *out, int32_t outBytes) const {
    return out != nullptr && static_cast<size_t>(outBytes) == plain.size() &&
           std::memcmp(out, plain.data(), plain.size()) == 0;
  }

  void Check(const char *who, bool condition, const std::string &what) {
    if (condition) return;
    if (ok) std::printf("FAIL: %s: %s\n", who, what.c_str());
    ok = false;
  }
};

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: inflate_bench <inflated file> <compressed file> [repetitions]\n");
    return 2;
  }
  const std::string plain = ReadWholeFile(argv[1]);
  const std::string packed = ReadWholeFile(argv[2]);
  const int repetitions = argc == 4 ? std::max(1, std::atoi(argv[3])) : 31;

  Bench bench{plain, packed};
  bench.RunDecompressBuf();  // warm-up: code, heap and page tables
  bench.RunUncompress();
  Timings ours, zlib, ratios;
  for (int i = 0; i < repetitions; ++i) {
    // Alternate the order so that neither always runs on a warmer heap.
    if (i % 2 == 0) {
      ours.ms.push_back(bench.RunDecompressBuf());
      zlib.ms.push_back(bench.RunUncompress());
    } else {
      zlib.ms.push_back(bench.RunUncompress());
      ours.ms.push_back(bench.RunDecompressBuf());
    }
    ratios.ms.push_back(ours.ms.back() / zlib.ms.back());
  }

  const double ratio = ratios.Median();
  std::printf("input: %zu bytes inflating to %zu bytes (%.2f:1), %d repetitions\n", packed.size(), plain.size(),
              static_cast<double>(plain.size()) / static_cast<double>(packed.size()), repetitions);
  std::printf("DecompressBuf, estimate 5 x input: min %7.2f ms, median %7.2f ms, reallocations %d\n", ours.Min(),
              ours.Median(), bench.maxReallocations);
  std::printf("uncompress, exact buffer:          min %7.2f ms, median %7.2f ms\n", zlib.Min(), zlib.Median());
  std::printf("DecompressBuf / uncompress: median of the paired ratios %.3f (limit %.2f); minima %.3f, medians %.3f\n",
              ratio, MaxSlowdown, ours.Min() / zlib.Min(), ours.Median() / zlib.Median());
  bench.Check("DecompressBuf", ratio <= MaxSlowdown, "slower than the limit");
  std::printf("%s\n", bench.ok ? "PASS" : "FAIL");
  return bench.ok ? 0 : 1;
}
