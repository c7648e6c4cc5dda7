// The pieces that the sample house's pictures are made of: walls and floors, doors, windows and
// what is seen through them, plants and the sky.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "examples/ScenePainter.h"

namespace pm::examples {

// A rectangle in whole pixels, right and bottom just outside it.
struct TBox {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  double CenterX() const { return (left + right) / 2.0; }
  double CenterY() const { return (top + bottom) / 2.0; }
};

// Where the floor of every room begins.
inline constexpr int32_t kFloorTop = 440;

// The colours of the house.
inline constexpr TColor kTrim = Rgb(0xFFF8EC);  // door casings, skirting boards
inline constexpr TColor kHouseWall = Rgb(0xF4E6C8);
inline constexpr TColor kRoof = Rgb(0xC0492F);
inline constexpr TColor kWood = Rgb(0x8B5A2B);
inline constexpr TColor kDarkWood = Rgb(0x5A3C22);

// The points of a circle's arc from one angle to another (radians, clockwise on the screen
// from the right), for filling the part of a circle on one side of a chord.
std::vector<TPoint> Arc(double x, double y, double radius, double from, double to);

// The wall from the top of the picture to the floor, with a skirting board along its foot.
void Wall(TScenePainter& painter, TColor top, TColor bottom);
// Faint upright stripes over the wall, `every` pixels apart.
void WallStripes(TScenePainter& painter, int32_t every, TColor color);
// Boards from the floor's top to the picture's foot, each a little different in shade.
void PlankFloor(TScenePainter& painter, TColor color);
// Square tiles from `top` to the picture's foot, `size` pixels each, in two colours.
void TileFloor(TScenePainter& painter, int32_t top, int32_t size, TColor one, TColor other);

// A door leaf in its light casing, with two panels and a knob; the casing lies outside `leaf`.
void Door(TScenePainter& painter, const TBox& leaf, TColor color);
// What a link over the door covers: the leaf and its casing.
TBox DoorArea(const TBox& leaf);
// A doorway with a round top, the width of the box.
void ArchedOpening(TScenePainter& painter, const TBox& box, TColor color);
// Stairs rising to the right from `left` on the floor to the picture's right edge, with a
// carpet runner and a banister.
void Staircase(TScenePainter& painter, int32_t left, int32_t steps, int32_t tread, int32_t rise,
               TColor runner);
// A window's frame with its cross bars, and its sill when `sill`, over whatever was drawn in
// `glass`.
void WindowFrame(TScenePainter& painter, const TBox& glass, TColor frame, bool sill = true);
// What a link over the window covers: the glass and its frame.
TBox WindowArea(const TBox& glass);
// Daylight through glass: sky, a far hill and a lawn.
void GardenView(TScenePainter& painter, const TBox& glass);
// A curtain hanging from `top` to `bottom` between `left` and `right`, gathered towards the
// window's side away from `onTheLeft`.
void Curtain(TScenePainter& painter, double left, double right, double top, double bottom,
             bool onTheLeft, TColor color);
// A window of the house seen from outside: a room's curtains behind the glass, a flower box
// under the sill.
void HouseWindow(TScenePainter& painter, const TBox& glass, TColor curtains);
// A soft shadow on the floor.
void FloorShadow(TScenePainter& painter, double centerX, double centerY, double radiusX,
                 double radiusY);

// A lamp hanging from the ceiling at `x` by a cord `hang` pixels long, and its light.
void CeilingLamp(TScenePainter& painter, double x, double hang);
void PottedPlant(TScenePainter& painter, double x, double ground, double scale);
void WallClock(TScenePainter& painter, double x, double y, double radius);
// A board with a word in small blocks, pointing right when `arrow`.
void SignBoard(TScenePainter& painter, double centerX, double top, std::string_view word,
               TColor board, bool arrow);

// Outside: the sky over [0, horizon), the lawn from `top` down, the boards of the house's
// walls, a white fence along the ground between `from` and `to`.
void Sky(TScenePainter& painter, int32_t horizon);
void Lawn(TScenePainter& painter, int32_t top);
void Siding(TScenePainter& painter, const TBox& wall);
void PicketFence(TScenePainter& painter, int32_t from, int32_t to, int32_t ground);
void Sun(TScenePainter& painter, double x, double y, double radius);
void Cloud(TScenePainter& painter, double x, double y, double scale);
// A round tree standing on the ground at `x`, `ground`.
void Tree(TScenePainter& painter, double x, double ground, double scale);
// A flower whose stem stands at `x`, `ground`.
void Flower(TScenePainter& painter, double x, double ground, double height, TColor petals);
void Bush(TScenePainter& painter, double x, double ground, double scale, TColor color);

}  // namespace pm::examples
