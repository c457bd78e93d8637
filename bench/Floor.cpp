// The install benchmark's floor: the least an installation of the payload
// costs. It inflates its "FILES" resource once, with zlib, into one buffer,
// and writes every entry with its stored time under the folder that /D=
// names (the rest of the command line), creating folders; nothing else.
// Exit code 0 when every file was written, 1 without /D=, 2 when a file
// could not be written, 3 when the payload is missing or damaged.
#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct TFree {
  void operator()(void *block) const { std::free(block); }
};
using TBuffer = std::unique_ptr<Bytef, TFree>;

// Inflates the whole stream into one block, first sized five times the
// stream, grown only when that is short; size is what it holds.
TBuffer Inflate(const Bytef *in, DWORD inSize, size_t &size) {
  size_t capacity = static_cast<size_t>(inSize) * 5;
  TBuffer out(static_cast<Bytef *>(std::malloc(capacity)));
  z_stream z{};
  if (!out || inflateInit(&z) != Z_OK) return nullptr;
  z.next_in = const_cast<Bytef *>(in);
  z.avail_in = inSize;
  int status;
  for (;;) {
    z.next_out = out.get() + z.total_out;
    z.avail_out = static_cast<uInt>(capacity - z.total_out);
    status = ::inflate(&z, Z_FINISH);
    if (status != Z_BUF_ERROR || z.avail_out != 0) break;
    capacity *= 2;
    Bytef *grown = static_cast<Bytef *>(std::realloc(out.get(), capacity));
    if (!grown) break;
    out.release();
    out.reset(grown);
  }
  size = z.total_out;
  ::inflateEnd(&z);
  return status == Z_STREAM_END ? std::move(out) : nullptr;
}

// A stored time (days since 1899-12-30, local) as the file time the system
// keeps, through the packed date and time the setup's own files get.
bool ToFileTime(double stamp, FILETIME &utc) {
  const int64_t ms = static_cast<int64_t>(stamp * 86400000.0 + 0.5);
  int64_t days = ms / 86400000 - 25569 + 719468;  // days since 0000-03-01
  const int64_t secondOfDay = ms % 86400000 / 1000;
  const int64_t era = days / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shifted = (5 * dayOfYear + 2) / 153;
  const int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
  const int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
  const int64_t year = yearOfEra + era * 400 + (month <= 2);
  const WORD date = static_cast<WORD>(((year - 1980) << 9) | (month << 5) | day);
  const WORD time = static_cast<WORD>(((secondOfDay / 3600) << 11) | ((secondOfDay / 60 % 60) << 5) | (secondOfDay % 60 / 2));
  FILETIME local;
  return ::DosDateTimeToFileTime(date, time, &local) && ::LocalFileTimeToFileTime(&local, &utc);
}

// Creates every folder of path up to its last backslash.
void CreateFolders(const std::wstring &path) {
  for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
    ::CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
}

bool WriteOne(const std::wstring &target, const Bytef *data, DWORD size, const FILETIME &time) {
  HANDLE file = ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, data, size, &written, nullptr) && written == size && ::SetFileTime(file, nullptr, nullptr, &time);
  ::CloseHandle(file);
  return ok;
}

int Install(const std::wstring &destination) {
  HRSRC found = ::FindResourceW(nullptr, L"FILES", L"FILES");
  HGLOBAL loaded = found ? ::LoadResource(nullptr, found) : nullptr;
  const Bytef *stream = loaded ? static_cast<const Bytef *>(::LockResource(loaded)) : nullptr;
  if (!stream) return 3;
  size_t size = 0;
  const TBuffer archive = Inflate(stream, ::SizeofResource(nullptr, found), size);
  if (!archive) return 3;

  const Bytef *at = archive.get();
  const Bytef *const end = at + size;
  std::wstring folder;
  while (at < end) {
    const size_t nameBytes = *at;
    if (static_cast<size_t>(end - at) < 13 + nameBytes) return 3;
    double stamp;
    uint32_t fileBytes;
    std::memcpy(&stamp, at + 1 + nameBytes, 8);
    std::memcpy(&fileBytes, at + 9 + nameBytes, 4);
    const Bytef *data = at + 13 + nameBytes;
    if (static_cast<size_t>(end - data) < fileBytes) return 3;

    wchar_t name[256];
    const int chars = ::MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char *>(at + 1), static_cast<int>(nameBytes), name, 256);
    const std::wstring target = destination + L'\\' + std::wstring(name, chars);
    const std::wstring targetFolder = target.substr(0, target.rfind(L'\\'));
    if (targetFolder != folder) {
      CreateFolders(target);
      folder = targetFolder;
    }
    FILETIME time;
    if (!ToFileTime(stamp, time) || !WriteOne(target, data, fileBytes, time)) return 2;
    at = data + fileBytes;
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring line = ::GetCommandLineW();
  const size_t switchAt = line.find(L" /D=");
  if (switchAt == std::wstring::npos || line.size() == switchAt + 4) return 1;
  std::wstring destination = line.substr(switchAt + 4);
  while (!destination.empty() && destination.back() == L'\\') destination.pop_back();
  return Install(destination);
}
