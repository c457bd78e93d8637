// Damaged and combined copies of payload streams, for the catalogue's tests.
// Every result is checked before it is written: a damaged stream must not
// inflate, an overrun must inflate and then fail in its last record, a
// concatenation must walk to its end.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "ArchiveFile.h"
#include "archiveformat/ArchiveFormat.h"
#include "runtime/Zlib.h"

namespace {

const char Usage[] =
    "usage:\n"
    "  lv_payloadfixtures flip STREAM OUTPUT       invert one byte in the middle of the stream\n"
    "  lv_payloadfixtures truncate STREAM OUTPUT   keep the first half of the stream\n"
    "  lv_payloadfixtures overrun STREAM OUTPUT    make the last record one byte longer than the data\n"
    "  lv_payloadfixtures concat STREAM... OUTPUT  one stream of the archives one after the other\n"
    "  lv_payloadfixtures empty OUTPUT             a stream that inflates to no bytes at all\n";

bool Inflates(const std::string &stream) {
  try {
    void *out = nullptr;
    int32_t size = 0;
    DecompressBuf(stream.data(), static_cast<int32_t>(stream.size()), 0, out, size);
    std::free(out);
    return true;
  } catch (const EZDecompressionError &) {
    return false;
  }
}

// Offsets of the records' length bytes; raises EArchiveDamaged.
std::vector<size_t> Walk(const std::string &archive) {
  std::vector<size_t> offsets;
  TArchiveReader reader(archive.data(), archive.size());
  for (TArchiveRecord rec; reader.Next(rec);) offsets.push_back(rec.Offset);
  return offsets;
}

std::string Damaged(const std::string &stream, const std::string &command) {
  std::string out = stream;
  if (command == "flip")
    out[out.size() / 2] = static_cast<char>(~out[out.size() / 2]);
  else
    out.resize(out.size() / 2);
  if (Inflates(out)) throw Exception(command + ": the damaged stream still inflates");
  return out;
}

std::string Overrun(std::string archive) {
  const std::vector<size_t> offsets = Walk(archive);
  if (offsets.empty()) throw Exception("overrun: the archive has no record");
  const size_t last = offsets.back();
  const size_t sizeField = last + 1 + static_cast<unsigned char>(archive[last]) + 8;
  uint32_t size = 0;
  for (int i = 3; i >= 0; --i) size = size << 8 | static_cast<unsigned char>(archive[sizeField + i]);
  ++size;
  for (int i = 0; i < 4; ++i) archive[sizeField + i] = static_cast<char>(size >> (8 * i));
  try {
    Walk(archive);
  } catch (const EArchiveDamaged &e) {
    if (e.Offset == last) return archive;
  }
  throw Exception("overrun: the last record does not run past the end");
}

int Run(int argc, char **argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if ((command == "flip" || command == "truncate") && argc == 4) {
    WriteFileBytes(argv[3], Damaged(ReadFileBytes(argv[2]), command));
  } else if (command == "overrun" && argc == 4) {
    WriteFileBytes(argv[3], DeflateArchive(Overrun(LoadArchive(argv[2]))));
  } else if (command == "concat" && argc >= 4) {
    std::string archive;
    for (int i = 2; i < argc - 1; ++i) archive += LoadArchive(argv[i]);
    Walk(archive);
    WriteFileBytes(argv[argc - 1], DeflateArchive(archive));
  } else if (command == "empty" && argc == 3) {
    WriteFileBytes(argv[2], DeflateArchive(std::string()));
  } else {
    std::cerr << Usage;
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception &e) {
    std::cerr << "lv_payloadfixtures: " << e.what() << '\n';
    return 1;
  }
}
