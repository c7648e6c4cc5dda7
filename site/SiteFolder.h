// The folder that a web site is written into. The files are written into a staging folder (inside
// the output folder, or beside it while it doesn't exist) and appear all at once at the end;
// after a failure the output folder is as it was. A site keeps the list of the files it wrote in
// its marker (see SiteMarker.h), so that a later site knows which files in the folder are its own:
// only those it replaces or removes, and nothing else there, whenever it came.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/StagedFolder.h"
#include "page/Document.h"

namespace pm::site {

class TSiteFolder {
 public:
  // Finishes or removes what killed sites into this folder left behind; refuses (pm::Exception)
  // the folders that SurveySiteFolder refuses, and one that holds files no site wrote unless
  // `force`; then makes the staging folder.
  TSiteFolder(const std::string& folder, const TDocument& document, bool force);
  TSiteFolder(const TSiteFolder&) = delete;
  TSiteFolder& operator=(const TSiteFolder&) = delete;

  // Writes one new file of the site, plainly: the site is made durable as a whole at the end.
  void Write(const std::string& name, std::span<const uint8_t> bytes);
  void Write(const std::string& name, std::string_view text);
  // Where a file that another program writes for the site lies; Adopt() makes it the site's.
  std::filesystem::path PathOf(const std::string& name) const { return staged_->PathOf(name); }
  void Adopt(const std::string& name) { written_.push_back(name); }

  // Writes the marker, pushes every file to the device and puts the site in place: a folder that
  // didn't exist appears with the whole site; in an existing one the new files take the place of
  // the earlier site's all at once, with SIGINT, SIGTERM and SIGHUP held back meanwhile (see
  // SiteSwap.h). Fails when a file no site wrote has come in the way of a file of the site.
  void Publish();

 private:
  std::string name_;  // as passed, for messages
  std::filesystem::path folder_;
  std::optional<TStagedFolder> staged_;
  std::vector<std::string> written_;
};

}  // namespace pm::site
