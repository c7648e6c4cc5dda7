// Putting a staged site into its folder in place of the earlier site's files, all or nothing, and
// finishing what a site that was killed meanwhile left behind.
//
// The staging folder holds the new site's files and marker. The swap begins by making the folder
// ".replaced" in it: from then on whoever finds the staging folder abandoned finishes the swap.
// It moves the marker and then each file of the new site into the site folder, an earlier site's
// file of that name into ".replaced" first; then the earlier site's files that the new one lacks
// into ".replaced" too; at last it removes the staging folder with what ".replaced" holds.
// Nothing else in the site folder is touched: a file of someone else's in the way stops the swap,
// and what it moved goes back.
#pragma once

#include <filesystem>
#include <string>

#include "base/FileDescriptor.h"

namespace pm::site {

// Holds the site folder for the one site that changes its files now; nothing when the folder
// doesn't exist. Waits while another site holds it, as long as a swap may take, and then fails
// (pm::Exception) naming the folder as passed.
class TSiteFolderLock {
 public:
  TSiteFolderLock(const std::filesystem::path& folder, const std::string& name);

 private:
  TFileDescriptor descriptor_;
};

// Finishes the swaps that killed sites into this folder began (or undoes one where a file of
// someone else's came in the way) and removes their staging folders, inside the folder and beside
// it; staging folders that a living site holds stay. Best effort: it fails never.
void RecoverAbandonedSites(const std::filesystem::path& folder, const TSiteFolderLock& held);

// For a folder that doesn't exist: the staging folder beside it takes its name, with the whole
// site. False when a folder of that name has come meanwhile; EFCreateError for other failures.
bool MoveStagingIntoPlace(const std::filesystem::path& staging, const std::filesystem::path& folder,
                          const std::string& name);

// Puts the staged site in place in the existing folder and removes the staging folder. Fails
// (RefuseFileInTheWay) when a file no site wrote is in the way, or with EFCreateError, and then
// leaves the folder as it was and removes the staging folder too, but where the moving back
// failed: the next site finishes it. `name` is the folder as passed, for messages.
void SwapSiteInPlace(const std::filesystem::path& staging, const std::filesystem::path& folder,
                     const std::string& name, const TSiteFolderLock& held);

}  // namespace pm::site
