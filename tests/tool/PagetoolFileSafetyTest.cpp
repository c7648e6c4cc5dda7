// What pagetool's files go through when others use them at the same time, when a save is ended
// at any moment, and when names are long or symbolic links: no update is lost, nothing is left
// behind, no earlier output is harmed.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "tests/support/HostileFiles.h"
#include "tests/tool/PagetoolTestSupport.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

class PagetoolFileSafetyTest : public PagetoolTest {
 protected:
  // A page of the editor's own with a background and slot 0.
  std::string MakePage(const std::string& name) {
    const std::string page = dir_.File(name);
    const auto made =
        RunPagetool({"new", page, "--background", WriteBmp("back.bmp", GradientBitmap(64, 48)),
                     "--slot", "0=" + WriteBmp("slot.bmp", GradientBitmap(8, 8, 1))});
    EXPECT_EQ(made.exitCode, 0) << made.err;
    return page;
  }

  // The names in the folder other than the listed ones: whatever a command left behind.
  std::vector<std::string> OtherNames(const fs::path& folder, std::vector<std::string> known) {
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      if (std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
    }
    return others;
  }

  nlohmann::json LinkOf(const std::string& page, int link) {
    const auto links = Info(page)["links"];
    return links.is_array() ? links[link] : nlohmann::json();
  }
};

TEST_F(PagetoolFileSafetyTest, TwoEditsOfOneFileAtOnceNeverLoseAnUpdate) {
  const std::string page = MakePage("page.pag");
  const auto original = ReadFileBytes(page);
  const std::string sameFile = dir_.File(".") + "/page.pag";  // another name for it
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    WriteFileBytes(page, original);
    RunningPagetool first({"edit", page, page, "--link", "1=1,1,1,1,1,1"});
    RunningPagetool second({"edit", sameFile, sameFile, "--link", "2=2,2,2,2,2,2"});
    const ProcessResult a = first.Wait();
    const ProcessResult b = second.Wait();
    // One may fail with the message; whichever succeeded has its link in the file.
    EXPECT_TRUE(a.exitCode == 0 || b.exitCode == 0);
    for (const auto& [result, link, name] : {std::tuple{a, 1, page}, std::tuple{b, 2, sameFile}}) {
      if (result.exitCode == 0) {
        EXPECT_EQ(LinkOf(page, link)["left"], link);
      } else {
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "ファイル " + name + " は開けません.\n");
      }
    }
    EXPECT_EQ(OtherNames(dir_.Path(), {"page.pag", "back.bmp", "slot.bmp"}),
              std::vector<std::string>{});
  }
}

TEST_F(PagetoolFileSafetyTest, ReadersShareAFileThatAWriterHoldsAlone) {
  const std::string page = MakePage("page.pag");
  for (int round = 0; round < 5; ++round) {
    std::vector<std::unique_ptr<RunningPagetool>> readers;
    readers.push_back(std::make_unique<RunningPagetool>(std::vector<std::string>{"info", page}));
    readers.push_back(std::make_unique<RunningPagetool>(std::vector<std::string>{"check", page}));
    readers.push_back(std::make_unique<RunningPagetool>(
        std::vector<std::string>{"decode", page, "0", dir_.File("slot.out.bmp")}));
    readers.push_back(std::make_unique<RunningPagetool>(
        std::vector<std::string>{"render", page, dir_.File("render.out.bmp")}));
    readers.push_back(std::make_unique<RunningPagetool>(
        std::vector<std::string>{"extract", page, dir_.File("streams")}));
    for (auto& reader : readers) {
      const ProcessResult result = reader->Wait();
      EXPECT_EQ(result.exitCode, 0) << result.err;
    }
  }

  // While a writer holds the file, readers and writers alike are turned away.
  const int held = ::open(page.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  const std::string refused = "ファイル " + page + " は開けません.\n";
  for (const std::vector<std::string>& command : {std::vector<std::string>{"info", page},
                                                  {"check", page},
                                                  {"decode", page, "0", dir_.File("x.bmp")},
                                                  {"render", page, dir_.File("x.bmp")},
                                                  {"extract", page, dir_.File("x")},
                                                  {"edit", page, page}}) {
    const auto result = RunPagetool(command);
    EXPECT_EQ(result.exitCode, 1) << command[0];
    EXPECT_EQ(result.err, refused) << command[0];
  }
  ::close(held);
}

TEST_F(PagetoolFileSafetyTest, ASaveKilledAtAnyMomentLeavesTheTargetWholeAndNothingBehind) {
  // Large enough that a save takes a while: a background of 8 MB.
  std::vector<uint8_t> background = CutOffJpeg(64, 64, false);
  background.resize(8 << 20, 0);
  const std::string page = dir_.File("big.pag");
  const auto before = PageFileOf(background);
  WriteFileBytes(page, before);
  const std::vector<std::string> edit{"edit", page, page, "--link", "7=1,2,3,4,5,6"};

  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(RunPagetool(edit).exitCode, 0);
  const auto duration = std::chrono::steady_clock::now() - started;
  const auto after = ReadFileBytes(page);
  ASSERT_NE(after, before);

  std::mt19937 random(20240613);
  std::uniform_int_distribution<int64_t> moment(
      0, std::chrono::duration_cast<std::chrono::microseconds>(duration).count() * 3 / 2);
  const int signals[] = {SIGKILL, SIGKILL, SIGKILL, SIGINT, SIGTERM, SIGHUP};
  for (int round = 0; round < 36; ++round) {
    SCOPED_TRACE(round);
    WriteFileBytes(page, before);
    RunningPagetool running(edit);
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    const int signal = signals[round % std::size(signals)];
    ::kill(running.Pid(), signal);
    running.Wait();
    const auto now = ReadFileBytes(page);
    EXPECT_TRUE(now == before || now == after);
    // SIGKILL may strike in the instant between naming the new file and renaming it over the
    // target; the next save of the target removes what it left.
    if (signal == SIGKILL) {
      ASSERT_EQ(RunPagetool(edit).exitCode, 0);
    }
    EXPECT_EQ(OtherNames(dir_.Path(), {"big.pag"}), std::vector<std::string>{});
  }
}

TEST_F(PagetoolFileSafetyTest, AFailedExtractLeavesEveryEarlierFileAsItWas) {
  std::vector<uint8_t> slot = CutOffJpeg(64, 64, false);
  slot.resize(200'000, 0);
  const std::string page = dir_.File("page.pag");
  WriteFileBytes(page, PageFileOf(CutOffJpeg(64, 64, false), {{0, slot}}));
  const fs::path folder = dir_.Path() / "streams";
  fs::create_directory(folder);
  const std::vector<uint8_t> earlier{'e', 'a', 'r', 'l', 'i', 'e', 'r'};
  for (const char* name : {"background.jpg", "slot000.jpg", "links.csv", "notes.txt"}) {
    WriteFileBytes((folder / name).string(), earlier);
  }

  // The disk fills up at the second stream.
  const auto result =
      RunPagetool({"extract", page, folder.string()}, ProcessLimits{.fileSizeBytes = 100'000});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "ストリームへの書き込みエラー.\n");
  for (const char* name : {"background.jpg", "slot000.jpg", "links.csv", "notes.txt"}) {
    EXPECT_EQ(ReadFileBytes((folder / name).string()), earlier) << name;
  }
  EXPECT_EQ(OtherNames(folder, {"background.jpg", "slot000.jpg", "links.csv", "notes.txt"}),
            std::vector<std::string>{});

  const auto written = RunPagetool({"extract", page, folder.string()});
  EXPECT_EQ(written.exitCode, 0) << written.err;
  EXPECT_EQ(ReadFileBytes((folder / "slot000.jpg").string()), slot);
  EXPECT_EQ(ReadFileBytes((folder / "notes.txt").string()), earlier);
}

TEST_F(PagetoolFileSafetyTest, TheStagingFolderOfAKilledExtractGoesWithTheNextExtract) {
  std::vector<uint8_t> background = CutOffJpeg(64, 64, false);
  background.resize(8 << 20, 0);
  const std::string page = dir_.File("big.pag");
  WriteFileBytes(page, PageFileOf(background, {{0, CutOffJpeg(16, 16, false)}}));
  const fs::path streams = dir_.Path() / "streams";
  const std::vector<std::string> extract{"extract", page, streams.string()};
  const std::vector<std::string> written{"background.jpg", "slot000.jpg", "links.csv"};

  // What killed extracts leave: a staging folder inside the folder that existed, and one beside
  // a folder that didn't; and one that a staging under way holds, which stays.
  fs::create_directories(streams / ".streams.AbCd12");
  WriteFileBytes((streams / ".streams.AbCd12" / "background.jpg").string(), {1, 2, 3});
  fs::create_directories(dir_.Path() / ".fresh.Zz9Yy8");
  WriteFileBytes((dir_.Path() / ".fresh.Zz9Yy8" / "links.csv").string(), {4});
  fs::create_directories(streams / ".streams.Held01");
  const int held = ::open((streams / ".streams.Held01").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  ASSERT_EQ(RunPagetool(extract).exitCode, 0);
  ASSERT_EQ(RunPagetool({"extract", page, dir_.File("fresh")}).exitCode, 0);
  EXPECT_EQ(OtherNames(streams, written), std::vector<std::string>{".streams.Held01"});
  EXPECT_EQ(OtherNames(dir_.Path(), {"big.pag", "streams", "fresh"}), std::vector<std::string>{});
  ::close(held);
  fs::remove(streams / ".streams.Held01");

  // Extracts killed at any moment, each followed by one that runs to the end.
  std::mt19937 random(20240614);
  std::uniform_int_distribution<int> moment(0, 60'000);
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE(round);
    if (round % 2 == 0) fs::remove_all(streams);  // a new folder, and one that exists
    RunningPagetool running(extract);
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    ::kill(running.Pid(), SIGKILL);
    running.Wait();
    ASSERT_EQ(RunPagetool(extract).exitCode, 0);
    EXPECT_EQ(OtherNames(streams, written), std::vector<std::string>{});
    EXPECT_EQ(OtherNames(dir_.Path(), {"big.pag", "streams", "fresh"}), std::vector<std::string>{});
  }
}

TEST_F(PagetoolFileSafetyTest, LongNamesAndSymbolicLinksAreWrittenWhereTheyLead) {
  // The longest name a folder allows, for a file and for a folder.
  const std::string longName = std::string(251, 'n') + ".pag";
  ASSERT_EQ(longName.size(), 255u);
  const auto made = RunPagetool({"new", dir_.File(longName)});
  EXPECT_EQ(made.exitCode, 0) << made.err;
  const auto extracted =
      RunPagetool({"extract", dir_.File(longName), dir_.File(std::string(255, 'd'))});
  EXPECT_EQ(extracted.exitCode, 0) << extracted.err;
  EXPECT_TRUE(fs::exists(dir_.Path() / std::string(255, 'd') / "links.csv"));

  // A dangling link: its target is created, the link stays.
  const fs::path link = dir_.Path() / "link.pag";
  fs::create_symlink("target.pag", link);
  const auto linked = RunPagetool({"new", link.string()});
  EXPECT_EQ(linked.exitCode, 0) << linked.err;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::is_regular_file(dir_.Path() / "target.pag"));
  EXPECT_EQ(Info(link.string())["link_table"]["size"], 7168);

  // A loop of links can't be written.
  fs::create_symlink("loop-b.pag", dir_.Path() / "loop-a.pag");
  fs::create_symlink("loop-a.pag", dir_.Path() / "loop-b.pag");
  const std::string loop = dir_.File("loop-a.pag");
  const auto looped = RunPagetool({"new", loop});
  EXPECT_EQ(looped.exitCode, 1);
  EXPECT_EQ(looped.err, "ファイル " + loop + " を作成できません.\n");
}

}  // namespace
}  // namespace pm::test
