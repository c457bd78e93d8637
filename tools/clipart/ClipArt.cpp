#include "ClipArt.h"

#include <cmath>
#include <numbers>

namespace {

constexpr TColor White{255, 255, 255}, Black{32, 32, 32}, Blue{36, 99, 181}, Navy{26, 54, 104},
    Red{200, 48, 44}, Green{46, 150, 72}, Gray{120, 124, 130}, Orange{232, 128, 28}, Teal{22, 144, 140},
    Purple{118, 68, 160}, Gold{232, 182, 32}, Yellow{250, 204, 40}, Paper{250, 248, 240}, Ink{70, 76, 84};

TColor Lighter(TColor c) { return {static_cast<uint8_t>((c.R + 255) / 2), static_cast<uint8_t>((c.G + 255) / 2),
                                   static_cast<uint8_t>((c.B + 255) / 2), 110}; }

// Bullets: 24 x 24, centred at (12, 12).

void RoundBullet(TCanvas &c, TColor colour) {
  c.Fill(Circle({12, 12}, 8), colour);
  c.Fill(Circle({9.5, 9.5}, 3), Lighter(colour));
}
void RoundBlue(TCanvas &c) { RoundBullet(c, Blue); }
void RoundRed(TCanvas &c) { RoundBullet(c, Red); }
void RoundGreen(TCanvas &c) { RoundBullet(c, Green); }
void RoundGray(TCanvas &c) { RoundBullet(c, Gray); }

void SquareBullet(TCanvas &c, TColor colour) { c.Fill(RoundRect(5, 5, 19, 19, 2), colour); }
void SquareNavy(TCanvas &c) { SquareBullet(c, Navy); }
void SquareOrange(TCanvas &c) { SquareBullet(c, Orange); }

void DiamondBullet(TCanvas &c, TColor colour) { c.Fill(Polygon({{12, 3}, {21, 12}, {12, 21}, {3, 12}}), colour); }
void DiamondTeal(TCanvas &c) { DiamondBullet(c, Teal); }
void DiamondPurple(TCanvas &c) { DiamondBullet(c, Purple); }

void ArrowBullet(TCanvas &c, TColor colour) { c.Fill(Polygon({{7, 4}, {20, 12}, {7, 20}, {10, 12}}), colour); }
void ArrowBlue(TCanvas &c) { ArrowBullet(c, Blue); }
void ArrowGreen(TCanvas &c) { ArrowBullet(c, Green); }

void CheckGreen(TCanvas &c) { c.Fill(Union({Stroke({5, 12.5}, {10, 17.5}, 3.5), Stroke({10, 17.5}, {19, 6.5}, 3.5)}), Green); }
void CrossRed(TCanvas &c) { c.Fill(Union({Stroke({6, 6}, {18, 18}, 3.5), Stroke({18, 6}, {6, 18}, 3.5)}), Red); }
void StarGold(TCanvas &c) { c.Fill(Star({12, 12.8}, 10, 4.2, 5), Gold); }
void RingBlue(TCanvas &c) { c.Fill(Ring({12, 12}, 5, 8), Blue); }

// Lines: 480 wide, a few pixels high, for separating parts of a page.

void ThinBlack(TCanvas &c) { c.Fill(RoundRect(0, 1, 480, 3, 0), Black); }
void ThickNavy(TCanvas &c) { c.Fill(RoundRect(0, 1, 480, 7, 0), Navy); }
void DoubleGray(TCanvas &c) { c.Fill(Union({RoundRect(0, 1, 480, 3, 0), RoundRect(0, 5, 480, 7, 0)}), Gray); }
void DottedBlue(TCanvas &c) {
  std::vector<TShape> dots;
  for (int x = 4; x < 480; x += 10) dots.push_back(Circle({x + 0.0, 4}, 2.2));
  c.Fill(Union(std::move(dots)), Blue);
}
void DashedGray(TCanvas &c) {
  std::vector<TShape> dashes;
  for (int x = 0; x < 480; x += 16) dashes.push_back(RoundRect(x + 2, 2.5, x + 12, 5.5, 1.5));
  c.Fill(Union(std::move(dashes)), Gray);
}
void FadeBlue(TCanvas &c) {
  TColor clear = Blue;
  clear.A = 0;
  c.FillHorizontalGradient(RoundRect(0, 2, 240, 6, 0), clear, Blue);
  c.FillHorizontalGradient(RoundRect(240, 2, 480, 6, 0), Blue, clear);
}
void WaveTeal(TCanvas &c) {
  std::vector<TShape> wave;
  for (int x = 0; x < 480; x += 2) {
    auto y = [](double at) { return 8 + 4.5 * std::sin(at * std::numbers::pi / 24); };
    wave.push_back(Stroke({x + 0.0, y(x)}, {x + 2.0, y(x + 2)}, 2));
  }
  c.Fill(Union(std::move(wave)), Teal);
}
void DiamondsGold(TCanvas &c) {
  c.Fill(Union({RoundRect(8, 7.25, 218, 8.75, 0), RoundRect(262, 7.25, 472, 8.75, 0)}), Gold);
  c.Fill(Polygon({{240, 1}, {247, 8}, {240, 15}, {233, 8}}), Gold);
  c.Fill(Union({Polygon({{226, 8}, {229, 5}, {232, 8}, {229, 11}}), Polygon({{248, 8}, {251, 5}, {254, 8}, {251, 11}})}),
         Gold);
}
void BeadsRed(TCanvas &c) {
  std::vector<TShape> beads;
  for (int x = 6; x < 480; x += 12) beads.push_back(Circle({x + 0.0, 6}, (x / 12) % 2 == 0 ? 4 : 2.5));
  c.Fill(Union(std::move(beads)), Red);
}
void BarGreen(TCanvas &c) { c.Fill(RoundRect(1, 1, 479, 9, 4), Green); }

// Signs: 64 x 64 pictograms for notes and notices.

void Warning(TCanvas &c) {
  c.Fill(Minus(Polygon({{32, 3}, {62, 58}, {2, 58}}), Polygon({{32, 10}, {56, 54}, {8, 54}})), Black);
  c.Fill(Polygon({{32, 10}, {56, 54}, {8, 54}}), Yellow);
  c.Fill(Union({Stroke({32, 24}, {32, 40}, 5.5), Circle({32, 48}, 3.2)}), Black);
}
void Information(TCanvas &c) {
  c.Fill(Circle({32, 32}, 29), Blue);
  c.Fill(Union({Circle({32, 17}, 4.2), RoundRect(28, 25, 36, 49, 2)}), White);
}
void Stop(TCanvas &c) {
  std::vector<TPoint> octagon;
  for (int i = 0; i < 8; ++i) {
    const double a = std::numbers::pi / 8 + i * std::numbers::pi / 4;
    octagon.push_back({32 + 30 * std::cos(a), 32 + 30 * std::sin(a)});
  }
  c.Fill(Polygon(octagon), Red);
  c.Fill(RoundRect(13, 27, 51, 37, 2), White);
}
void Prohibited(TCanvas &c) {
  c.Fill(Circle({32, 32}, 27), White);
  c.Fill(Union({Ring({32, 32}, 22, 29), Stroke({16.4, 16.4}, {47.6, 47.6}, 7)}), Red);
}
void Done(TCanvas &c) {
  c.Fill(Circle({32, 32}, 29), Green);
  c.Fill(Union({Stroke({18, 33}, {28, 43}, 6.5), Stroke({28, 43}, {46, 22}, 6.5)}), White);
}
void Error(TCanvas &c) {
  c.Fill(Circle({32, 32}, 29), Red);
  c.Fill(Union({Stroke({21, 21}, {43, 43}, 6.5), Stroke({43, 21}, {21, 43}, 6.5)}), White);
}
void Note(TCanvas &c) {
  c.Fill(Polygon({{12, 4}, {42, 4}, {54, 16}, {54, 60}, {12, 60}}), Gray);
  c.Fill(Polygon({{14, 6}, {41, 6}, {52, 17}, {52, 58}, {14, 58}}), Paper);
  c.Fill(Polygon({{41, 6}, {41, 17}, {52, 17}}), Gray);
  std::vector<TShape> lines;
  for (int y = 24; y <= 50; y += 6) lines.push_back(RoundRect(20, y, y == 50 ? 36 : 46, y + 2, 1));
  c.Fill(Union(std::move(lines)), Ink);
}
void BigStar(TCanvas &c) { c.Fill(Star({32, 34}, 29, 12, 5), Gold); }
void Heart(TCanvas &c) {
  c.Fill(Union({Circle({21, 23}, 13.5), Circle({43, 23}, 13.5), Polygon({{8.6, 29}, {55.4, 29}, {32, 56}})}), Red);
}
void ArrowRight(TCanvas &c) {
  c.Fill(Circle({32, 32}, 29), Blue);
  c.Fill(Union({RoundRect(16, 28, 38, 36, 1), Polygon({{34, 17}, {50, 32}, {34, 47}})}), White);
}
void Flag(TCanvas &c) {
  c.Fill(RoundRect(12, 6, 16, 60, 2), Ink);
  c.Fill(Polygon({{16, 8}, {54, 8}, {44, 20}, {54, 32}, {16, 32}}), Red);
}
void Clock(TCanvas &c) {
  c.Fill(Circle({32, 32}, 29), Navy);
  c.Fill(Circle({32, 32}, 25), White);
  std::vector<TShape> ticks;
  for (int i = 0; i < 12; ++i) {
    const double a = i * std::numbers::pi / 6;
    ticks.push_back(Stroke({32 + 20 * std::cos(a), 32 + 20 * std::sin(a)}, {32 + 23 * std::cos(a), 32 + 23 * std::sin(a)},
                           i % 3 == 0 ? 2.5 : 1.5));
  }
  c.Fill(Union(std::move(ticks)), Navy);
  c.Fill(Union({Stroke({32, 32}, {32, 15}, 3), Stroke({32, 32}, {44, 38}, 3)}), Black);
  c.Fill(Circle({32, 32}, 2.5), Red);
}

}  // namespace

const std::vector<TClipArt> &ClipArt() {
  static const std::vector<TClipArt> all = {
      {"Clip Library\\Images\\Bullets\\Arrow Blue.png", 24, 24, ArrowBlue},
      {"Clip Library\\Images\\Bullets\\Arrow Green.png", 24, 24, ArrowGreen},
      {"Clip Library\\Images\\Bullets\\Check Green.png", 24, 24, CheckGreen},
      {"Clip Library\\Images\\Bullets\\Cross Red.png", 24, 24, CrossRed},
      {"Clip Library\\Images\\Bullets\\Diamond Purple.png", 24, 24, DiamondPurple},
      {"Clip Library\\Images\\Bullets\\Diamond Teal.png", 24, 24, DiamondTeal},
      {"Clip Library\\Images\\Bullets\\Ring Blue.png", 24, 24, RingBlue},
      {"Clip Library\\Images\\Bullets\\Round Blue.png", 24, 24, RoundBlue},
      {"Clip Library\\Images\\Bullets\\Round Gray.png", 24, 24, RoundGray},
      {"Clip Library\\Images\\Bullets\\Round Green.png", 24, 24, RoundGreen},
      {"Clip Library\\Images\\Bullets\\Round Red.png", 24, 24, RoundRed},
      {"Clip Library\\Images\\Bullets\\Square Navy.png", 24, 24, SquareNavy},
      {"Clip Library\\Images\\Bullets\\Square Orange.png", 24, 24, SquareOrange},
      {"Clip Library\\Images\\Bullets\\Star Gold.png", 24, 24, StarGold},
      {"Clip Library\\Images\\Lines\\Bar Green.png", 480, 10, BarGreen},
      {"Clip Library\\Images\\Lines\\Beads Red.png", 480, 12, BeadsRed},
      {"Clip Library\\Images\\Lines\\Dashed Gray.png", 480, 8, DashedGray},
      {"Clip Library\\Images\\Lines\\Diamonds Gold.png", 480, 16, DiamondsGold},
      {"Clip Library\\Images\\Lines\\Dotted Blue.png", 480, 8, DottedBlue},
      {"Clip Library\\Images\\Lines\\Double Gray.png", 480, 8, DoubleGray},
      {"Clip Library\\Images\\Lines\\Fade Blue.png", 480, 8, FadeBlue},
      {"Clip Library\\Images\\Lines\\Thick Navy.png", 480, 8, ThickNavy},
      {"Clip Library\\Images\\Lines\\Thin Black.png", 480, 4, ThinBlack},
      {"Clip Library\\Images\\Lines\\Wave Teal.png", 480, 16, WaveTeal},
      {"Clip Library\\Images\\Signs\\Arrow Right.png", 64, 64, ArrowRight},
      {"Clip Library\\Images\\Signs\\Clock.png", 64, 64, Clock},
      {"Clip Library\\Images\\Signs\\Done.png", 64, 64, Done},
      {"Clip Library\\Images\\Signs\\Error.png", 64, 64, Error},
      {"Clip Library\\Images\\Signs\\Flag.png", 64, 64, Flag},
      {"Clip Library\\Images\\Signs\\Heart.png", 64, 64, Heart},
      {"Clip Library\\Images\\Signs\\Information.png", 64, 64, Information},
      {"Clip Library\\Images\\Signs\\Note.png", 64, 64, Note},
      {"Clip Library\\Images\\Signs\\Prohibited.png", 64, 64, Prohibited},
      {"Clip Library\\Images\\Signs\\Star.png", 64, 64, BigStar},
      {"Clip Library\\Images\\Signs\\Stop.png", 64, 64, Stop},
      {"Clip Library\\Images\\Signs\\Warning.png", 64, 64, Warning},
  };
  return all;
}
