#include "Commands.h"

#include <cstdio>

#include "ArchiveFile.h"
#include "Extract.h"
#include "ListFile.h"
#include "Pack.h"
#include "archiveformat/ArchiveFormat.h"

namespace {

// Names are shown as stored, with control characters made visible.
std::string Printable(std::string_view name) {
  std::string out(name);
  for (char &c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return out;
}

}  // namespace

void PackCommand(const std::filesystem::path &folder, const std::filesystem::path &list,
                 const std::filesystem::path &output) {
  if (!std::filesystem::is_directory(folder)) throw Exception("no folder " + folder.string());
  const std::string archive = BuildArchive(folder, ParsePackList(ReadFileBytes(list)));
  WriteFileBytes(output, DeflateArchive(archive));
}

void ListCommand(const std::filesystem::path &archive, std::ostream &out) {
  const std::string bytes = LoadArchive(archive);
  TArchiveReader reader(bytes.data(), bytes.size());
  TArchiveRecord rec;
  size_t count = 0;
  while (reader.Next(rec)) {
    char size[16];
    std::snprintf(size, sizeof size, "%10u", static_cast<unsigned>(rec.Size));
    out << FormatDateTime(rec.Time) << "  " << size << "  " << Printable(rec.Name) << '\n';
    ++count;
  }
  out << count << (count == 1 ? " entry, " : " entries, ") << bytes.size() << " bytes inflated\n";
}

void ExtractCommand(const std::filesystem::path &archive, const std::filesystem::path &folder) {
  ExtractArchive(LoadArchive(archive), folder);
}
