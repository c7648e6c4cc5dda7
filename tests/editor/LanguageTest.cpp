// The editor in the user's language: run with LANG set by the test's environment, and
// PM_EXPECTED_LANGUAGE saying what the windows must then show ("en": English, "ja": the
// Japanese texts of the main window as they stand).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <cstdlib>
#include <string>

#include "editor/Form1.h"
#include "editor/Form2.h"
#include "editor/PageView.h"
#include "editor/PageViewOpener.h"
#include "tests/editor/DocumentDriver.h"
#include "tests/editor/WindowDriver.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

bool English() {
  const char* expected = std::getenv("PM_EXPECTED_LANGUAGE");
  return expected != nullptr && std::string(expected) == "en";
}

// Kana, kanji and full-width forms.
bool HasJapanese(const QString& text) {
  static const QRegularExpression japanese(
      "[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]");
  return japanese.match(text).hasMatch();
}

// Every text a window shows or names: its title, its labels' and buttons' captions, the
// accessible names of its controls.
QStringList TextsOf(QWidget& window) {
  QStringList texts{window.windowTitle()};
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (auto* label = qobject_cast<QLabel*>(widget)) texts << label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts << button->text();
    texts << widget->accessibleName() << widget->toolTip();
    if (auto* menu = qobject_cast<QMenu*>(widget)) texts << menu->title();
    if (auto* list = qobject_cast<QAbstractItemView*>(widget); list && list->model()) {
      for (int row = 0; row < list->model()->rowCount(); ++row) {
        texts << list->model()->index(row, 0).data().toString();
      }
    }
  }
  for (QAction* action : window.findChildren<QAction*>())
    texts << action->text() << action->toolTip();
  texts.removeAll(QString());
  return texts;
}

class LanguageTest : public test::WindowTest {};

TEST_F(LanguageTest, TheMainWindowAndTheAboutBoxSpeakTheUsersLanguageInTheirSpecifiedLayout) {
  TForm2 about(&window);
  if (English()) {
    for (QWidget* shown : {static_cast<QWidget*>(&window), static_cast<QWidget*>(&about)}) {
      for (const QString& text : TextsOf(*shown))
        EXPECT_FALSE(HasJapanese(text)) << text.toStdString();
    }
    EXPECT_EQ(window.windowTitle(), "Mokepontasu Page Maker");
    EXPECT_EQ(window.BitBtn4->text(), "Save");
  } else {
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("もけぽんたす ページメーカー"));
    EXPECT_EQ(window.BitBtn4->text(), QString::fromUtf8("保存"));
    EXPECT_EQ(window.Label1->text(), QString::fromUtf8("番ビットマップ"));
  }
  // The layout stays as specified, and every caption fits its control.
  EXPECT_EQ(window.size(), QSize(kMainClientWidth, kMainClientHeight));
  EXPECT_EQ(window.Label1->geometry(), QRect(168, 16, 70, 12));
  EXPECT_EQ(window.BitBtn4->geometry(), QRect(552, 440, 75, 25));
  for (QLabel* label : window.findChildren<QLabel*>()) {
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
        << label->objectName().toStdString() << ": " << label->text().toStdString();
  }
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 8)
        << button->objectName().toStdString();
  }
}

TEST_F(LanguageTest, TheErrorBoxOfABadPictureSpeaksTheUsersLanguage) {
  const std::string file = dir.File("broken.bmp");
  test::WriteFileBytes(file, std::vector<uint8_t>(64, 'x'));  // no picture of any kind
  person.ImportBackground(file);
  const std::string shown = errors.Texts().at(0);
  EXPECT_EQ(shown, English() ? "Bitmap image is not valid." : "ビットマップイメージが不正です.");

  const std::string missing = dir.File("missing.pag");
  person.Load(missing);
  EXPECT_EQ(errors.Texts().at(1), English() ? "Cannot open file " + missing + "."
                                            : "ファイル " + missing + " は開けません.");
}

class DocumentLanguageTest : public test::DocumentTest {};

TEST_F(DocumentLanguageTest, ThePageViewAndTheDocumentWindowSpeakTheUsersLanguage) {
  person.Load(Page(1));
  window.PageViewOpener().Open();
  TPageView& view = *window.PageViewOpener().View();
  TDocumentWindow& documents = OpenDocumentWindow();
  WaitUntilRead(documents);
  const QStringList findings = Rows(documents.findChild<QListWidget*>("Findings"));
  const QStringList pages = Rows(documents.findChild<QListWidget*>("PageList"));
  ASSERT_FALSE(findings.isEmpty());
  ASSERT_EQ(pages.size(), 4);
  if (English()) {
    for (QWidget* shown : {static_cast<QWidget*>(&view), static_cast<QWidget*>(&documents)}) {
      for (const QString& text : TextsOf(*shown))
        EXPECT_FALSE(HasJapanese(text)) << text.toStdString();
    }
    EXPECT_TRUE(view.windowTitle().startsWith("Page View — page1.pag"));
    EXPECT_TRUE(pages[0].startsWith("Page 1")) << pages[0].toStdString();
    EXPECT_TRUE(findings.contains("Page 1, link 1: the file of its link page 9 does not exist"));
  } else {
    EXPECT_TRUE(view.windowTitle().startsWith(QString::fromUtf8("ページ表示 — page1.pag")));
    EXPECT_TRUE(documents.windowTitle().startsWith(QString::fromUtf8("ドキュメント — ")));
    EXPECT_TRUE(pages[0].startsWith(QString::fromUtf8("ページ 1"))) << pages[0].toStdString();
    EXPECT_TRUE(findings.contains(
        QString::fromUtf8("ページ 1, リンク 1: 行き先のページ 9 のファイルがありません")));
    EXPECT_EQ(documents.findChild<QListWidget*>("PageList")->accessibleName(),
              QString::fromUtf8("ページ一覧"));
    EXPECT_EQ(documents.findChild<QListWidget*>("Findings")->accessibleName(),
              QString::fromUtf8("問題"));
  }
}

}  // namespace
}  // namespace pm
