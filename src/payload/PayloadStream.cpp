#include "payload/PayloadStream.h"

#include <algorithm>
#include <limits>

#include "runtime/Zlib.h"

TInflatedPayload InflatePayload(const void *stream, uint32_t streamSize) {
  const int64_t size = std::min<int64_t>(streamSize, std::numeric_limits<int32_t>::max());
  const int64_t estimate = std::min<int64_t>(5 * size, std::numeric_limits<int32_t>::max());

  TInflatedPayload payload;
  void *inflated = nullptr;
  int32_t inflatedSize = 0;
  try {
    DecompressBuf(stream, static_cast<int32_t>(size), static_cast<int32_t>(estimate), inflated, inflatedSize);
  } catch (const EZDecompressionError &e) {
    throw EPayloadDamaged("The payload cannot be inflated: " + e.Message);
  }
  payload.Buffer.reset(inflated);
  try {
    TArchiveReader reader(payload.Buffer.get(), static_cast<size_t>(inflatedSize));
    for (TArchiveRecord rec; reader.Next(rec);) payload.Records.push_back(rec);
  } catch (const EArchiveDamaged &e) {
    throw EPayloadDamaged("The payload is cut short: " + e.Message);
  }
  return payload;
}
