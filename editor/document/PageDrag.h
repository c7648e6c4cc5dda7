// A page of the document dragged out of the document window: the mime data that carries its
// number to where it is dropped (a link of the page view, which then leads there).
#pragma once

#include <QMimeData>
#include <cstdint>
#include <memory>
#include <optional>

namespace pm {

inline constexpr const char* kPageNumberMimeType = "application/x-mokepontasu-page-number";

// Mime data carrying the page number (also as plain text "ページ N").
std::unique_ptr<QMimeData> PageNumberMimeData(int32_t number);
// The page number that dragged data carries, or nothing.
std::optional<int32_t> DraggedPageNumber(const QMimeData* data);

}  // namespace pm
