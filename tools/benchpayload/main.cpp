// lvbenchpayload: the install benchmark's payload. "make" writes the files a
// pack list names, generated to the shipped archive's inflated size; "check"
// tells whether a packed stream has that size and about the shipped 2:1.
#include <zlib.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "Contents.h"
#include "ListFile.h"
#include "Random.h"
#include "Sizes.h"

namespace {

const char Usage[] =
    "usage:\n"
    "  lvbenchpayload make LIST FOLDER   write the files LIST names into FOLDER, generated\n"
    "                                    so that their archive inflates to the shipped size\n"
    "  lvbenchpayload check STREAM       print the stream's inflated size and ratio; exit 1\n"
    "                                    unless they are the shipped size and about 2:1\n";

constexpr double LowestRatio = 1.8, HighestRatio = 2.2;

std::string ReadAll(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Make(const std::filesystem::path &list, const std::filesystem::path &folder) {
  std::vector<std::string> names;
  for (const TPackEntry &entry : ParsePackList(ReadAll(list))) names.push_back(entry.Name);
  const std::vector<size_t> sizes = PlanSizes(names, ShippedArchiveBytes);
  for (size_t i = 0; i < names.size(); ++i) {
    std::string relative = names[i];
    for (char &c : relative) c = c == '\\' ? '/' : c;
    const std::filesystem::path file = folder / relative;
    std::filesystem::create_directories(file.parent_path());
    WriteBytes(file.string(), MakeContents(KindOf(names[i]), SeedOf(names[i]), sizes[i]));
  }
  return 0;
}

// The inflated size, without keeping the bytes; -1 when the stream is damaged.
long long InflatedSize(const std::string &stream) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return -1;
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  std::vector<Bytef> window(1 << 16);
  int status = Z_OK;
  while (status == Z_OK) {
    z.next_out = window.data();
    z.avail_out = static_cast<uInt>(window.size());
    status = inflate(&z, Z_NO_FLUSH);
    if (status == Z_BUF_ERROR && z.avail_out != 0) break;
    if (status == Z_BUF_ERROR) status = Z_OK;
  }
  const long long size = status == Z_STREAM_END && z.avail_in == 0 ? static_cast<long long>(z.total_out) : -1;
  inflateEnd(&z);
  return size;
}

int Check(const std::filesystem::path &path) {
  const std::string stream = ReadAll(path);
  const long long inflated = InflatedSize(stream);
  if (inflated < 0) {
    std::cerr << "lvbenchpayload: " << path.string() << " is not one whole zlib stream\n";
    return 1;
  }
  const double ratio = static_cast<double>(inflated) / static_cast<double>(stream.size());
  std::printf("bench payload: %lld bytes inflated from %zu (%.2f:1); shipped: %zu bytes, about 2:1\n", inflated,
              stream.size(), ratio, ShippedArchiveBytes);
  const bool good = inflated == static_cast<long long>(ShippedArchiveBytes) && ratio >= LowestRatio && ratio <= HighestRatio;
  if (!good) std::printf("bench payload: expected %zu bytes at %.1f:1 to %.1f:1\n", ShippedArchiveBytes, LowestRatio, HighestRatio);
  return good ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv) {
  try {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "make" && argc == 4) return Make(argv[2], argv[3]);
    if (command == "check" && argc == 3) return Check(argv[2]);
    std::cerr << Usage;
    return 2;
  } catch (const std::exception &e) {
    std::cerr << "lvbenchpayload: " << e.what() << '\n';
    return 1;
  }
}
