// Runs the built pagetool as a process and collects what it printed.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pm::test {

struct ProcessResult {
  int exitCode = -1;  // 128 + the signal's number when a signal ended the process
  std::string out;
  std::string err;
  // The most memory that the process had resident at once (from the fork on, so the test's own
  // at that moment too).
  int64_t peakResidentBytes = 0;
};

// Bounds set on the child with setrlimit before it starts pagetool; 0 leaves a bound as it is.
struct ProcessLimits {
  int64_t addressSpaceBytes = 0;  // RLIMIT_AS: a larger allocation fails
  int64_t cpuSeconds = 0;         // RLIMIT_CPU: the process is ended past it
  int64_t fileSizeBytes = 0;      // RLIMIT_FSIZE: a write past it fails
};

ProcessResult RunPagetool(const std::vector<std::string>& arguments,
                          const ProcessLimits& limits = {});

// A pagetool process that runs while the test goes on.
class RunningPagetool {
 public:
  explicit RunningPagetool(const std::vector<std::string>& arguments,
                           const ProcessLimits& limits = {});
  // Ends the process with SIGKILL unless it was waited for.
  ~RunningPagetool();
  RunningPagetool(const RunningPagetool&) = delete;
  RunningPagetool& operator=(const RunningPagetool&) = delete;

  pid_t Pid() const { return pid_; }
  // Waits for the end and collects what it printed.
  ProcessResult Wait();

 private:
  struct Outputs;
  std::unique_ptr<Outputs> outputs_;
  pid_t pid_ = -1;
};

}  // namespace pm::test
