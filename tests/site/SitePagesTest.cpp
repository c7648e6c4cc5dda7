// What the pages of a site say about the document.
#include "site/SitePages.h"

#include "tests/site/SiteTestSupport.h"

namespace pm::test {
namespace {

class SitePagesTest : public SiteTest {};

TEST_F(SitePagesTest, TheIndexNamesEachPageFileWithoutItsFolder) {
  WriteDocument();
  Site(Out(), Listed());
  const std::string index = ReadText(Out() / "index.html");
  EXPECT_NE(index.find("<span class=\"file\">p1.pag</span>"), std::string::npos) << index;
  EXPECT_EQ(index.find(dir_.Path().string()), std::string::npos);
  EXPECT_EQ(index.find("pages/"), std::string::npos);
}

}  // namespace
}  // namespace pm::test
