// The payload stream as the catalogue reads it: the resource "FILES", a zlib
// stream that inflates to the archive's records. Portable.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "archiveformat/ArchiveFormat.h"
#include "runtime/SysUtils.h"

// The payload resource is missing, cannot be inflated or holds a record that
// runs past the end of the data.
class EPayloadDamaged : public Exception {
public:
  using Exception::Exception;
};

// The inflated archive and its records, which point into it.
struct TInflatedPayload {
  struct TFreeBlock {
    void operator()(void *block) const { std::free(block); }
  };
  std::unique_ptr<void, TFreeBlock> Buffer;
  std::vector<TArchiveRecord> Records;
};

// Inflates the stream and walks all its records before handing any out, so
// damage anywhere refuses the whole payload. Raises EPayloadDamaged, or
// EOutOfMemory when memory runs out (no damage).
TInflatedPayload InflatePayload(const void *stream, uint32_t streamSize);
