// pagetool site ended by a signal at any moment, or writing where it can't make a folder beside
// the output: the folder holds the whole earlier site or the whole new one, nothing of the run
// stays behind, and dot ends with pagetool.
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/FakeDot.h"
#include "tests/support/TestDocument.h"
#include "tests/tool/PagetoolTestSupport.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kPatience = 20s;  // for what should come in a moment

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Waits until the condition holds; false when it still doesn't after a long while.
template <typename Condition>
bool Eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

// A process that has ended, whether or not someone has reaped it yet.
bool HasEnded(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string number, name, state;
  return !(stat >> number >> name >> state) || state == "Z";
}

std::set<std::string> HiddenNames(const fs::path& folder) {
  std::set<std::string> hidden;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(".")) hidden.insert(name);
  }
  return hidden;
}

// The files of a site folder with their content, the marker and others' files left out.
std::map<std::string, std::string> SiteFiles(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(".") && name != "notes.txt") files[name] = ReadText(entry.path());
  }
  return files;
}

class SiteSafetyTest : public PagetoolTest {
 protected:
  std::string Pattern(const std::string& folder = "pages") const {
    return dir_.File(folder + "/p%d.pag");
  }

  // `pages` pages, each leading to the next by `step` and showing slot 0 on the way; their
  // pictures differ with the step too.
  void WriteDocument(int pages, int step = 1, const std::string& folder = "pages") {
    fs::create_directories(dir_.File(folder));
    for (int page = 1; page <= pages; ++page) {
      WriteTestPage(dir_.File(folder + "/p" + std::to_string(page) + ".pag"),
                    {.width = 16,
                     .height = 16,
                     .slots = {0},
                     .links = {{0, Link(1, 1, 8, 8, (page + step - 1) % pages + 1, 0)}},
                     .seed = page + 1000 * step});
    }
  }

  ProcessResult Site(const std::string& folder, std::vector<std::string> options = {},
                     const std::string& pattern = "") {
    std::vector<std::string> arguments{"site", pattern.empty() ? Pattern() : pattern, folder};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return RunPagetool(arguments);
  }

  // A site run whose dot tells its process id and then waits; the id once dot runs.
  pid_t StartSiteUntilDotRuns(std::unique_ptr<RunningPagetool>& running, const std::string& folder,
                              const FakeDot& dot) {
    fs::remove(dot.File("pid"));
    running =
        std::make_unique<RunningPagetool>(std::vector<std::string>{"site", Pattern(), folder});
    EXPECT_TRUE(Eventually([&] { return fs::exists(dot.File("pid")); }));
    return std::atoi(ReadText(dot.File("pid")).c_str());
  }
};

// A dot that writes its process id where the test finds it, then waits a long time.
constexpr const char* kWaitingDot =
    "echo $$ > \"$(dirname \"$0\")/pid.new\"\nmv \"$(dirname \"$0\")/pid.new\" "
    "\"$(dirname \"$0\")/pid\"\nexec sleep 120\n";

TEST_F(SiteSafetyTest, DotEndsWithTheSiteThatStartedIt) {
  WriteDocument(3);
  const FakeDot dot(kWaitingDot);
  for (const int signal : {SIGTERM, SIGINT, SIGKILL}) {
    SCOPED_TRACE(signal);
    std::unique_ptr<RunningPagetool> running;
    const pid_t dotPid = StartSiteUntilDotRuns(running, dir_.File("site"), dot);
    ASSERT_GT(dotPid, 0);
    ::kill(running->Pid(), signal);
    EXPECT_EQ(running->Wait().exitCode, 128 + signal);
    EXPECT_TRUE(Eventually([&] { return HasEnded(dotPid); }));
    ::kill(dotPid, SIGKILL);  // in case it didn't
  }
}

TEST_F(SiteSafetyTest, WhatAKilledSiteLeftIsRemovedByTheNextAndNeverRefused) {
  WriteDocument(3);
  ASSERT_EQ(Site(dir_.File("own")).exitCode, 0);
  // Killed while dot runs, once into the earlier site's folder and once into a new one.
  for (const std::string name : {"own", "new"}) {
    SCOPED_TRACE(name);
    {
      const FakeDot dot(kWaitingDot);
      std::unique_ptr<RunningPagetool> running;
      const pid_t dotPid = StartSiteUntilDotRuns(running, dir_.File(name), dot);
      ::kill(running->Pid(), SIGKILL);
      running->Wait();
      ::kill(dotPid, SIGKILL);
    }
    // The killed run left its staging folder, inside the earlier site's folder or beside it.
    EXPECT_EQ(HiddenNames(dir_.Path()).size() + HiddenNames(dir_.File("own")).size(), 2u);
    const auto next = Site(dir_.File(name));
    EXPECT_EQ(next.exitCode, 0) << next.err;
    EXPECT_EQ(HiddenNames(dir_.Path()), std::set<std::string>{});
    EXPECT_EQ(HiddenNames(dir_.File(name)), std::set<std::string>{".pagetool-site"});
  }
}

TEST_F(SiteSafetyTest, ASignalWhileTheSiteTakesItsPlaceLeavesTheWholeOldOrTheWholeNewSite) {
  // Two versions of a document whose pages lead elsewhere; a file of someone else's beside the
  // site, so that the site's files move in one by one.
  constexpr int kPages = 100;
  WriteDocument(kPages, 1, "a");
  WriteDocument(kPages, 2, "b");
  WriteDocument(2, 1, "broken");
  auto cut = ReadFileBytes(dir_.File("broken/p2.pag"));
  cut.resize(cut.size() / 2);
  WriteFileBytes(dir_.File("broken/p2.pag"), cut);
  const std::string path = std::getenv("PATH");
  ::setenv("PATH", dir_.File("nothing").c_str(), 1);  // no dot: the map is a list
  for (const char* version : {"a", "b"}) {
    ASSERT_EQ(Site(dir_.File(std::string("ref-") + version), {}, Pattern(version)).exitCode, 0);
  }
  const auto a = SiteFiles(dir_.File("ref-a"));
  const auto b = SiteFiles(dir_.File("ref-b"));
  ASSERT_NE(a, b);
  const fs::path site = dir_.Path() / "site";
  fs::create_directory(site);
  WriteFileBytes((site / "notes.txt").string(), {'n'});
  ASSERT_EQ(Site(site.string(), {"--force"}, Pattern("a")).exitCode, 0);

  int round = 0;
  for (const int signal : {SIGTERM, SIGHUP, SIGKILL}) {
    SCOPED_TRACE(signal);
    const char* version = ++round % 2 == 1 ? "b" : "a";
    // The moment the first file moves into the folder, the signal.
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(watch, site.c_str(), IN_MOVED_TO), 0);
    RunningPagetool running({"site", Pattern(version), site.string(), "--force"});
    alignas(inotify_event) char event[sizeof(inotify_event) + NAME_MAX + 1];
    ASSERT_GT(::read(watch, event, sizeof event), 0);
    ::kill(running.Pid(), signal);
    running.Wait();
    ::close(watch);
    // What SIGKILL left is made whole by the next run, even one that fails.
    if (signal == SIGKILL) {
      EXPECT_EQ(Site(site.string(), {}, Pattern("broken")).exitCode, 1);
    }

    const auto now = SiteFiles(site);
    EXPECT_TRUE(now == a || now == b) << "a mix of both sites";
    EXPECT_EQ(ReadText(site / "notes.txt"), "n");
    EXPECT_EQ(HiddenNames(site), std::set<std::string>{".pagetool-site"});
  }
  ::setenv("PATH", path.c_str(), 1);
}

TEST_F(SiteSafetyTest, AFolderThatIsAMountPointInAReadOnlyFolderIsWrittenInPlace) {
  if (std::system("unshare -rm true 2>/dev/null") != 0) {
    GTEST_SKIP() << "no mount namespace can be made here";
  }
  WriteDocument(3);
  const fs::path parent = dir_.Path() / "parent";
  fs::create_directories(parent / "site");
  ASSERT_EQ(Site((parent / "site").string()).exitCode, 0);
  WriteDocument(4);
  // The site's folder a mount of its own, writable, in a folder that can't be written.
  const std::string p = parent.string();
  const std::string command =
      "unshare -rm sh -c \"mount --bind '" + p + "' '" + p + "' && mount --bind '" + p +
      "/site' '" + p + "/site' && mount -o remount,bind,ro '" + p + "' && '" + PAGETOOL_PATH +
      "' site '" + Pattern() + "' '" + p + "/site' > '" + dir_.File("out.txt") + "' 2>&1\"";
  EXPECT_EQ(std::system(command.c_str()), 0) << ReadText(dir_.File("out.txt"));
  EXPECT_TRUE(fs::exists(parent / "site" / "page-4.html"));
  EXPECT_EQ(HiddenNames(parent / "site"), std::set<std::string>{".pagetool-site"});
  EXPECT_EQ(HiddenNames(parent), std::set<std::string>{});
}

}  // namespace
}  // namespace pm::test
