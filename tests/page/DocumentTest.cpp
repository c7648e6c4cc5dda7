#include "page/Document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "page/DocumentErrors.h"
#include "page/DocumentFileState.h"
#include "page/DocumentPlace.h"
#include "tests/support/TempDir.h"

namespace pm {
namespace {

std::vector<int32_t> PageNumbers(const TDocument& document) {
  std::vector<int32_t> numbers;
  for (const auto& page : document.Pages()) numbers.push_back(page.number);
  return numbers;
}

class DocumentTest : public ::testing::Test {
 protected:
  void Touch(const std::vector<std::string>& names) {
    for (const auto& name : names) test::WriteFileBytes(dir.File(name), {});
  }
  std::string Pattern(const std::string& name) const { return dir.File(name); }

  test::TempDir dir;
};

TEST_F(DocumentTest, PlainFieldTakesDigitsWithoutLeadingZerosAndIgnoresStrays) {
  Touch({"p0.pag", "p1.pag", "p10.pag", "p2147483647.pag",
         // no pages: a leading zero, no digits, other characters, another case or ending, a
         // number beyond a page number
         "p01.pag", "p00.pag", "p.pag", "p-1.pag", "p+1.pag", "p1x.pag", "P2.pag", "p2.PAG",
         "p3.pag.bak", "xp4.pag", "p2147483648.pag", "p99999999999.pag"});
  std::filesystem::create_directory(dir.File("p5.pag"));  // a folder is no page

  const TDocument document(Pattern("p%d.pag"));
  EXPECT_EQ(PageNumbers(document), (std::vector<int32_t>{0, 1, 10, 2147483647}));
  EXPECT_EQ(document.Start(), 0);
  EXPECT_EQ(document.Find(10)->fileName, dir.File("p10.pag"));
  EXPECT_FALSE(document.HasPage(5));
}

TEST_F(DocumentTest, PaddedFieldTakesAtLeastItsWidthInDigitsZeroPadded) {
  Touch({"000.pag", "007.pag", "123.pag", "1234.pag",
         // no pages: fewer digits, more padding than the width asks
         "7.pag", "07.pag", "0007.pag", "01234.pag"});
  const TDocument document(Pattern("%03d.pag"), 123);
  EXPECT_EQ(PageNumbers(document), (std::vector<int32_t>{0, 7, 123, 1234}));
  EXPECT_EQ(document.Start(), 123);
  EXPECT_EQ(document.Pattern().FileName(7), dir.File("007.pag"));
  EXPECT_EQ(document.Pattern().FileName(1234), dir.File("1234.pag"));

  // Every width from 1 to 9 gives back the numbers it writes.
  for (int width = 1; width <= 9; ++width) {
    const TDocumentPattern pattern("a%0" + std::to_string(width) + "d.b");
    for (const int32_t number : {0, 5, 123456789, 2147483647}) {
      const std::string name = pattern.FileName(number);
      EXPECT_GE(name.size(), static_cast<size_t>(width) + 3);
      EXPECT_EQ(pattern.PageNumber(name), number) << name;
    }
  }
}

TEST_F(DocumentTest, PatternsThatNameNoPagesAndDocumentsWithoutPagesAreRefused) {
  for (const char* pattern :
       {"page.pag", "p%d%d.pag", "p%d_%03d.pag", "p%s.pag", "p%0d.pag", "p%00d.pag", "p%010d.pag",
        "p%%d.pag", "p%5d.pag", "p%d/q.pag", "pages/"}) {
    EXPECT_THROW(TDocumentPattern{pattern}, EInvalidDocument) << pattern;
  }
  // A "%" in the folder part is part of a folder's name.
  EXPECT_EQ(TDocumentPattern("100%/p%09d.pag").FileName(42), "100%/p000000042.pag");

  EXPECT_THROW(TDocument(Pattern("missing/p%d.pag")), EInvalidDocument);
  Touch({"notes.txt", "p01.pag"});
  EXPECT_THROW(TDocument(Pattern("p%d.pag")), EInvalidDocument);
  Touch({"p1.pag"});
  EXPECT_THROW(TDocument(Pattern("p%d.pag"), 2), EInvalidDocument);
  EXPECT_NO_THROW(TDocument(Pattern("p%d.pag"), 1));
}

TEST_F(DocumentTest, TheFileStateChangesWithEveryPageFileAddedRewrittenOrRemoved) {
  const std::string pattern = Pattern("p%d.pag");
  EXPECT_TRUE(DocumentFileStateOf(pattern).files.empty()) << "no pages yet";
  Touch({"p1.pag", "p2.pag", "notes.txt"});
  const TDocumentFileState two = DocumentFileStateOf(pattern);
  ASSERT_EQ(two.files.size(), 2u);
  EXPECT_EQ(two.files[1].number, 2);
  EXPECT_EQ(DocumentFileStateOf(pattern), two) << "nothing changed";

  Touch({"notes2.txt"});
  EXPECT_EQ(DocumentFileStateOf(pattern), two) << "no page file changed";
  test::WriteFileBytes(dir.File("p2.pag"), {1, 2, 3});
  const TDocumentFileState rewritten = DocumentFileStateOf(pattern);
  EXPECT_NE(rewritten, two);
  Touch({"p3.pag"});
  EXPECT_NE(DocumentFileStateOf(pattern), rewritten);
  std::filesystem::remove(dir.File("p3.pag"));
  EXPECT_EQ(DocumentFileStateOf(pattern), rewritten);
}

TEST(DocumentPlaceTest, ANumberBeforeDotPagPlacesTheFileInTheDocumentThatNamesIt) {
  const std::vector<std::pair<std::string, TDocumentPlace>> placed = {
      {"story/page3.pag", {"story/page%d.pag", 3}},
      {"/home/a/p003.pag", {"/home/a/p%03d.pag", 3}},
      {"12.pag", {"%d.pag", 12}},
      {"0.pag", {"%d.pag", 0}},
      {"00.pag", {"%02d.pag", 0}},
      {"v2/p10.pag", {"v2/p%d.pag", 10}},
      {"100%/p2.pag", {"100%/p%d.pag", 2}},
      {"p2147483647.pag", {"p%d.pag", 2147483647}},
      {"p000000001.pag", {"p%09d.pag", 1}},
  };
  for (const auto& [name, place] : placed) {
    const auto found = DocumentPlaceOf(name);
    ASSERT_TRUE(found) << name;
    EXPECT_EQ(*found, place) << name;
    // The document's pattern names the very file again, and the folder lists it as that page.
    EXPECT_EQ(TDocumentPattern(found->pattern).FileName(found->number), name);
    const std::string base = name.substr(name.rfind('/') + 1);
    EXPECT_EQ(TDocumentPattern(found->pattern).PageNumber(base), found->number) << name;
  }
  // No number, another ending, a number beyond a page number or more zeros than a pattern pads
  // to, a "%" that a pattern can't hold: a page of no document.
  for (const char* name :
       {"page.pag", "page3.PAG", "page3.pag.bak", "p3x.pag", "p2147483648.pag",
        "p99999999999999999999999.pag", "p0000000001.pag", "50%off3.pag", "story3/.pag", ""}) {
    EXPECT_FALSE(DocumentPlaceOf(name)) << name;
  }
}

}  // namespace
}  // namespace pm
