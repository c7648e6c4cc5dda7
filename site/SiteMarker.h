// The marker file of a site: "pagetool site" on its first line, then the name of each other file
// that the site wrote, one a line. A later site takes the files it lists for its own, to replace
// or remove them; so only a plain name of a site's file counts, and any other line is no name at
// all (the file it may name is someone else's).
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace pm::site {

inline constexpr const char* kSiteMarkerName = ".pagetool-site";

// The site's file names that the marker lists; nothing when the file is no marker: missing,
// other than a regular file, larger than any site's list, or with another first line.
std::optional<std::set<std::string>> ReadSiteMarker(const std::filesystem::path& file);

// The marker's text for a site of these files.
std::string SiteMarkerText(const std::vector<std::string>& names);

}  // namespace pm::site
