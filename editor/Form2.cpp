#include "editor/Form2.h"

#include <QCoreApplication>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "editor/Button.h"
#include "editor/EventGuard.h"
#include "editor/Fonts.h"
#include "editor/ProgramIcon.h"
#include "editor/ScreenPlacement.h"

namespace pm {

namespace {

constexpr int kPictureWidth = 151;
constexpr int kPictureHeight = 79;

}  // namespace

QImage AboutPicture() {
  QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB888);
  picture.fill(QColor(0, 64, 128));
  QPainter painter(&picture);
  // A page with a landscape on it and a link rectangle, on a blue ground.
  painter.fillRect(QRect(12, 8, 60, 63), Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(QRect(12, 8, 59, 62));
  painter.fillRect(QRect(17, 13, 50, 30), QColor(120, 190, 240));
  painter.setBrush(QColor(60, 150, 60));
  painter.setPen(Qt::NoPen);
  painter.drawPolygon(
      QPolygon({QPoint(17, 43), QPoint(32, 25), QPoint(45, 37), QPoint(55, 28), QPoint(67, 43)}));
  painter.setBrush(QColor(250, 210, 60));
  painter.drawEllipse(QPoint(58, 19), 4, 4);
  painter.setPen(QPen(QColor(220, 30, 30), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(22, 50, 25, 14));
  // An arrow to the next page.
  painter.setPen(QPen(Qt::white, 3));
  painter.drawLine(78, 40, 100, 40);
  painter.drawLine(93, 33, 100, 40);
  painter.drawLine(93, 47, 100, 40);
  painter.fillRect(QRect(106, 14, 36, 52), QColor(230, 230, 230));
  painter.setPen(Qt::black);
  painter.drawRect(QRect(106, 14, 35, 51));
  return picture;
}

namespace {

QString Text(const char* source) { return QCoreApplication::translate("TForm2", source); }

}  // namespace

TForm2::TForm2(QWidget* mainWindow) : QDialog(nullptr), mainWindow_(mainWindow) {
  setObjectName("Form2");
  setWindowTitle(Text(kAboutCaption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setFixedSize(kAboutClientWidth, kAboutClientHeight);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  setWindowIcon(ProgramIcon());
  ApplyWindowFont(*this);

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(8, 8, kPictureWidth, kPictureHeight);
  Image1->setPixmap(QPixmap::fromImage(AboutPicture()));
  Image1->setAccessibleName(Text(QT_TRANSLATE_NOOP("TForm2", "もけぽんたす")));

  Label1 = new QLabel(Text(kAboutVersionText), this);
  Label1->setObjectName("Label1");
  Label1->move(176, 8);
  Label1->adjustSize();

  Label2 = new QLabel(Text(kAboutSecondLine), this);
  Label2->setObjectName("Label2");
  Label2->move(176, 32);
  Label2->adjustSize();

  Button1 = new TButton(Text(QT_TRANSLATE_NOOP("TForm2", "ＯＫ")), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(296, 64, 75, 25);
  Button1->setAccessibleName(Text(QT_TRANSLATE_NOOP("TForm2", "OK")));
  connect(Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));
  // The button is the box's only control that takes the focus.
  Image1->setFocusPolicy(Qt::NoFocus);
  Label1->setFocusPolicy(Qt::NoFocus);
  Label2->setFocusPolicy(Qt::NoFocus);
  setFocusProxy(Button1);
}

void TForm2::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  exec();
  if (mainWindow_) mainWindow_->activateWindow();
}

void TForm2::Button1Click() { reject(); }

void TForm2::showEvent(QShowEvent* event) {
  PlaceAtFirstShowing();
  QDialog::showEvent(event);
  if (!focusWidget()) Button1->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm2::hideEvent(QHideEvent* event) {
  lastPosition_ = pos();
  QDialog::hideEvent(event);
}

void TForm2::keyPressEvent(QKeyEvent* event) {
  // "ＯＫ" is neither the default nor the cancel button: Escape does nothing, Enter presses only
  // the focused button (which handles it itself).
  if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TForm2::PlaceAtFirstShowing() {
  if (lastPosition_) {
    move(*lastPosition_);
    return;
  }
  // Centred on the monitor that shows the main window, offsets from its top-left corner.
  const QScreen* screen = mainWindow_ ? mainWindow_->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  move(PlaceOnScreen(area, frameGeometry().size()));
}

}  // namespace pm
