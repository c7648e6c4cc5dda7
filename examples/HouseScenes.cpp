#include "examples/HouseScenes.h"

#include <cmath>
#include <numbers>

#include "examples/Furniture.h"
#include "examples/PageDrawing.h"

namespace pm::examples {

namespace {

// The page numbers of the story.
constexpr int32_t kFront = 1, kHall = 2, kLivingRoom = 3, kKitchen = 4, kBedroom = 5, kGarden = 6,
                  kAttic = 7, kBathroom = 8;
// The cellar: a page that the house doesn't have (yet).
constexpr int32_t kCellar = 9;

// Each page's own colour. Doors wear the colour of the room they lead to.
constexpr TColor kThemes[] = {
    Rgb(0x000000),  // no page 0
    Rgb(0x3D8BD4), Rgb(0xDB7B2E), Rgb(0xC2485A), Rgb(0xE0B020),
    Rgb(0x7E63C0), Rgb(0x3E9E45), Rgb(0x8A5A32), Rgb(0x1F9E9A),
};
constexpr TColor Theme(int32_t page) { return kThemes[page]; }

constexpr TColor kWhite = Rgb(0xFFFFFF);
constexpr TColor kBlack = Rgb(0x000000);

// ---- Page 1: in front of the house ----

TSamplePage Front() {
  TPageDrawing page(kFront, "FRONT", Theme(kFront));
  TScenePainter& p = page.Painter();
  Sky(p, 470);
  Sun(p, 705, 86, 38);
  Cloud(p, 560, 150, 0.9);
  Cloud(p, 110, 210, 0.65);
  p.Ellipse(170, 500, 340, 120, Rgb(0x9BD17C));
  p.Ellipse(660, 492, 310, 100, Rgb(0x8AC86B));
  Lawn(p, 470);

  // The house: chimney, walls, roof, the round attic window.
  p.FillRect(498, 130, 536, 230, Rgb(0xA33E28));
  p.FillRect(492, 122, 542, 132, Darker(Rgb(0xA33E28), 0.3));
  for (int i = 0; i < 4; ++i) p.Circle(530 + i * 14, 104 - i * 18, 8 + i * 3, kWhite, 0.45);
  p.Ellipse(400, 482, 235, 14, kBlack, 0.15);
  const TBox wall{200, 240, 600, 480};
  p.FillRect(wall.left, wall.top, wall.right, wall.bottom, kHouseWall);
  Siding(p, wall);
  p.Shade(wall.left, wall.top, wall.right, wall.top + 14, kBlack, 0.15);
  p.Polygon({{172, 252}, {400, 116}, {628, 252}}, kRoof);
  for (int k = 1; k <= 3; ++k) {
    const double y = 116 + k * 34;
    const double half = (y - 116) * 228.0 / 136.0;
    p.Line({400 - half + 3, y}, {400 + half - 3, y}, 2.5, Darker(kRoof, 0.18));
  }
  p.Line({172, 252}, {628, 252}, 5, Darker(kRoof, 0.3));
  p.Circle(400, 200, 25, kTrim);
  p.Circle(400, 200, 19, Rgb(0x35577A));
  p.FillRect(398, 181, 402, 219, kTrim);
  p.FillRect(381, 198, 419, 202, kTrim);

  // The windows, with the living room's and the kitchen's curtains behind them.
  const TBox livingWindow{236, 292, 326, 370};
  const TBox kitchenWindow{474, 292, 564, 370};
  HouseWindow(p, livingWindow, Theme(kLivingRoom));
  HouseWindow(p, kitchenWindow, Theme(kKitchen));

  // The path, the steps and the front door with its lamp.
  p.Polygon({{356, 496}, {444, 496}, {548, 600}, {252, 600}}, Rgb(0xDCCCA8));
  for (int i = 0; i < 5; ++i) {
    const double y = 512 + i * 19;
    p.Ellipse(400 + (i % 2 ? 30 : -28) * (1 + i * 0.25), y, 14 + i * 2, 4 + i * 0.6, Rgb(0xC4B28E));
  }
  const TBox frontDoor{358, 338, 442, 480};
  Door(p, frontDoor, Rgb(0x2F6E5A));
  p.FillRect(338, 480, 462, 489, Rgb(0xC9C2B4));
  p.FillRect(330, 489, 470, 498, Rgb(0xB0A898));
  p.Circle(470, 356, 22, Rgb(0xFFF3B0), 0.35);
  p.RoundedRect(463, 342, 477, 370, 3, Rgb(0x333333));
  p.RoundedRect(466, 346, 474, 366, 2, Rgb(0xFFE9A0));

  Bush(p, 232, 486, 0.8, Rgb(0x4F9A3A));
  Bush(p, 568, 486, 0.8, Rgb(0x4F9A3A));
  PicketFence(p, 4, 186, 500);
  PicketFence(p, 618, 650, 500);
  PicketFence(p, 770, 800, 500);

  // The garden gate, with its sign.
  const TBox gate{654, 420, 766, 500};
  p.FillRect(gate.left, gate.top - 6, gate.left + 8, gate.bottom, kDarkWood);
  p.FillRect(gate.right - 8, gate.top - 6, gate.right, gate.bottom, kDarkWood);
  for (int32_t x = gate.left + 14; x + 10 <= gate.right - 10; x += 16) {
    p.RoundedRect(x, gate.top + 8, x + 10, gate.bottom - 4, 4, kTrim);
  }
  p.FillRect(gate.left + 8, gate.top + 18, gate.right - 8, gate.top + 26, kTrim);
  p.FillRect(gate.left + 8, gate.bottom - 24, gate.right - 8, gate.bottom - 16, kTrim);
  SignBoard(p, 706, 380, "GARDEN", Theme(kGarden), true);
  Flower(p, 640, 540, 34, Rgb(0xE84A5F));
  Flower(p, 782, 548, 30, Rgb(0xFFD23F));

  page.LinkTo(DoorArea(frontDoor), kHall);
  page.LinkTo(WindowArea(livingWindow), kLivingRoom);
  page.LinkTo(WindowArea(kitchenWindow), kKitchen);
  page.LinkTo({644, 370, 780, 504}, kGarden);
  return page.Finish();
}

// ---- Page 2: the hall ----

TSamplePage Hall() {
  TPageDrawing page(kHall, "HALL", Theme(kHall));
  TScenePainter& p = page.Painter();
  Wall(p, Rgb(0xF6C48E), Rgb(0xEBA865));
  WallStripes(p, 40, Rgb(0xB5651D));
  PlankFloor(p, Rgb(0xA8683A));
  CeilingLamp(p, 400, 70);

  // A painting of the hills between the kitchen door and the stairs.
  p.FillRect(524, 176, 606, 246, kWood);
  p.VerticalGradient(532, 184, 598, 238, Rgb(0x9FD8F5), Rgb(0xE3F5FC));
  p.Polygon({{532, 238}, {560, 205}, {578, 222}, {588, 212}, {598, 224}, {598, 238}},
            Rgb(0x5FA55A));

  const TBox frontDoor{50, 200, 160, 440};
  const TBox livingDoor{232, 214, 332, 440};
  const TBox kitchenDoor{402, 214, 502, 440};
  const TBox cellarDoor{546, 338, 606, 440};
  // The front door, with a fanlight above it that lets the daylight in.
  p.Polygon(
      Arc(frontDoor.CenterX(), frontDoor.top - 10, 50, std::numbers::pi, 2 * std::numbers::pi),
      kTrim);
  p.Polygon(
      Arc(frontDoor.CenterX(), frontDoor.top - 10, 40, std::numbers::pi, 2 * std::numbers::pi),
      Rgb(0xFFF1B0));
  for (const double angle : {1.25, 1.5, 1.75}) {
    p.Line({frontDoor.CenterX(), frontDoor.top - 10.0},
           {frontDoor.CenterX() + 40 * std::cos(angle * std::numbers::pi),
            frontDoor.top - 10 + 40 * std::sin(angle * std::numbers::pi)},
           4, kTrim);
  }
  Door(p, frontDoor, Theme(kFront));
  Door(p, livingDoor, Theme(kLivingRoom));
  Door(p, kitchenDoor, Theme(kKitchen));

  // The cellar door, boarded up: the cellar isn't built yet.
  Door(p, cellarDoor, Rgb(0x5C5C5C));
  SignBoard(p, 576, 296, "CELLAR", Rgb(0x444444), false);
  p.Line({542, 356}, {612, 420}, 11, Rgb(0xC89B5C));
  p.Line({542, 420}, {612, 356}, 11, Darker(Rgb(0xC89B5C), 0.12));
  for (const TPoint& nail :
       {TPoint{548, 362}, TPoint{606, 362}, TPoint{548, 414}, TPoint{606, 414}}) {
    p.Circle(nail.x, nail.y, 2, Rgb(0x444444));
  }

  Staircase(p, 640, 8, 20, 32, Theme(kBedroom));
  PottedPlant(p, 196, 452, 0.8);
  p.Ellipse(105, 468, 78, 14, Rgb(0x6B4226));
  p.Ellipse(105, 466, 70, 11, Rgb(0x8B5A2B));
  p.Ellipse(380, 532, 200, 42, Rgb(0x8E2F3F));
  p.Ellipse(380, 532, 180, 34, Rgb(0xB8473D));
  p.Ellipse(380, 532, 120, 20, Rgb(0xE9C46A));

  page.LinkTo({frontDoor.left - 10, frontDoor.top - 62, frontDoor.right + 10, frontDoor.bottom},
              kFront);
  page.LinkTo(DoorArea(livingDoor), kLivingRoom);
  page.LinkTo(DoorArea(kitchenDoor), kKitchen);
  page.LinkTo({536, 290, 616, 440}, kCellar);
  page.LinkTo({634, 140, 796, 440}, kBedroom);
  return page.Finish();
}

// ---- Page 3: the living room ----

TSamplePage LivingRoom() {
  TPageDrawing page(kLivingRoom, "LIVING ROOM", Theme(kLivingRoom));
  TScenePainter& p = page.Painter();
  Wall(p, Rgb(0xF9DDD7), Rgb(0xEFC1B9));
  WallStripes(p, 60, Theme(kLivingRoom));
  PlankFloor(p, Rgb(0xC8955E));

  const TBox door{44, 214, 144, 440};
  Door(p, door, Theme(kHall));

  // The garden through the big window, between curtains.
  const TBox window{304, 136, 536, 314};
  GardenView(p, window);
  Tree(p, 470, 300, 0.32);
  WindowFrame(p, window, kWhite);
  p.Line({262, 114}, {578, 114}, 6, kDarkWood);
  p.Circle(262, 114, 7, kDarkWood);
  p.Circle(578, 114, 7, kDarkWood);
  Curtain(p, 268, 312, 114, 352, true, Rgb(0x8E2F3F));
  Curtain(p, 528, 572, 114, 352, false, Rgb(0x8E2F3F));

  // The sofa under the window.
  const TColor sofa = Rgb(0x2F7F86);
  FloorShadow(p, 430, 474, 180, 12);
  p.RoundedRect(300, 352, 560, 430, 18, Darker(sofa, 0.1));
  p.RoundedRect(320, 364, 424, 414, 12, Lighter(sofa, 0.12));
  p.RoundedRect(436, 364, 540, 414, 12, Lighter(sofa, 0.12));
  p.RoundedRect(360, 376, 408, 418, 10, Rgb(0xFFD23F));
  p.RoundedRect(286, 408, 574, 458, 12, sofa);
  p.RoundedRect(268, 378, 314, 466, 16, Darker(sofa, 0.05));
  p.RoundedRect(546, 378, 592, 466, 16, Darker(sofa, 0.05));
  p.FillRect(290, 466, 298, 478, kDarkWood);
  p.FillRect(562, 466, 570, 478, kDarkWood);

  // A floor lamp.
  p.Circle(206, 190, 60, Rgb(0xFFF3B0), 0.18);
  p.FillRect(204, 210, 209, 468, Rgb(0x3A3A3A));
  p.Ellipse(206, 470, 22, 5, Rgb(0x3A3A3A));
  p.Polygon({{186, 166}, {226, 166}, {238, 212}, {174, 212}}, Rgb(0xFFF0C8));

  // The archway to the kitchen, where a counter and the yellow wall show.
  const TBox arch{632, 184, 758, 440};
  ArchedOpening(p, {arch.left - 12, arch.top - 12, arch.right + 12, arch.bottom}, kTrim);
  ArchedOpening(p, arch, Rgb(0xFBE08A));
  p.FillRect(arch.left, 330, arch.right, 336, Rgb(0xEDE7DC));
  p.FillRect(arch.left, 336, arch.right, 420, Rgb(0x5B8FB9));
  p.FillRect(arch.left + 60, 346, arch.left + 62, 410, Darker(Rgb(0x5B8FB9), 0.3));
  for (int32_t y = 240; y < 330; y += 22) p.FillRect(arch.left, y, arch.right, y + 2, kWhite);
  p.FillRect(arch.left, 420, arch.right, 440, Rgb(0xCFC6B2));
  p.FillRect(arch.left - 12, 426, arch.right + 12, 440, kTrim);

  p.Ellipse(420, 534, 230, 44, Rgb(0xD8A93C));
  p.Ellipse(420, 534, 210, 36, Rgb(0xE9C46A));

  page.LinkTo(DoorArea(door), kHall);
  page.LinkTo(WindowArea(window), kGarden);
  page.LinkTo({arch.left - 12, arch.top - 12, arch.right + 12, arch.bottom}, kKitchen);
  return page.Finish();
}

// ---- Page 4: the kitchen ----

TSamplePage Kitchen() {
  TPageDrawing page(kKitchen, "KITCHEN", Theme(kKitchen));
  TScenePainter& p = page.Painter();
  Wall(p, Rgb(0xFFF3C4), Rgb(0xFBE08A));
  TileFloor(p, kFloorTop, 40, Rgb(0xF4F1EA), Rgb(0xCFC6B2));

  const TBox door{44, 214, 144, 440};
  Door(p, door, Theme(kHall));
  WallClock(p, 240, 178, 34);

  // The white tiles behind the counter, the cupboards above it.
  p.FillRect(176, 222, 594, 322, kWhite);
  for (int32_t x = 176; x < 594; x += 26) p.FillRect(x, 222, x + 2, 322, Rgb(0xDCD6C8));
  for (int32_t y = 222; y < 322; y += 26) p.FillRect(176, y, 594, y + 2, Rgb(0xDCD6C8));
  const TColor cupboard = Rgb(0x5B8FB9);
  p.FillRect(350, 74, 594, 182, cupboard);
  p.FillRect(350, 182, 594, 188, Darker(cupboard, 0.3));
  for (int32_t x = 350; x < 594; x += 61) {
    p.FillRect(x, 74, x + 2, 182, Darker(cupboard, 0.3));
    p.RoundedRect(x + 26, 156, x + 36, 162, 3, Rgb(0xE8C15A));
  }

  // The counter with a pot on the stove and a bowl of fruit.
  FloorShadow(p, 385, 454, 220, 10);
  p.FillRect(180, 336, 590, 452, cupboard);
  for (int32_t x = 180; x < 590; x += 82) {
    p.FillRect(x, 336, x + 2, 452, Darker(cupboard, 0.3));
    p.RoundedRect(x + 66, 352, x + 72, 380, 3, Rgb(0xE8C15A));
  }
  p.FillRect(176, 444, 594, 452, Darker(cupboard, 0.35));
  p.FillRect(170, 320, 600, 338, Rgb(0xEDE7DC));
  p.FillRect(170, 334, 600, 338, Darker(Rgb(0xEDE7DC), 0.2));
  p.Ellipse(300, 320, 44, 5, Rgb(0x3A3A3A));
  const TColor pot = Rgb(0xD8342C);
  p.RoundedRect(262, 272, 338, 320, 10, pot);
  p.Ellipse(300, 272, 40, 8, Darker(pot, 0.2));
  p.Ellipse(300, 266, 8, 5, Rgb(0x3A3A3A));
  p.FillRect(246, 282, 262, 290, Darker(pot, 0.3));
  p.FillRect(338, 282, 354, 290, Darker(pot, 0.3));
  for (int wisp = 0; wisp < 3; ++wisp) {
    const double x = 284 + wisp * 16;
    for (int i = 0; i < 6; ++i) {
      p.Circle(x + 5 * std::sin(i * 1.3 + wisp), 250 - i * 9, 4.5 - i * 0.5, Rgb(0xA9B8C2), 0.55);
    }
  }
  p.Circle(482, 280, 13, Rgb(0xF28C28));
  p.Circle(508, 276, 14, Rgb(0x8CC63F));
  p.Circle(494, 264, 12, Rgb(0xD8342C));
  p.Circle(520, 284, 11, Rgb(0xF28C28));
  p.Polygon(Arc(500, 282, 40, 0, std::numbers::pi), Rgb(0xF2F2F2));
  p.Ellipse(500, 282, 40, 4, Darker(Rgb(0xF2F2F2), 0.1));

  // The glass door to the garden.
  const TBox backDoor{622, 184, 752, 440};
  p.FillRect(backDoor.left - 10, backDoor.top - 10, backDoor.right + 10, backDoor.bottom, kTrim);
  p.FillRect(backDoor.left, backDoor.top, backDoor.right, backDoor.bottom, kWhite);
  const TBox glass{backDoor.left + 12, backDoor.top + 12, backDoor.right - 12,
                   backDoor.bottom - 50};
  GardenView(p, glass);
  Flower(p, glass.left + 20, glass.bottom - 4, 30, Rgb(0xE84A5F));
  Flower(p, glass.left + 56, glass.bottom - 4, 38, Rgb(0xFFD23F));
  WindowFrame(p, glass, kWhite, false);
  p.RoundedRect(backDoor.left + 10, 300, backDoor.left + 18, 330, 3, Rgb(0x9A9A9A));

  page.LinkTo(DoorArea(door), kHall);
  page.LinkTo(DoorArea(backDoor), kGarden);
  return page.Finish();
}

// ---- Page 5: the bedroom ----

TSamplePage Bedroom() {
  TPageDrawing page(kBedroom, "BEDROOM", Theme(kBedroom));
  TScenePainter& p = page.Painter();
  Wall(p, Rgb(0xE4DCF6), Rgb(0xC9BCEB));
  WallStripes(p, 50, Theme(kBedroom));
  PlankFloor(p, Rgb(0x9C7A5B));

  // The hatch to the attic, in the ceiling: there is no ladder to it.
  p.FillRect(556, 0, 706, 22, Darker(Rgb(0xE4DCF6), 0.25));
  p.FillRect(564, 0, 698, 16, Darker(Rgb(0xE4DCF6), 0.12));
  p.Line({631, 16}, {631, 30}, 2, Rgb(0x555555));
  p.Circle(631, 36, 6, Rgb(0x555555));
  p.Circle(631, 36, 3.5, Darker(Rgb(0xE4DCF6), 0.05));

  // The stairs down to the hall, lit from below.
  const TBox stairs{34, 204, 150, 440};
  p.FillRect(stairs.left - 10, stairs.top - 10, stairs.right + 10, stairs.bottom, kTrim);
  p.VerticalGradient(stairs.left, stairs.top, stairs.right, stairs.bottom, Rgb(0x4A3020),
                     Theme(kHall));
  for (int i = 0; i < 7; ++i) {
    const int32_t y = stairs.top + 60 + i * 26 + i * i * 2;
    if (y + 6 > stairs.bottom) break;
    p.FillRect(stairs.left, y, stairs.right, y + 6, Lighter(Rgb(0x9A6236), 0.1 + i * 0.04));
  }
  p.Line({stairs.right - 8.0, stairs.top + 40.0}, {stairs.right - 8.0, stairs.bottom + 0.0}, 8,
         kDarkWood);
  p.Line({stairs.left + 4.0, stairs.top + 90.0}, {stairs.right - 8.0, stairs.top + 40.0}, 7,
         kDarkWood);

  const TBox bathDoor{212, 214, 312, 440};
  Door(p, bathDoor, Theme(kBathroom));

  // The window: evening over the garden.
  const TBox window{370, 110, 522, 250};
  p.VerticalGradient(window.left, window.top, window.right, 212, Rgb(0x6C5FC7), Rgb(0xF5A66B));
  p.Circle(470, 214, 24, Rgb(0xFFD27F));
  p.VerticalGradient(window.left, 212, window.right, window.bottom, Rgb(0x3F7F46), Rgb(0x2E5E36));
  for (const TPoint& star :
       {TPoint{392, 130}, TPoint{420, 150}, TPoint{452, 124}, TPoint{500, 140}, TPoint{386, 170}}) {
    p.Circle(star.x, star.y, 1.8, kWhite);
  }
  WindowFrame(p, window, kWhite);
  Curtain(p, 346, 384, 96, 284, true, Darker(Theme(kBedroom), 0.1));
  Curtain(p, 508, 546, 96, 284, false, Darker(Theme(kBedroom), 0.1));

  // The bed, and a night table with a lamp.
  FloorShadow(p, 600, 470, 190, 12);
  p.RoundedRect(696, 248, 782, 474, 20, Rgb(0x8B5A3C));
  p.RoundedRect(706, 262, 772, 360, 14, Darker(Rgb(0x8B5A3C), 0.15));
  p.FillRect(436, 420, 700, 458, Rgb(0x8B5A3C));
  p.FillRect(444, 458, 452, 474, Darker(Rgb(0x8B5A3C), 0.2));
  p.RoundedRect(436, 372, 704, 426, 10, kWhite);
  p.Ellipse(652, 370, 42, 17, Rgb(0xE6E0F5));
  p.Ellipse(650, 367, 40, 15, kWhite);
  p.RoundedRect(430, 384, 622, 440, 12, Theme(kBedroom));
  p.RoundedRect(430, 384, 622, 400, 8, Lighter(Theme(kBedroom), 0.35));
  p.RoundedRect(420, 340, 440, 474, 6, Rgb(0x8B5A3C));
  p.RoundedRect(340, 380, 410, 468, 6, Rgb(0xA87A52));
  p.FillRect(346, 414, 404, 416, Darker(Rgb(0xA87A52), 0.3));
  p.RoundedRect(368, 426, 382, 432, 3, Rgb(0xE8C15A));
  p.Circle(375, 338, 46, Rgb(0xFFF3B0), 0.22);
  p.FillRect(373, 344, 377, 380, Rgb(0x3A3A3A));
  p.Polygon({{356, 312}, {394, 312}, {404, 346}, {346, 346}}, Rgb(0xFFF0C8));

  page.LinkTo({stairs.left - 10, stairs.top - 10, stairs.right + 10, stairs.bottom}, kHall);
  page.LinkTo(DoorArea(bathDoor), kBathroom);
  page.LinkTo(WindowArea(window), kGarden);
  return page.Finish();
}

// ---- Page 6: the garden ----

TSamplePage Garden() {
  TPageDrawing page(kGarden, "GARDEN", Theme(kGarden));
  TScenePainter& p = page.Painter();
  Sky(p, 360);
  Sun(p, 716, 82, 34);
  Cloud(p, 520, 110, 0.8);
  p.Ellipse(560, 372, 330, 60, Rgb(0x9BD17C));
  Lawn(p, 360);

  // The back of the house, with the living room's window and the kitchen door.
  const TBox wall{0, 140, 340, 432};
  p.Ellipse(170, 434, 200, 12, kBlack, 0.15);
  p.FillRect(wall.left, wall.top, wall.right, wall.bottom, kHouseWall);
  Siding(p, wall);
  p.Shade(wall.left, wall.top, wall.right, wall.top + 14, kBlack, 0.15);
  p.Polygon({{-40, 152}, {170, 20}, {380, 152}}, kRoof);
  p.Line({-40, 152}, {380, 152}, 5, Darker(kRoof, 0.3));
  const TBox window{44, 220, 148, 304};
  HouseWindow(p, window, Theme(kLivingRoom));
  const TBox backDoor{204, 274, 290, 432};
  Door(p, backDoor, Theme(kKitchen));
  p.FillRect(186, 432, 308, 442, Rgb(0xC9C2B4));
  Bush(p, 318, 440, 0.55, Rgb(0x4F9A3A));

  Tree(p, 540, 420, 1.0);

  // The pond.
  p.Ellipse(430, 520, 104, 32, Rgb(0x8FB07A));
  p.Ellipse(430, 520, 96, 27, Rgb(0x3F8FD0));
  p.Ellipse(410, 514, 60, 12, Rgb(0x7DBCE8));
  p.Ellipse(470, 526, 14, 6, Rgb(0x3C9A4A));
  p.Ellipse(392, 528, 11, 5, Rgb(0x3C9A4A));

  // The flower bed.
  const TColor colours[] = {Rgb(0xE84A5F), Rgb(0xFF8FB1), Rgb(0xFFD23F), Rgb(0xB565D9),
                            Rgb(0xFFFFFF)};
  for (int i = 0; i < 12; ++i) {
    Flower(p, 24 + i * 26, 584 - (i % 2) * 16, 40 + (i * 7) % 18, colours[i % 5]);
  }

  // The path round the house to the front, with its sign.
  p.Polygon({{590, 600}, {700, 600}, {800, 500}, {800, 462}, {770, 462}}, Rgb(0xDCCCA8));
  p.FillRect(706, 392, 714, 486, kDarkWood);
  SignBoard(p, 700, 380, "FRONT", Theme(kFront), true);

  page.LinkTo(WindowArea(window), kLivingRoom);
  page.LinkTo(DoorArea(backDoor), kKitchen);
  page.LinkTo({650, 368, 800, 500}, kFront);
  return page.Finish();
}

// ---- Page 7: the attic ----

TSamplePage Attic() {
  TPageDrawing page(kAttic, "ATTIC", Theme(kAttic));
  TScenePainter& p = page.Painter();
  p.VerticalGradient(0, 0, p.Width(), kFloorTop, Rgb(0x4A3320), Rgb(0x2E1F12));
  // The gable wall of boards under the roof's two slopes.
  const TPoint peak{400, 64}, leftFoot{60, kFloorTop}, rightFoot{740, kFloorTop};
  p.Polygon({peak, rightFoot, leftFoot}, Rgb(0x8B6440));
  for (int32_t x = 80; x < 740; x += 32) {
    const double edge =
        peak.y + std::abs(x - peak.x) * (kFloorTop - peak.y) / (peak.x - leftFoot.x);
    p.FillRect(x, static_cast<int32_t>(edge) + 4, x + 2, kFloorTop, Darker(Rgb(0x8B6440), 0.25));
  }
  p.Line(peak, leftFoot, 22, kDarkWood);
  p.Line(peak, rightFoot, 22, kDarkWood);
  p.Line({250, 232}, {550, 232}, 14, kDarkWood);
  PlankFloor(p, Rgb(0x6E4B2C));

  // The round window, and the light that falls through it.
  const double windowX = 400, windowY = 310, radius = 54;
  p.Polygon({{windowX - 50, windowY + 20}, {windowX + 50, windowY + 20}, {620, 600}, {180, 600}},
            Rgb(0xFFF3C0), 0.10);
  p.Circle(windowX, windowY, radius + 10, kDarkWood);
  p.Circle(windowX, windowY, radius, Rgb(0xA8DCF5));
  p.Polygon(Arc(windowX, windowY, radius, 0.35, std::numbers::pi - 0.35), Rgb(0x6DB84A));
  p.Line({windowX - radius, windowY}, {windowX + radius, windowY}, 6, kDarkWood);
  p.Line({windowX, windowY - radius}, {windowX, windowY + radius}, 6, kDarkWood);
  for (const TPoint& mote : {TPoint{340, 420}, TPoint{420, 470}, TPoint{470, 400}, TPoint{380, 520},
                             TPoint{520, 540}, TPoint{300, 560}}) {
    p.Circle(mote.x, mote.y, 2.2, Rgb(0xFFF3C0), 0.6);
  }

  // Boxes and an old trunk.
  const TColor cardboard = Rgb(0xC89B5C);
  p.FillRect(110, 372, 226, 454, cardboard);
  p.FillRect(110, 372, 226, 380, Darker(cardboard, 0.15));
  p.FillRect(162, 372, 174, 454, Lighter(cardboard, 0.3));
  p.FillRect(134, 316, 214, 372, Darker(cardboard, 0.08));
  p.FillRect(168, 316, 178, 372, Lighter(cardboard, 0.3));
  const TColor trunk = Rgb(0x6B3E1F);
  p.RoundedRect(580, 370, 720, 456, 10, trunk);
  p.FillRect(580, 396, 720, 400, Darker(trunk, 0.3));
  for (const int32_t x : {604, 692}) p.FillRect(x, 370, x + 8, 456, Rgb(0xC9A24A));
  p.RoundedRect(640, 392, 660, 412, 3, Rgb(0xC9A24A));

  // The hatch in the floor, down to the bedroom.
  const TBox hatch{452, 490, 640, 566};
  p.FillRect(hatch.left - 6, hatch.top - 6, hatch.right + 6, hatch.bottom + 6, kDarkWood);
  p.FillRect(hatch.left, hatch.top, hatch.right, hatch.bottom, Rgb(0x7A5232));
  p.FillRect(hatch.left - 6, hatch.top - 6, hatch.right + 6, hatch.top - 3,
             Lighter(Theme(kBedroom), 0.4));
  for (int32_t y = hatch.top + 19; y < hatch.bottom; y += 19) {
    p.FillRect(hatch.left, y, hatch.right, y + 2, Darker(Rgb(0x7A5232), 0.3));
  }
  p.Circle(546, 528, 11, Rgb(0x3A3A3A));
  p.Circle(546, 528, 7, Rgb(0x7A5232));

  page.LinkTo(
      {static_cast<int32_t>(windowX - radius - 10), static_cast<int32_t>(windowY - radius - 10),
       static_cast<int32_t>(windowX + radius + 10), static_cast<int32_t>(windowY + radius + 10)},
      kGarden);
  page.LinkTo({hatch.left - 6, hatch.top - 6, hatch.right + 6, hatch.bottom + 6}, kBedroom);
  return page.Finish();
}

// ---- Page 8: the bathroom ----

TSamplePage Bathroom() {
  TPageDrawing page(kBathroom, "BATH", Theme(kBathroom));
  TScenePainter& p = page.Painter();
  Wall(p, Rgb(0xE9F8F6), Rgb(0xD4EFEB));
  p.FillRect(0, 232, p.Width(), 426, Rgb(0xBFE8E4));
  for (int32_t x = 0; x < p.Width(); x += 38) p.FillRect(x, 232, x + 2, 426, kWhite);
  for (int32_t y = 232; y < 426; y += 38) p.FillRect(0, y, p.Width(), y + 2, kWhite);
  TileFloor(p, kFloorTop, 50, Rgb(0x2F8F8A), Rgb(0x287C78));

  const TBox door{44, 214, 144, 440};
  Door(p, door, Theme(kBedroom));

  // A striped towel.
  p.FillRect(172, 256, 236, 262, Rgb(0x9A9A9A));
  for (int32_t y = 262; y < 350; y += 12) {
    p.FillRect(180, y, 228, y + 12, (y / 12) % 2 ? Rgb(0xF2A65A) : kWhite);
  }

  // The mirror and the basin.
  p.Ellipse(322, 178, 54, 70, Rgb(0xC9A66B));
  p.Ellipse(322, 178, 46, 62, Rgb(0xCDEBF2));
  p.Polygon({{300, 130}, {316, 124}, {344, 210}, {328, 216}}, kWhite, 0.35);
  p.FillRect(310, 330, 334, 440, Rgb(0xF4F4F4));
  p.RoundedRect(266, 296, 378, 336, 14, kWhite);
  p.FillRect(266, 296, 378, 304, Rgb(0xE0E0E0));
  p.RoundedRect(316, 278, 328, 300, 4, Rgb(0xB0B0B0));

  // The frosted window.
  const TBox window{476, 82, 604, 186};
  GardenView(p, window);
  p.Shade(window.left, window.top, window.right, window.bottom, kWhite, 0.35);
  WindowFrame(p, window, kWhite);

  // The bath, with bubbles and a duck.
  FloorShadow(p, 600, 454, 190, 12);
  p.RoundedRect(426, 318, 774, 452, 34, kWhite);
  p.RoundedRect(440, 330, 760, 352, 10, Rgb(0x8ED6E8));
  p.FillRect(426, 360, 774, 364, Rgb(0xE6E6E6));
  for (const int32_t x : {456, 744}) p.RoundedRect(x - 8, 446, x + 8, 466, 5, Rgb(0xC9A66B));
  for (int i = 0; i < 14; ++i) {
    p.Circle(452 + i * 22, 330 - (i % 3) * 6, 9 + (i * 5) % 7, kWhite, 0.9);
  }
  const TColor duck = Rgb(0xFFD23F);
  p.Ellipse(650, 322, 24, 14, duck);
  p.Circle(666, 302, 11, duck);
  p.Polygon({{675, 300}, {690, 304}, {675, 308}}, Rgb(0xF28C28));
  p.Circle(668, 299, 2, Rgb(0x222222));

  page.LinkTo(DoorArea(door), kBedroom);
  page.LinkTo(WindowArea(window), kGarden);
  return page.Finish();
}

}  // namespace

std::vector<TSamplePage> DrawHouse() {
  std::vector<TSamplePage> pages;
  pages.push_back(Front());
  pages.push_back(Hall());
  pages.push_back(LivingRoom());
  pages.push_back(Kitchen());
  pages.push_back(Bedroom());
  pages.push_back(Garden());
  pages.push_back(Attic());
  pages.push_back(Bathroom());
  return pages;
}

}  // namespace pm::examples
