// What a site may remove or replace in its folder: only the files that an earlier site wrote.
// Files of anyone else stay, whenever they came, and the document's own pages are never touched.
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "base/Exceptions.h"
#include "site/SiteMarker.h"
#include "site/SiteSurvey.h"
#include "tests/site/SiteTestSupport.h"
#include "tests/support/FakeDot.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

// The message of the failure, or "" when there was none.
std::string FailureOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

std::set<std::string> HiddenNames(const fs::path& folder) {
  std::set<std::string> hidden;
  for (const std::string& name : NamesIn(folder)) {
    if (name.starts_with(".")) hidden.insert(name);
  }
  return hidden;
}

class SiteOwnershipTest : public SiteTest {};

TEST_F(SiteOwnershipTest, WhatOthersPutIntoTheFolderWhileTheSiteIsWrittenStays) {
  WriteDocument();
  const fs::path out = Out();
  Site(out, Listed());
  fs::remove(PageFile(4));

  // While the new site is written (dot runs meanwhile) someone puts a file and a folder of their
  // own into the folder.
  {
    const FakeDot dot("echo mine > '" + (out / "notes.txt").string() + "'\nmkdir '" +
                      (out / "drafts").string() + "'\necho draft > '" +
                      (out / "drafts" / "a.txt").string() + "'\n" + kFakeSvgScript);
    EXPECT_EQ(Site(out).map, site::TDotOutcome::Drawn);
  }
  EXPECT_EQ(ReadText(out / "notes.txt"), "mine\n");
  EXPECT_EQ(ReadText(out / "drafts" / "a.txt"), "draft\n");
  EXPECT_FALSE(fs::exists(out / "page-4.html"));  // the earlier site's own page went
  EXPECT_TRUE(fs::exists(out / "page-3.html"));
  EXPECT_TRUE(fs::exists(out / "map.svg"));
  EXPECT_EQ(HiddenNames(out), std::set<std::string>{site::kSiteMarkerName});
  EXPECT_EQ(NamesIn(dir_.Path()), (std::set<std::string>{"pages", "site"}));

  // A file of someone else's with the name of a new page's file appears meanwhile: the site is
  // not put in place, and both stay, the earlier site and that file.
  WriteTestPage(PageFile(5), {});
  const std::string before = ReadText(out / "index.html");
  const fs::path fresh = Out("fresh");
  fs::create_directory(fresh);
  for (const fs::path& folder : {out, fresh}) {
    SCOPED_TRACE(folder);
    const FakeDot dot("echo mine > '" + (folder / "page-5.html").string() + "'\n");
    const std::string failure = FailureOf([&] { Site(folder, {.force = true}); });
    EXPECT_NE(failure.find("page-5.html"), std::string::npos) << failure;
    EXPECT_EQ(ReadText(folder / "page-5.html"), "mine\n");
    fs::remove(folder / "page-5.html");
  }
  EXPECT_EQ(NamesIn(fresh), std::set<std::string>{});
  EXPECT_EQ(ReadText(out / "index.html"), before);
  EXPECT_FALSE(fs::exists(out / "page-5.html"));
  EXPECT_TRUE(fs::exists(out / "page-2.html"));
}

TEST_F(SiteOwnershipTest, AMarkerIsReadAsAListOfTheSitesOwnFileNamesAndNothingElse) {
  // The document's pages lie in a folder inside the site's folder, which an earlier marker names,
  // beside a folder with a site file's name and names that lead out of the folder.
  const fs::path out = Out("book");
  fs::create_directories(out / "page-9.html");
  WriteText(out / "page-9.html" / "kept.txt", "kept");
  fs::create_directories(dir_.Path() / "pages");
  WriteText(dir_.Path() / "outside.txt", "outside");
  WriteText(out / site::kSiteMarkerName,
            "pagetool site\npages\n../outside.txt\n.\n..\npage-9.html\nindex.html\n");
  fs::rename(dir_.Path() / "pages", out / "pages");
  const std::string pattern = (out / "pages" / "p%d.pag").string();
  WriteTestPage((out / "pages" / "p1.pag").string(), {});
  const auto site = [&](site::TSiteOptions options) {
    site::WriteSite(TDocument(pattern), out.string(), options);
  };

  const std::string refused = FailureOf([&] { site(Listed()); });
  EXPECT_NE(refused.find("page-9.html, pages"), std::string::npos) << refused;
  ASSERT_NO_THROW(site(Forced()));
  EXPECT_TRUE(fs::exists(out / "pages" / "p1.pag"));
  EXPECT_EQ(ReadText(out / "page-9.html" / "kept.txt"), "kept");
  EXPECT_EQ(ReadText(dir_.Path() / "outside.txt"), "outside");
  EXPECT_TRUE(fs::exists(out / "page-1.html"));
  // The new marker names the site's files alone.
  EXPECT_EQ(ReadText(out / site::kSiteMarkerName).find("pages\n"), std::string::npos);
  ASSERT_NO_THROW(site(Forced()));
  EXPECT_TRUE(fs::exists(out / "pages" / "p1.pag"));
}

TEST_F(SiteOwnershipTest, AFileNoSiteWroteIsNeverOverwrittenNotEvenWithForce) {
  WriteDocument();
  const fs::path out = Out();
  fs::create_directory(out);
  WriteText(out / "style.css", "mine");
  WriteText(out / "index.html", "mine");
  WriteText(out / "page-99.html", "mine");  // no page of this document

  for (const site::TSiteOptions& options : {Listed(), Forced()}) {
    const std::string failure = FailureOf([&] { Site(out, options); });
    EXPECT_NE(failure.find("index.html"), std::string::npos) << failure;
    EXPECT_EQ(NamesIn(out), (std::set<std::string>{"style.css", "index.html", "page-99.html"}));
    EXPECT_EQ(ReadText(out / "index.html"), "mine");
  }
  fs::remove(out / "index.html");
  fs::remove(out / "style.css");
  ASSERT_NO_THROW(Site(out, Forced()));
  EXPECT_EQ(ReadText(out / "page-99.html"), "mine");
  EXPECT_TRUE(fs::exists(out / "page-4.html"));
}

TEST_F(SiteOwnershipTest, TheSurveyNamesFilesNoSiteWroteAndClearsWhatKilledSitesLeft) {
  WriteDocument();
  const TDocument document(Pattern());
  const site::TSiteFolderSurvey none = site::SurveySiteFolder(document, Out().string());
  EXPECT_FALSE(none.exists);
  EXPECT_TRUE(none.foreignFiles.empty());

  Site(Out(), Listed());
  // Staging folders of killed sites, inside the folder and beside it, and someone's files.
  fs::create_directory(Out() / ".site.Ab12Cd");
  WriteText(Out() / ".site.Ab12Cd" / "index.html", "staged");
  fs::create_directory(dir_.Path() / ".site.Zz99Yy");
  WriteText(Out() / "notes.txt", "mine");
  WriteText(Out() / "page-9.html", "mine");  // no page of this document
  const site::TSiteFolderSurvey survey = site::SurveySiteFolder(document, Out().string() + "/");
  EXPECT_TRUE(survey.exists);
  EXPECT_TRUE(survey.hasMarker);
  EXPECT_EQ(survey.foreignFiles, (std::vector<std::string>{"notes.txt", "page-9.html"}));
  EXPECT_TRUE(survey.earlierSite.contains("page-4-background.jpg"));
  EXPECT_EQ(HiddenNames(Out()), std::set<std::string>{site::kSiteMarkerName});
  EXPECT_EQ(HiddenNames(dir_.Path()), std::set<std::string>{});

  // Refused: a file no site wrote where the site would write, and the pages' own folder.
  WriteText(Out() / "map.svg", "mine");
  EXPECT_NE(FailureOf([&] { site::SurveySiteFolder(document, Out().string()); }).find("map.svg"),
            std::string::npos);
  EXPECT_NE(FailureOf([&] { site::SurveySiteFolder(document, dir_.File("pages")); }),
            std::string());
}

TEST_F(SiteOwnershipTest, ASwapThatAKilledSiteBeganIsFinishedOrUndoneByTheNext) {
  WriteDocument();
  const TDocument document(Pattern());
  // As SIGKILL left it after the marker, the index and page 1 moved in: page 2 is still staged,
  // the earlier site's files of those names lie in ".replaced".
  const auto killedInTheSwap = [&](const fs::path& out) {
    const fs::path staging = out / ("." + out.filename().string() + ".Ab12Cd");
    const fs::path replaced = staging / ".replaced";
    fs::create_directories(replaced);
    WriteText(out / site::kSiteMarkerName, "pagetool site\nindex.html\npage-1.html\npage-2.html\n");
    WriteText(out / "index.html", "new index");
    WriteText(out / "page-1.html", "new 1");
    WriteText(staging / "page-2.html", "new 2");
    WriteText(replaced / site::kSiteMarkerName, "pagetool site\nindex.html\npage-1.html\n");
    WriteText(replaced / "index.html", "old index");
    WriteText(replaced / "page-1.html", "old 1");
  };
  const fs::path finished = Out("finished");
  killedInTheSwap(finished);
  site::SurveySiteFolder(document, finished.string());
  EXPECT_EQ(NamesIn(finished), (std::set<std::string>{site::kSiteMarkerName, "index.html",
                                                      "page-1.html", "page-2.html"}));
  EXPECT_EQ(ReadText(finished / "index.html"), "new index");
  EXPECT_EQ(ReadText(finished / "page-1.html"), "new 1");
  EXPECT_EQ(ReadText(finished / "page-2.html"), "new 2");

  // Someone's file has come in the way of page 2: the earlier site comes back beside it.
  const fs::path undone = Out("undone");
  killedInTheSwap(undone);
  WriteText(undone / "page-2.html", "mine");
  EXPECT_NE(
      FailureOf([&] { site::SurveySiteFolder(document, undone.string()); }).find("page-2.html"),
      std::string::npos);
  EXPECT_EQ(NamesIn(undone), (std::set<std::string>{site::kSiteMarkerName, "index.html",
                                                    "page-1.html", "page-2.html"}));
  EXPECT_EQ(ReadText(undone / "index.html"), "old index");
  EXPECT_EQ(ReadText(undone / "page-1.html"), "old 1");
  EXPECT_EQ(ReadText(undone / "page-2.html"), "mine");
  EXPECT_EQ(ReadText(undone / site::kSiteMarkerName), "pagetool site\nindex.html\npage-1.html\n");
}

}  // namespace
}  // namespace pm::test
