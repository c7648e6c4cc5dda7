// What the pagetool tests share: a temporary folder with BMP files to import.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "base/FileStream.h"
#include "tests/support/Bytes.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"
#include "tests/tool/ProcessRunner.h"

namespace pm::test {

class PagetoolTest : public ::testing::Test {
 protected:
  // Writes the bitmap as a BMP file in the folder and returns its path.
  std::string WriteBmp(const std::string& name, TBitmap bitmap) {
    const std::string fileName = dir_.File(name);
    TFileStream file(fileName, FileAccess::CreateExclusive);
    bitmap.SaveToStream(file);
    return fileName;
  }

  nlohmann::json Info(const std::string& page) {
    const auto result = RunPagetool({"info", page, "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return nlohmann::json::parse(result.out);
  }

  std::vector<uint8_t> StreamBytes(const std::string& page, const nlohmann::json& entry) {
    const auto bytes = ReadFileBytes(page);
    const auto offset = entry["offset"].get<int64_t>();
    return {bytes.begin() + offset, bytes.begin() + offset + entry["size"].get<int64_t>()};
  }

  TempDir dir_;
};

}  // namespace pm::test
