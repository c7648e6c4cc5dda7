#include "editor/EventGuard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <new>
#include <stdexcept>

#include "base/Exceptions.h"
#include "editor/ApplicationTitle.h"
#include "editor/Edit.h"
#include "editor/MouseCapture.h"
#include "tests/editor/RecordingErrorBox.h"

namespace pm {
namespace {

using test::RecordingErrorBox;

std::vector<std::string> TextsShownFor(const std::function<void()>& handler) {
  RecordingErrorBox box;
  RunGuarded(handler);
  return box.Texts();
}

TEST(EventGuardTest, AppendsAFullStopAfterEveryLastCharacterAboveIt) {
  const struct {
    std::string message;
    std::string shown;
  } cases[] = {
      {"'abc' は整数ではありません", "'abc' は整数ではありません."},
      {"JPEG エラー #42", "JPEG エラー #42."},
      {"Disk full", "Disk full."},
      {"value:", "value:."},
      {"[index]", "[index]."},
      {"a/", "a/."},  // U+002F, the first character above the full stop
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80."},
      {"broken \xE3\x81", "broken \xE3\x81."},  // a cut-off character still counts as one
      {"Already.", "Already."},
      {"ends (here)", "ends (here)"},
      {"a,", "a,"},
      {"a-", "a-"},
      {"a ", "a "},
      {"'a'", "'a'"},
      {"\"a\"", "\"a\""},
      {"line\n", "line\n"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextsShownFor([&] { throw Exception(c.message); }), std::vector<std::string>{c.shown})
        << "message: " << c.message;
  }
}

TEST(EventGuardTest, ShowsEveryKindOfFailureButAbortWithTheApplicationTitle) {
  RecordingErrorBox box;
  RunGuarded([] { throw EAbort("not shown"); });
  EXPECT_TRUE(box.shown.empty());

  RunGuarded([] { throw EConvertError("'x' は整数ではありません"); });
  RunGuarded([] { throw std::bad_alloc(); });
  RunGuarded([] { throw std::runtime_error("boom"); });
  RunGuarded([] { throw 42; });
  ASSERT_EQ(box.shown.size(), 4u);
  EXPECT_EQ(box.Texts(),
            (std::vector<std::string>{"'x' は整数ではありません.", "メモリが足りません.",
                                      "内部エラー: boom.", "不明なエラーが発生しました."}));
  for (const auto& shown : box.shown) EXPECT_EQ(shown.caption, ApplicationTitle());
}

// A widget that counts the requests to cancel its mouse mode.
class MouseHolder : public QWidget {
 public:
  int cancels = 0;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == CancelModeEventType()) ++cancels;
    return QWidget::event(event);
  }
};

TEST(EventGuardTest, TheWidgetHoldingTheMouseLetsGoBeforeTheBoxAndAlsoForAnAbort) {
  MouseHolder holder;
  holder.resize(50, 50);
  holder.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&holder));
  RecordingErrorBox box;
  std::vector<QWidget*> holdersWhileShown;
  box.whileShown = [&] { holdersWhileShown = {MouseCapture(), QWidget::mouseGrabber()}; };

  SetMouseCapture(&holder);
  RunGuarded([] { throw Exception("failed"); });
  EXPECT_EQ(holdersWhileShown, (std::vector<QWidget*>{nullptr, nullptr}));
  EXPECT_EQ(holder.cancels, 1);

  SetMouseCapture(&holder);
  RunGuarded([] { throw EAbort(""); });
  EXPECT_EQ(MouseCapture(), nullptr);
  EXPECT_EQ(holder.cancels, 2);

  // A grab through Qt (a menu, say) is let go as well.
  holder.grabMouse();
  RunGuarded([] { throw Exception("failed"); });
  EXPECT_EQ(holdersWhileShown, (std::vector<QWidget*>{nullptr, nullptr}));
  EXPECT_EQ(holder.cancels, 3);
}

TEST(EventGuardTest, ActiveWindowAndFocusComeBackAfterTheBox) {
  QWidget window;
  auto* first = new TEdit(&window);
  auto* second = new TEdit(&window);
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(first);
  layout->addWidget(second);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  second->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), second);

  // Stands in for the box: another window takes the activation and the focus while it is open.
  RecordingErrorBox box;
  bool tookFocus = false;
  box.whileShown = [&] {
    TEdit other;
    other.show();
    other.activateWindow();
    tookFocus = QTest::qWaitForWindowActive(&other) && (other.setFocus(), other.hasFocus());
  };
  RunGuarded([] { throw Exception("failed"); });
  ASSERT_TRUE(tookFocus);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(QApplication::focusWidget(), second);
  EXPECT_FALSE(second->hasSelectedText());
}

TEST(EventGuardTest, ANestedChangeHasItsOwnGuardWhileADirectCallHasNone) {
  RecordingErrorBox box;
  QWidget window;
  auto* field = new TEdit(&window);
  auto* setsTheField = new QPushButton("set", &window);
  auto* callsTheHandler = new QPushButton("call", &window);
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(field);
  layout->addWidget(setsTheField);
  layout->addWidget(callsTheHandler);
  field->SetOnChange([](TEdit&) { throw Exception("変換できません"); });

  std::vector<std::string> steps;
  QObject::connect(setsTheField, &QPushButton::clicked, Guarded([&] {
                     field->SetText("1");
                     steps.push_back("after the set");
                   }));
  QObject::connect(callsTheHandler, &QPushButton::clicked, Guarded([&] {
                     field->OnChange()(*field);
                     steps.push_back("after the call");
                   }));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  QTest::mouseClick(setsTheField, Qt::LeftButton);
  EXPECT_EQ(steps, std::vector<std::string>{"after the set"});
  QTest::mouseClick(callsTheHandler, Qt::LeftButton);
  EXPECT_EQ(steps, std::vector<std::string>{"after the set"});
  EXPECT_EQ(box.Texts(), (std::vector<std::string>{"変換できません.", "変換できません."}));
}

// An object whose events fail, outside any control's own handler.
class FailingObject : public QObject {
 public:
  int events = 0;

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    ++events;
    throw EWriteError("ストリームへの書き込みエラー");
  }
};

TEST(EventGuardTest, TheApplicationGuardsEveryDispatchSentOrPosted) {
  RecordingErrorBox box;
  FailingObject object;
  QEvent sent(QEvent::User);
  QCoreApplication::sendEvent(&object, &sent);
  QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  EXPECT_EQ(object.events, 2);
  EXPECT_EQ(box.Texts(), (std::vector<std::string>{"ストリームへの書き込みエラー.",
                                                   "ストリームへの書き込みエラー."}));
}

TEST(EventGuardTest, TheRealBoxIsAnApplicationModalErrorMessage) {
  QWidget window;
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::WindowModality modality = Qt::NonModal;
  QString text, caption;
  QMessageBox::StandardButtons buttons;
  Qt::TextFormat format = Qt::AutoText;
  QWidget* parent = nullptr;
  std::function<void()> closeTheBox = [&] {
    auto* messageBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (messageBox == nullptr) {
      QTimer::singleShot(10, closeTheBox);
      return;
    }
    icon = messageBox->icon();
    modality = messageBox->windowModality();
    text = messageBox->text();
    caption = messageBox->windowTitle();
    buttons = messageBox->standardButtons();
    format = messageBox->textFormat();
    parent = messageBox->parentWidget();
    messageBox->button(QMessageBox::Ok)->click();
  };
  QTimer::singleShot(0, closeTheBox);
  RunGuarded([] { throw Exception("<b>ファイル</b> は開けません"); });

  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(modality, Qt::ApplicationModal);
  EXPECT_EQ(text, QString("<b>ファイル</b> は開けません."));
  EXPECT_EQ(format, Qt::PlainText);
  EXPECT_EQ(caption, QString::fromStdString(ApplicationTitle()));
  EXPECT_EQ(buttons, QMessageBox::Ok);
  EXPECT_EQ(parent, &window);  // so that it opens on the active window's screen
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace pm
