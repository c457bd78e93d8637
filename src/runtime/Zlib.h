// Inflation of zlib streams: a forward-only decompression stream over a source
// stream, and whole-buffer inflation. Portable.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <memory>

#include "runtime/Streams.h"

// Raised by DecompressBuf for a damaged or truncated stream.
class EZDecompressionError : public Exception {
public:
  using Exception::Exception;
};

class TCustomZStream : public TStream {
protected:
  explicit TCustomZStream(TStream &source);

  TStream &FSource;  // not owned
  int32_t FSourcePos;
  z_stream FZRec{};
  // Compressed input, read from the source in blocks of this size. On the
  // heap: the picture decoder keeps its stream on the stack.
  static constexpr int32_t BufferSize = 65536;
  std::unique_ptr<unsigned char[]> FBuffer;
};

// Reads the inflated bytes of the source's zlib stream from the source's
// current position. Read stops early (returning what it produced) at the end
// of the data, at damaged data, or when the source runs dry. Seeking: 0 from
// the beginning restarts from the source's start; forward moves discard
// (running past the end raises EAbort); anything else does nothing. All seeks
// return the inflated position.
class TZDecompressionStream : public TCustomZStream {
public:
  explicit TZDecompressionStream(TStream &source);
  ~TZDecompressionStream() override;
  TZDecompressionStream(const TZDecompressionStream &) = delete;
  TZDecompressionStream &operator=(const TZDecompressionStream &) = delete;
  int32_t Read(void *buffer, int32_t count) override;
  int32_t Write(const void *buffer, int32_t count) override;
  int32_t Seek(int32_t offset, uint16_t origin) override;
};

// Inflates a whole zlib stream into a new malloc'ed block that the caller
// frees. The block starts at outEstimate bytes (the input size rounded up to
// 256 when 0) and grows by that rounded input size; it is shrunk to the
// result at the end. Raises EZDecompressionError for damaged or truncated
// data and EOutOfMemory when the block cannot be had or grown, leaking
// nothing.
void DecompressBuf(const void *inBuf, int32_t inBytes, int32_t outEstimate, void *&outBuf, int32_t &outBytes);
