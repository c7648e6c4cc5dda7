// The permission bits that new files and folders get, and making a folder's entries durable.
#pragma once

#include <sys/types.h>

namespace pm {

inline constexpr mode_t kPermissionBits = 07777;

// The process's file mode mask, read once: the kernel tells it without changing it; only where
// it doesn't is the mask set and put back, once.
mode_t FileModeMask();
// The permission bits of a new file (0666) and of a new folder (0777) that the mask allows.
mode_t NewFileMode();
mode_t NewFolderMode();

// Pushes a folder's entries (a new or renamed name in it) to the device. Best effort: where that
// isn't possible, the change stands anyway. It allocates nothing, so it can't fail after a
// rename has put new content in place.
void SyncFolder(const char* folder) noexcept;

}  // namespace pm
