// The byte layout of the payload archive: a plain run of records, each
//   L (1 byte), name (L bytes, UTF-8, "\" between folders),
//   modification time (8-byte little-endian double, a local TDateTime),
//   N (4-byte little-endian unsigned), contents (N bytes).
// No header, count or trailer: the list ends where the data ends. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/SysUtils.h"

// One record, viewed in place: Name and Data point into the walked buffer.
struct TArchiveRecord {
  size_t Offset = 0;  // of the record's length byte
  std::string_view Name;
  TDateTime Time = 0;
  uint32_t Size = 0;
  const unsigned char *Data = nullptr;
};

// A record that would run past the end of the data.
class EArchiveDamaged : public Exception {
public:
  EArchiveDamaged(size_t offset, const char *what);
  size_t Offset;  // of the damaged record
};

// Walks the records of an inflated archive without copying anything. The
// buffer must outlive the reader and the records it hands out.
class TArchiveReader {
public:
  TArchiveReader(const void *data, size_t size);
  // Fills rec with the next record and returns true, or returns false at the
  // end of the data. Raises EArchiveDamaged for a record cut by the end; the
  // records before it stay valid, and the reader stays on the damaged one.
  bool Next(TArchiveRecord &rec);
  size_t Position() const { return FPosition; }

private:
  const unsigned char *FData;
  size_t FSize;
  size_t FPosition = 0;
};

// Appends one record to out. Raises Exception for a name longer than 255
// bytes or contents of 4 GiB or more, which the layout cannot hold.
void WriteArchiveRecord(std::string &out, std::string_view name, TDateTime time, std::string_view contents);
