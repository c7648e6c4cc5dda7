#include <gtest/gtest.h>

#include <map>

#include "tests/editor/StoredPictures.h"
#include "tests/editor/WindowDriver.h"
#include "tests/editor/WindowState.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

using test::Decoded;
using test::kBackgroundEntry;
using test::kJpegTolerance;
using test::MaxChannelDifference;
using test::PixelsOf;
using test::StoredStream;

class AuthoringSessionTest : public test::WindowTest {};

TEST_F(AuthoringSessionTest, APageBuiltInTheWindowComesBackWholeInANewWindow) {
  const std::map<int, TBitmap> pictures = {
      {0, test::GradientBitmap(40, 30)},
      {7, test::SolidBitmap(20, 20, TColor{200, 30, 90})},
      {255, test::GradientBitmap(16, 48)},
  };
  const TBitmap background = test::GradientBitmap(64, 48);
  const std::map<int, TLinkRecord> links = {
      {0, {10, 20, 110, 70, 2, 0, 0}},
      {1, {-5, 0, 640, 480, 12345, 0, 7}},
      {200, {300, 300, 301, 301, -1, 0, 255}},
  };

  // The author imports the pictures, choosing slots by typing and with the arrows.
  person.ImportSlot(0, BmpFile("0.bmp", pictures.at(0)));
  person.ImportSlot(7, BmpFile("7.bmp", pictures.at(7)));
  person.SelectSlot(0);
  person.PressDownArrow(window.UpDown1);
  dialogs.Answer(BmpFile("255.bmp", pictures.at(255)));
  person.Click(window.BitBtn1);
  person.ImportBackground(BmpFile("background.bmp", background));
  for (const auto& [link, values] : links) person.SetLink(link, values);
  const std::string file = dir.File("session.pag");
  person.Save(file);
  ASSERT_TRUE(errors.shown.empty());
  const auto saved = test::ReadFileBytes(file);

  // Another window loads the file.
  TForm1 second;
  test::WindowDriver other(second, dialogs);
  other.Show();
  other.Load(file);
  ASSERT_TRUE(errors.shown.empty());

  EXPECT_LE(MaxChannelDifference(PixelsOf(second.Image2->Picture()), PixelsOf(background)),
            kJpegTolerance);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    ASSERT_EQ(second.Page().SlotHolder(slot).IsEmpty(), !pictures.contains(slot)) << slot;
  }
  for (const auto& [slot, picture] : pictures) {
    SCOPED_TRACE(slot);
    other.SelectSlot(slot);
    EXPECT_EQ(second.Edit6->Text(), "");
    EXPECT_EQ(PixelsOf(second.Image1->Picture()), Decoded(StoredStream(saved, slot)));
    EXPECT_LE(MaxChannelDifference(PixelsOf(second.Image1->Picture()), PixelsOf(picture)),
              kJpegTolerance);
  }
  for (int link = 0; link < kLinkCount; ++link) {
    ASSERT_EQ(second.Page().Link(link), window.Page().Link(link)) << link;
  }
  for (const int link : {0, 1, 5, 200}) {
    SCOPED_TRACE(link);
    other.SelectLink(link);
    EXPECT_EQ(other.ShownLink(), links.contains(link) ? links.at(link) : TLinkRecord{});
  }

  // Saved again, every stream keeps its bytes: both files are the same.
  const std::string again = dir.File("again.pag");
  other.Save(again);
  const auto savedAgain = test::ReadFileBytes(again);
  EXPECT_EQ(StoredStream(savedAgain, kBackgroundEntry), StoredStream(saved, kBackgroundEntry));
  for (const auto& [slot, picture] : pictures) {
    EXPECT_EQ(StoredStream(savedAgain, slot), StoredStream(saved, slot)) << slot;
  }
  EXPECT_EQ(savedAgain, saved);
  EXPECT_TRUE(errors.shown.empty());
}

}  // namespace
}  // namespace pm
