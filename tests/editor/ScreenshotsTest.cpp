// The README's pictures, made by scripts/screenshots.sh and committed: each is there, shows
// something other than a blank screen, and the README shows each of them.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QSet>
#include <fstream>
#include <sstream>
#include <string>

namespace pm {
namespace {

constexpr const char* kPictures[] = {"main-window.png",     "page-view.png", "reading-mode.png",
                                     "document-window.png", "site-wide.png", "site-narrow.png",
                                     "main-window-en.png"};
// A screen that shows a window has far more colours than a blank or one-colour one.
constexpr int kLeastColours = 64;

std::string SourceFile(const std::string& name) { return std::string(PM_SOURCE_DIR) + "/" + name; }

int ColoursOf(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

TEST(ScreenshotsTest, EveryPictureOfTheReadmeIsThereShowsSomethingAndIsShown) {
  std::ifstream readme(SourceFile("README.md"));
  std::stringstream text;
  text << readme.rdbuf();
  for (const char* name : kPictures) {
    const QImage picture(QString::fromStdString(SourceFile(std::string("docs/images/") + name)));
    ASSERT_FALSE(picture.isNull()) << name;
    EXPECT_GE(picture.width(), 300) << name;
    EXPECT_GE(picture.height(), 200) << name;
    EXPECT_GE(ColoursOf(picture), kLeastColours) << name;
    EXPECT_NE(text.str().find(std::string("](docs/images/") + name + ")"), std::string::npos)
        << name << " is not shown in the README";
  }
}

}  // namespace
}  // namespace pm
