#include "examples/PageDrawing.h"

#include <utility>

#include "examples/BlockText.h"

namespace pm::examples {

namespace {

constexpr TColor kWhite = Rgb(0xFFFFFF);
constexpr TColor kBlack = Rgb(0x000000);

constexpr int32_t kPlateMargin = 16;
constexpr int32_t kPlateHeight = 104;
constexpr int32_t kPlatePadding = 18;
constexpr double kPlateRadius = 16;
constexpr double kDigitHeight = 76;
constexpr int32_t kLetterBlock = 6;

}  // namespace

TPageDrawing::TPageDrawing(int32_t number, std::string name, TColor theme)
    : page_{number, std::move(name), theme, NewPicture(kPageWidth, kPageHeight), {}},
      painter_(page_.background) {}

void TPageDrawing::LinkTo(const TBox& area, int32_t target) {
  page_.links.push_back({area.left, area.top, area.right, area.bottom, target});
}

TSamplePage TPageDrawing::Finish() {
  DrawTitlePlate();
  return std::move(page_);
}

void TPageDrawing::DrawTitlePlate() {
  const int32_t digitLeft = kPlateMargin + kPlatePadding;
  const int32_t textLeft =
      digitLeft + static_cast<int32_t>(DigitWidth(kDigitHeight)) + kPlatePadding;
  const int32_t right = textLeft + BlockTextWidth(page_.name, kLetterBlock) + kPlatePadding + 4;
  const int32_t bottom = kPlateMargin + kPlateHeight;
  // A soft shadow, then the plate in a deeper shade of the page's colour.
  painter_.RoundedRect(kPlateMargin + 3, kPlateMargin + 4, right + 3, bottom + 4, kPlateRadius,
                       kBlack, 0.25);
  painter_.RoundedRect(kPlateMargin, kPlateMargin, right, bottom, kPlateRadius,
                       Darker(page_.theme, 0.2), 0.94);
  DrawDigit(painter_, page_.number, digitLeft, kPlateMargin + (kPlateHeight - kDigitHeight) / 2,
            kDigitHeight, kWhite, kWhite);
  DrawBlockText(painter_, page_.name, textLeft,
                kPlateMargin + (kPlateHeight - BlockTextHeight(kLetterBlock)) / 2, kLetterBlock,
                kWhite);
}

}  // namespace pm::examples
