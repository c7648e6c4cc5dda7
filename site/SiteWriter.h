// Publishing a document as a static web site of plain HTML and CSS, all of it or nothing. The
// writer keeps no state between calls and prints nothing: it reports progress to a callback, and
// failures as pm::Exception with the message to show. It may run on a thread of its own.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "page/Document.h"
#include "site/DotProgram.h"
#include "site/SiteLayout.h"
#include "site/SiteSurvey.h"

namespace pm::site {

// dot's time: with the pages of a document of 1 MB written before it and the index after, the
// whole site takes less than 10 s.
inline constexpr std::chrono::milliseconds kMapTimeLimit{8000};

// Called on the thread that writes the site: once before the first page, then after each.
using TSiteProgress = std::function<void(size_t pagesDone, size_t pagesInAll)>;

struct TSiteOptions {
  TSlotPictures slotPictures = TSlotPictures::Hover;
  // Write beside files in the output folder that no site wrote (never over one).
  bool force = false;
  // Draw the map with Graphviz's dot when it is on the PATH, within this time.
  bool drawMap = true;
  std::chrono::milliseconds mapTimeLimit = kMapTimeLimit;
  TSiteProgress progress = nullptr;
  // Set from any thread to stop: the site stops before the next page, or dot is stopped, and
  // WriteSite fails with EAbort, the output folder as it was. Once the site is being put in
  // place it is no longer stopped.
  const std::atomic<bool>* cancel = nullptr;
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
// with the page file's name and its message (ESitePageFailure); the output folder is then as it
// was. The output folder is refused as SurveySiteFolder says, and when it holds files no site
// wrote unless `force` (ESiteForeignFiles).
TSiteReport WriteSite(const TDocument& document, const std::string& folder,
                      const TSiteOptions& options);

}  // namespace pm::site
