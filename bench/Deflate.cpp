// Compresses a file into one zlib stream at level 9: the benchmark's input,
// made on the host like the payload.
// Usage: deflate <input file> <output file>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: deflate <input file> <output file>\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "deflate: cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<unsigned char> packed(size);
  if (compress2(packed.data(), &size, data.data(), static_cast<uLong>(data.size()), 9) != Z_OK) {
    std::fprintf(stderr, "deflate: compression failed\n");
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char *>(packed.data()), static_cast<std::streamsize>(size));
  if (!out.flush()) {
    std::fprintf(stderr, "deflate: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
