#include "Scene.h"

#include <algorithm>
#include <cmath>

namespace {

const Rgba DeepBlue = Hex(0x15305A);
const Rgba MidBlue = Hex(0x2C6298);
const Rgba Glow = Hex(0x78A6DA);
const Rgba Paper = Hex(0xFBFCFE);
const Rgba PaperShade = Hex(0xE3EAF4);
const Rgba Fold = Hex(0xC5D3E6);
const Rgba Ink = Hex(0x1D3C70);
const Rgba InkLight = Hex(0x2F5A9C);
const Rgba Lines = Hex(0xA9BCD8);
const Rgba Gold = Hex(0xE4A93F);
const Rgba GoldDark = Hex(0xA8701E);
const Rgba GoldLight = Hex(0xF7D58A);
const Rgba Steel = Hex(0xAEB8C6);
const Rgba SteelDark = Hex(0x55627A);

double Smooth(double t) {
  t = std::clamp(t, 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// The emblem in its own units (about 20..96 across, 14..100 down), placed by
// origin and scale.
struct Emblem {
  Vec origin;
  double scale;
  bool detailed;  // text lines, pen and nib slit

  Vec At(double x, double y) const { return {origin.x + x * scale, origin.y + y * scale}; }
  Vec Local(Vec p) const { return {(p.x - origin.x) / scale, (p.y - origin.y) / scale}; }

  double Page(Vec p) const {
    static const std::vector<Vec> outline = {{18, 14}, {60, 14}, {74, 28}, {74, 88}, {18, 88}};
    return (PolygonDistance(Local(p), outline) - 1.5) * scale;
  }
  double FoldShape(Vec p) const {
    static const std::vector<Vec> corner = {{60, 14}, {60.5, 27.5}, {74, 28}};
    return PolygonDistance(Local(p), corner) * scale;
  }
  double Letter(Vec p) const {
    Vec q = Local(p);
    double stem = RoundRectDistance(q, {32.5, 49}, {5.5, 24}, 1.5);
    double foot = RoundRectDistance(q, {44, 68.5}, {17, 4.5}, 1.5);
    double serif = RoundRectDistance(q, {32.5, 26}, {9, 2}, 1);
    return std::min({stem, foot, serif}) * scale;
  }
  double TextLine(Vec p, int line) const {
    static const double ends[3] = {66, 63, 59};
    Vec q = Local(p);
    double y = 34 + line * 8.5;
    return (SegmentDistance(q, {44, y}, {ends[line], y}) - 1.4) * scale;
  }

  // The pen lies from its tail at the lower right up to the nib on the page.
  Vec Tip() const { return {64, 72}; }
  Vec Tail() const { return {106, 114}; }
  Vec Along(double t) const { return {Tip().x + (Tail().x - Tip().x) * t, Tip().y + (Tail().y - Tip().y) * t}; }
  Vec Across() const {
    double dx = Tail().x - Tip().x, dy = Tail().y - Tip().y, n = std::hypot(dx, dy);
    return {-dy / n, dx / n};
  }
  double Body(Vec p) const { return (SegmentDistance(Local(p), Along(0.34), Along(1.0)) - 4.6) * scale; }
  double Band(Vec p) const { return (SegmentDistance(Local(p), Along(0.37), Along(0.43)) - 4.9) * scale; }
  double Nib(Vec p, double grow) const {
    Vec a = Along(0.36), n = Across();
    std::vector<Vec> shape = {Tip(), {a.x + n.x * 4.0, a.y + n.y * 4.0}, {a.x - n.x * 4.0, a.y - n.y * 4.0}};
    return (PolygonDistance(Local(p), shape) - 0.3 - grow) * scale;
  }
  double Slit(Vec p) const { return (SegmentDistance(Local(p), Along(0.04), Along(0.22)) - 0.4) * scale; }
  // Across the pen from one edge (0) to the other (1), for its round look.
  double Side(Vec p) const {
    Vec q = Local(p), n = Across();
    return 0.5 + ((q.x - Tip().x) * n.x + (q.y - Tip().y) * n.y) / 9.2;
  }

  void Draw(Raster &r) const {
    auto page = [this](Vec p) { return Page(p); };
    Vec shadowOffset{1.8 * scale, 2.6 * scale};
    r.Shadow([&](Vec p) { return Page({p.x - shadowOffset.x, p.y - shadowOffset.y}); }, 6 * scale,
             Hex(0x061428, 0.45));
    r.Fill(page, [this](Vec p) { return Mix(Paper, PaperShade, Smooth((Local(p).y - 40) / 60)); });
    r.Shadow([this](Vec p) { return FoldShape({p.x + 1.2 * scale, p.y - 1.2 * scale}); }, 3 * scale,
             Hex(0x1D3C70, 0.25));
    r.Fill([this](Vec p) { return FoldShape(p); },
           [this](Vec p) { return Mix(Fold, Paper, Smooth((Local(p).x - 60) / 16)); });
    if (detailed)
      for (int line = 0; line < 3; ++line) r.Fill([=, this](Vec p) { return TextLine(p, line); }, [](Vec) { return Lines; });
    r.Fill([this](Vec p) { return Letter(p); }, [this](Vec p) { return Mix(InkLight, Ink, Smooth((Local(p).y - 24) / 50)); });

    if (!detailed) return;
    auto round = [this](Vec p, const Rgba &edge, const Rgba &middle, const Rgba &light) {
      double s = Side(p);
      Rgba c = Mix(edge, middle, Smooth(s * 2.2));
      return Mix(c, light, 0.75 * (1 - Smooth(std::fabs(s - 0.32) * 6)));
    };
    r.Shadow([this](Vec p) { return Body({p.x - 1.5 * scale, p.y - 2 * scale}); }, 4 * scale, Hex(0x061428, 0.35));
    r.Fill([this](Vec p) { return Nib(p, 0.7); }, [](Vec) { return Hex(0x2E3746); });
    r.Fill([this](Vec p) { return Nib(p, 0); }, [&](Vec p) { return round(p, SteelDark, Steel, Hex(0xFFFFFF)); });
    r.Fill([this](Vec p) { return Slit(p); }, [](Vec) { return Hex(0x2E3746); });
    r.Fill([this](Vec p) { return Body(p); }, [&](Vec p) { return round(p, GoldDark, Gold, GoldLight); });
    r.Fill([this](Vec p) { return Band(p); }, [&](Vec p) { return round(p, Hex(0x6E4A14), GoldDark, Gold); });
  }
};

// Deep blue at the top to a lighter blue below, with a soft glow behind the
// emblem.
Rgba Backdrop(Vec p, double height, Vec glow, double glowRadius) {
  Rgba c = Mix(DeepBlue, MidBlue, Smooth(p.y / height));
  double d = std::hypot(p.x - glow.x, (p.y - glow.y) * 0.8) / glowRadius;
  return Mix(c, Glow, 0.42 * (1 - Smooth(d)));
}

}  // namespace

void DrawLogo(Raster &r) {
  const double width = 120, height = 260;
  r.Fill([](Vec) { return -1e9; }, [&](Vec p) { return Backdrop(p, height, {60, 108}, 88); });

  // Calm waves across the foot of the column.
  struct Wave {
    double base, amplitude, phase, alpha;
  };
  for (const Wave &w : {Wave{196, 5, 0.6, 0.10}, Wave{212, 6, 2.2, 0.12}, Wave{229, 4.5, 4.0, 0.16}}) {
    r.Fill([=](Vec p) { return w.base + w.amplitude * std::sin(p.x / width * 2 * M_PI * 0.9 + w.phase) - p.y; },
           [=](Vec p) { return Hex(0xBFD6F2, w.alpha * (0.6 + 0.4 * Smooth((p.y - w.base) / 40))); });
  }
  Emblem{{2.5, 52}, 1.0, true}.Draw(r);
}

void DrawIcon(Raster &r, bool detailed) {
  auto tile = [](Vec p) { return RoundRectDistance(p, {128, 128}, {122, 122}, 46); };
  r.Fill(tile, [](Vec p) { return Backdrop(p, 256, {128, 110}, 150); });
  if (detailed)
    Emblem{{0, -2}, 2.0, true}.Draw(r);
  else
    Emblem{{8, -4}, 2.6, false}.Draw(r);
}
