// First: a field of a test page is named like one of Qt's keywords.
#include "tests/support/TestDocument.h"

#include "tests/editor/DocumentDriver.h"

#include <QTest>

#include "editor/EditedPage.h"
#include "editor/document/DocumentWindowOpener.h"
#include "page/PageFile.h"

namespace pm::test {

namespace {

constexpr int32_t kSquare = 16;
constexpr int32_t kSquareStep = 20;
constexpr int32_t kSquareTop = 4;
constexpr int kPatienceMilliseconds = 20000;

}  // namespace

TLinkRecord LinkSquare(int32_t link, int32_t linkPage) {
  const int32_t left = kSquareTop + link * kSquareStep;
  return Link(left, kSquareTop, left + kSquare, kSquareTop + kSquare, linkPage);
}

void DocumentTest::WritePage(int32_t number,
                             const std::vector<std::pair<int32_t, TLinkRecord>>& links) {
  WriteTestPage(Page(number), {.links = links, .seed = number});
}

TPagePoint InLinkSquare(int32_t link) {
  return {kSquareTop + link * kSquareStep + kSquare / 2, kSquareTop + kSquare / 2};
}

void DocumentTest::SetUp() {
  WindowTest::SetUp();
  WritePage(1, {{0, LinkSquare(0, 2)}, {1, LinkSquare(1, 9)}, {2, LinkSquare(2, 3)}});
  WritePage(2, {{0, LinkSquare(0, 1)}});
  WritePage(3, {{0, LinkSquare(0, 1)}});
  WritePage(4, {});
}

std::string DocumentTest::Page(int32_t number) const {
  return dir.File("page" + std::to_string(number) + ".pag");
}

TDocumentWindow& DocumentTest::OpenDocumentWindow() {
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  window.Edit1->setFocus();
  QTest::keyClick(window.Edit1, Qt::Key_D, Qt::ControlModifier);
  TDocumentWindow* documents = window.DocumentWindowOpener().Window();
  if (documents == nullptr) {
    ADD_FAILURE() << "Ctrl+D opened no document window";
    window.DocumentWindowOpener().Open();
    documents = window.DocumentWindowOpener().Window();
  }
  EXPECT_TRUE(QTest::qWaitForWindowActive(documents));
  WaitUntilRead(*documents);
  return *documents;
}

void DocumentTest::WaitUntilRead(TDocumentWindow& documents) {
  ASSERT_TRUE(QTest::qWaitFor([&] { return !documents.Reading(); }, kPatienceMilliseconds));
}

TPageNavigator& DocumentTest::Navigator() { return window.DocumentWindowOpener().Navigator(); }

std::string DocumentTest::OpenFile() { return window.EditedPage().FileName(); }

QStringList DocumentTest::Rows(const QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

QListWidgetItem* DocumentTest::RowStartingWith(const QListWidget* list, const QString& start) {
  for (int i = 0; i < list->count(); ++i) {
    if (list->item(i)->text().startsWith(start)) return list->item(i);
  }
  return nullptr;
}

void DocumentTest::DoubleClick(QListWidget* list, QListWidgetItem* row) {
  ASSERT_NE(row, nullptr);
  const QPoint at = list->visualItemRect(row).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

TLinkRecord DocumentTest::StoredLink(const std::string& fileName, int32_t link) {
  TPage page;
  // Shared, as the document window's reader may be reading the file at the same moment.
  ReadPageFile(page, fileName, nullptr, {.access = FileAccess::ReadShared});
  return page.Link(link);
}

}  // namespace pm::test
