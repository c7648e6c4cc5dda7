#include "site/DotProgram.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

extern char** environ;

namespace pm::site {

namespace {

constexpr const char* kDot = "dot";
constexpr const char* kNullDevice = "/dev/null";
// Where the PATH doesn't say, the system's own folders.
constexpr const char* kDefaultPath = "/bin:/usr/bin";
constexpr auto kPollInterval = std::chrono::milliseconds(10);
constexpr int kCannotRun = 127;

// The program's file in the first folder of the PATH that has it as an executable file.
std::optional<std::string> FindOnPath(const char* program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : kDefaultPath);
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
    struct stat status {};
    if (::stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
  }
  return std::nullopt;
}

// The child, between fork and exec: system calls alone, on what the parent prepared. It dies
// with the thread that forked it (checked after asking, in case that thread has gone already),
// takes the default action of every signal that had a handler, gets the address space limit and
// the null device for its standard files.
[[noreturn]] void RunChild(pid_t parent, const char* program, char* const* arguments,
                           const sigset_t& parentMask) {
  if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent) ::_exit(kCannotRun);
  struct sigaction defaultAction {};
  defaultAction.sa_handler = SIG_DFL;
  for (int signal = 1; signal < NSIG; ++signal) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler != SIG_DFL &&
        current.sa_handler != SIG_IGN) {
      ::sigaction(signal, &defaultAction, nullptr);
    }
  }
  const rlimit limit{static_cast<rlim_t>(kDotAddressSpace), static_cast<rlim_t>(kDotAddressSpace)};
  const int null = ::open(kNullDevice, O_RDWR);
  if (::setrlimit(RLIMIT_AS, &limit) != 0 || null < 0 || ::dup2(null, STDIN_FILENO) < 0 ||
      ::dup2(null, STDOUT_FILENO) < 0 || ::dup2(null, STDERR_FILENO) < 0) {
    ::_exit(kCannotRun);
  }
  if (null > STDERR_FILENO) ::close(null);
  ::sigprocmask(SIG_SETMASK, &parentMask, nullptr);
  ::execve(program, arguments, environ);
  ::_exit(kCannotRun);
}

// Starts the child with every signal blocked around the fork, so that no handler of this
// process runs in the child before it is reset there; -1 when no child could be made.
pid_t StartChild(const std::string& program, std::vector<char*>& arguments) {
  sigset_t all, previous;
  ::sigfillset(&all);
  ::pthread_sigmask(SIG_SETMASK, &all, &previous);
  const pid_t parent = ::getpid();
  const pid_t child = ::fork();
  if (child == 0) RunChild(parent, program.c_str(), arguments.data(), previous);
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return child;
}

// Waits for the child until the deadline or the cancel; the exit status, or nothing when it
// still runs.
std::optional<int> WaitUntil(pid_t child, std::chrono::steady_clock::time_point deadline,
                             const std::atomic<bool>* cancel) {
  for (;;) {
    int status = 0;
    const pid_t ended = ::waitpid(child, &status, WNOHANG);
    if (ended == child) return status;
    if (ended < 0 && errno != EINTR) return -1;
    if (std::chrono::steady_clock::now() >= deadline || (cancel && *cancel)) return std::nullopt;
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
                        const std::filesystem::path& svgFile, std::chrono::milliseconds limit,
                        const std::atomic<bool>* cancel) {
  const std::optional<std::string> program = FindOnPath(kDot);
  if (!program) return TDotOutcome::NotInstalled;
  std::string name = kDot;
  std::string format = "-Tsvg";
  std::string outputOption = "-o";
  std::string output = svgFile.string();
  std::string input = graphFile.string();
  std::vector<char*> arguments = {name.data(),   format.data(), outputOption.data(),
                                  output.data(), input.data(),  nullptr};
  const auto deadline = std::chrono::steady_clock::now() + limit;
  const pid_t child = StartChild(*program, arguments);
  if (child < 0) return TDotOutcome::Failed;

  const std::optional<int> status = WaitUntil(child, deadline, cancel);
  TDotOutcome outcome = TDotOutcome::Failed;
  if (!status) {
    StopAndReap(child);
    outcome = cancel && *cancel ? TDotOutcome::Cancelled : TDotOutcome::TimedOut;
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
    case TDotOutcome::Cancelled:
      return "dot was stopped";
    case TDotOutcome::TimedOut:
      break;
  }
  return "dot took too long";
}

}  // namespace pm::site
