#include "InstallReference.h"

#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <cstring>

namespace {

std::string ReadAll(const std::wstring &path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(::GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  const bool ok = bytes.empty() || ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  ::CloseHandle(file);
  if (!ok || read != bytes.size()) bytes.clear();
  return bytes;
}

std::string InflateAll(const std::string &stream) {
  std::string out;
  z_stream z{};
  if (stream.empty() || ::inflateInit(&z) != Z_OK) return out;
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  int status = Z_OK;
  while (status == Z_OK) {
    out.resize(out.size() + (1 << 20));
    z.next_out = reinterpret_cast<Bytef *>(out.data() + z.total_out);
    z.avail_out = static_cast<uInt>(out.size() - z.total_out);
    status = ::inflate(&z, Z_NO_FLUSH);
  }
  out.resize(status == Z_STREAM_END ? z.total_out : 0);
  ::inflateEnd(&z);
  return out;
}

// The file time the system keeps for a local stored time, by the calendar
// (not through the packed date the installers use).
bool ExpectedFileTime(double stamp, FILETIME &utc) {
  const int64_t seconds = static_cast<int64_t>(stamp * 86400.0 + 0.5);
  const int64_t days = seconds / 86400 - 25569;  // since 1970-01-01
  SYSTEMTIME epoch{1970, 1, 4, 1, 0, 0, 0, 0};
  FILETIME base;
  ::SystemTimeToFileTime(&epoch, &base);
  ULARGE_INTEGER ticks{{base.dwLowDateTime, base.dwHighDateTime}};
  ticks.QuadPart += static_cast<uint64_t>(days * 86400 + seconds % 86400) * 10000000ull;
  const FILETIME local{ticks.LowPart, ticks.HighPart};
  return ::LocalFileTimeToFileTime(&local, &utc);
}

}  // namespace

std::vector<TReferenceEntry> LoadReference(const std::wstring &streamFile) {
  const std::string archive = InflateAll(ReadAll(streamFile));
  std::vector<TReferenceEntry> entries;
  size_t at = 0;
  while (at < archive.size()) {
    const size_t nameBytes = static_cast<uint8_t>(archive[at]);
    if (archive.size() - at < 13 + nameBytes) return {};
    TReferenceEntry entry;
    uint32_t size;
    std::memcpy(&entry.Time, archive.data() + at + 1 + nameBytes, 8);
    std::memcpy(&size, archive.data() + at + 9 + nameBytes, 4);
    if (archive.size() - at - 13 - nameBytes < size) return {};
    wchar_t name[256];
    const int chars = ::MultiByteToWideChar(CP_UTF8, 0, archive.data() + at + 1, static_cast<int>(nameBytes), name, 256);
    entry.Name.assign(name, chars);
    entry.Bytes = archive.substr(at + 13 + nameBytes, size);
    entries.push_back(std::move(entry));
    at += 13 + nameBytes + size;
  }
  return entries;
}

bool IsSharedData(const std::wstring &name) {
  return name.rfind(L"Templates\\", 0) == 0 || name.rfind(L"Clip Library\\", 0) == 0;
}

std::wstring CheckInstalled(const std::vector<TReferenceEntry> &entries, const std::wstring &destination,
                            const std::wstring &sharedData) {
  for (const TReferenceEntry &entry : entries) {
    const std::wstring path = (IsSharedData(entry.Name) ? sharedData : destination) + L'\\' + entry.Name;
    if (ReadAll(path) != entry.Bytes) return path + L": missing or other bytes";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME written{}, expected{};
    const bool timed = file != INVALID_HANDLE_VALUE && ::GetFileTime(file, nullptr, nullptr, &written);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    if (!timed || !ExpectedFileTime(entry.Time, expected) || ::CompareFileTime(&written, &expected) != 0)
      return path + L": another last-write time";
  }
  return {};
}
