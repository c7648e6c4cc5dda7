#include "site/DocumentGraph.h"

#include <filesystem>
#include <set>
#include <sstream>

#include "page/DocumentReach.h"
#include "site/TextEscaping.h"

namespace pm::site {

namespace {

constexpr const char* kPageStyle = "shape=box";
constexpr const char* kStartStyle = "peripheries=2, penwidth=2";
constexpr const char* kFailedStyle = "color=red, fontcolor=red";
constexpr const char* kUnreachableStyle = "style=dashed";
constexpr const char* kMissingStyle = "shape=box, style=dashed, color=red, fontcolor=red";
constexpr const char* kDeadEdgeStyle = "style=dashed, color=red, fontcolor=red";
constexpr const char* kUnclickableEdgeStyle = "style=dotted";
// Graphviz's network simplex and crossing minimisation cut short, straight edges.
constexpr const char* kQuickLayout = "nslimit=1, nslimit1=1, mclimit=0.1, splines=line";

std::string PageNode(int32_t number) { return QuoteDot("page " + std::to_string(number)); }
std::string MissingNode(int32_t number) { return QuoteDot("missing " + std::to_string(number)); }

bool NamesLinkPage(const TLinkRecord& link) { return link.LinkPage != -1; }

class GraphWriter {
 public:
  GraphWriter(const TDocument& document, const std::vector<TPageOutline>& outlines,
              const TGraphStyle& style)
      : document_(document),
        outlines_(outlines),
        style_(style),
        reachable_(ReachablePages(document, outlines)) {}

  std::string Write() {
    out_ << "digraph document {\n";
    if (style_.quickLayout) out_ << "  graph [" << kQuickLayout << "];\n";
    out_ << "  node [" << kPageStyle << "];\n";
    for (const TPageOutline& page : outlines_) WritePage(page);
    for (const int32_t missing : missing_) {
      out_ << "  " << MissingNode(missing) << " ["
           << "label=" << QuoteDot(std::to_string(missing) + "\n" + style_.words.noFile) << ", "
           << kMissingStyle << "];\n";
    }
    for (const TPageOutline& page : outlines_) WriteEdges(page);
    out_ << "}\n";
    return out_.str();
  }

 private:
  void WritePage(const TPageOutline& page) {
    std::string label = std::to_string(page.number) + "\n" +
                        std::filesystem::path(page.fileName).filename().string();
    std::string attributes;
    const auto mark = [&](const char* word, const char* styleText) {
      label += std::string("\n") + word;
      attributes += std::string(", ") + styleText;
    };
    if (page.number == document_.Start()) mark(style_.words.start, kStartStyle);
    if (!page.Loaded()) mark(style_.words.loadFailed, kFailedStyle);
    if (!reachable_.contains(page.number)) mark(style_.words.unreachable, kUnreachableStyle);
    out_ << "  " << PageNode(page.number) << " [label=" << QuoteDot(label) << attributes << "];\n";
    for (const TNumberedLink& link : page.links) {
      if (NamesLinkPage(link.record) && !document_.HasPage(link.record.LinkPage)) {
        missing_.insert(link.record.LinkPage);
      }
    }
  }

  void WriteEdges(const TPageOutline& page) {
    for (const TNumberedLink& link : page.links) {
      if (!NamesLinkPage(link.record)) continue;
      const int32_t target = link.record.LinkPage;
      const bool exists = document_.HasPage(target);
      out_ << "  " << PageNode(page.number) << " -> "
           << (exists ? PageNode(target) : MissingNode(target))
           << " [label=" << QuoteDot(std::to_string(link.number));
      if (!exists) {
        out_ << ", " << kDeadEdgeStyle;
      } else if (!LinkIsFollowed(page, link.record, document_)) {
        out_ << ", " << kUnclickableEdgeStyle;
      }
      out_ << "];\n";
    }
  }

  const TDocument& document_;
  const std::vector<TPageOutline>& outlines_;
  const TGraphStyle& style_;
  const std::set<int32_t> reachable_;
  std::set<int32_t> missing_;
  std::ostringstream out_;
};

}  // namespace

std::string DocumentGraph(const TDocument& document, const std::vector<TPageOutline>& outlines,
                          const TGraphStyle& style) {
  return GraphWriter(document, outlines, style).Write();
}

size_t GraphEdgeCount(const std::vector<TPageOutline>& outlines) {
  size_t count = 0;
  for (const TPageOutline& page : outlines) {
    for (const TNumberedLink& link : page.links) count += NamesLinkPage(link.record) ? 1 : 0;
  }
  return count;
}

}  // namespace pm::site
