#include "Canvas.h"

#include <cmath>
#include <numbers>

namespace {

double Distance(TPoint a, TPoint b) { return std::hypot(a.X - b.X, a.Y - b.Y); }

uint8_t Mix(uint8_t a, uint8_t b, double t) { return static_cast<uint8_t>(std::lround(a + (b - a) * t)); }

}  // namespace

TShape Circle(TPoint centre, double radius) {
  return [=](double x, double y) { return Distance({x, y}, centre) <= radius; };
}

TShape Ring(TPoint centre, double inner, double outer) {
  return [=](double x, double y) {
    const double d = Distance({x, y}, centre);
    return d >= inner && d <= outer;
  };
}

TShape RoundRect(double left, double top, double right, double bottom, double radius) {
  return [=](double x, double y) {
    if (x < left || x > right || y < top || y > bottom) return false;
    // Inside the corner squares, only within the corner circle.
    const double cx = x < left + radius ? left + radius : x > right - radius ? right - radius : x;
    const double cy = y < top + radius ? top + radius : y > bottom - radius ? bottom - radius : y;
    return Distance({x, y}, {cx, cy}) <= radius;
  };
}

TShape Polygon(std::vector<TPoint> points) {
  return [points = std::move(points)](double x, double y) {
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const TPoint a = points[i], b = points[j];
      if ((a.Y > y) != (b.Y > y) && x < (b.X - a.X) * (y - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
    }
    return inside;
  };
}

TShape Stroke(TPoint a, TPoint b, double width) {
  return [=](double x, double y) {
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 == 0 ? 0 : ((x - a.X) * dx + (y - a.Y) * dy) / length2;
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    return Distance({x, y}, {a.X + t * dx, a.Y + t * dy}) <= width / 2;
  };
}

TShape Star(TPoint centre, double outer, double inner, int points) {
  std::vector<TPoint> corners;
  for (int i = 0; i < 2 * points; ++i) {
    const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / points;
    const double r = i % 2 == 0 ? outer : inner;
    corners.push_back({centre.X + r * std::cos(angle), centre.Y + r * std::sin(angle)});
  }
  return Polygon(std::move(corners));
}

TShape Union(std::vector<TShape> shapes) {
  return [shapes = std::move(shapes)](double x, double y) {
    for (const auto &s : shapes) {
      if (s(x, y)) return true;
    }
    return false;
  };
}

TShape Minus(TShape shape, TShape hole) {
  return [=](double x, double y) { return shape(x, y) && !hole(x, y); };
}

TCanvas::TCanvas(int width, int height)
    : FWidth(width), FHeight(height), FPixels(static_cast<size_t>(width) * height * 4, 0) {}

double TCanvas::Coverage(const TShape &shape, int x, int y) const {
  int hits = 0;
  for (int sy = 0; sy < 4; ++sy) {
    for (int sx = 0; sx < 4; ++sx) hits += shape(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
  }
  return hits / 16.0;
}

void TCanvas::Blend(int x, int y, TColor colour, double coverage) {
  uint8_t *p = &FPixels[(static_cast<size_t>(y) * FWidth + x) * 4];
  const double srcA = colour.A / 255.0 * coverage, dstA = p[3] / 255.0;
  const double outA = srcA + dstA * (1 - srcA);
  if (outA <= 0) return;
  // Source over destination, on straight (not premultiplied) colours.
  const double keep = dstA * (1 - srcA) / outA;
  p[0] = Mix(colour.R, p[0], keep);
  p[1] = Mix(colour.G, p[1], keep);
  p[2] = Mix(colour.B, p[2], keep);
  p[3] = static_cast<uint8_t>(std::lround(outA * 255));
}

void TCanvas::Fill(const TShape &shape, TColor colour) {
  for (int y = 0; y < FHeight; ++y) {
    for (int x = 0; x < FWidth; ++x) {
      const double c = Coverage(shape, x, y);
      if (c > 0) Blend(x, y, colour, c);
    }
  }
}

void TCanvas::FillHorizontalGradient(const TShape &shape, TColor from, TColor to) {
  for (int x = 0; x < FWidth; ++x) {
    const double t = FWidth > 1 ? static_cast<double>(x) / (FWidth - 1) : 0;
    const TColor colour{Mix(from.R, to.R, t), Mix(from.G, to.G, t), Mix(from.B, to.B, t), Mix(from.A, to.A, t)};
    for (int y = 0; y < FHeight; ++y) {
      const double c = Coverage(shape, x, y);
      if (c > 0) Blend(x, y, colour, c);
    }
  }
}
