// Laying out a document's map with Graphviz's library (libgvc, libcgraph) in the process: the
// cards as fixed-size boxes, one edge for each arrow with its label, dot's layout from top to
// bottom as `pagetool graph` has it; then the cards' places, the edges' curves and the labels'
// places are read back. The library keeps global state: one layout runs at a time in the
// process, whichever thread asks. Its messages are kept quiet.
#pragma once

#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

#include "editor/document/MapLayout.h"
#include "page/DocumentOverview.h"

namespace pm {

// `labels` are the arrows' labels in the overview's order of arrows. Nothing when the library
// can't lay it out (its layout plugin missing, a failure).
std::optional<TMapLayout> GraphvizLayout(const TDocumentOverview& overview,
                                         const std::vector<QString>& labels, QSizeF card,
                                         double margin);

}  // namespace pm
