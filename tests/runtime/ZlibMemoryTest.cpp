// Inflation that runs out of memory. The ctest entry tells the sanitizer's
// allocator to refuse every block above 1 MiB and return null, as a heap
// without room does; the stream here inflates to 3 MiB.
#include "runtime/Zlib.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

namespace {

constexpr int32_t Inflated = 3 << 20;

// A stream of Inflated zero bytes, deflated piece by piece so that no block
// the allocator refuses is needed to make it.
std::string LargeStream() {
  z_stream z{};
  EXPECT_EQ(deflateInit(&z, 9), Z_OK);
  std::string zeros(64 << 10, '\0');
  std::string out;
  char chunk[16384];
  for (int32_t left = Inflated; left >= 0; left -= static_cast<int32_t>(zeros.size())) {
    const bool last = left <= static_cast<int32_t>(zeros.size());
    z.next_in = reinterpret_cast<Bytef *>(zeros.data());
    z.avail_in = last ? static_cast<uInt>(left) : static_cast<uInt>(zeros.size());
    do {
      z.next_out = reinterpret_cast<Bytef *>(chunk);
      z.avail_out = sizeof chunk;
      deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      out.append(chunk, sizeof chunk - z.avail_out);
    } while (z.avail_out == 0);
    if (last) break;
  }
  deflateEnd(&z);
  return out;
}

TEST(DecompressBufMemoryTest, TheStreamIsIntactWhenMemoryAllows) {
  // Inflating into 1 MiB pieces through the stream class needs no large block.
  const std::string stream = LargeStream();
  TMemoryStream source;
  source.WriteBuffer(stream.data(), static_cast<int32_t>(stream.size()));
  source.SetPosition(0);
  TZDecompressionStream z(source);
  std::string piece(1 << 19, '\1');
  int64_t total = 0;
  for (int32_t got; (got = z.Read(piece.data(), static_cast<int32_t>(piece.size()))) > 0;) total += got;
  EXPECT_EQ(total, Inflated);
}

// Neither the first block nor a grown one is damage: both raise
// EOutOfMemory and hand back no block.
TEST(DecompressBufMemoryTest, NoMemoryIsNotDamage) {
  const std::string stream = LargeStream();
  const struct {
    const char *what;
    int32_t estimate;
  } cases[] = {
      {"the first block", 2 << 20},
      {"a grown block", 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    void *out = reinterpret_cast<void *>(1);
    int32_t size = -1;
    try {
      DecompressBuf(stream.data(), static_cast<int32_t>(stream.size()), c.estimate, out, size);
      ADD_FAILURE() << "inflated " << size << " bytes";
    } catch (const EZDecompressionError &e) {
      ADD_FAILURE() << "reported as damage: " << e.Message;
    } catch (const EOutOfMemory &) {
    }
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(size, 0);
  }
}

}  // namespace
