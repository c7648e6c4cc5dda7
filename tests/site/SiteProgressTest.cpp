// A site written on a thread of its own: it tells how many pages are done, and it stops when
// asked to, leaving the folder as it was.
#include <atomic>
#include <filesystem>
#include <map>
#include <thread>
#include <utility>
#include <vector>

#include "base/Exceptions.h"
#include "tests/site/SiteTestSupport.h"
#include "tests/support/FakeDot.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Every entry below the folder with its content.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    files[fs::relative(entry.path(), folder).string()] =
        entry.is_regular_file() ? ReadText(entry.path()) : "(folder)";
  }
  return files;
}

class SiteProgressTest : public SiteTest {};

TEST_F(SiteProgressTest, ProgressCountsThePagesAndACancelLeavesTheFolderAsItWas) {
  WriteDocument();
  std::vector<std::pair<size_t, size_t>> reported;
  site::TSiteOptions options = Listed();
  options.progress = [&](size_t done, size_t all) { reported.emplace_back(done, all); };
  Site(Out(), options);
  EXPECT_EQ(reported,
            (std::vector<std::pair<size_t, size_t>>{{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}));
  WriteTestPage(PageFile(5), {});
  const auto before = Snapshot(Out());

  // Cancelled after the second page, as a progress dialog's button does it.
  std::atomic<bool> cancel = false;
  options.cancel = &cancel;
  options.progress = [&](size_t done, size_t) { cancel = done == 2; };
  EXPECT_THROW(Site(Out(), options), EAbort);
  EXPECT_EQ(Snapshot(Out()), before);

  // Cancelled while dot runs: dot is stopped at once, well before its time is up.
  const FakeDot dot("echo $$ > \"$(dirname \"$0\")/pid\"\nexec sleep 60\n");
  cancel = false;
  std::thread canceller([&] {
    while (!fs::exists(dot.File("pid"))) std::this_thread::sleep_for(5ms);
    cancel = true;
  });
  EXPECT_THROW(Site(Out(), {.drawMap = true, .cancel = &cancel}), EAbort);
  canceller.join();
  const std::string pid = ReadText(dot.File("pid"));
  EXPECT_FALSE(fs::exists("/proc/" + pid.substr(0, pid.size() - 1)));
  EXPECT_EQ(Snapshot(Out()), before);
  EXPECT_EQ(NamesIn(dir_.Path()), (std::set<std::string>{"pages", "site"}));
}

}  // namespace
}  // namespace pm::test
