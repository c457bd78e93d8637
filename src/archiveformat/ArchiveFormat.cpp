#include "archiveformat/ArchiveFormat.h"

#include <cstring>

namespace {

constexpr size_t TimeBytes = 8;
constexpr size_t SizeBytes = 4;

uint64_t ReadLE(const unsigned char *p, size_t bytes) {
  uint64_t v = 0;
  for (size_t i = bytes; i-- > 0;) v = v << 8 | p[i];
  return v;
}

void AppendLE(std::string &out, uint64_t v, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

}  // namespace

EArchiveDamaged::EArchiveDamaged(size_t offset, const char *what)
    : Exception("Damaged archive: the record at offset " + std::to_string(offset) + " " + what), Offset(offset) {}

TArchiveReader::TArchiveReader(const void *data, size_t size)
    : FData(static_cast<const unsigned char *>(data)), FSize(size) {}

bool TArchiveReader::Next(TArchiveRecord &rec) {
  if (FPosition == FSize) return false;
  const size_t start = FPosition;
  // Every check compares against what is left, so no sum can wrap.
  size_t left = FSize - start - 1;
  const unsigned char *p = FData + start + 1;
  const size_t nameLength = FData[start];
  if (nameLength > left) throw EArchiveDamaged(start, "has a name that runs past the end");
  left -= nameLength;
  if (left < TimeBytes) throw EArchiveDamaged(start, "is cut inside its time");
  left -= TimeBytes;
  if (left < SizeBytes) throw EArchiveDamaged(start, "is cut inside its size");
  left -= SizeBytes;
  const uint32_t size = static_cast<uint32_t>(ReadLE(p + nameLength + TimeBytes, SizeBytes));
  if (size > left) throw EArchiveDamaged(start, "has contents that run past the end");

  rec.Offset = start;
  rec.Name = std::string_view(reinterpret_cast<const char *>(p), nameLength);
  const uint64_t timeBits = ReadLE(p + nameLength, TimeBytes);
  std::memcpy(&rec.Time, &timeBits, TimeBytes);
  rec.Size = size;
  rec.Data = p + nameLength + TimeBytes + SizeBytes;
  FPosition = start + 1 + nameLength + TimeBytes + SizeBytes + size;
  return true;
}

void WriteArchiveRecord(std::string &out, std::string_view name, TDateTime time, std::string_view contents) {
  if (name.size() > 255) throw Exception("Archive name longer than 255 bytes: " + std::string(name));
  if (static_cast<uint64_t>(contents.size()) >> 32 != 0) throw Exception("File of 4 GiB or more: " + std::string(name));
  out.push_back(static_cast<char>(name.size()));
  out.append(name);
  uint64_t timeBits;
  std::memcpy(&timeBits, &time, TimeBytes);
  AppendLE(out, timeBits, TimeBytes);
  AppendLE(out, contents.size(), SizeBytes);
  out.append(contents);
}
