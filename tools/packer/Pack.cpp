#include "Pack.h"

#include "ArchiveFile.h"
#include "EntryName.h"
#include "archiveformat/ArchiveFormat.h"

std::string BuildArchive(const std::filesystem::path &folder, const std::vector<TPackEntry> &entries) {
  std::string archive;
  for (const TPackEntry &entry : entries) {
    const std::filesystem::path file = EntryPath(folder, entry.Name);
    if (!std::filesystem::is_regular_file(file))
      throw Exception("pack list line " + std::to_string(entry.Line) + ": no file " + file.string());
    WriteArchiveRecord(archive, entry.Name, entry.Time, ReadFileBytes(file));
  }
  return archive;
}
