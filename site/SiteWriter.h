// Publishing a document as a static web site of plain HTML and CSS, all of it or nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "page/Document.h"
#include "site/DotProgram.h"
#include "site/SiteLayout.h"

namespace pm::site {

struct TSiteOptions {
  TSlotPictures slotPictures = TSlotPictures::Hover;
  // Write beside files in the output folder that no site wrote.
  bool force = false;
  // Draw the map with Graphviz's dot when it is on the PATH, within this time.
  bool drawMap = true;
  std::chrono::milliseconds mapTimeLimit = std::chrono::seconds(30);
};

struct TSiteReport {
  size_t pages = 0;
  size_t pictures = 0;
  // How the map came out; NotInstalled also when it wasn't to be drawn.
  TDotOutcome map = TDotOutcome::NotInstalled;
};

// Reads every page without decoding a picture and writes index.html, style.css, the map's
// graph, page-N.html for each page, its background and the slot pictures its links show, each
// byte for byte as the page file stores it. A page that fails to load fails the whole site
// with the page file's name and its message; the output folder is then as it was.
TSiteReport WriteSite(const TDocument& document, const std::string& folder,
                      const TSiteOptions& options);

}  // namespace pm::site
