// A memory stream that remembers the count of every Read asked of it, so tests
// can see how a consumer pulls its input.
#pragma once

#include <string>
#include <vector>

#include "runtime/Streams.h"

class TRecordingStream : public TMemoryStream {
public:
  explicit TRecordingStream(const std::string &bytes) {
    WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    SetPosition(0);
  }
  int32_t Read(void *buffer, int32_t count) override {
    ReadCounts.push_back(count);
    return TMemoryStream::Read(buffer, count);
  }
  std::vector<int32_t> ReadCounts;
};

// The whole contents of a memory stream as a byte string.
inline std::string Contents(TCustomMemoryStream &stream) {
  return std::string(static_cast<const char *>(stream.Memory()), static_cast<size_t>(stream.Size()));
}
