// The folder that a web site is written into. The files are written into a staging folder
// beside the output folder and appear in it all at once at the end; after a failure the output
// folder is as it was. A site keeps the list of the files it wrote in a marker file, so that a
// later site knows which files in the folder are its own.
#pragma once

#include <filesystem>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/StagedFolder.h"

namespace pm::site {

// The marker file: "pagetool site" on its first line, then the name of each file of the site.
inline constexpr const char* kSiteMarkerName = ".pagetool-site";

class TSiteFolder {
 public:
  // Refuses (pm::Exception) an output folder that holds files no earlier site wrote, unless
  // `force`; then the site's files go into it beside the others. Refuses always the folder of
  // the document's own pages. A folder that doesn't exist is made.
  TSiteFolder(const std::string& folder, const std::filesystem::path& documentFolder, bool force);
  TSiteFolder(const TSiteFolder&) = delete;
  TSiteFolder& operator=(const TSiteFolder&) = delete;

  // Writes one new file of the site, plainly: the site is made durable as a whole at the end.
  void Write(const std::string& name, std::span<const uint8_t> bytes);
  void Write(const std::string& name, std::string_view text);
  // Where a file that another program writes for the site lies; Adopt() makes it the site's.
  std::filesystem::path PathOf(const std::string& name) const { return staged_.PathOf(name); }
  void Adopt(const std::string& name) { written_.push_back(name); }

  // Writes the marker, pushes every file to the device and puts the site in place: the whole
  // folder is replaced by the new site, or, beside files that aren't the site's, the site's
  // files are moved into it and those of the earlier site that the new one lacks removed.
  void Publish();

 private:
  // What the output folder held before.
  struct Survey {
    std::set<std::string> earlierSite;  // the files an earlier site wrote
    bool keepOthers = false;            // it holds others, which stay
  };
  static Survey SurveyFolder(const std::string& name, const std::filesystem::path& folder,
                             const std::filesystem::path& documentFolder, bool force);
  void RemoveStaleFiles();

  std::string name_;  // as passed, for messages
  std::filesystem::path folder_;
  Survey survey_;
  TStagedFolder staged_;
  std::vector<std::string> written_;
};

}  // namespace pm::site
