// A document's map as a Graphviz DOT graph: one node per page, one edge per link that names a
// link page.
#pragma once

#include <string>
#include <vector>

#include "page/Document.h"
#include "page/PageOutline.h"

namespace pm::site {

// The words that mark the nodes.
struct TGraphWords {
  const char* start = "start";
  const char* loadFailed = "load failed";
  const char* unreachable = "unreachable";
  const char* noFile = "no file";
};

struct TGraphStyle {
  TGraphWords words;
  // Graphviz's quicker and plainer layout, for graphs too large for its best one to finish soon.
  bool quickLayout = false;
};

// Nodes "page N", labelled with the number, the page file's name (without its folder) and the
// marks: the start page drawn with a double border, a page that failed to load red, an
// unreachable page dashed. Edges are labelled with the link number: solid for a link that a
// reader follows, dotted for one that names an existing page but can't be clicked (no rectangle
// on the background), red and dashed for a dead link, which leads to a node "missing M" (dashed,
// red) for its link page.
std::string DocumentGraph(const TDocument& document, const std::vector<TPageOutline>& outlines,
                          const TGraphStyle& style = {});

// How many edges the graph of these outlines has.
size_t GraphEdgeCount(const std::vector<TPageOutline>& outlines);

}  // namespace pm::site
