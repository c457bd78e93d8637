// lvclipart: draws the clip library's pictures into a folder, each at its
// archive name ("\" becomes a folder).
#include <filesystem>
#include <fstream>
#include <iostream>

#include "ClipArt.h"
#include "PngWriter.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::cerr << "usage: lvclipart FOLDER\n  draws the clip library's pictures into FOLDER\n";
    return 2;
  }
  for (const TClipArt &art : ClipArt()) {
    std::filesystem::path file = argv[1];
    std::string name = art.Name;
    for (char &c : name) c = c == '\\' ? '/' : c;
    file /= name;
    std::filesystem::create_directories(file.parent_path());
    TCanvas canvas(art.Width, art.Height);
    art.Draw(canvas);
    const std::string png = EncodePng(canvas);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(png.data(), static_cast<std::streamsize>(png.size()));
    out.close();
    if (!out) {
      std::cerr << "lvclipart: cannot write " << file << '\n';
      return 1;
    }
  }
  return 0;
}
