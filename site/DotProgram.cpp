#include "site/DotProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

extern char** environ;

namespace pm::site {

namespace {

constexpr const char* kDot = "dot";
constexpr const char* kNullDevice = "/dev/null";
constexpr auto kPollInterval = std::chrono::milliseconds(10);

// The file actions of the child: standard input, output and error on the null device.
class QuietFileActions {
 public:
  QuietFileActions() {
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, kNullDevice, O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, kNullDevice, O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, kNullDevice, O_WRONLY, 0);
  }
  ~QuietFileActions() { ::posix_spawn_file_actions_destroy(&actions_); }
  QuietFileActions(const QuietFileActions&) = delete;
  QuietFileActions& operator=(const QuietFileActions&) = delete;
  const posix_spawn_file_actions_t* Get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

// Waits for the child until the deadline; the exit status, or nothing when it still runs.
std::optional<int> WaitUntil(pid_t child, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    int status = 0;
    const pid_t ended = ::waitpid(child, &status, WNOHANG);
    if (ended == child) return status;
    if (ended < 0 && errno != EINTR) return -1;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollInterval);
  }
}

void StopAndReap(pid_t child) {
  ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

TDotOutcome DrawWithDot(const std::filesystem::path& graphFile,
                        const std::filesystem::path& svgFile, std::chrono::milliseconds limit) {
  std::string program = kDot;
  std::string format = "-Tsvg";
  std::string outputOption = "-o";
  std::string output = svgFile.string();
  std::string input = graphFile.string();
  std::vector<char*> arguments = {program.data(), format.data(), outputOption.data(),
                                  output.data(),  input.data(),  nullptr};
  const QuietFileActions actions;
  pid_t child = 0;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  const int started =
      ::posix_spawnp(&child, kDot, actions.Get(), nullptr, arguments.data(), environ);
  if (started == ENOENT) return TDotOutcome::NotInstalled;
  if (started != 0) return TDotOutcome::Failed;

  const std::optional<int> status = WaitUntil(child, deadline);
  TDotOutcome outcome = TDotOutcome::Failed;
  if (!status) {
    StopAndReap(child);
    outcome = TDotOutcome::TimedOut;
  } else if (WIFEXITED(*status) && WEXITSTATUS(*status) == 0) {
    std::error_code error;
    const auto size = std::filesystem::file_size(svgFile, error);
    if (!error && size > 0) outcome = TDotOutcome::Drawn;
  }
  if (outcome != TDotOutcome::Drawn) {
    std::error_code ignored;
    std::filesystem::remove(svgFile, ignored);
  }
  return outcome;
}

const char* DotOutcomeText(TDotOutcome outcome) {
  switch (outcome) {
    case TDotOutcome::Drawn:
      return "drawn by dot";
    case TDotOutcome::NotInstalled:
      return "dot not found on the PATH";
    case TDotOutcome::Failed:
      return "dot failed";
    case TDotOutcome::TimedOut:
      break;
  }
  return "dot took too long";
}

}  // namespace pm::site
