#include <gtest/gtest.h>
#include <png.h>

#include <set>
#include <string>
#include <vector>

#include "ClipArt.h"
#include "PngWriter.h"

namespace {

// Decodes with libpng; false when libpng rejects the file.
bool DecodePng(const std::string &png, png_image &image, std::vector<uint8_t> &pixels) {
  image = {};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return false;
  image.format = PNG_FORMAT_RGBA;
  pixels.assign(PNG_IMAGE_SIZE(image), 0);
  return png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
}

TEST(ClipArtTest, EveryPictureIsAValidPngOfItsSizeWithSomethingDrawn) {
  std::set<std::string> names;
  for (const TClipArt &art : ClipArt()) {
    SCOPED_TRACE(art.Name);
    EXPECT_TRUE(names.insert(art.Name).second) << "drawn twice";
    TCanvas canvas(art.Width, art.Height);
    art.Draw(canvas);
    const std::string png = EncodePng(canvas);

    png_image image;
    std::vector<uint8_t> pixels;
    ASSERT_TRUE(DecodePng(png, image, pixels)) << image.message;
    EXPECT_EQ(image.width, static_cast<png_uint_32>(art.Width));
    EXPECT_EQ(image.height, static_cast<png_uint_32>(art.Height));
    EXPECT_EQ(pixels, canvas.Pixels());
    size_t painted = 0;
    for (size_t i = 3; i < pixels.size(); i += 4) painted += pixels[i] != 0;
    EXPECT_GT(painted, pixels.size() / 4 / 20) << "less than 5% painted";
  }
  EXPECT_EQ(names.size(), 36u);
}

TEST(ClipArtTest, BulletsAndSignsStandOnATransparentBackground) {
  for (const TClipArt &art : ClipArt()) {
    if (art.Name.find("\\Lines\\") != std::string::npos) continue;
    SCOPED_TRACE(art.Name);
    TCanvas canvas(art.Width, art.Height);
    art.Draw(canvas);
    EXPECT_EQ(canvas.Pixels()[3], 0) << "top left corner painted";
  }
}

}  // namespace
