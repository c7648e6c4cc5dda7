// The sample document committed under examples/house: what a newcomer opens first must load in
// the editor and show exactly the two problems that it has on purpose.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "page/Document.h"
#include "page/DocumentChecks.h"
#include "page/DocumentReading.h"
#include "page/PageFile.h"
#include "tests/support/TempDir.h"

namespace pm {
namespace {

constexpr const char* kSampleFolder = PM_SOURCE_DIR "/examples/house";
constexpr int32_t kPageCount = 8;
constexpr int32_t kDeadLinkPage = 2, kDeadLink = 3, kMissingPage = 9;
constexpr int32_t kUnreachablePage = 7;

// The committed pages, copied: reading them as the editor does holds each file exclusively,
// which other tests reading the same files at the same time must not run into.
class HouseSampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : std::filesystem::directory_iterator(kSampleFolder)) {
      std::filesystem::copy_file(entry.path(), dir.Path() / entry.path().filename());
    }
  }
  std::string Pattern() const { return dir.File("page%d.pag"); }

  test::TempDir dir;
};

TEST_F(HouseSampleTest, ChecksFindOnlyTheDeadCellarDoorAndTheAttic) {
  const TDocument document(Pattern());
  std::vector<int32_t> numbers;
  for (const TDocumentPageFile& page : document.Pages()) numbers.push_back(page.number);
  EXPECT_EQ(numbers, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(document.Start(), 1);

  const std::vector<TFinding> findings =
      CheckDocument(document, ReadDocumentOutlines(document, {}));
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].kind, TFindingKind::DeadLink);
  EXPECT_EQ(findings[0].page, kDeadLinkPage);
  EXPECT_EQ(findings[0].link, kDeadLink);
  EXPECT_NE(findings[0].message.find("page " + std::to_string(kMissingPage)), std::string::npos)
      << findings[0].message;
  EXPECT_EQ(findings[1].kind, TFindingKind::Unreachable);
  EXPECT_EQ(findings[1].page, kUnreachablePage);
}

TEST_F(HouseSampleTest, EveryPageLoadsAsTheEditorLoadsItWithAPictureForEachLink) {
  const TDocument document(Pattern());
  ASSERT_EQ(static_cast<int32_t>(document.Pages().size()), kPageCount);
  for (const TDocumentPageFile& file : document.Pages()) {
    SCOPED_TRACE(file.fileName);
    TPage page;
    ReadPageFile(page, file.fileName, nullptr);  // decodes the background and slot 0 too

    TBitmap background;
    page.BackgroundHolder().CopyToBitmap(background);
    EXPECT_EQ(background.Width(), 800);
    EXPECT_EQ(background.Height(), 600);

    // Links 0 to N − 1 are set, each with its own slot picture the size of its rectangle;
    // nothing else is stored.
    int32_t links = 0;
    while (links < kLinkCount && page.Link(links).HasRectangle()) {
      const TLinkRecord& link = page.Link(links);
      SCOPED_TRACE("link " + std::to_string(links));
      EXPECT_EQ(link.Bitmap, links);
      ASSERT_FALSE(page.SlotHolder(links).IsEmpty());
      TBitmap picture;
      page.SlotHolder(links).CopyToBitmap(picture);
      EXPECT_EQ(picture.Width(), link.Right - link.Left);
      EXPECT_EQ(picture.Height(), link.Bottom - link.Top);
      ++links;
    }
    EXPECT_GE(links, 2) << "a page with fewer than two ways on";
    for (int32_t rest = links; rest < kSlotCount; ++rest) {
      EXPECT_TRUE(page.SlotHolder(rest).IsEmpty()) << "slot " << rest;
      EXPECT_EQ(page.Link(rest), TLinkRecord{}) << "link " << rest;
    }
  }
}

}  // namespace
}  // namespace pm
