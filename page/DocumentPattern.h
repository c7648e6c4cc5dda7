// Which file is page N of a document: a path whose file name holds exactly one number field,
// "%d" or "%0Wd" with a width W from 1 to 9, as in "pages/page%d.pag" or "story/%03d.pag".
// Page N is the file that the pattern gives for N, with the digits that the field gives for it:
// "%d" writes N without a leading zero, "%0Wd" pads it with zeros to W digits.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pm {

class TDocumentPattern {
 public:
  // EInvalidDocument when the file name holds no number field, more than one "%", or a field
  // other than "%d" and "%01d" to "%09d".
  explicit TDocumentPattern(std::string pattern);

  const std::string& Text() const { return text_; }
  // The folder that holds the pages: the pattern's folder part, or "." when it has none.
  std::filesystem::path Folder() const;
  // The path of page N, `number` 0 or more.
  std::string FileName(int32_t number) const;
  // The page number of a file in the folder, when the pattern gives exactly this name for one:
  // the digits are those that the field writes for their number (no other leading zeros) and
  // the number fits a page number.
  std::optional<int32_t> PageNumber(std::string_view fileName) const;

 private:
  std::string Digits(int32_t number) const;

  std::string text_;
  std::string folderPart_;  // up to and including the last "/", or empty
  std::string prefix_;      // the file name before the field
  std::string suffix_;      // the file name after it
  int width_ = 1;           // the least number of digits
};

}  // namespace pm
