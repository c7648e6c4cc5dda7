// What a folder holds before a site is written into it, and whether a site may be written there:
// never into the folder of the document's own pages, never over a file that no site wrote, and
// beside such files only when the person asked for it.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "page/Document.h"
#include "site/SiteErrors.h"

namespace pm::site {

struct TSiteFolderSurvey {
  bool exists = false;
  // The marker of an earlier site, and the files that it lists and the folder holds as plain
  // files: these the new site replaces or removes.
  bool hasMarker = false;
  std::set<std::string> earlierSite;
  // Every other entry but the staging folders of sites into this folder, sorted: a site is
  // written beside them only when forced.
  std::vector<std::string> foreignFiles;
};

// First finishes or removes what sites into this folder that were killed left behind, then
// surveys it. Fails (see SiteErrors.h) with ESiteInPagesFolder for the folder of the document's
// pages, with ESiteFileInTheWay for a folder that holds a file no site wrote under a name that the
// site writes for this document (a site never writes over it, not even when forced), with
// ESiteFolderBusy while another site holds the folder too long; EFCreateError when it is something
// other than a folder.
TSiteFolderSurvey SurveySiteFolder(const TDocument& document, const std::string& folder);

// The same survey with nothing finished first, for a caller that holds the folder (see
// TSiteFolderLock) and has done that itself. `name` is the folder as passed, for messages.
TSiteFolderSurvey SurveyHeldSiteFolder(const TDocument& document, const std::string& name,
                                       const std::filesystem::path& folder);

// The failure for files no site wrote when the site is not forced (ESiteForeignFiles).
[[noreturn]] void RefuseForeignFiles(const std::string& folder,
                                     const std::vector<std::string>& foreignFiles);
// The failure for a file no site wrote under a name that the site writes (ESiteFileInTheWay).
[[noreturn]] void RefuseFileInTheWay(const std::string& folder, const std::string& file);

}  // namespace pm::site
