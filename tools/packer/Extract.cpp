#include "Extract.h"

#include <ctime>
#include <vector>

#include "ArchiveFile.h"
#include "EntryName.h"
#include "ListFile.h"
#include "archiveformat/ArchiveFormat.h"

namespace {

std::vector<TArchiveRecord> ReadAll(std::string_view archive) {
  TArchiveReader reader(archive.data(), archive.size());
  std::vector<TArchiveRecord> records;
  TArchiveRecord rec;
  while (reader.Next(rec)) records.push_back(rec);
  return records;
}

// Local TDateTime to a file time; nothing for times the host cannot hold.
bool ToFileTime(TDateTime time, std::filesystem::file_time_type &out) {
  if (!IsDateTimeInRange(time)) return false;
  int year, month, day, hour, min, sec, msec;
  DecodeDate(time, year, month, day);
  DecodeTime(time, hour, min, sec, msec);
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = min;
  tm.tm_sec = sec;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  if (t == static_cast<std::time_t>(-1)) return false;
  out = std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(t) +
                                          std::chrono::milliseconds(msec));
  return true;
}

}  // namespace

void ExtractArchive(std::string_view archive, const std::filesystem::path &folder) {
  const std::vector<TArchiveRecord> records = ReadAll(archive);
  for (const TArchiveRecord &rec : records) {
    if (!IsSafeEntryName(rec.Name))
      throw Exception("refusing to extract \"" + std::string(rec.Name) + "\": the name could leave " + folder.string());
  }
  for (const TArchiveRecord &rec : records) {
    const std::filesystem::path file = EntryPath(folder, rec.Name);
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) throw Exception("cannot create " + file.parent_path().string() + ": " + error.message());
    WriteFileBytes(file, std::string_view(reinterpret_cast<const char *>(rec.Data), rec.Size));
    std::filesystem::file_time_type fileTime;
    if (ToFileTime(rec.Time, fileTime)) std::filesystem::last_write_time(file, fileTime, error);
  }
}
