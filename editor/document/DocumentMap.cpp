#include "editor/document/DocumentMap.h"

#include <QPainter>

namespace pm {

// A first version that only lists the cards in a row; the map's work replaces it.
struct TDocumentMap::State {
  std::shared_ptr<const TDocumentSnapshot> snapshot;
  std::optional<int32_t> current;
  std::optional<int32_t> selected;
  double zoom = 1;
};

TDocumentMap::TDocumentMap(QWidget* parent)
    : QAbstractScrollArea(parent), state_(std::make_unique<State>()) {
  setObjectName("DocumentMap");
  setAccessibleName(QString::fromUtf8(kDocumentMapName));
}

TDocumentMap::~TDocumentMap() = default;

void TDocumentMap::Show(std::shared_ptr<const TDocumentSnapshot> snapshot) {
  state_->snapshot = std::move(snapshot);
  viewport()->update();
}

void TDocumentMap::SetCurrentPage(std::optional<int32_t> number) { state_->current = number; }

void TDocumentMap::SelectPage(std::optional<int32_t> number) { state_->selected = number; }

std::optional<int32_t> TDocumentMap::SelectedPage() const { return state_->selected; }

double TDocumentMap::Zoom() const { return state_->zoom; }

void TDocumentMap::SetZoom(double zoom) { state_->zoom = zoom; }

void TDocumentMap::ZoomToFit() {}

std::optional<QRect> TDocumentMap::CardArea(int32_t number) const {
  if (!state_->snapshot) return std::nullopt;
  const auto& cards = state_->snapshot->overview.cards;
  for (size_t i = 0; i < cards.size(); ++i) {
    if (cards[i].number == number) return QRect(static_cast<int>(i) * 110 + 10, 10, 100, 80);
  }
  return std::nullopt;
}

bool TDocumentMap::AllArrowsDrawn() const { return true; }

}  // namespace pm
