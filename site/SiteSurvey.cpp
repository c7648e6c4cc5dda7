#include "site/SiteSurvey.h"

#include <algorithm>
#include <system_error>

#include "base/Exceptions.h"
#include "base/StagedFolder.h"
#include "site/SiteErrors.h"
#include "site/SiteLayout.h"
#include "site/SiteMarker.h"
#include "site/SiteSwap.h"

namespace pm::site {

namespace fs = std::filesystem;

namespace {

constexpr size_t kNamesShown = 3;

std::string ListForMessage(const std::vector<std::string>& names) {
  std::string list;
  for (size_t i = 0; i < names.size() && i < kNamesShown; ++i) {
    list += (i == 0 ? "" : ", ") + names[i];
  }
  if (names.size() > kNamesShown) list += ", ...";
  return list;
}

// A name that the site writes for this document.
bool SiteWrites(const TDocument& document, const std::string& name) {
  if (name == kSiteMarkerName) return true;
  const std::optional<int32_t> page = SitePageOfFileName(name);
  return page ? document.HasPage(*page) : IsSiteFileName(name);
}

bool IsPlainFile(const fs::directory_entry& entry) {
  std::error_code error;
  return entry.symlink_status(error).type() == fs::file_type::regular;
}

}  // namespace

TSiteFolderSurvey SurveyHeldSiteFolder(const TDocument& document, const std::string& name,
                                       const fs::path& folder) {
  TSiteFolderSurvey survey;
  std::error_code error;
  const fs::file_status status = fs::status(folder, error);
  if (!fs::exists(status)) return survey;
  if (!fs::is_directory(status)) RaiseCannotCreateFile(name);
  survey.exists = true;
  if (fs::equivalent(folder, document.Pattern().Folder(), error)) {
    throw ESiteInPagesFolder(name +
                             " is the folder of the document's pages: the site needs a folder of "
                             "its own");
  }
  const std::optional<std::set<std::string>> marker = ReadSiteMarker(folder / kSiteMarkerName);
  survey.hasMarker = marker.has_value();
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string file = entry->path().filename().string();
    if ((file == kSiteMarkerName && marker) || IsStagingFolderNameOf(file, folder.string())) {
      continue;
    }
    if (marker && marker->contains(file) && IsPlainFile(*entry)) {
      survey.earlierSite.insert(file);
    } else {
      survey.foreignFiles.push_back(file);
    }
  }
  if (error) RaiseCannotCreateFile(name);
  std::sort(survey.foreignFiles.begin(), survey.foreignFiles.end());
  for (const std::string& file : survey.foreignFiles) {
    if (SiteWrites(document, file)) RefuseFileInTheWay(name, file);
  }
  return survey;
}

TSiteFolderSurvey SurveySiteFolder(const TDocument& document, const std::string& folder) {
  const fs::path path = PlainFolderPath(folder);
  const TSiteFolderLock lock(path, folder);
  RecoverAbandonedSites(path, lock);
  return SurveyHeldSiteFolder(document, folder, path);
}

void RefuseForeignFiles(const std::string& folder, const std::vector<std::string>& foreignFiles) {
  throw ESiteForeignFiles(folder + " holds files that pagetool site didn't write (" +
                              ListForMessage(foreignFiles) +
                              "); --force writes the site beside them",
                          foreignFiles);
}

void RefuseFileInTheWay(const std::string& folder, const std::string& file) {
  throw ESiteFileInTheWay(folder + " holds " + file +
                              ", which pagetool site didn't write: a site never writes over it, "
                              "not even with --force",
                          file);
}

}  // namespace pm::site
