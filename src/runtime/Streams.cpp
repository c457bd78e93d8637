#include "runtime/Streams.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

void TStream::SetSize(int32_t) {}

int32_t TStream::Size() {
  int32_t pos = Seek(0, soFromCurrent);
  int32_t size = Seek(0, soFromEnd);
  Seek(pos, soFromBeginning);
  return size;
}

void TStream::ReadBuffer(void *buffer, int32_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EAbort();
}

void TStream::WriteBuffer(const void *buffer, int32_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EAbort();
}

int32_t TStream::CopyFrom(TStream &source, int32_t count) {
  constexpr int32_t MaxBufSize = 61440;
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  if (count < 0) throw EAbort();
  int32_t result = count;
  int32_t bufSize = std::min(count, MaxBufSize);
  std::unique_ptr<char[]> buffer(new char[bufSize > 0 ? bufSize : 1]);
  while (count != 0) {
    int32_t n = std::min(count, bufSize);
    source.ReadBuffer(buffer.get(), n);
    WriteBuffer(buffer.get(), n);
    count -= n;
  }
  return result;
}

int32_t TCustomMemoryStream::Read(void *buffer, int32_t count) {
  if (FPosition < 0 || count <= 0) return 0;
  int32_t n = std::min(count, FSize - FPosition);
  if (n <= 0) return 0;
  std::memcpy(buffer, static_cast<char *>(FMemory) + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

namespace {

// Positions are 32-bit and wrap around instead of overflowing.
int32_t AddWrapping(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

int32_t TCustomMemoryStream::Seek(int32_t offset, uint16_t origin) {
  switch (origin) {
    case soFromBeginning: FPosition = offset; break;
    case soFromCurrent: FPosition = AddWrapping(FPosition, offset); break;
    case soFromEnd: FPosition = AddWrapping(FSize, offset); break;
    default: break;
  }
  return FPosition;
}

TMemoryStream::~TMemoryStream() { std::free(FMemory); }

void TMemoryStream::SetSize(int32_t newSize) {
  if (newSize < 0) return;
  int32_t oldPosition = FPosition;
  SetCapacity(newSize);
  FSize = newSize;
  if (oldPosition > newSize) Seek(0, soFromEnd);
}

int32_t TMemoryStream::Write(const void *buffer, int32_t count) {
  if (FPosition < 0 || count < 0) return 0;
  int64_t end = static_cast<int64_t>(FPosition) + count;
  if (end <= 0 || end > std::numeric_limits<int32_t>::max()) return 0;
  int32_t newEnd = static_cast<int32_t>(end);
  if (newEnd > FSize) {
    if (newEnd > FCapacity) SetCapacity(newEnd);
    FSize = newEnd;
  }
  if (count > 0) std::memcpy(static_cast<char *>(FMemory) + FPosition, buffer, static_cast<size_t>(count));
  FPosition = newEnd;
  return count;
}

void TMemoryStream::SetCapacity(int32_t newCapacity) {
  SetPointer(Realloc(newCapacity), FSize);
  FCapacity = newCapacity;
}

void *TMemoryStream::Realloc(int32_t &newCapacity) {
  constexpr int32_t MemoryDelta = 8192;
  if (newCapacity > 0) {
    int64_t rounded = (static_cast<int64_t>(newCapacity) + (MemoryDelta - 1)) & ~static_cast<int64_t>(MemoryDelta - 1);
    if (rounded > std::numeric_limits<int32_t>::max()) throw Exception("Out of memory while expanding memory stream");
    newCapacity = static_cast<int32_t>(rounded);
  }
  void *block = FMemory;
  if (newCapacity != FCapacity) {
    if (newCapacity <= 0) {
      std::free(FMemory);
      block = nullptr;
      newCapacity = 0;
    } else {
      block = std::realloc(FMemory, static_cast<size_t>(newCapacity));
      if (block == nullptr) throw Exception("Out of memory while expanding memory stream");
    }
  }
  return block;
}
