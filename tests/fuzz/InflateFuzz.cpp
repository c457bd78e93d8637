// Inflation of any bytes, two ways: DecompressBuf either refuses the data
// with EZDecompressionError or gives the whole output, and the decompression
// stream over the same bytes reads that same output, again after a restart
// and after a forward seek.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "runtime/Zlib.h"

namespace {

// A broken promise: names the harness's line, then stops as a crash.
void Check(bool ok, unsigned line = __builtin_LINE()) {
  if (ok) return;
  std::fprintf(stderr, "check failed at %s:%u\n", __FILE__, line);
  std::abort();
}

struct TFreeBlock {
  void operator()(void *block) const { std::free(block); }
};

// A memory stream over the given bytes, at its start.
class TInputStream : public TMemoryStream {
public:
  TInputStream(const uint8_t *data, size_t size) {
    WriteBuffer(data, static_cast<int32_t>(size));
    SetPosition(0);
  }
};

// Everything the stream gives from where it stands, in reads of step bytes.
std::string ReadAll(TStream &stream, int32_t step) {
  std::string out;
  for (;;) {
    const size_t before = out.size();
    out.resize(before + static_cast<size_t>(step));
    const int32_t got = stream.Read(out.data() + before, step);
    Check(got >= 0 && got <= step);
    out.resize(before + static_cast<size_t>(got));
    if (got < step) return out;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // The input's length picks the output estimate and the stream's read
  // size, so that growing the block and short reads are both reached while
  // every input stays a whole stream.
  const int32_t estimate = static_cast<int32_t>(size % 7) * 64;
  const int32_t step = 1 + static_cast<int32_t>(size * 31 % 8192);

  void *block = nullptr;
  int32_t inflatedSize = -1;
  bool inflated = true;
  try {
    DecompressBuf(data, static_cast<int32_t>(size), estimate, block, inflatedSize);
  } catch (const EZDecompressionError &) {
    Check(block == nullptr && inflatedSize == 0);
    inflated = false;
  }
  std::unique_ptr<void, TFreeBlock> owned(block);

  TInputStream source(data, size);
  TZDecompressionStream stream(source);
  const std::string first = ReadAll(stream, step);
  if (inflated) {
    Check(inflatedSize >= 0 && first.size() == static_cast<size_t>(inflatedSize));
    Check(first.empty() || std::memcmp(first.data(), block, first.size()) == 0);
  }
  // A restart reads the same bytes; so does a read after skipping half.
  Check(stream.Seek(0, soFromBeginning) == 0);
  Check(ReadAll(stream, step) == first);
  stream.Seek(0, soFromBeginning);
  const int32_t half = static_cast<int32_t>(first.size() / 2);
  try {
    Check(stream.Seek(half, soFromCurrent) == half);
    Check(ReadAll(stream, step) == first.substr(static_cast<size_t>(half)));
  } catch (const EAbort &) {
    Check(false);
  }
  return 0;
}
