#include "editor/Fonts.h"

#include <QFont>
#include <QWidget>

namespace pm {

void ApplyWindowFont(QWidget& window) {
  static const bool substituted = [] {
    QFont::insertSubstitution(kWindowFontFamily, kWindowFontSubstitute);
    return true;
  }();
  (void)substituted;
  QFont font(kWindowFontFamily);
  font.setPixelSize(kWindowFontPixelSize);
  window.setFont(font);
}

}  // namespace pm
