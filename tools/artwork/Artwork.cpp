// Writes LOGO.png (the wizard's left column) and setup.ico (the program icon)
// into the folder given.
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>

#include "Files.h"
#include "Quantize.h"
#include "Raster.h"
#include "Scene.h"

namespace {

uint8_t Byte(double v) { return static_cast<uint8_t>(std::lround(std::fmin(std::fmax(v, 0.0), 1.0) * 255)); }

Bytes Logo() {
  const int width = 120, height = 260;
  Raster r(width, height, 1.0);
  DrawLogo(r);
  std::vector<std::array<double, 3>> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back({r.At(x, y).r, r.At(x, y).g, r.At(x, y).b});
  return PalettePng(Quantize(pixels, width, height), width, height);
}

IconImage IconAt(int size) {
  Raster r(size, size, 256.0 / size);
  DrawIcon(r, size >= 32);
  Bytes rgba;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const Rgba &p = r.At(x, y);
      rgba.insert(rgba.end(), {Byte(p.r), Byte(p.g), Byte(p.b), Byte(p.a)});
    }
  return {size, rgba, size >= 256};
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  try {
    std::string folder = argv[1];
    WriteBytes(folder + "/LOGO.png", Logo());
    WriteBytes(folder + "/setup.ico", Icon({IconAt(16), IconAt(32), IconAt(48), IconAt(256)}));
  } catch (const std::exception &e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
