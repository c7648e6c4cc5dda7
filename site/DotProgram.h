// Drawing a DOT graph as SVG with Graphviz's dot, found on the PATH, within a time limit.
#pragma once

#include <chrono>
#include <filesystem>

namespace pm::site {

enum class TDotOutcome {
  Drawn,         // the SVG file is complete
  NotInstalled,  // no dot on the PATH
  Failed,        // dot ended with a failure
  TimedOut,      // dot didn't finish within the limit and was stopped
};

// Runs `dot -Tsvg -o SVG GRAPH` with no input and its output and messages discarded. Whatever
// the outcome, dot has ended when this returns; only Drawn leaves an SVG file.
TDotOutcome DrawWithDot(const std::filesystem::path& graphFile,
                        const std::filesystem::path& svgFile, std::chrono::milliseconds limit);

// The words for an outcome, as a report names it: "drawn by dot", "dot not found on the PATH",
// "dot failed", "dot took too long".
const char* DotOutcomeText(TDotOutcome outcome);

}  // namespace pm::site
