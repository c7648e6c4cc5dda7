// Files dragged onto the main window and the page file named on the command line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <string>
#include <vector>

#include "page/PageFile.h"
#include "tests/editor/WindowDriver.h"
#include "tests/editor/WindowState.h"
#include "tests/support/PictureEncoders.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

using test::PixelsOf;
using test::WindowState;

class MainWindowDropTest : public test::WindowTest {
 protected:
  // Drags the files over the middle of `target` and drops them there. As Qt's drag and drop
  // does, the events go to the innermost widget at that point that takes drops, and on to its
  // parents while none takes them. False when the drag isn't taken there.
  bool Drop(QWidget* target, const std::vector<std::string>& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& file : files) urls << QUrl::fromLocalFile(QString::fromStdString(file));
    data.setUrls(urls);
    const QPoint point = target->mapTo(&window, target->rect().center());
    QWidget* receiver = window.childAt(point);
    while (receiver != nullptr && !receiver->acceptDrops()) receiver = receiver->parentWidget();
    if (receiver == nullptr) receiver = &window;
    const QPointF at = receiver->mapFrom(&window, point);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &drop);
    return true;
  }

  std::string File(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = dir.File(name);
    test::WriteFileBytes(path, bytes);
    return path;
  }

  // A 6 × 4 PNG of one colour, its left column transparent.
  std::string PngFile(const std::string& name, test::Rgb color) {
    test::PngPicture picture;
    picture.width = 6;
    picture.height = 4;
    picture.colorType = 6;
    for (uint32_t i = 0; i < 24; ++i) {
      picture.rows.insert(picture.rows.end(),
                          {color[0], color[1], color[2], uint8_t(i % 6 ? 255 : 0)});
    }
    return File(name, test::EncodePng(picture));
  }

  std::string PageFile(const std::string& name, const TBitmap& slot0) {
    TPage page;
    page.SetSlotBitmap(0, slot0);
    const std::string path = dir.File(name);
    WritePageFile(page, path);
    return path;
  }
};

TEST_F(MainWindowDropTest, PicturesDroppedOnTheSlotPanelFillTheCurrentSlotAndTheNextUpTo255) {
  person.SelectSlot(253);
  const std::vector<uint8_t> photo = test::EncodeWithHolder(test::GradientBitmap(12, 9));
  const std::string png = PngFile("a.png", {200, 10, 10});
  const std::string jpeg = File("b.jpg", photo);
  const std::string gif = File("c.gif", test::EncodeGif(3, 2, {{1, 2, 3}}, [] {
                                 test::GifFrame frame;
                                 frame.width = 3;
                                 frame.height = 2;
                                 frame.indices.assign(6, 0);
                                 return std::vector<test::GifFrame>{frame};
                               }()));
  const std::string beyond = PngFile("d.png", {0, 0, 200});
  ASSERT_TRUE(Drop(window.Image1, {png, jpeg, gif, beyond}));

  EXPECT_TRUE(errors.shown.empty());
  EXPECT_EQ(window.Edit1->Text(), "255");
  EXPECT_EQ(window.UpDown1->Position(), 255);
  EXPECT_EQ(window.Page().CurrentSlot(), 255);
  EXPECT_EQ(window.Edit6->Text(), gif);
  EXPECT_EQ(PixelsOf(window.Image1->Picture()).colors[0], (TColor{1, 2, 3}));
  EXPECT_EQ(window.Page().SlotFileName(253), png);
  EXPECT_EQ(window.Page().SlotHolder(253).Width(), 6);
  // The JPEG is kept as it is; the picture after slot 255 goes nowhere.
  EXPECT_EQ(test::SavedBytes(window.Page().SlotHolder(254)), photo);
  for (int slot = 0; slot < 253; ++slot) ASSERT_TRUE(window.Page().SlotHolder(slot).IsEmpty());

  // Dropped on the slot number field, a picture goes to the slot too, not into the field.
  person.SelectSlot(7);
  ASSERT_TRUE(Drop(window.Edit1, {png}));
  EXPECT_EQ(window.Edit1->Text(), "7");
  EXPECT_EQ(window.Page().SlotFileName(7), png);
}

TEST_F(MainWindowDropTest, ABackgroundPictureGoesOnTheBackgroundPanelAndPageFilesLoadAnywhere) {
  const std::string png = PngFile("back.png", {10, 200, 10});
  ASSERT_TRUE(Drop(window.Image2, {png}));
  EXPECT_EQ(window.Edit9->Text(), png);
  EXPECT_EQ(window.Page().BackgroundFileName(), png);
  EXPECT_EQ(PixelsOf(window.Image2->Picture()).colors[0], clWhite);  // transparent
  EXPECT_EQ(PixelsOf(window.Image2->Picture()).colors[1], (TColor{10, 200, 10}));

  // A page file on the link panel's field, and one saved without the extension on a button.
  const std::string named = PageFile("named.pag", test::SolidBitmap(4, 4, TColor{0, 0, 255}));
  const std::string bare = PageFile("bare", test::SolidBitmap(5, 5, TColor{255, 0, 0}));
  ASSERT_TRUE(Drop(window.Edit2, {named}));
  EXPECT_EQ(window.Page().SlotHolder(0).Width(), 4);
  EXPECT_EQ(window.Image1->Picture()->Width(), 4);
  ASSERT_TRUE(Drop(window.Button4, {bare}));
  EXPECT_EQ(window.Page().SlotHolder(0).Width(), 5);
  // A page file dropped on the slot panel loads too.
  ASSERT_TRUE(Drop(window.Image1, {named}));
  EXPECT_EQ(window.Page().SlotHolder(0).Width(), 4);
  EXPECT_TRUE(errors.shown.empty());

  // A picture has no place on the link panel: the drag isn't taken and nothing changes.
  const WindowState before(window);
  EXPECT_FALSE(Drop(window.Edit3, {png}));
  EXPECT_TRUE(WindowState(window) == before);
}

TEST_F(MainWindowDropTest, AFailureShowsTheErrorBoxAndEndsTheDropAtThatFile) {
  const std::string good = PngFile("good.png", {1, 1, 1});
  const std::string text =
      File("text.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e', '!', '!'});
  ASSERT_TRUE(Drop(window.Panel1, {good, text, PngFile("never.png", {2, 2, 2})}));
  EXPECT_EQ(errors.Texts(), std::vector<std::string>{"ビットマップイメージが不正です."});
  // Slot 0 took the first; slot 1 got the name but keeps its empty picture, as after a failed
  // import; the number shows the last slot filled.
  EXPECT_EQ(window.Edit1->Text(), "0");
  EXPECT_FALSE(window.Page().SlotHolder(0).IsEmpty());
  EXPECT_EQ(window.Page().SlotFileName(1), text);
  EXPECT_TRUE(window.Page().SlotHolder(1).IsEmpty());
  EXPECT_TRUE(window.Page().SlotFileName(2).empty());

  // A page file that can't be read: the message of the load button, and the window as it was.
  const std::string damaged = File("damaged.pag", std::vector<uint8_t>(100, 0));
  errors.shown.clear();
  person.Load(damaged);
  const std::vector<std::string> loadButton = errors.Texts();
  ASSERT_EQ(loadButton.size(), 1u);
  errors.shown.clear();
  const WindowState before(window);
  ASSERT_TRUE(Drop(window.BitBtn4, {damaged}));
  EXPECT_EQ(errors.Texts(), loadButton);
  EXPECT_TRUE(WindowState(window) == before);
}

TEST_F(MainWindowDropTest, APageFileNamedAtTheStartIsLoadedAndOneThatCantBeLeavesANewPage) {
  window.OpenAtStart(PageFile("start.pag", test::SolidBitmap(3, 2, TColor{0, 128, 0})));
  EXPECT_TRUE(errors.shown.empty());
  EXPECT_EQ(window.Image1->Picture()->Width(), 3);

  TForm1 second;
  const WindowState fresh(second);
  const std::string missing = dir.File("missing.pag");
  second.OpenAtStart(missing);
  EXPECT_EQ(errors.Texts(), std::vector<std::string>{"ファイル " + missing + " は開けません."});
  EXPECT_TRUE(WindowState(second) == fresh);
}

}  // namespace
}  // namespace pm
