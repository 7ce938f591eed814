#pragma once
// The registry's file on disk: reading it, and changing it under an advisory
// lock so that writers in several processes never lose each other's values.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/RegistryFile.h"

namespace platform {

// Tells whether the file changed: every write replaces the file, so the
// inode changes with it.
struct FileStamp {
    bool exists = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

// The tree in the file; an empty tree when the file is missing or unreadable.
RegistryTree LoadRegistry(const std::string& storePath);

// Locks the store (a lock file beside it), reads it anew, applies change and,
// when change returns true, replaces the file atomically (mode 0600). A file
// that could not be read completely is first kept as "<file>.bad". Throws
// ERegistryException when the store cannot be written.
void ModifyRegistry(const std::string& storePath, const std::function<bool(RegistryTree&)>& change);

}  // namespace platform
