#include "page/PageOperations.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "page/PageFile.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

// Writes down every notice as a word and a number.
class NoticeRecorder : public TPageListener {
 public:
  void SlotChanged(int32_t slot) override { Note("slot", slot); }
  void BackgroundChanged() override { Note("background", -1); }
  void LinkChanged(int32_t link) override { Note("link", link); }
  void SlotSelected(int32_t slot) override { Note("select slot", slot); }
  void LinkSelected(int32_t link) override { Note("select link", link); }
  void PageReplaced() override { Note("replaced", -1); }

  std::vector<std::string> notices;

 private:
  void Note(const std::string& what, int32_t number) {
    notices.push_back(number < 0 ? what : what + " " + std::to_string(number));
  }
};

class PageOperationsTest : public ::testing::Test {
 protected:
  PageOperationsTest() { page.AddListener(&recorder); }

  std::string Bmp(const std::string& name, const TBitmap& bitmap) {
    const std::string fileName = dir.File(name);
    test::WriteBmpFile(fileName, bitmap);
    return fileName;
  }

  test::TempDir dir;
  TPage page;
  NoticeRecorder recorder;
};

TEST_F(PageOperationsTest, NumberedOperationsChangeSlotAndLinkNWhileTheSelectionStays) {
  page.SelectSlot(3);
  page.SelectLink(4);
  recorder.notices.clear();

  const TBitmap shown = ImportSlotPicture(page, 200, Bmp("a.bmp", test::GradientBitmap(6, 5)));
  EXPECT_EQ(shown.Width(), 6);
  EXPECT_FALSE(page.SlotHolder(200).IsEmpty());
  EXPECT_EQ(page.SlotFileName(200), dir.File("a.bmp"));
  EXPECT_TRUE(page.SlotHolder(3).IsEmpty());

  UpdateLink(page, 77, {"1", "2", "$10", "4", "5", "6"});
  EXPECT_EQ(page.Link(77), (TLinkRecord{1, 2, 16, 4, 6, 0, 5}));
  EXPECT_EQ(page.Link(4), TLinkRecord());

  page.ClearSlot(200);
  EXPECT_TRUE(page.SlotHolder(200).IsEmpty());
  page.ClearLink(77);
  EXPECT_EQ(page.Link(77), TLinkRecord());

  EXPECT_EQ(page.CurrentSlot(), 3);
  EXPECT_EQ(page.CurrentLink(), 4);
  EXPECT_EQ(recorder.notices,
            (std::vector<std::string>{"slot 200", "slot 200", "link 77", "link 77", "link 77",
                                      "link 77", "link 77", "link 77", "slot 200", "link 77"}));
  EXPECT_THROW(page.ClearLink(256), std::out_of_range);
  EXPECT_THROW(page.SetSlotFileName(-1, "x"), std::out_of_range);
}

TEST_F(PageOperationsTest, AFailedImportOrUpdateKeepsWhatTheWindowAlwaysKept) {
  ImportBackgroundPicture(page, Bmp("first.bmp", test::GradientBitmap(8, 8)));
  const TJPEGImage* holder = &page.BackgroundHolder();
  const std::string text = dir.File("text.bmp");
  test::WriteFileBytes(text,
                       {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!', '!'});
  try {
    ImportBackgroundPicture(page, text);
    FAIL() << "a text file imported";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), kInvalidBitmapMessage);
  }
  // The name is set first; the picture stays.
  EXPECT_EQ(page.BackgroundFileName(), text);
  EXPECT_EQ(&page.BackgroundHolder(), holder);
  EXPECT_EQ(page.BackgroundHolder().Width(), 8);

  EXPECT_THROW(UpdateLink(page, 9, {"10", "20", "abc", "40", "50", "60"}), EConvertError);
  EXPECT_EQ(page.Link(9), (TLinkRecord{10, 20, -1, -1, -1, 0, -1}));
}

TEST_F(PageOperationsTest, SelectionsAreToldOnlyWhenTheyChangeAndALoadIsToldOnce) {
  page.SelectSlot(0);
  page.SelectLink(5);
  page.SelectLink(5);
  page.SelectSlot(9);
  EXPECT_EQ(recorder.notices, (std::vector<std::string>{"select link 5", "select slot 9"}));

  const std::string file = dir.File("page.pag");
  WritePageFile(page, file);  // the placeholder background is a change of the background
  EXPECT_EQ(recorder.notices.back(), "background");
  recorder.notices.clear();
  ReadPageFile(page, file, nullptr);
  EXPECT_EQ(recorder.notices, std::vector<std::string>{"replaced"});
  EXPECT_EQ(page.CurrentSlot(), 0);
}

TEST_F(PageOperationsTest, ANewPageKeepsNothingOfTheOldOneAndSavesAsAStartUpPageDoes) {
  ImportBackgroundPicture(page, Bmp("back.bmp", test::GradientBitmap(30, 20)));
  ImportSlotPicture(page, 7, Bmp("slot.bmp", test::GradientBitmap(5, 4)));
  page.SetLink(3, TLinkRecord{1, 2, 3, 4, 5, 6, 7});
  page.SelectSlot(7);
  page.SelectLink(3);
  recorder.notices.clear();

  StartNewPage(page);
  EXPECT_EQ(recorder.notices, std::vector<std::string>{"replaced"});
  EXPECT_TRUE(page.BackgroundHolder().IsEmpty());
  EXPECT_TRUE(page.BackgroundFileName().empty());
  EXPECT_TRUE(page.SlotHolder(7).IsEmpty());
  EXPECT_TRUE(page.SlotFileName(7).empty());
  EXPECT_EQ(page.Link(3), TLinkRecord());
  EXPECT_EQ(page.CurrentSlot(), 0);
  EXPECT_EQ(page.CurrentLink(), 0);

  TPage startUp;
  WritePageFile(startUp, dir.File("start.pag"));
  WritePageFile(page, dir.File("new.pag"));
  EXPECT_EQ(test::ReadFileBytes(dir.File("new.pag")), test::ReadFileBytes(dir.File("start.pag")));
}

// A listener that fails, and one that takes itself away when it hears.
class FailingListener : public TPageListener {
 public:
  void LinkChanged(int32_t) override { throw std::runtime_error("view failed"); }
};
class LeavingListener : public TPageListener {
 public:
  explicit LeavingListener(TPage& page) : page_(page) {}
  void LinkChanged(int32_t) override {
    ++heard;
    page_.RemoveListener(this);
  }
  int heard = 0;

 private:
  TPage& page_;
};

TEST_F(PageOperationsTest, EveryListenerHearsEvenWhenOneFailsOrLeaves) {
  FailingListener failing;
  LeavingListener leaving(page);
  page.RemoveListener(&recorder);
  page.AddListener(&failing);
  page.AddListener(&leaving);
  page.AddListener(&recorder);

  EXPECT_THROW(page.SetLinkField(3, TLinkField::Top, 7), std::runtime_error);
  EXPECT_EQ(page.Link(3).Top, 7);
  EXPECT_EQ(leaving.heard, 1);
  EXPECT_EQ(recorder.notices, std::vector<std::string>{"link 3"});

  EXPECT_THROW(page.ClearLink(3), std::runtime_error);
  EXPECT_EQ(leaving.heard, 1);
  EXPECT_EQ(recorder.notices.size(), 2u);
}

TEST(LinkOutlinesTest, OnlyLinksWithFourEdgesAreOutlinedAndAbsurdValuesAreClipped) {
  TPage page;
  page.SetLink(0, TLinkRecord{1, 1, 5, 4, 0, 0, -1});
  page.SetLink(1, TLinkRecord{-1, 0, 9, 9, 0, 0, -1});  // no left edge: not drawn
  page.SetLink(2, TLinkRecord{INT32_MIN, 6, INT32_MAX, 9, 0, 0, -1});
  TBitmap picture = test::SolidBitmap(10, 10, clWhite);
  const TColor red{255, 0, 0};
  DrawLinkOutlines(page, picture, red);

  EXPECT_EQ(picture.Pixel(1, 1), red);
  EXPECT_EQ(picture.Pixel(4, 3), red);
  EXPECT_EQ(picture.Pixel(2, 2), clWhite);  // the inside stays
  EXPECT_EQ(picture.Pixel(0, 0), clWhite);
  // Link 2 reaches across the whole picture: its top and bottom edges only.
  EXPECT_EQ(picture.Pixel(9, 6), red);
  EXPECT_EQ(picture.Pixel(0, 8), red);
  EXPECT_EQ(picture.Pixel(0, 7), clWhite);
}

}  // namespace
}  // namespace pm
