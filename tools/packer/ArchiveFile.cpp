#include "ArchiveFile.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>

#include "PeResource.h"
#include "runtime/Zlib.h"

std::string ReadFileBytes(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw Exception("cannot open " + file.string());
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw Exception("cannot read " + file.string());
  return bytes;
}

void WriteFileBytes(const std::filesystem::path &file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (out) out.close();
  if (!out) throw Exception("cannot write " + file.string());
}

std::string DeflateArchive(std::string_view archive) {
  uLongf size = compressBound(archive.size());
  std::string stream(size, '\0');
  if (compress2(reinterpret_cast<Bytef *>(stream.data()), &size, reinterpret_cast<const Bytef *>(archive.data()),
                archive.size(), Z_BEST_COMPRESSION) != Z_OK)
    throw Exception("zlib could not compress the archive");
  stream.resize(size);
  return stream;
}

std::string LoadArchive(const std::filesystem::path &file) {
  const std::string bytes = ReadFileBytes(file);
  std::string_view stream = bytes;
  if (LooksLikeExecutable(bytes)) {
    const auto resource = FindNamedResource(bytes, "FILES", "FILES");
    if (!resource) throw Exception(file.string() + " has no resource \"FILES\" of type \"FILES\"");
    stream = *resource;
  }
  if (stream.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw Exception(file.string() + " is too large for an archive");

  void *out = nullptr;
  int32_t outBytes = 0;
  const auto inBytes = static_cast<int32_t>(stream.size());
  try {
    DecompressBuf(stream.data(), inBytes, 0, out, outBytes);
  } catch (const EZDecompressionError &e) {
    throw Exception(file.string() + ": not an intact zlib stream (" + e.Message + ")");
  }
  std::string archive(static_cast<const char *>(out), static_cast<size_t>(outBytes));
  std::free(out);
  return archive;
}
