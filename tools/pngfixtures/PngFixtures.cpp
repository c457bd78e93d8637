// Test inputs for the picture decoder, made from LOGO.png: its palette and
// indices as decoded by libpng (an independent decoder), and re-encodings of
// the same pixels that the decoder must read alike (every row filter, image
// data split over chunks, extra chunks, a palette and junk after the end, a
// short palette).
// Every re-encoding is checked with libpng before it is written.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "PngWrite.h"

namespace {

struct Image {
  uint32_t width = 0, height = 0;
  Bytes palette;  // RGB triples
  Bytes indices;  // rows top first
};

Image Decode(const std::string &path) {
  FILE *f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) throw std::runtime_error("cannot open " + path);
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  Image image;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    throw std::runtime_error("libpng cannot read " + path);
  }
  png_init_io(png, f);
  png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE || png_get_bit_depth(png, info) != 8)
    throw std::runtime_error(path + " is not an 8-bit palette image");
  image.width = png_get_image_width(png, info);
  image.height = png_get_image_height(png, info);
  png_colorp colours;
  int count;
  png_get_PLTE(png, info, &colours, &count);
  for (int i = 0; i < count; ++i) image.palette.insert(image.palette.end(), {colours[i].red, colours[i].green, colours[i].blue});
  png_bytepp rows = png_get_rows(png, info);
  for (uint32_t y = 0; y < image.height; ++y) image.indices.insert(image.indices.end(), rows[y], rows[y] + image.width);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(f);
  return image;
}

uint8_t Paeth(int a, int b, int c) {
  int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// One row filtered with type against the row above (raw bytes).
Bytes FilterRow(int type, const uint8_t *row, const uint8_t *prior, uint32_t n) {
  Bytes out{static_cast<uint8_t>(type)};
  for (uint32_t i = 0; i < n; ++i) {
    int left = i > 0 ? row[i - 1] : 0, up = prior[i], upLeft = i > 0 ? prior[i - 1] : 0;
    int predictor = type == 1 ? left : type == 2 ? up : type == 3 ? (left + up) / 2 : type == 4 ? Paeth(left, up, upLeft) : 0;
    out.push_back(static_cast<uint8_t>(row[i] - predictor));
  }
  return out;
}

struct Options {
  std::function<int(uint32_t)> filter = [](uint32_t) { return 0; };
  size_t idatSize = 0;  // 0: one IDAT
  bool textBeforeData = false;
  bool garbageAfterEnd = false;
};

Bytes Encode(const Image &image, const Options &options) {
  Bytes raw, zero(image.width, 0);
  for (uint32_t y = 0; y < image.height; ++y) {
    const uint8_t *row = &image.indices[y * image.width];
    Bytes filtered = FilterRow(options.filter(y), row, y > 0 ? row - image.width : zero.data(), image.width);
    raw.insert(raw.end(), filtered.begin(), filtered.end());
  }
  const Bytes data = DeflateBest(raw);

  Bytes out = PngSignature();
  AppendPngChunk(out, "IHDR", PngHeader(image.width, image.height, PngPalette));
  AppendPngChunk(out, "PLTE", image.palette);
  if (options.textBeforeData) {
    const char text[] = "Comment\0Re-saved by an image tool";
    AppendPngChunk(out, "tEXt", Bytes(text, text + sizeof text - 1));
  }
  size_t step = options.idatSize != 0 ? options.idatSize : data.size();
  for (size_t at = 0; at < data.size(); at += step)
    AppendPngChunk(out, "IDAT", Bytes(data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(std::min(at + step, data.size()))));
  AppendPngChunk(out, "IEND", {});
  if (options.garbageAfterEnd) {
    // A well-formed palette that would recolour every pixel, were it read.
    Bytes inverted = image.palette;
    for (uint8_t &c : inverted) c = static_cast<uint8_t>(255 - c);
    AppendPngChunk(out, "PLTE", inverted);
    // A chunk header claiming far more data than there is, then junk.
    AppendBE32(out, 0x7FFFFFF0);
    out.insert(out.end(), {'I', 'D', 'A', 'T', 0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0xFF});
  }
  return out;
}

// Width, height and palette count (32-bit little-endian), the palette as RGB
// triples, then the indices, rows top first.
void WriteIndices(const std::string &path, const Image &image) {
  Bytes out;
  for (uint32_t v : {image.width, image.height, static_cast<uint32_t>(image.palette.size() / 3)})
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  out.insert(out.end(), image.palette.begin(), image.palette.end());
  out.insert(out.end(), image.indices.begin(), image.indices.end());
  WriteBytes(path, out);
}

void WriteChecked(const std::string &path, const Image &image, const Options &options) {
  WriteBytes(path, Encode(image, options));
  Image back = Decode(path);
  if (back.width != image.width || back.height != image.height || back.palette != image.palette ||
      back.indices != image.indices)
    throw std::runtime_error("libpng reads " + path + " differently");
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s LOGO.png OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  try {
    std::string out = std::string(argv[2]) + "/";
    Image logo = Decode(argv[1]);
    WriteIndices(out + "logo.idx", logo);
    static const char *names[5] = {nullptr, "sub", "up", "average", "paeth"};
    for (int type = 1; type <= 4; ++type) {
      Options options;
      options.filter = [type](uint32_t) { return type; };
      WriteChecked(out + names[type] + ".png", logo, options);
    }
    Options mixed;
    mixed.filter = [](uint32_t y) { return static_cast<int>(y % 5); };
    WriteChecked(out + "mixed.png", logo, mixed);
    Options split;
    split.idatSize = 997;
    split.filter = mixed.filter;
    WriteChecked(out + "split.png", logo, split);
    Options text;
    text.textBeforeData = true;
    WriteChecked(out + "text.png", logo, text);
    Options trailing;
    trailing.garbageAfterEnd = true;
    WriteChecked(out + "trailing.png", logo, trailing);

    Image small = logo;
    small.palette.resize(16 * 3);
    for (uint8_t &index : small.indices) index &= 15;
    WriteIndices(out + "small.idx", small);
    WriteChecked(out + "small.png", small, Options{});
  } catch (const std::exception &e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
