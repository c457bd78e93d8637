#include "runtime/Zlib.h"

#include <cstdlib>
#include <limits>
#include <string>

TCustomZStream::TCustomZStream(TStream &source)
    : FSource(source), FSourcePos(source.Position()), FBuffer(new unsigned char[BufferSize]) {
  FZRec.next_in = FBuffer.get();
  FZRec.avail_in = 0;
}

TZDecompressionStream::TZDecompressionStream(TStream &source) : TCustomZStream(source) {
  if (inflateInit(&FZRec) != Z_OK) throw Exception("zlib: cannot initialise inflation");
}

TZDecompressionStream::~TZDecompressionStream() { inflateEnd(&FZRec); }

int32_t TZDecompressionStream::Read(void *buffer, int32_t count) {
  if (count <= 0) return 0;
  FZRec.next_out = static_cast<Bytef *>(buffer);
  FZRec.avail_out = static_cast<uInt>(count);
  if (FSource.Position() != FSourcePos) FSource.SetPosition(FSourcePos);
  while (FZRec.avail_out > 0) {
    if (FZRec.avail_in == 0) {
      int32_t got = FSource.Read(FBuffer.get(), BufferSize);
      if (got > 0) {
        FZRec.next_in = FBuffer.get();
        FZRec.avail_in = static_cast<uInt>(got);
        FSourcePos = FSource.Position();
      }
    }
    // The end of the data, damaged data and a step without progress all end
    // the read. A dry source is no reason to stop yet: inflation may still
    // hold output from input it took earlier, which only a step without
    // progress shows is gone.
    if (inflate(&FZRec, Z_NO_FLUSH) != Z_OK) break;
  }
  return count - static_cast<int32_t>(FZRec.avail_out);
}

int32_t TZDecompressionStream::Write(const void *, int32_t) { return 0; }

int32_t TZDecompressionStream::Seek(int32_t offset, uint16_t origin) {
  int32_t produced = static_cast<int32_t>(FZRec.total_out);
  if (offset == 0 && origin == soFromBeginning) {
    inflateReset(&FZRec);
    FZRec.next_in = FBuffer.get();
    FZRec.avail_in = 0;
    FSource.SetPosition(0);
    FSourcePos = 0;
  } else if ((offset >= 0 && origin == soFromCurrent) || (origin == soFromBeginning && offset > produced)) {
    int64_t skip = origin == soFromBeginning ? static_cast<int64_t>(offset) - produced : offset;
    unsigned char scratch[4096];
    while (skip > 0) {
      int32_t n = skip < static_cast<int64_t>(sizeof scratch) ? static_cast<int32_t>(skip) : sizeof scratch;
      ReadBuffer(scratch, n);
      skip -= n;
    }
  }
  return static_cast<int32_t>(FZRec.total_out);
}

void DecompressBuf(const void *inBuf, int32_t inBytes, int32_t outEstimate, void *&outBuf, int32_t &outBytes) {
  outBuf = nullptr;
  outBytes = 0;
  if (inBytes < 0 || outEstimate < 0) throw EZDecompressionError("Damaged compressed data: negative size");
  const int64_t step = (static_cast<int64_t>(inBytes) + 255) & ~int64_t{255};
  int64_t size = outEstimate != 0 ? outEstimate : step;
  if (size == 0) size = 256;
  auto *block = static_cast<unsigned char *>(std::malloc(static_cast<size_t>(size)));
  if (block == nullptr) throw EOutOfMemory();

  z_stream z{};
  z.next_in = static_cast<Bytef *>(const_cast<void *>(inBuf));
  z.avail_in = static_cast<uInt>(inBytes);
  z.next_out = block;
  z.avail_out = static_cast<uInt>(size);
  if (int rc = inflateInit(&z); rc != Z_OK) {
    std::free(block);
    if (rc == Z_MEM_ERROR) throw EOutOfMemory();
    throw Exception("zlib: cannot initialise inflation");
  }
  auto release = [&] {
    inflateEnd(&z);
    std::free(block);
  };
  auto fail = [&](const std::string &why) {
    release();
    throw EZDecompressionError("Damaged compressed data: " + why);
  };
  for (;;) {
    int rc = inflate(&z, Z_NO_FLUSH);
    if (rc == Z_STREAM_END) break;
    // Inflation allocates its window on the way: no memory is not damage.
    if (rc == Z_MEM_ERROR) {
      release();
      throw EOutOfMemory();
    }
    if (rc != Z_OK) fail(z.msg != nullptr ? z.msg : "zlib error " + std::to_string(rc));
    // Output full: grow by one step and go on where the output stopped.
    if (size + step > std::numeric_limits<int32_t>::max()) fail("output too large");
    size += step;
    auto *grown = static_cast<unsigned char *>(std::realloc(block, static_cast<size_t>(size)));
    if (grown == nullptr) {
      release();
      throw EOutOfMemory();
    }
    block = grown;
    z.next_out = block + z.total_out;
    z.avail_out = static_cast<uInt>(size - static_cast<int64_t>(z.total_out));
  }
  int32_t total = static_cast<int32_t>(z.total_out);
  inflateEnd(&z);
  void *shrunk = std::realloc(block, total > 0 ? static_cast<size_t>(total) : 1);
  outBuf = shrunk != nullptr ? shrunk : block;
  outBytes = total;
}
