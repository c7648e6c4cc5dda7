#include "tests/tool/ProcessRunner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tests/support/TempDir.h"

namespace pm::test {

namespace {

std::string ReadText(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// In the child, between fork and exec: system calls only.
void SetLimit(int resource, int64_t value) {
  if (value <= 0) return;
  const rlimit limit{static_cast<rlim_t>(value), static_cast<rlim_t>(value)};
  ::setrlimit(resource, &limit);
}

}  // namespace

// Where the child's standard output and error go.
struct RunningPagetool::Outputs {
  TempDir folder;
  const std::string out = folder.File("out.txt");
  const std::string err = folder.File("err.txt");
};

RunningPagetool::RunningPagetool(const std::vector<std::string>& arguments,
                                 const ProcessLimits& limits)
    : outputs_(std::make_unique<Outputs>()) {
  std::vector<std::string> argvStrings{PAGETOOL_PATH};
  argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& argument : argvStrings) argv.push_back(argument.data());
  argv.push_back(nullptr);

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("cannot start pagetool");
  if (pid_ == 0) {
    const int out = ::open(outputs_->out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(outputs_->err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || ::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0) {
      ::_exit(127);
    }
    SetLimit(RLIMIT_AS, limits.addressSpaceBytes);
    SetLimit(RLIMIT_CPU, limits.cpuSeconds);
    SetLimit(RLIMIT_FSIZE, limits.fileSizeBytes);
    ::execv(PAGETOOL_PATH, argv.data());
    ::_exit(127);
  }
}

RunningPagetool::~RunningPagetool() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  Wait();
}

ProcessResult RunningPagetool::Wait() {
  int status = 0;
  rusage usage{};
  while (::wait4(pid_, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  ProcessResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  constexpr int64_t kKiB = 1024;
  result.peakResidentBytes = static_cast<int64_t>(usage.ru_maxrss) * kKiB;
  result.out = ReadText(outputs_->out);
  result.err = ReadText(outputs_->err);
  return result;
}

ProcessResult RunPagetool(const std::vector<std::string>& arguments, const ProcessLimits& limits) {
  return RunningPagetool(arguments, limits).Wait();
}

}  // namespace pm::test
