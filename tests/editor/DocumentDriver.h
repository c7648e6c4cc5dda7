// A small document in the test's folder with a main window, its page view and its document
// window, and a person who moves between the document's pages.
#pragma once

#include <gtest/gtest.h>

#include <QListWidget>
#include <QStringList>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "editor/document/DocumentWindow.h"
#include "editor/document/PageNavigator.h"
#include "tests/editor/PageViewDriver.h"
#include "tests/editor/ScriptedQuestions.h"
#include "tests/editor/WindowDriver.h"

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace pm::test {

// Where the links of the document's pages lie: link N is the N-th square of a row.
TLinkRecord LinkSquare(int32_t link, int32_t linkPage);
// The middle of link N's square, in page pixels.
TPagePoint InLinkSquare(int32_t link);

class DocumentTest : public WindowTest {
 protected:
  DocumentTest() : view(window) {}

  // page1: link 0 leads to page 2, link 1 to page 9 (which has no file), link 2 to page 3;
  // page2 and page3 lead back to page 1; nothing leads to page4.
  void SetUp() override;

  std::string Page(int32_t number) const;
  // Writes page N as another program would: a 64 × 48 background and the links given.
  void WritePage(int32_t number, const std::vector<std::pair<int32_t, TLinkRecord>>& links);
  std::string Pattern() const { return dir.File("page%d.pag"); }

  // Ctrl+D in the main window's slot number field; waits until the document is shown.
  TDocumentWindow& OpenDocumentWindow();
  // Waits until the document window has no reading under way.
  static void WaitUntilRead(TDocumentWindow& documents);
  TPageNavigator& Navigator();
  // The page file that the editor has open.
  std::string OpenFile();

  static QStringList Rows(const QListWidget* list);
  // The row of the list whose text starts with `start`, or nullptr.
  static QListWidgetItem* RowStartingWith(const QListWidget* list, const QString& start);
  // A double-click on the row, as a person does it.
  static void DoubleClick(QListWidget* list, QListWidgetItem* row);
  // The page that the file holds.
  static TLinkRecord StoredLink(const std::string& fileName, int32_t link);

  ScriptedQuestions questions;
  PageViewDriver view;
};

}  // namespace pm::test
