// TReadingLink: one link of the page being read, as a reader meets it: a widget without a
// picture of its own over the part of the link's rectangle on the background, which takes the
// pointer (a pointing hand, or a "no" sign for a link that leads nowhere) and the keyboard focus,
// and is followed by a click or Enter. Assistive tools read its name ("リンク N → ページ M").
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

#include "page/LinkArea.h"
#include "page/LinkRecord.h"

namespace pm {

// A link that a reader sees on the page.
struct TReadLink {
  int32_t number = 0;
  TLinkRecord record;  // as the page holds it: its rectangle, link page and slot
  TPageRect area;      // the part of its rectangle on the background, in page pixels
  bool leads = false;  // its link page can be shown
  QString name;        // for assistive tools
};

class TReadingLink : public QWidget {
 public:
  struct Listeners {
    // A click or Enter follows the link.
    std::function<void(int32_t link)> activated;
    // The pointer came or went, or the focus did.
    std::function<void(int32_t link)> litChanged;
  };

  TReadingLink(const TReadLink& link, Listeners listeners, QWidget* parent);

  const TReadLink& Link() const { return link_; }
  // Stands for another link now (of the next page shown).
  void SetLink(const TReadLink& link);
  // Whether its slot picture shows: the pointer is over it or it has the keyboard focus.
  bool Lit() const { return underMouse() || hasFocus(); }
  // Whether the focus came from the keyboard, which shows a frame around the link.
  bool FocusedByKeyboard() const { return hasFocus() && keyboardFocus_; }

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void TellLitChanged();

  TReadLink link_;
  Listeners listeners_;
  bool keyboardFocus_ = false;
};

}  // namespace pm
