#include "Raster.h"

#include <algorithm>
#include <cmath>

Rgba Hex(uint32_t rgb, double alpha) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Rgba Mix(const Rgba &a, const Rgba &b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

double RoundRectDistance(Vec p, Vec center, Vec half, double radius) {
  double qx = std::fabs(p.x - center.x) - half.x + radius;
  double qy = std::fabs(p.y - center.y) - half.y + radius;
  double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

double CircleDistance(Vec p, Vec center, double radius) {
  return std::hypot(p.x - center.x, p.y - center.y) - radius;
}

double SegmentDistance(Vec p, Vec a, Vec b) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

double PolygonDistance(Vec p, const std::vector<Vec> &points) {
  double best = 1e300;
  bool inside = false;
  for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const Vec &a = points[i], &b = points[j];
    best = std::min(best, SegmentDistance(p, a, b));
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside ? -best : best;
}

Raster::Raster(int width, int height, double unit)
    : width_(width), height_(height), unit_(unit), pixels_(static_cast<size_t>(width) * height, Rgba{0, 0, 0, 0}) {}

void Raster::Blend(int x, int y, const Rgba &c, double coverage) {
  Rgba &d = pixels_[static_cast<size_t>(y) * width_ + x];
  double a = c.a * coverage;
  double out = a + d.a * (1 - a);
  if (out <= 0) return;
  d.r = (c.r * a + d.r * d.a * (1 - a)) / out;
  d.g = (c.g * a + d.g * d.a * (1 - a)) / out;
  d.b = (c.b * a + d.b * d.a * (1 - a)) / out;
  d.a = out;
}

void Raster::Fill(const std::function<double(Vec)> &distance, const std::function<Rgba(Vec)> &colour) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      Vec p{(x + 0.5) * unit_, (y + 0.5) * unit_};
      double coverage = std::clamp(0.5 - distance(p) / unit_, 0.0, 1.0);
      if (coverage > 0) Blend(x, y, colour(p), coverage);
    }
}

void Raster::Shadow(const std::function<double(Vec)> &distance, double softness, Rgba colour) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      Vec p{(x + 0.5) * unit_, (y + 0.5) * unit_};
      double t = std::clamp(0.5 - distance(p) / softness, 0.0, 1.0);
      double coverage = t * t * (3 - 2 * t);
      if (coverage > 0) Blend(x, y, colour, coverage);
    }
}
