// A small RGBA canvas that draws filled shapes with anti-aliased edges
// (4 x 4 samples a pixel). Coordinates are in pixels, y downwards.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct TColor {
  uint8_t R, G, B, A = 255;
};

struct TPoint {
  double X, Y;
};

// Whether a point lies inside a shape.
using TShape = std::function<bool(double x, double y)>;

TShape Circle(TPoint centre, double radius);
TShape Ring(TPoint centre, double inner, double outer);
TShape RoundRect(double left, double top, double right, double bottom, double radius);
// Even-odd rule.
TShape Polygon(std::vector<TPoint> points);
// A stroke of the given width from a to b with round ends.
TShape Stroke(TPoint a, TPoint b, double width);
// A regular star with `points` tips.
TShape Star(TPoint centre, double outer, double inner, int points);
TShape Union(std::vector<TShape> shapes);
TShape Minus(TShape shape, TShape hole);

class TCanvas {
public:
  TCanvas(int width, int height);
  // Paints colour over the canvas where the shape covers it.
  void Fill(const TShape &shape, TColor colour);
  // Like Fill, with the colour running from `from` at the left edge to `to`
  // at the right edge.
  void FillHorizontalGradient(const TShape &shape, TColor from, TColor to);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Rows of R, G, B, A bytes, not premultiplied.
  const std::vector<uint8_t> &Pixels() const { return FPixels; }

private:
  void Blend(int x, int y, TColor colour, double coverage);
  double Coverage(const TShape &shape, int x, int y) const;
  int FWidth, FHeight;
  std::vector<uint8_t> FPixels;
};
