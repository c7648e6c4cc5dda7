// dot runs as a child that may take only so much time and memory: past either bound the map is
// a list, and no dot outlives the site.
#include "site/DotProgram.h"

#include <chrono>
#include <filesystem>

#include "tests/site/SiteTestSupport.h"
#include "tests/support/FakeDot.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class DotProgramTest : public SiteTest {};

TEST_F(DotProgramTest, ADotPastItsBoundsIsStoppedAndTheMapIsAList) {
  WriteDocument();
  // A dot that tells its address space limit and then takes too long.
  const FakeDot dot(
      "ulimit -v > \"$(dirname \"$0\")/limit\"\necho $$ > \"$(dirname \"$0\")/pid\"\n"
      "exec sleep 60\n");
  const site::TSiteReport report =
      Site(Out(), {.drawMap = true, .mapTimeLimit = std::chrono::milliseconds(300)});
  EXPECT_EQ(report.map, site::TDotOutcome::TimedOut);
  EXPECT_EQ(ReadText(dot.File("limit")), std::to_string(512 * 1024) + "\n");
  EXPECT_FALSE(fs::exists(Out() / "map.svg"));
  const std::string index = ReadText(Out() / "index.html");
  EXPECT_EQ(index.find("<img"), std::string::npos);
  EXPECT_NE(index.find("<ul class=\"pages\">"), std::string::npos);
  // dot has ended when the site is done.
  const std::string pid = ReadText(dot.File("pid"));
  EXPECT_FALSE(fs::exists("/proc/" + pid.substr(0, pid.size() - 1)));

  // A dot that fails leaves a list too.
  const FakeDot failing(std::string(kFakeSvgScript) + "exit 3\n");
  EXPECT_EQ(Site(Out(), {.drawMap = true}).map, site::TDotOutcome::Failed);
  EXPECT_FALSE(fs::exists(Out() / "map.svg"));
}

}  // namespace
}  // namespace pm::test
