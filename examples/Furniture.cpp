#include "examples/Furniture.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "examples/BlockText.h"

namespace pm::examples {

namespace {

constexpr TColor kBlack = Rgb(0x000000);
constexpr TColor kWhite = Rgb(0xFFFFFF);
constexpr TColor kBrass = Rgb(0xE8C15A);
constexpr int32_t kSkirtingHeight = 14;
constexpr int32_t kPlankHeight = 26;
constexpr int32_t kCasingWidth = 10;
constexpr int32_t kFrameWidth = 9;
constexpr int32_t kBarWidth = 6;

}  // namespace

void Wall(TScenePainter& painter, TColor top, TColor bottom) {
  painter.VerticalGradient(0, 0, painter.Width(), kFloorTop, top, bottom);
  painter.FillRect(0, kFloorTop - kSkirtingHeight, painter.Width(), kFloorTop, kTrim);
  painter.FillRect(0, kFloorTop - 2, painter.Width(), kFloorTop, Darker(kTrim, 0.15));
}

void WallStripes(TScenePainter& painter, int32_t every, TColor color) {
  for (int32_t x = every / 2; x < painter.Width(); x += every) {
    painter.Shade(x, 0, x + every / 4, kFloorTop - kSkirtingHeight, color, 0.07);
  }
}

void PlankFloor(TScenePainter& painter, TColor color) {
  const int32_t width = painter.Width();
  int row = 0;
  for (int32_t y = kFloorTop; y < painter.Height(); y += kPlankHeight, ++row) {
    const TColor plank = row % 2 ? Darker(color, 0.06) : color;
    painter.FillRect(0, y, width, y + kPlankHeight, plank);
    painter.FillRect(0, y, width, y + 2, Darker(color, 0.25));
    // The joints between boards, staggered from row to row.
    for (int32_t x = (row * 137) % 240; x < width; x += 240) {
      painter.FillRect(x, y, x + 2, y + kPlankHeight, Darker(color, 0.25));
    }
  }
  // The light of the room falls off towards the front.
  for (int32_t y = kFloorTop; y < painter.Height(); ++y) {
    painter.Shade(0, y, width, y + 1, kBlack,
                  0.18 * (y - kFloorTop) / (painter.Height() - kFloorTop));
  }
}

void TileFloor(TScenePainter& painter, int32_t top, int32_t size, TColor one, TColor other) {
  for (int32_t y = top, row = 0; y < painter.Height(); y += size, ++row) {
    for (int32_t x = 0, column = 0; x < painter.Width(); x += size, ++column) {
      painter.FillRect(x, y, x + size, y + size, (row + column) % 2 ? other : one);
    }
  }
}

void Door(TScenePainter& painter, const TBox& leaf, TColor color) {
  const int32_t l = leaf.left, t = leaf.top, r = leaf.right, b = leaf.bottom;
  painter.FillRect(l - kCasingWidth, t - kCasingWidth, r + kCasingWidth, b, kTrim);
  painter.FillRect(r + kCasingWidth - 3, t - kCasingWidth, r + kCasingWidth, b,
                   Darker(kTrim, 0.12));
  painter.FillRect(l, t, r, b, color);
  painter.FillRect(l, t, l + 3, b, Darker(color, 0.3));  // the edge in the shadow of the casing
  // Two panels, each a darker inset with a lighter lower edge.
  const int32_t inset = std::max(10, leaf.Width() / 8);
  const int32_t middle = t + leaf.Height() * 45 / 100;
  for (const TBox& panel : {TBox{l + inset, t + inset + 4, r - inset, middle - inset / 2},
                            TBox{l + inset, middle + inset / 2, r - inset, b - inset - 4}}) {
    painter.RoundedRect(panel.left, panel.top, panel.right, panel.bottom, 3, Darker(color, 0.18));
    painter.FillRect(panel.left + 3, panel.bottom - 3, panel.right - 3, panel.bottom,
                     Lighter(color, 0.25));
  }
  const double knobX = r - inset * 0.8, knobY = middle + 4;
  painter.Circle(knobX, knobY, 6.5, Darker(kBrass, 0.3));
  painter.Circle(knobX - 0.8, knobY - 0.8, 5, kBrass);
  painter.Circle(knobX - 2, knobY - 2, 1.8, Lighter(kBrass, 0.6));
}

void WindowFrame(TScenePainter& painter, const TBox& glass, TColor frame, bool sill) {
  const int32_t l = glass.left, t = glass.top, r = glass.right, b = glass.bottom;
  // A gleam across the glass.
  painter.Polygon({{l + glass.Width() * 0.55, static_cast<double>(t)},
                   {l + glass.Width() * 0.75, static_cast<double>(t)},
                   {l + glass.Width() * 0.35, static_cast<double>(b)},
                   {l + glass.Width() * 0.15, static_cast<double>(b)}},
                  kWhite, 0.16);
  painter.Frame(l - kFrameWidth, t - kFrameWidth, r + kFrameWidth, b + kFrameWidth, kFrameWidth,
                frame);
  const int32_t midX = (l + r) / 2, midY = (t + b) / 2;
  painter.FillRect(midX - kBarWidth / 2, t, midX + kBarWidth / 2, b, frame);
  painter.FillRect(l, midY - kBarWidth / 2, r, midY + kBarWidth / 2, frame);
  if (!sill) return;
  painter.FillRect(l - kFrameWidth - 8, b + kFrameWidth, r + kFrameWidth + 8, b + kFrameWidth + 10,
                   Darker(frame, 0.08));
  painter.FillRect(l - kFrameWidth - 8, b + kFrameWidth + 10, r + kFrameWidth + 8,
                   b + kFrameWidth + 12, Darker(frame, 0.3));
}

void GardenView(TScenePainter& painter, const TBox& glass) {
  const int32_t horizon = glass.top + glass.Height() * 62 / 100;
  painter.VerticalGradient(glass.left, glass.top, glass.right, horizon, Rgb(0x8CCFF4),
                           Rgb(0xD6F0FB));
  painter.VerticalGradient(glass.left, horizon, glass.right, glass.bottom, Rgb(0x79C25A),
                           Rgb(0x4E9A36));
  // A far hill, clipped to the glass by drawing only inside it.
  const double width = glass.Width();
  for (int32_t y = glass.top; y < horizon; ++y) {
    const double rise = (horizon - y) / (glass.Height() * 0.25);
    if (rise > 1) continue;
    const double half = width * 0.45 * std::sqrt(1 - rise * rise);
    const double centre = glass.left + width * 0.3;
    painter.Shade(static_cast<int32_t>(std::max<double>(glass.left, centre - half)), y,
                  static_cast<int32_t>(std::min<double>(glass.right, centre + half)), y + 1,
                  Rgb(0x9BD17C), 1);
  }
  Cloud(painter, glass.left + width * 0.7, glass.top + glass.Height() * 0.22, width / 400);
}

void FloorShadow(TScenePainter& painter, double centerX, double centerY, double radiusX,
                 double radiusY) {
  painter.Ellipse(centerX, centerY, radiusX, radiusY, kBlack, 0.10);
  painter.Ellipse(centerX, centerY, radiusX * 0.8, radiusY * 0.7, kBlack, 0.10);
}

void Sun(TScenePainter& painter, double x, double y, double radius) {
  painter.Circle(x, y, radius * 2.1, Rgb(0xFFF4B0), 0.18);
  painter.Circle(x, y, radius * 1.5, Rgb(0xFFF0A0), 0.30);
  painter.Circle(x, y, radius, Rgb(0xFFD84A));
  painter.Circle(x - radius * 0.25, y - radius * 0.25, radius * 0.6, Rgb(0xFFE785));
}

void Cloud(TScenePainter& painter, double x, double y, double scale) {
  const TColor cloud = kWhite;
  painter.Ellipse(x, y + 10 * scale, 70 * scale, 22 * scale, cloud, 0.95);
  painter.Circle(x - 30 * scale, y, 26 * scale, cloud, 0.95);
  painter.Circle(x + 8 * scale, y - 12 * scale, 34 * scale, cloud, 0.95);
  painter.Circle(x + 40 * scale, y + 2 * scale, 22 * scale, cloud, 0.95);
}

void Tree(TScenePainter& painter, double x, double ground, double scale) {
  const TColor bark = Rgb(0x7A4E2D);
  painter.Ellipse(x, ground, 70 * scale, 12 * scale, kBlack, 0.15);
  painter.Polygon({{x - 14 * scale, ground},
                   {x - 9 * scale, ground - 150 * scale},
                   {x + 9 * scale, ground - 150 * scale},
                   {x + 14 * scale, ground}},
                  bark);
  painter.Line({x, ground - 110 * scale}, {x + 38 * scale, ground - 160 * scale}, 8 * scale, bark);
  const TColor leaves = Rgb(0x3E8E3A);
  painter.Circle(x - 45 * scale, ground - 170 * scale, 52 * scale, Darker(leaves, 0.12));
  painter.Circle(x + 48 * scale, ground - 180 * scale, 50 * scale, Darker(leaves, 0.12));
  painter.Circle(x, ground - 215 * scale, 66 * scale, leaves);
  painter.Circle(x - 20 * scale, ground - 160 * scale, 50 * scale, leaves);
  painter.Circle(x + 25 * scale, ground - 165 * scale, 48 * scale, leaves);
  painter.Circle(x - 18 * scale, ground - 232 * scale, 34 * scale, Lighter(leaves, 0.18));
  // A few apples.
  for (const auto& [dx, dy] :
       {std::pair{-40.0, -185.0}, {30.0, -215.0}, {52.0, -165.0}, {-8.0, -150.0}, {10.0, -250.0}}) {
    painter.Circle(x + dx * scale, ground + dy * scale, 6 * scale, Rgb(0xD8342C));
  }
}

void Flower(TScenePainter& painter, double x, double ground, double height, TColor petals) {
  painter.Line({x, ground}, {x, ground - height}, 3, Rgb(0x3C7D2A));
  painter.Ellipse(x + 7, ground - height * 0.45, 8, 3.5, Rgb(0x4F9A36));
  const double top = ground - height;
  for (int i = 0; i < 6; ++i) {
    const double angle = i * std::numbers::pi / 3;
    painter.Circle(x + 7 * std::cos(angle), top + 7 * std::sin(angle), 5.5, petals);
  }
  painter.Circle(x, top, 4.5, Rgb(0xFFE066));
}

void Bush(TScenePainter& painter, double x, double ground, double scale, TColor color) {
  painter.Ellipse(x, ground, 50 * scale, 8 * scale, kBlack, 0.15);
  painter.Circle(x - 28 * scale, ground - 22 * scale, 26 * scale, Darker(color, 0.1));
  painter.Circle(x + 26 * scale, ground - 20 * scale, 28 * scale, Darker(color, 0.1));
  painter.Circle(x, ground - 34 * scale, 32 * scale, color);
  painter.Circle(x - 10 * scale, ground - 44 * scale, 16 * scale, Lighter(color, 0.15));
}

TBox DoorArea(const TBox& leaf) {
  return {leaf.left - kCasingWidth, leaf.top - kCasingWidth, leaf.right + kCasingWidth,
          leaf.bottom};
}

TBox WindowArea(const TBox& glass) {
  return {glass.left - kFrameWidth, glass.top - kFrameWidth, glass.right + kFrameWidth,
          glass.bottom + kFrameWidth};
}

std::vector<TPoint> Arc(double x, double y, double radius, double from, double to) {
  constexpr int kSteps = 48;
  std::vector<TPoint> points;
  for (int i = 0; i <= kSteps; ++i) {
    const double angle = from + (to - from) * i / kSteps;
    points.push_back({x + radius * std::cos(angle), y + radius * std::sin(angle)});
  }
  return points;
}

void Curtain(TScenePainter& painter, double left, double right, double top, double bottom,
             bool onTheLeft, TColor color) {
  const double gather = onTheLeft ? left + (right - left) * 0.35 : right - (right - left) * 0.35;
  const double inner = onTheLeft ? right : left;
  const double outer = onTheLeft ? left : right;
  painter.Polygon({{outer, top},
                   {inner, top},
                   {gather, top + (bottom - top) * 0.55},
                   {inner - (inner - gather) * 0.4, bottom},
                   {outer, bottom}},
                  color);
  painter.Line({outer + (inner - outer) * 0.3, top}, {outer + (inner - outer) * 0.3, bottom - 4}, 2,
               Darker(color, 0.2));
}

void Sky(TScenePainter& painter, int32_t horizon) {
  painter.VerticalGradient(0, 0, painter.Width(), horizon, Rgb(0x79C3F0), Rgb(0xDDF3FC));
}

void Lawn(TScenePainter& painter, int32_t top) {
  painter.VerticalGradient(0, top, painter.Width(), painter.Height(), Rgb(0x74C050), Rgb(0x4C9634));
}

void Siding(TScenePainter& painter, const TBox& wall) {
  for (int32_t y = wall.top + 18; y < wall.bottom; y += 20) {
    painter.Shade(wall.left, y, wall.right, y + 2, kBlack, 0.05);
  }
}

void PicketFence(TScenePainter& painter, int32_t from, int32_t to, int32_t ground) {
  painter.FillRect(from, ground - 48, to, ground - 40, kTrim);
  painter.FillRect(from, ground - 22, to, ground - 14, kTrim);
  for (int32_t x = from; x + 12 <= to; x += 22) {
    painter.Polygon({{x + 0.0, ground + 0.0},
                     {x + 0.0, ground - 58.0},
                     {x + 6.0, ground - 66.0},
                     {x + 12.0, ground - 58.0},
                     {x + 12.0, ground + 0.0}},
                    kWhite);
    painter.FillRect(x + 10, ground - 58, x + 12, ground, Darker(kWhite, 0.12));
  }
}

void SignBoard(TScenePainter& painter, double centerX, double top, std::string_view word,
               TColor board, bool arrow) {
  constexpr int32_t kBlock = 2;
  const int32_t textWidth = BlockTextWidth(word, kBlock);
  const double left = centerX - textWidth / 2.0 - 10, right = centerX + textWidth / 2.0 + 10;
  const double bottom = top + BlockTextHeight(kBlock) + 14;
  if (arrow) {
    painter.Polygon({{left, top},
                     {right, top},
                     {right + 14, (top + bottom) / 2},
                     {right, bottom},
                     {left, bottom}},
                    board);
  } else {
    painter.RoundedRect(left, top, right, bottom, 4, board);
  }
  DrawBlockText(painter, word, static_cast<int32_t>(std::lround(left + 10)),
                static_cast<int32_t>(std::lround(top + 7)), kBlock, kWhite);
}

void ArchedOpening(TScenePainter& painter, const TBox& box, TColor color) {
  const double radius = box.Width() / 2.0;
  painter.RoundedRect(box.left, box.top, box.right, box.top + 2 * radius, radius, color);
  painter.FillRect(box.left, static_cast<int32_t>(box.top + radius), box.right, box.bottom, color);
}

void HouseWindow(TScenePainter& painter, const TBox& glass, TColor curtains) {
  painter.VerticalGradient(glass.left, glass.top, glass.right, glass.bottom, Rgb(0xFFF1D6),
                           Lighter(curtains, 0.55));
  Curtain(painter, glass.left, glass.left + 26, glass.top, glass.bottom, true, curtains);
  Curtain(painter, glass.right - 26, glass.right, glass.top, glass.bottom, false, curtains);
  WindowFrame(painter, glass, kWhite);
  // A flower box under the sill.
  const int32_t boxTop = glass.bottom + 21;
  painter.FillRect(glass.left - 6, boxTop, glass.right + 6, boxTop + 14, kWood);
  const TColor colours[] = {Rgb(0xE84A5F), Rgb(0xFFD23F), Rgb(0xF7F7F7), Rgb(0xB565D9)};
  int i = 0;
  for (int32_t x = glass.left; x <= glass.right; x += 13, ++i) {
    painter.Circle(x, boxTop - 3, 5.5, Rgb(0x3F8F3A));
    painter.Circle(x + 3, boxTop - 6, 4, colours[i % 4]);
  }
}

void CeilingLamp(TScenePainter& p, double x, double hang) {
  p.Circle(x, hang + 30, 130, Rgb(0xFFF3B0), 0.10);
  p.Circle(x, hang + 30, 70, Rgb(0xFFF3B0), 0.14);
  p.Line({x, 0}, {x, hang}, 3, Rgb(0x3A3A3A));
  p.Circle(x, hang + 28, 12, Rgb(0xFFF8D0));
  p.Polygon({{x - 26, hang}, {x + 26, hang}, {x + 42, hang + 28}, {x - 42, hang + 28}},
            Rgb(0xF5E6C8));
  p.Line({x - 42, hang + 28}, {x + 42, hang + 28}, 3, Darker(Rgb(0xF5E6C8), 0.2));
}

void PottedPlant(TScenePainter& p, double x, double ground, double scale) {
  const TColor leaf = Rgb(0x3F8F3A);
  for (int i = -2; i <= 2; ++i) {
    p.Ellipse(x + i * 11 * scale, ground - (62 + std::abs(i) * -6) * scale, 9 * scale, 30 * scale,
              i % 2 ? Darker(leaf, 0.15) : leaf);
  }
  p.Polygon({{x - 22 * scale, ground - 40 * scale},
             {x + 22 * scale, ground - 40 * scale},
             {x + 16 * scale, ground},
             {x - 16 * scale, ground}},
            Rgb(0xC4643A));
  p.FillRect(static_cast<int32_t>(x - 24 * scale), static_cast<int32_t>(ground - 44 * scale),
             static_cast<int32_t>(x + 24 * scale), static_cast<int32_t>(ground - 36 * scale),
             Rgb(0xA8522E));
}

void Staircase(TScenePainter& p, int32_t left, int32_t steps, int32_t tread, int32_t rise,
               TColor runner) {
  const TColor wood = Rgb(0x9A6236);
  for (int i = 0; i < steps; ++i) {
    const int32_t x = left + i * tread;
    const int32_t top = kFloorTop - (i + 1) * rise;
    p.FillRect(x, top, p.Width(), kFloorTop, i % 2 ? wood : Darker(wood, 0.05));
    p.FillRect(x, top, x + tread, top + 6, Lighter(wood, 0.25));
    p.FillRect(x + 4, top + 6, x + tread, top + rise, runner);
    p.FillRect(x + 4, top + 6, x + 7, top + rise, Darker(runner, 0.25));
  }
  // The banister with its posts.
  const double railRise = 96;
  const TPoint low{left + 8.0, kFloorTop - rise - railRise};
  const TPoint high{left + (steps - 0.5) * tread, kFloorTop - steps * rise - railRise};
  for (int i = 0; i < steps; ++i) {
    const double x = left + i * tread + tread / 2.0;
    const double railY = low.y + (high.y - low.y) * (x - low.x) / (high.x - low.x);
    p.Line({x, railY}, {x, kFloorTop - (i + 1.0) * rise}, 4, kDarkWood);
  }
  p.Line(low, high, 9, kDarkWood);
  p.FillRect(left, static_cast<int32_t>(low.y) - 6, left + 14, kFloorTop - rise, kDarkWood);
  p.Circle(left + 7, low.y - 8, 9, kDarkWood);
}

void WallClock(TScenePainter& p, double x, double y, double radius) {
  p.Circle(x + 2, y + 3, radius, kBlack, 0.15);
  p.Circle(x, y, radius, Rgb(0x3A3A3A));
  p.Circle(x, y, radius - 5, kWhite);
  for (int hour = 0; hour < 12; ++hour) {
    const double angle = hour * std::numbers::pi / 6;
    p.Circle(x + (radius - 11) * std::cos(angle), y + (radius - 11) * std::sin(angle),
             hour % 3 ? 1.5 : 2.5, Rgb(0x3A3A3A));
  }
  p.Line({x, y}, {x + radius * 0.45, y - radius * 0.3}, 4, Rgb(0x3A3A3A));
  p.Line({x, y}, {x - radius * 0.1, y - radius * 0.7}, 3, Rgb(0x3A3A3A));
  p.Circle(x, y, 3.5, Rgb(0xD8342C));
}

}  // namespace pm::examples
