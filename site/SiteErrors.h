// The ways a site can be refused or fail, each a class of its own so that a front end can word
// it for its users; the message of each is the one `pagetool site` prints.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/Exceptions.h"

namespace pm::site {

// The output folder is the folder of the document's own pages.
class ESiteInPagesFolder : public Exception {
 public:
  using Exception::Exception;
};

// The output folder holds a file that no site wrote under a name that the site writes: a site
// never writes over it, not even when forced.
class ESiteFileInTheWay : public Exception {
 public:
  ESiteFileInTheWay(std::string message, std::string file)
      : Exception(std::move(message)), file_(std::move(file)) {}
  const std::string& File() const { return file_; }

 private:
  std::string file_;
};

// The output folder holds files that no site wrote, and the site wasn't forced.
class ESiteForeignFiles : public Exception {
 public:
  ESiteForeignFiles(std::string message, std::vector<std::string> files)
      : Exception(std::move(message)), files_(std::move(files)) {}
  // Sorted by name.
  const std::vector<std::string>& Files() const { return files_; }

 private:
  std::vector<std::string> files_;
};

// Another site is being written into the same folder, for longer than a swap may take.
class ESiteFolderBusy : public Exception {
 public:
  using Exception::Exception;
};

// A page file of the document failed to load: the message names the file, then says why.
class ESitePageFailure : public Exception {
 public:
  ESitePageFailure(const std::string& fileName, const Exception& failure)
      : Exception(fileName + ": " + failure.Message()),
        fileName_(fileName),
        reason_(failure.Message()) {}
  const std::string& FileName() const { return fileName_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string fileName_;
  std::string reason_;
};

}  // namespace pm::site
