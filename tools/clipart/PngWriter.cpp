#include "PngWriter.h"

#include "PngWrite.h"

std::string EncodePng(const TCanvas &canvas) {
  const auto width = static_cast<uint32_t>(canvas.Width());
  const Bytes png =
      EncodePng(width, static_cast<uint32_t>(canvas.Height()), PngRgba, nullptr, canvas.Pixels().data(), width * 4);
  return std::string(png.begin(), png.end());
}
