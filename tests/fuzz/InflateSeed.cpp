// lv_fuzzseed STREAM OUTPUT: writes the archive a packed stream carries, for
// the archive walk's seeds.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "runtime/Zlib.h"

int main(int argc, char **argv) {
  if (argc != 3) {
    std::cerr << "usage: lv_fuzzseed STREAM OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string stream((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  void *archive = nullptr;
  int32_t size = 0;
  try {
    DecompressBuf(stream.data(), static_cast<int32_t>(stream.size()), 0, archive, size);
  } catch (const Exception &e) {
    std::cerr << argv[1] << ": " << e.Message << "\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out.write(static_cast<const char *>(archive), size);
  std::free(archive);
  return out ? 0 : 1;
}
