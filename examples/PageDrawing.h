// A page of the sample document being drawn: its background, the links placed over what the
// scene draws, and at the end the title plate in the top-left corner with the page number in
// seven segments and the page's name.
#pragma once

#include <cstdint>
#include <string>

#include "examples/Furniture.h"
#include "examples/SamplePage.h"
#include "examples/ScenePainter.h"

namespace pm::examples {

class TPageDrawing {
 public:
  // A white background of the sample's size.
  TPageDrawing(int32_t number, std::string name, TColor theme);
  TPageDrawing(const TPageDrawing&) = delete;
  TPageDrawing& operator=(const TPageDrawing&) = delete;

  TScenePainter& Painter() { return painter_; }
  // The next link: over `area`, leading to page `target`.
  void LinkTo(const TBox& area, int32_t target);
  // Draws the title plate over the scene and hands over the page.
  TSamplePage Finish();

 private:
  void DrawTitlePlate();

  TSamplePage page_;
  TScenePainter painter_;
};

}  // namespace pm::examples
