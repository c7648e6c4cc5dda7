// Each kind of finding of the document checks, worded in Japanese from what the checks found.
// First: a field of a test page is named like one of Qt's keywords.
#include "tests/support/TestDocument.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "editor/document/FindingText.h"
#include "page/DocumentReading.h"
#include "tests/support/TempDir.h"

namespace pm {
namespace {

using test::Link;

TEST(FindingTextTest, EveryKindNamesItsPageItsLinkAndWhatTheChecksFound) {
  test::TempDir dir;
  test::WriteTestPage(dir.File("p1.pag"), {.links = {{0, Link(1, 1, 10, 10, -1)},
                                                     {1, Link(1, 1, 10, 10, 2, 5)},
                                                     {2, Link(1, 1, 10, 10, 2, 300)},
                                                     {3, Link(30, 30, 10, 10, 2)},
                                                     {4, Link(1, 30, 10, 10, 2)},
                                                     {5, Link(50, 40, 70, 47, 2)},
                                                     {6, Link(100, 100, 120, 120, 2)},
                                                     {7, Link(1, 1, 10, 10, 7)}}});
  test::WriteFileBytes(dir.File("p2.pag"), {1, 2, 3});
  test::WriteTestPage(dir.File("p3.pag"), {});
  const TDocument document(dir.File("p%d.pag"));
  QStringList texts;
  for (const TFinding& finding : CheckDocument(document, ReadDocumentOutlines(document, {}))) {
    texts << FindingText(finding);
  }
  const char* expected[] = {
      "ページ 1, リンク 0: 矩形がありますが、行き先のページがありません",
      "ページ 1, リンク 1: スロット 5 を指していますが、そのスロットは空です",
      "ページ 1, リンク 2: スロット 300 を指していますが、スロットは 0 から 255 までです",
      "ページ 1, リンク 3: 矩形 30, 30, 10, 10 は右が左より、下が上より小さくなっています",
      "ページ 1, リンク 4: 矩形 1, 30, 10, 10 は下が上より小さくなっています",
      "ページ 1, リンク 5: 矩形 50, 40, 70, 47 の一部が背景 (64 × 48) の外にあります",
      "ページ 1, リンク 6: 矩形 100, 100, 120, 120 の全体が背景 (64 × 48) の外にあります",
      "ページ 1, リンク 7: 行き先のページ 7 のファイルがありません",
      "ページ 2: 読み込めません: ストリームからの読み込みエラー.",
      "ページ 3: 開始ページ 1 からリンクをたどっても来られません",
  };
  ASSERT_EQ(texts.size(), static_cast<qsizetype>(std::size(expected)));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(texts[static_cast<qsizetype>(i)].toStdString(), expected[i]);
  }
}

}  // namespace
}  // namespace pm
