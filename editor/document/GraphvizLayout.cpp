#include "editor/document/GraphvizLayout.h"

#include <locale.h>

#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <string>

// Graphviz's headers last: they define macros of common names.
#include <gvc.h>

namespace pm {

namespace {

constexpr double kPointsPerInch = 72;  // Graphviz's sizes are in inches, its places in points
// Room between cards side by side and between ranks, in inches; a little more than dot's
// default, for the arrows' labels.
constexpr const char* kNodeSeparation = "0.4";
constexpr const char* kRankSeparation = "0.55";
constexpr const char* kLabelFont = "Helvetica";
constexpr size_t kMostLabelLength = 64;

// The library's global state is shared by every layout in the process.
std::mutex& LibraryLock() {
  static std::mutex lock;
  return lock;
}

int DropMessage(char*) { return 0; }

struct ContextDeleter {
  void operator()(GVC_t* context) const { gvFreeContext(context); }
};
struct GraphDeleter {
  void operator()(Agraph_t* graph) const { agclose(graph); }
};
using TContextOwner = std::unique_ptr<GVC_t, ContextDeleter>;
using TGraphOwner = std::unique_ptr<Agraph_t, GraphDeleter>;

// The library's context with its plugins, made once (finding the plugins takes tens of
// milliseconds) and freed at the end of the program. Under the lock.
GVC_t* SharedContext() {
  static const TContextOwner context(gvContext());
  return context.get();
}

// The layout's own data on the graph, freed before the graph is closed.
class TLayoutOwner {
 public:
  TLayoutOwner(GVC_t* context, Agraph_t* graph)
      : context_(context), graph_(graph), laidOut_(gvLayout(context, graph, "dot") == 0) {}
  ~TLayoutOwner() { gvFreeLayout(context_, graph_); }
  TLayoutOwner(const TLayoutOwner&) = delete;
  TLayoutOwner& operator=(const TLayoutOwner&) = delete;
  bool LaidOut() const { return laidOut_; }

 private:
  GVC_t* context_;
  Agraph_t* graph_;
  bool laidOut_;
};

// The library reads the numbers of attributes with the C library, in the thread's locale: the
// layout reads them as the text below writes them, with a full stop, whatever the user's
// locale.
class TNumbersInCLocale {
 public:
  TNumbersInCLocale() : locale_(newlocale(LC_NUMERIC_MASK, "C", locale_t(0))) {
    if (locale_ != locale_t(0)) previous_ = uselocale(locale_);
  }
  ~TNumbersInCLocale() {
    if (locale_ == locale_t(0)) return;
    uselocale(previous_);
    freelocale(locale_);
  }
  TNumbersInCLocale(const TNumbersInCLocale&) = delete;
  TNumbersInCLocale& operator=(const TNumbersInCLocale&) = delete;

 private:
  locale_t locale_;
  locale_t previous_ = locale_t(0);
};

std::string Number(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// The library takes strings as char*, and copies them.
char* Text(const std::string& text) { return const_cast<char*>(text.c_str()); }
char* Text(const char* text) { return const_cast<char*>(text); }

void Declare(Agraph_t* graph, int kind, const char* name, const std::string& value) {
  agattr(graph, kind, Text(name), Text(value));
}

std::string NodeName(const TPageCard& card) {
  return (card.missing ? "missing " : "page ") + std::to_string(card.number);
}

class TGraphBuilder {
 public:
  TGraphBuilder(const TDocumentOverview& overview, const std::vector<QString>& labels, QSizeF card)
      : overview_(overview), labels_(labels), card_(card) {}

  TGraphOwner Build() {
    TGraphOwner graph(agopen(Text("map"), Agdirected, nullptr));
    if (!graph) return nullptr;
    Declare(graph.get(), AGRAPH, "nodesep", kNodeSeparation);
    Declare(graph.get(), AGRAPH, "ranksep", kRankSeparation);
    Declare(graph.get(), AGNODE, "shape", "box");
    Declare(graph.get(), AGNODE, "fixedsize", "true");
    Declare(graph.get(), AGNODE, "label", "");
    Declare(graph.get(), AGNODE, "width", Number(card_.width() / kPointsPerInch));
    Declare(graph.get(), AGNODE, "height", Number(card_.height() / kPointsPerInch));
    Declare(graph.get(), AGEDGE, "label", "");
    Declare(graph.get(), AGEDGE, "fontname", kLabelFont);
    Declare(graph.get(), AGEDGE, "fontsize", Number(kArrowLabelPixels));
    for (const TPageCard& card : overview_.cards) {
      Agnode_t* node = agnode(graph.get(), Text(NodeName(card)), 1);
      if (node == nullptr) return nullptr;
      nodeOf_[card.number] = node;
      nodes_.push_back(node);
    }
    for (size_t i = 0; i < overview_.arrows.size(); ++i) {
      const TPageArrow& arrow = overview_.arrows[i];
      const auto from = nodeOf_.find(arrow.from);
      const auto to = nodeOf_.find(arrow.to);
      if (from == nodeOf_.end() || to == nodeOf_.end()) return nullptr;
      Agedge_t* edge = agedge(graph.get(), from->second, to->second, Text(std::to_string(i)), 1);
      if (edge == nullptr) return nullptr;
      std::string label = labels_[i].toStdString();
      if (label.size() > kMostLabelLength) label.resize(kMostLabelLength);
      agset(edge, Text("label"), Text(label));
      edges_.push_back(edge);
    }
    return graph;
  }

  const std::vector<Agnode_t*>& Nodes() const { return nodes_; }
  const std::vector<Agedge_t*>& Edges() const { return edges_; }

 private:
  const TDocumentOverview& overview_;
  const std::vector<QString>& labels_;
  QSizeF card_;
  std::map<int32_t, Agnode_t*> nodeOf_;
  std::vector<Agnode_t*> nodes_;
  std::vector<Agedge_t*> edges_;
};

// Reads the places back into map pixels: y down, the graph's box moved to the margin.
class TLayoutReader {
 public:
  TLayoutReader(Agraph_t* graph, QSizeF card, double margin)
      : box_(GD_bb(graph)), card_(card), margin_(margin) {}

  QSizeF Size() const {
    return QSizeF(box_.UR.x - box_.LL.x + 2 * margin_, box_.UR.y - box_.LL.y + 2 * margin_);
  }

  QRectF Card(Agnode_t* node) const {
    const QPointF centre = Place(ND_coord(node));
    return QRectF(centre.x() - card_.width() / 2, centre.y() - card_.height() / 2, card_.width(),
                  card_.height());
  }

  // The edge's curve; a straight arrow between the cards when the library made none.
  TMapArrowPath Arrow(Agedge_t* edge, const QRectF& from, const QRectF& to) const {
    const splines* curves = ED_spl(edge);
    if (curves == nullptr || curves->size < 1 || curves->list[0].size < 4) {
      return StraightArrow(from, to);
    }
    TMapArrowPath arrow;
    QPointF last;
    QPointF beforeLast;
    for (int i = 0; i < curves->size; ++i) {
      const bezier& curve = curves->list[i];
      if (curve.size < 4) continue;
      arrow.line.moveTo(Place(curve.list[0]));
      for (int point = 1; point + 2 < curve.size; point += 3) {
        arrow.line.cubicTo(Place(curve.list[point]), Place(curve.list[point + 1]),
                           Place(curve.list[point + 2]));
      }
      last = Place(curve.list[curve.size - 1]);
      beforeLast = Place(curve.list[curve.size - 2]);
      if (curve.eflag) {
        arrow.head = ArrowHead(last, Place(curve.ep));
      } else {
        arrow.head = ArrowHead(beforeLast, last);
      }
    }
    const textlabel_t* label = ED_label(edge);
    arrow.label =
        label != nullptr && label->set ? Place(label->pos) : arrow.line.pointAtPercent(0.5);
    return arrow;
  }

 private:
  QPointF Place(pointf point) const {
    return QPointF(point.x - box_.LL.x + margin_, box_.UR.y - point.y + margin_);
  }

  boxf box_;
  QSizeF card_;
  double margin_;
};

bool Sane(QSizeF card, double margin) {
  return std::isfinite(card.width()) && std::isfinite(card.height()) && card.width() > 0 &&
         card.height() > 0 && std::isfinite(margin) && margin >= 0;
}

}  // namespace

std::optional<TMapLayout> GraphvizLayout(const TDocumentOverview& overview,
                                         const std::vector<QString>& labels, QSizeF card,
                                         double margin) {
  if (labels.size() != overview.arrows.size() || !Sane(card, margin)) return std::nullopt;
  if (overview.cards.empty()) return std::nullopt;
  const std::lock_guard lock(LibraryLock());
  agseterr(AGMAX);
  agseterrf(DropMessage);
  const TNumbersInCLocale numbers;
  GVC_t* context = SharedContext();
  if (context == nullptr) return std::nullopt;

  TGraphBuilder builder(overview, labels, card);
  const TGraphOwner graph = builder.Build();
  if (!graph) return std::nullopt;
  const TLayoutOwner laidOut(context, graph.get());
  if (!laidOut.LaidOut()) return std::nullopt;

  const TLayoutReader reader(graph.get(), card, margin);
  TMapLayout layout;
  layout.size = reader.Size();
  for (Agnode_t* node : builder.Nodes()) layout.cards.push_back(reader.Card(node));
  std::map<int32_t, size_t> cardOf;
  for (size_t i = 0; i < overview.cards.size(); ++i) cardOf[overview.cards[i].number] = i;
  for (size_t i = 0; i < overview.arrows.size(); ++i) {
    const TPageArrow& arrow = overview.arrows[i];
    layout.arrows.push_back(reader.Arrow(builder.Edges()[i], layout.cards[cardOf[arrow.from]],
                                         layout.cards[cardOf[arrow.to]]));
  }
  layout.allArrows = true;
  return layout;
}

}  // namespace pm
