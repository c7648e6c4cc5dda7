// The safe replacement of a file when memory runs out at any allocation: every failure path
// gives back the descriptors, the locks and the temporary file that it took. This program
// replaces the global allocation functions with ones that can be told to fail.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "base/FileReplacement.h"
#include "tests/support/TempDir.h"

namespace {

// -1: no failure armed; otherwise the number of allocations that still succeed.
std::atomic<long> allocationsBeforeFailure{-1};

void FailAllocationAfter(long count) { allocationsBeforeFailure = count; }
void StopFailingAllocations() { allocationsBeforeFailure = -1; }

}  // namespace

void* operator new(std::size_t size) {
  if (allocationsBeforeFailure.load() >= 0 && allocationsBeforeFailure.fetch_sub(1) == 0) {
    throw std::bad_alloc();
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace pm {
namespace {

int OpenDescriptorCount() {
  int count = 0;
  DIR* folder = ::opendir("/proc/self/fd");
  while (const dirent* entry = ::readdir(folder)) count += entry->d_name[0] != '.';
  ::closedir(folder);
  return count - 1;  // the folder's own descriptor
}

bool NobodyHolds(const std::string& fileName) {
  const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  const bool free = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
  ::close(descriptor);
  return free;
}

TEST(FileReplacementFaultTest, RunningOutOfMemoryAnywhereGivesBackEverythingThatWasTaken) {
  test::TempDir dir;
  const std::string existing = dir.File("page.pag");
  test::WriteFileBytes(existing, {'o', 'l', 'd'});
  const std::vector<uint8_t> newContent = {'n', 'e', 'w', '!'};

  using Temporary = TFileReplacement::Temporary;
  for (const auto& [target, temporary] :
       {std::pair{existing, Temporary::Unnamed}, std::pair{dir.File("new.pag"), Temporary::Unnamed},
        std::pair{existing, Temporary::Named}, std::pair{dir.File("new.pag"), Temporary::Named}}) {
    SCOPED_TRACE(target + (temporary == Temporary::Named ? ", named" : ", unnamed"));
    bool committed = false;
    for (long failAt = 0; !committed; ++failAt) {
      const int descriptorsBefore = OpenDescriptorCount();
      FailAllocationAfter(failAt);
      try {
        TFileReplacement replacement(target, TFileDescriptor(), temporary);
        replacement.Stream().WriteBuffer(newContent.data(), 4);
        replacement.Commit();
        committed = true;
      } catch (const std::bad_alloc&) {
      }
      StopFailingAllocations();
      EXPECT_EQ(OpenDescriptorCount(), descriptorsBefore) << "allocation " << failAt;
      if (committed) break;
      // Nothing but the files that were there before; the old content untouched and free.
      const auto names = test::NamesIn(dir.Path());
      EXPECT_EQ(names, std::set<std::string>{"page.pag"}) << "allocation " << failAt;
      EXPECT_EQ(test::ReadFileBytes(existing), (std::vector<uint8_t>{'o', 'l', 'd'}));
      EXPECT_TRUE(NobodyHolds(existing)) << "allocation " << failAt;
    }
    EXPECT_EQ(test::ReadFileBytes(target), newContent);
    EXPECT_TRUE(NobodyHolds(target));
    std::filesystem::remove(dir.File("new.pag"));
    test::WriteFileBytes(existing, {'o', 'l', 'd'});
  }
}

}  // namespace
}  // namespace pm
