// The dialog of the recovery box as a person answers it: the rows with the first one chosen, a
// click on a row and a button, Esc; the dialog stays open from one question of an offer to the
// next.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "editor/recovery/RecoveryBox.h"

namespace pm {
namespace {

const std::vector<TRecoveryRow> kRows{{"page1.pag", "/home/a/story", "2024/05/01 10:00:00"},
                                      {"新しいページ", "", "2024/05/01 09:00:00"},
                                      {"ページ 3 (p3.pag)", "/home/a", "2024/04/30 18:30:00"}};

// Asks with `rows` while `person` acts once the dialog waits.
TRecoveryAnswer AskWhile(TRecoveryDialog& dialog, const std::vector<TRecoveryRow>& rows,
                         std::function<void()> person) {
  QTimer::singleShot(0, &dialog, [&dialog, person] {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    person();
  });
  return dialog.Ask(rows);
}

TEST(RecoveryDialogTest, APersonRestoresDiscardsAndPutsOffTheRowsTheyChoose) {
  TRecoveryDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("保存されていない変更があります"));
  EXPECT_EQ(dialog.RestoreButton()->text(), QString::fromUtf8("復元"));
  EXPECT_EQ(dialog.DiscardButton()->text(), QString::fromUtf8("破棄"));
  EXPECT_EQ(dialog.LaterButton()->text(), QString::fromUtf8("あとで"));

  // The third row clicked, then "破棄".
  TRecoveryAnswer answer = AskWhile(dialog, kRows, [&dialog] {
    QTreeWidget* list = dialog.List();
    EXPECT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->currentItem()->text(0), QString::fromUtf8("page1.pag"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(2)).center());
    QTest::mouseClick(dialog.DiscardButton(), Qt::LeftButton);
  });
  EXPECT_EQ(answer.action, TRecoveryAction::Discard);
  EXPECT_EQ(answer.row, 2u);
  EXPECT_TRUE(dialog.isVisible()) << "open for the rows left";

  // The rows left, the first chosen: "復元" restores it.
  answer = AskWhile(dialog, {kRows[0], kRows[1]}, [&dialog] {
    EXPECT_EQ(dialog.List()->topLevelItemCount(), 2);
    QTest::mouseClick(dialog.RestoreButton(), Qt::LeftButton);
  });
  EXPECT_EQ(answer.action, TRecoveryAction::Restore);
  EXPECT_EQ(answer.row, 0u);

  // Esc puts everything off, as "あとで" does.
  answer = AskWhile(dialog, kRows, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_EQ(answer.action, TRecoveryAction::Later);
  EXPECT_FALSE(dialog.isVisible());
  answer = AskWhile(dialog, kRows,
                    [&dialog] { QTest::mouseClick(dialog.LaterButton(), Qt::LeftButton); });
  EXPECT_EQ(answer.action, TRecoveryAction::Later);
}

}  // namespace
}  // namespace pm
