// A floating-point RGBA picture with antialiased shapes drawn from signed
// distances: coverage falls from 1 to 0 across one pixel at the edge.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Vec {
  double x, y;
};

struct Rgba {
  double r, g, b, a;  // 0..1, not premultiplied
};

Rgba Hex(uint32_t rgb, double alpha = 1.0);
Rgba Mix(const Rgba &a, const Rgba &b, double t);

// Signed distances (negative inside) in picture units.
double RoundRectDistance(Vec p, Vec center, Vec half, double radius);
double CircleDistance(Vec p, Vec center, double radius);
double SegmentDistance(Vec p, Vec a, Vec b);  // unsigned
double PolygonDistance(Vec p, const std::vector<Vec> &points);

class Raster {
public:
  // unit: picture units per pixel; the scene is drawn in picture units so one
  // scene serves every size.
  Raster(int width, int height, double unit);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Paints colour(p) where distance(p) < 0, blended by coverage and alpha.
  void Fill(const std::function<double(Vec)> &distance, const std::function<Rgba(Vec)> &colour);
  // A soft shadow: distance blurred over softness picture units.
  void Shadow(const std::function<double(Vec)> &distance, double softness, Rgba colour);
  const Rgba &At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

private:
  void Blend(int x, int y, const Rgba &c, double coverage);
  int width_, height_;
  double unit_;
  std::vector<Rgba> pixels_;
};
