// check-document, graph and site, run as the user runs them.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/HostileFiles.h"
#include "tests/support/TestDocument.h"
#include "tests/tool/PagetoolTestSupport.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// The program on the PATH, or nothing.
std::string OnPath(const std::string& program) {
  std::istringstream path(std::getenv("PATH") ? std::getenv("PATH") : "");
  for (std::string folder; std::getline(path, folder, ':');) {
    const fs::path candidate = fs::path(folder) / program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return "";
}

int RunShell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The stream that the page file's header entry at `entry` names.
std::vector<uint8_t> StoredStream(const std::string& pageFile, int64_t entry) {
  const auto bytes = ReadFileBytes(pageFile);
  const auto word = [&](int64_t at) {
    return static_cast<int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                static_cast<uint32_t>(bytes[at + 3]) << 24);
  };
  return {bytes.begin() + word(entry), bytes.begin() + word(entry) + word(entry + 4)};
}

class DocumentCommandsTest : public PagetoolTest {
 protected:
  std::string PageFile(int32_t number) const {
    return dir_.File("pages/p" + std::to_string(number) + ".pag");
  }
  std::string Pattern() const { return dir_.File("pages/p%d.pag"); }

  // Page 1 leads to pages 2 and 3 (showing slot 4 on the way to 2) and to the missing page 9;
  // page 2 leads back; page 3 has a link without a target; page 4 is reached by nothing.
  void WriteDocument() {
    fs::create_directories(dir_.File("pages"));
    WriteTestPage(PageFile(1), {.width = 80,
                                .height = 60,
                                .slots = {4, 7},
                                .links = {{0, Link(8, 6, 40, 30, 2, 4)},
                                          {2, Link(40, 30, 80, 60, 3)},
                                          {5, Link(0, 30, 20, 50, 9)}},
                                .seed = 1});
    WriteTestPage(PageFile(2), {.slots = {0}, .links = {{1, Link(1, 1, 20, 20, 1, 0)}}, .seed = 2});
    WriteTestPage(PageFile(3), {.links = {{0, Link(1, 1, 20, 20, -1)}}, .seed = 3});
    WriteTestPage(PageFile(4), {.seed = 4});
  }

  ProcessResult Site(const std::string& folder, std::vector<std::string> options = {}) {
    std::vector<std::string> arguments{"site", Pattern(), folder};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return RunPagetool(arguments);
  }
};

TEST_F(DocumentCommandsTest, CheckDocumentListsFindingsAsTextAndJson) {
  WriteDocument();
  const auto text = RunPagetool({"check-document", Pattern()});
  EXPECT_EQ(text.exitCode, 1) << text.err;
  EXPECT_EQ(text.out, "page 1, link 5: dead-link: leads to page 9, which has no file (" +
                          PageFile(9) +
                          ")\n"
                          "page 3, link 0: no-target: has a rectangle but no link page\n"
                          "page 4: unreachable: no chain of links from the start page 1 "
                          "reaches it\n");

  const auto result = RunPagetool({"check-document", Pattern(), "--json", "--start", "4"});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  const json report = json::parse(result.out);
  EXPECT_EQ(report["pages"], json({1, 2, 3, 4}));
  EXPECT_EQ(report["start"], 4);
  ASSERT_EQ(report["findings"].size(), 5u);  // from page 4 nothing else is reached
  EXPECT_EQ(report["findings"][0],
            json({{"kind", "unreachable"},
                  {"page", 1},
                  {"link", nullptr},
                  {"message", "no chain of links from the start page 4 reaches it"}}));
  EXPECT_EQ(report["findings"][1]["kind"], "dead-link");
  EXPECT_EQ(report["findings"][1]["link"], 5);

  // Mended, the document has nothing to report.
  WriteTestPage(
      PageFile(1),
      {.links = {{0, Link(8, 6, 40, 30, 2)}, {2, Link(1, 1, 9, 9, 3)}, {3, Link(1, 1, 9, 9, 4)}}});
  WriteTestPage(PageFile(3), {});
  const auto clean = RunPagetool({"check-document", Pattern()});
  EXPECT_EQ(clean.exitCode, 0) << clean.out;
  EXPECT_EQ(clean.out, "no problems found\n");
  EXPECT_EQ(json::parse(RunPagetool({"check-document", Pattern(), "--json"}).out)["findings"],
            json::array());
}

TEST_F(DocumentCommandsTest, DocumentCommandsTellUsageErrorsApart) {
  WriteDocument();
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {"check-document", dir_.File("pages/p.pag")},
           {"check-document", dir_.File("pages/q%d.pag")},
           {"check-document", dir_.File("none/p%d.pag")},
           {"check-document", Pattern(), "--start", "5"},
           {"check-document", Pattern(), "--start", "-1"},
           {"check-document", Pattern(), "--start", "one"},
           {"graph", Pattern(), "--json"},
           {"site", Pattern()},
           {"site", Pattern(), dir_.File("out"), "--slot-pictures", "sometimes"}}) {
    const auto result = RunPagetool(arguments);
    EXPECT_EQ(result.exitCode, 2) << arguments[1] << " " << result.err;
    EXPECT_NE(result.err.find("Usage: pagetool " + arguments[0]), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(dir_.File("out")));
}

// The graph's statements, one a line, read back: nodes with their attributes, edges with theirs.
struct ParsedGraph {
  std::map<std::string, std::string> nodes;                              // name, attributes
  std::vector<std::tuple<std::string, std::string, std::string>> edges;  // from, to, attributes
};

ParsedGraph ParseGraph(const std::string& dot) {
  ParsedGraph graph;
  const std::regex edge(R"re(^  "([^"]+)" -> "([^"]+)" \[(.*)\];$)re");
  const std::regex node(R"re(^  "([^"]+)" \[(.*)\];$)re");
  std::istringstream lines(dot);
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    if (std::regex_match(line, match, edge)) {
      graph.edges.emplace_back(match[1], match[2], match[3]);
    } else if (std::regex_match(line, match, node)) {
      graph.nodes[match[1]] = match[2];
    }
  }
  return graph;
}

TEST_F(DocumentCommandsTest, GraphHasANodePerPageAndAnEdgePerLinkAndDotDrawsIt) {
  WriteDocument();
  test::WriteFileBytes(dir_.File("pages/p6.pag"), {0, 1});  // can't be loaded
  const auto result = RunPagetool({"graph", Pattern()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(result.out.starts_with("digraph document {\n"));

  const ParsedGraph graph = ParseGraph(result.out);
  EXPECT_EQ(graph.nodes.size(), 6u);  // five pages and the missing page 9
  EXPECT_EQ(graph.nodes.at("page 1"), R"(label="1\np1.pag\nstart", peripheries=2, penwidth=2)");
  EXPECT_EQ(graph.nodes.at("page 2"), R"(label="2\np2.pag")");
  EXPECT_EQ(graph.nodes.at("page 4"), R"(label="4\np4.pag\nunreachable", style=dashed)");
  EXPECT_EQ(graph.nodes.at("page 6"),
            R"(label="6\np6.pag\nload failed\nunreachable", color=red, fontcolor=red, )"
            R"(style=dashed)");
  EXPECT_NE(graph.nodes.at("missing 9").find(R"(label="9\nno file")"), std::string::npos);
  using Edge = std::tuple<std::string, std::string, std::string>;
  EXPECT_EQ(graph.edges,
            (std::vector<Edge>{
                {"page 1", "page 2", R"(label="0")"},
                {"page 1", "page 3", R"(label="2")"},
                {"page 1", "missing 9", R"(label="5", style=dashed, color=red, fontcolor=red)"},
                {"page 2", "page 1", R"(label="1")"}}));

  const std::string dot = OnPath("dot");
  if (dot.empty()) GTEST_SKIP() << "Graphviz's dot is not on the PATH";
  test::WriteFileBytes(dir_.File("map.dot"), {result.out.begin(), result.out.end()});
  ASSERT_EQ(RunShell(dot + " -Tsvg -o " + dir_.File("map.svg") + " " + dir_.File("map.dot")), 0);
  const std::string svg = ReadText(dir_.File("map.svg"));
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("p1.pag"), std::string::npos);
}

TEST_F(DocumentCommandsTest, GraphDrawsAPageAsFailedExactlyWhenCheckDocumentFindsItFailing) {
  fs::create_directories(dir_.File("pages"));
  WriteTestPage(PageFile(1), {.links = {{0, Link(1, 1, 9, 9, 2)},
                                        {1, Link(1, 1, 9, 9, 3)},
                                        {2, Link(1, 1, 9, 9, 4)},
                                        {3, Link(1, 1, 9, 9, 5)},
                                        {4, Link(1, 1, 9, 9, 6)}}});
  // Cut off within its link table.
  WriteTestPage(PageFile(2), {.links = {{0, Link(1, 1, 9, 9, 1)}}});
  auto cut = ReadFileBytes(PageFile(2));
  cut.resize(cut.size() - 100);
  WriteFileBytes(PageFile(2), cut);
  // Nothing but zeros: every entry names no bytes at offset 0, and the link table there holds
  // 256 links to page 0, which the editor never gets to, since the background can't be shown.
  WriteFileBytes(PageFile(3), std::vector<uint8_t>(10000, 0));
  // A background, and a slot 0, whose headers read but whose decoding fails.
  const std::vector<uint8_t> shown = CutOffJpeg(64, 48, false);
  const std::vector<uint8_t> undecodable = JpegOfEmptyScans(64, 48, 501);
  WriteFileBytes(PageFile(4), PageFileOf(undecodable));
  WriteFileBytes(PageFile(5), PageFileOf(shown, {{0, undecodable}}));
  WriteTestPage(PageFile(6), {.links = {{0, Link(1, 1, 9, 9, 1)}}});

  const json report = json::parse(RunPagetool({"check-document", Pattern(), "--json"}).out);
  std::set<int> failedPages;
  for (const json& finding : report["findings"]) {
    if (finding["kind"] == "load-failed") failedPages.insert(finding["page"].get<int>());
  }
  EXPECT_EQ(failedPages, (std::set<int>{2, 3, 4, 5}));

  const auto result = RunPagetool({"graph", Pattern()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const ParsedGraph graph = ParseGraph(result.out);
  for (int page = 1; page <= 6; ++page) {
    const bool failed =
        graph.nodes.at("page " + std::to_string(page)).find("load failed") != std::string::npos;
    EXPECT_EQ(failed, failedPages.contains(page)) << page;
  }
  EXPECT_FALSE(graph.nodes.contains("missing 0"));
  using Edge = std::tuple<std::string, std::string, std::string>;
  EXPECT_EQ(graph.edges, (std::vector<Edge>{{"page 1", "page 2", R"(label="0")"},
                                            {"page 1", "page 3", R"(label="1")"},
                                            {"page 1", "page 4", R"(label="2")"},
                                            {"page 1", "page 5", R"(label="3")"},
                                            {"page 1", "page 6", R"(label="4")"},
                                            {"page 6", "page 1", R"(label="0")"}}));
}

TEST_F(DocumentCommandsTest, SiteWritesEveryPageWithItsPicturesByteForByte) {
  WriteDocument();
  const std::string site = dir_.File("site");
  const auto result = Site(site);
  ASSERT_EQ(result.exitCode, 0) << result.err;

  std::set<std::string> expected = {".pagetool-site",
                                    "index.html",
                                    "style.css",
                                    "map.dot",
                                    "page-1.html",
                                    "page-2.html",
                                    "page-3.html",
                                    "page-4.html",
                                    "page-1-background.jpg",
                                    "page-2-background.jpg",
                                    "page-3-background.jpg",
                                    "page-4-background.jpg",
                                    "page-1-slot-4.jpg",
                                    "page-2-slot-0.jpg"};
  if (!OnPath("dot").empty()) expected.insert("map.svg");
  EXPECT_EQ(Names(site), expected);
  for (int32_t page = 1; page <= 4; ++page) {
    EXPECT_EQ(ReadFileBytes(site + "/page-" + std::to_string(page) + "-background.jpg"),
              StoredStream(PageFile(page), 0))
        << page;
  }
  EXPECT_EQ(ReadFileBytes(site + "/page-1-slot-4.jpg"), StoredStream(PageFile(1), 8 + 8 * 4));
  EXPECT_EQ(ReadFileBytes(site + "/page-2-slot-0.jpg"), StoredStream(PageFile(2), 8));

  // The links of page 1 in link number order, placed in percentages of its 80 x 60 background.
  const std::string page1 = ReadText(site + "/page-1.html");
  const size_t first = page1.find(
      "<a class=\"link\" href=\"page-2.html\" style=\"left: 10.0000%; "
      "top: 10.0000%; width: 40.0000%; height: 40.0000%\" "
      "aria-label=\"リンク 0 → ページ 2\"");
  const size_t second = page1.find("aria-label=\"リンク 2 → ページ 3\"");
  const size_t dead = page1.find("<span class=\"link dead\"");
  EXPECT_NE(first, std::string::npos) << page1;
  EXPECT_LT(first, second);
  EXPECT_LT(second, dead);
  EXPECT_NE(page1.find("title=\"リンク 5 → ページ 9: このページはありません\""), std::string::npos);
  EXPECT_NE(page1.find("<img class=\"slot\" src=\"page-1-slot-4.jpg\""), std::string::npos);
  EXPECT_EQ(page1.find("<script"), std::string::npos);
  const std::string index = ReadText(site + "/index.html");
  EXPECT_LT(index.find("<a href=\"page-1.html\">"), index.find("<a href=\"page-2.html\">"));

  // Valid HTML, as a validator from Debian sees it.
  const std::string tidy = OnPath("tidy");
  if (tidy.empty()) GTEST_SKIP() << "tidy is not on the PATH";
  for (const auto& name : Names(site)) {
    if (!name.ends_with(".html")) continue;
    EXPECT_EQ(RunShell(tidy + " -e -q " + site + "/" + name), 0) << name;
  }
}

TEST_F(DocumentCommandsTest, SlotPicturesAlwaysOrNeverAndAMapListWithoutDot) {
  WriteDocument();
  const std::string always = dir_.File("always");
  ASSERT_EQ(Site(always, {"--slot-pictures", "always"}).exitCode, 0);
  EXPECT_NE(ReadText(always + "/page-1.html").find("<body class=\"slots-always\">"),
            std::string::npos);

  // Without dot on the PATH the index shows the map as a list, and no slot pictures are written
  // when none is shown.
  const std::string never = dir_.File("never");
  const std::string path = std::getenv("PATH");
  ::setenv("PATH", dir_.File("nothing").c_str(), 1);
  const auto result = Site(never, {"--slot-pictures", "never"});
  ::setenv("PATH", path.c_str(), 1);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("map as a list: dot not found on the PATH"), std::string::npos);
  const auto names = Names(never);
  EXPECT_FALSE(names.contains("page-1-slot-4.jpg"));
  EXPECT_FALSE(names.contains("map.svg"));
  const std::string index = ReadText(never + "/index.html");
  EXPECT_EQ(index.find("<img"), std::string::npos);
  EXPECT_NE(index.find("<li>リンク 5 → ページ 9 (ファイルがありません)</li>"), std::string::npos);
  EXPECT_EQ(ReadText(never + "/page-1.html").find("class=\"slot\""), std::string::npos);
}

TEST_F(DocumentCommandsTest, SiteRefusesAForeignFolderAndReplacesItsOwn) {
  WriteDocument();
  const std::string site = dir_.File("site");
  fs::create_directories(site);
  test::WriteFileBytes(site + "/notes.txt", {'x'});

  const auto refused = Site(site);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("notes.txt"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("--force"), std::string::npos);
  EXPECT_EQ(Names(site), std::set<std::string>{"notes.txt"});
  EXPECT_EQ(Names(dir_.Path()), (std::set<std::string>{"pages", "site"}));
  // Never into the pages' own folder, not even with --force.
  EXPECT_EQ(Site(dir_.File("pages/"), {"--force"}).exitCode, 1);

  // With --force the site goes beside the foreign file, which stays.
  ASSERT_EQ(Site(site, {"--force"}).exitCode, 0);
  EXPECT_TRUE(Names(site).contains("page-4.html"));
  EXPECT_TRUE(Names(site).contains("notes.txt"));

  // A site of its own is replaced whole: the pages that went go from the site too.
  const std::string own = dir_.File("own");
  ASSERT_EQ(Site(own).exitCode, 0);
  fs::remove(PageFile(4));
  fs::remove(PageFile(3));
  WriteTestPage(PageFile(1), {.links = {{0, Link(8, 6, 40, 30, 2)}}});
  ASSERT_EQ(Site(own).exitCode, 0);
  EXPECT_FALSE(Names(own).contains("page-4.html"));
  EXPECT_FALSE(Names(own).contains("page-3-background.jpg"));
  EXPECT_TRUE(Names(own).contains("page-2.html"));
  ASSERT_EQ(Site(site, {"--force"}).exitCode, 0);
  EXPECT_FALSE(Names(site).contains("page-4.html"));
  EXPECT_TRUE(Names(site).contains("notes.txt"));
}

TEST_F(DocumentCommandsTest, APageThatFailsToLoadLeavesNoHalfWrittenSite) {
  WriteDocument();
  const std::string own = dir_.File("own");
  ASSERT_EQ(Site(own).exitCode, 0);
  const auto before = Names(own);
  const auto indexBefore = ReadText(own + "/index.html");

  // Page 3 cut short: its link table lies past the end.
  auto bytes = ReadFileBytes(PageFile(3));
  bytes.resize(bytes.size() - 100);
  test::WriteFileBytes(PageFile(3), bytes);
  for (const std::string& folder : {own, dir_.File("new")}) {
    const auto result = Site(folder);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, PageFile(3) + ": ストリームからの読み込みエラー.\n");
  }
  EXPECT_EQ(Names(own), before);
  EXPECT_EQ(ReadText(own + "/index.html"), indexBefore);
  EXPECT_FALSE(fs::exists(dir_.File("new")));
  EXPECT_EQ(Names(dir_.Path()), (std::set<std::string>{"pages", "own"}));  // nothing staged left
}

}  // namespace
}  // namespace pm::test
