#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "editor/Form2.h"
#include "tests/editor/WindowDriver.h"
#include "tests/editor/WindowState.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

class AboutBoxTest : public test::WindowTest {
 protected:
  AboutBoxTest() : about(&window) { window.SetAboutBox(&about); }

  // Presses "About" and, once the box is open and active, runs `whileOpen` inside its modal
  // loop; `whileOpen` is expected to close the box.
  void OpenAbout(const std::function<void()>& whileOpen) {
    bool ran = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (!about.isVisible()) return;
      poll.stop();
      ran = true;
      EXPECT_TRUE(QTest::qWaitForWindowActive(&about));
      whileOpen();
      if (about.isVisible()) {
        ADD_FAILURE() << "the About box is still open";
        about.reject();
      }
    });
    poll.start();
    person.Click(window.Button4);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(about.isVisible());
  }

  void PressOk() { test::ClickThroughWindowSystem(about.Button1); }

  // A key pressed while the box is the active window.
  void PressKey(Qt::Key key) { QTest::keyClick(about.windowHandle(), key); }

  // Where the box's frame goes when it is centred on the screen of the main window.
  QPoint CentredOnTheMainWindowsScreen() {
    const QRect screen = window.screen()->geometry();
    const QSize outer = about.frameGeometry().size();
    return {screen.left() + (screen.width() - outer.width()) / 2,
            screen.top() + (screen.height() - outer.height()) / 2};
  }

  TForm2 about;
};

TEST_F(AboutBoxTest, ItsLayout) {
  EXPECT_EQ(about.windowTitle(), "About");
  EXPECT_EQ(about.size(), QSize(401, 98));
  EXPECT_EQ(about.minimumSize(), QSize(401, 98));
  EXPECT_EQ(about.maximumSize(), QSize(401, 98));
  EXPECT_FALSE(about.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(about.font().family(), QString::fromUtf8("ＭＳ Ｐゴシック"));
  EXPECT_EQ(about.font().pixelSize(), 12);
  EXPECT_FALSE(about.isVisible());

  EXPECT_EQ(about.Image1->geometry(), QRect(8, 8, 151, 79));
  EXPECT_EQ(about.Image1->pixmap().size(), QSize(151, 79));
  EXPECT_FALSE(about.Image1->hasScaledContents());
  EXPECT_EQ(AboutPicture().size(), QSize(151, 79));
  EXPECT_EQ(AboutPicture().depth(), 24);

  EXPECT_EQ(about.Label1->text(), QString::fromUtf8("もけぽんたす Version 0.02"));
  EXPECT_EQ(about.Label1->pos(), QPoint(176, 8));
  EXPECT_FALSE(about.Label2->text().isEmpty());
  EXPECT_EQ(about.Label2->pos(), QPoint(176, 32));
  for (const QLabel* label : {about.Label1, about.Label2}) {
    EXPECT_LE(label->geometry().right(), 401) << label->text().toStdString();
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
  }

  EXPECT_EQ(about.Button1->text(), QString::fromUtf8("ＯＫ"));
  EXPECT_EQ(about.Button1->geometry(), QRect(296, 64, 75, 25));
  EXPECT_FALSE(about.Button1->isDefault());
  EXPECT_FALSE(about.Button1->autoDefault());
  EXPECT_EQ(about.Image1->focusPolicy(), Qt::NoFocus);
}

TEST_F(AboutBoxTest, OpensApplicationModalCentredWithTheFocusOnOk) {
  OpenAbout([&] {
    EXPECT_EQ(QApplication::activeModalWidget(), &about);
    EXPECT_EQ(about.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(QApplication::focusWidget(), about.Button1);
    EXPECT_EQ(about.frameGeometry().topLeft(), CentredOnTheMainWindowsScreen());
    PressOk();
  });
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(AboutBoxTest, EnterRightAfterOpeningClosesItButEscapeDoesNot) {
  OpenAbout([&] {
    PressKey(Qt::Key_Return);
    EXPECT_FALSE(about.isVisible());
  });
  // The box remembers its focused control for the next opening.
  OpenAbout([&] {
    EXPECT_EQ(QApplication::focusWidget(), about.Button1);
    PressKey(Qt::Key_Escape);
    EXPECT_TRUE(about.isVisible());
    PressKey(Qt::Key_Enter);
    EXPECT_FALSE(about.isVisible());
  });
}

TEST_F(AboutBoxTest, ItReopensWhereItWasLeftEvenAfterTheMainWindowMoved) {
  const QPoint movedTo(37, 52);
  OpenAbout([&] {
    about.move(movedTo);
    PressOk();
  });
  window.move(window.pos() + QPoint(60, 40));

  OpenAbout([&] {
    EXPECT_EQ(about.pos(), movedTo);
    about.move(movedTo + QPoint(11, 7));
    // The close box takes the same path as "ＯＫ".
    EXPECT_TRUE(about.close());
  });
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));

  OpenAbout([&] {
    EXPECT_EQ(about.pos(), movedTo + QPoint(11, 7));
    PressOk();
  });
}

TEST_F(AboutBoxTest, WhileOpenTheMainWindowTakesNoInput) {
  person.ImportSlot(0, BmpFile("0.bmp", test::SharpBitmap(8, 8)));
  person.TypeInto(window.Edit2, "5");
  ASSERT_EQ(QApplication::focusWidget(), window.Edit2);
  const test::WindowState before(window);

  OpenAbout([&] {
    test::ClickThroughWindowSystem(window.BitBtn2);
    test::ClickThroughWindowSystem(window.UpDown1, QPoint(7, 3));
    QTest::keyClick(window.windowHandle(), Qt::Key_7);
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(test::WindowState(window) == before);
    PressOk();
  });
  EXPECT_TRUE(test::WindowState(window) == before);
  EXPECT_TRUE(dialogs.requests.size() == 1);

  // Afterwards it does again.
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  person.Click(window.BitBtn2);
  EXPECT_TRUE(window.Page().SlotHolder(0).IsEmpty());
}

}  // namespace
}  // namespace pm
