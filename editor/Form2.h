// TForm2: the About box. Modal, above the other windows, centred at its first showing and where
// it was left at every later one; "ＯＫ" or the close box hides it.
#pragma once

#include <QtGlobal>

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <optional>

namespace pm {

inline constexpr const char* kAboutCaption = QT_TRANSLATE_NOOP("TForm2", "About");
inline constexpr int kAboutClientWidth = 401;
inline constexpr int kAboutClientHeight = 98;
inline constexpr const char* kAboutVersionText =
    QT_TRANSLATE_NOOP("TForm2", "もけぽんたす Version 0.02");
inline constexpr const char* kAboutSecondLine =
    QT_TRANSLATE_NOOP("TForm2", "BMP の絵とリンクで作る 1 ページの編集");

class TForm2 : public QDialog {
 public:
  explicit TForm2(QWidget* mainWindow = nullptr);

  // Shows the box modally: every other window is disabled until it is closed.
  void ShowModal();
  void Button1Click();

  QLabel* Image1;
  QLabel* Label1;
  QLabel* Label2;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void PlaceAtFirstShowing();

  QWidget* mainWindow_;
  std::optional<QPoint> lastPosition_;  // where the box was when it was last hidden
};

// The box's 151 × 79 picture: a small page with a picture and a link on it.
QImage AboutPicture();

}  // namespace pm
