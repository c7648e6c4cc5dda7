#include "editor/ApplicationTitle.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace pm {
namespace {

TEST(ApplicationTitleTest, NameOfTheProgramFileCutAtItsFirstFullStopAndLowered) {
  const struct {
    const char* path;
    const char* title;
  } cases[] = {
      {"EDITOR.EXE", "Editor"},
      {"/opt/pm/EDITOR.EXE", "Editor"},
      {"/usr/bin/pagemaker", "pagemaker"},
      {"/home/a.b/MyTool.tar.gz", "Mytool"},  // a full stop in a folder counts for nothing
      {"/opt/ÉCOLE.bin", "École"},            // lowering knows more than ASCII
      {"/opt/ページ.exe", "ページ"},
      {"/opt/\xF0\x9F\x98\x80"
       "AB",
       "\xF0\x9F\x98\x80"
       "ab"},  // first character outside the BMP
      {"/opt/.hidden", ""},
      {"/opt/", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ApplicationTitleFromPath(c.path), c.title) << "path: " << c.path;
  }
}

TEST(ApplicationTitleTest, TheRunningProgramIsNamedAfterItsFile) {
  EXPECT_EQ(ApplicationTitle(),
            ApplicationTitleFromPath(QCoreApplication::applicationFilePath().toStdString()));
  EXPECT_EQ(ApplicationTitle(), "editor_tests");
}

}  // namespace
}  // namespace pm
