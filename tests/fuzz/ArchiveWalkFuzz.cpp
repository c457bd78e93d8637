// The archive walk over any bytes: every record it hands out lies inside the
// data, records follow each other without gap or overlap, and damage ends the
// walk with EArchiveDamaged at the record it names.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "archiveformat/ArchiveFormat.h"

namespace {

// A broken promise: names the harness's line, then stops as a crash.
void Check(bool ok, unsigned line = __builtin_LINE()) {
  if (ok) return;
  std::fprintf(stderr, "check failed at %s:%u\n", __FILE__, line);
  std::abort();
}

volatile unsigned Sink;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const uint8_t *end = data + size;
  TArchiveReader reader(data, size);
  size_t expected = 0;
  unsigned sum = 0;
  try {
    for (TArchiveRecord rec; reader.Next(rec);) {
      Check(rec.Offset == expected);
      const auto *name = reinterpret_cast<const uint8_t *>(rec.Name.data());
      Check(name == data + rec.Offset + 1 && name + rec.Name.size() <= end);
      Check(rec.Data == name + rec.Name.size() + 12 && rec.Size <= static_cast<size_t>(end - rec.Data));
      // Touch every byte handed out, so the sanitizer sees a read outside.
      for (char c : rec.Name) sum += static_cast<uint8_t>(c);
      for (uint32_t i = 0; i < rec.Size; ++i) sum += rec.Data[i];
      expected = static_cast<size_t>(rec.Data + rec.Size - data);
      Check(reader.Position() == expected);
    }
    Check(expected == size);
  } catch (const EArchiveDamaged &e) {
    Check(e.Offset == expected && reader.Position() == expected && expected < size);
  }
  Sink = sum;
  return 0;
}
