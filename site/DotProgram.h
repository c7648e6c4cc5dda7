// Drawing a DOT graph as SVG with Graphviz's dot, found on the PATH, within bounds of time and
// memory.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>

namespace pm::site {

enum class TDotOutcome {
  Drawn,         // the SVG file is complete
  NotInstalled,  // no dot on the PATH
  Failed,        // dot ended with a failure (running out of its memory too)
  TimedOut,      // dot didn't finish within the limit and was stopped
  Cancelled,     // the caller asked to stop, and dot was stopped
};

// The address space that dot may take: a larger allocation fails it.
inline constexpr int64_t kDotAddressSpace = int64_t{512} << 20;

// Runs `dot -Tsvg -o SVG GRAPH` with no input and its output and messages discarded, as a child
// that ends with the thread that started it, even when a signal ends the process (SIGKILL too).
// It is killed past the time limit or when `cancel` is set. Whatever the outcome, dot has ended
// when this returns; only Drawn leaves an SVG file.
TDotOutcome DrawWithDot(const std::filesystem::path& graphFile,
                        const std::filesystem::path& svgFile, std::chrono::milliseconds limit,
                        const std::atomic<bool>* cancel = nullptr);

// The words for an outcome, as a report names it: "drawn by dot", "dot not found on the PATH",
// "dot failed", "dot took too long", "dot was stopped".
const char* DotOutcomeText(TDotOutcome outcome);

}  // namespace pm::site
