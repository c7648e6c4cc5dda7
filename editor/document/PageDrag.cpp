#include "editor/document/PageDrag.h"

#include <QCoreApplication>
#include <charconv>
#include <string>

namespace pm {

std::unique_ptr<QMimeData> PageNumberMimeData(int32_t number) {
  auto data = std::make_unique<QMimeData>();
  data->setData(kPageNumberMimeType, QByteArray::number(number));
  data->setText(QCoreApplication::translate("PageDrag", "ページ %1").arg(number));
  return data;
}

std::optional<int32_t> DraggedPageNumber(const QMimeData* data) {
  if (data == nullptr || !data->hasFormat(kPageNumberMimeType)) return std::nullopt;
  const QByteArray bytes = data->data(kPageNumberMimeType);
  int32_t number = 0;
  const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), number);
  if (error != std::errc() || end != bytes.data() + bytes.size()) return std::nullopt;
  return number;
}

}  // namespace pm
