#pragma once
// A typed key/value store in place of the system registry. Keys form a tree
// below a root hive ("HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT"); key names and
// value names compare case-insensitively. The whole store is one text file
// in the .reg export format (RegistryFile.h), at $PELKO_REGISTRY when set,
// else $XDG_CONFIG_HOME/Pelko32/registry.reg (~/.config/... without it).
//
// Writes to the open key are gathered and stored together when the key is
// closed, another key is opened, Flush is called or the object ends: one
// locked re-read and atomic replace of the file (RegistryStore.h) per key,
// so two programs writing at once never lose each other's values. Reads see
// the gathered writes, and re-read the file only when it changed on disk.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

struct RegValue;
struct RegistryTree;

// Thrown when a value is missing, has another kind than asked for, or the
// store cannot be written.
class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class RegRoot { CurrentUser, ClassesRoot };

// The path of the store file as described above.
std::string RegistryFilePath();

class TRegistry {
public:
    explicit TRegistry(RegRoot root = RegRoot::CurrentUser);
    // For tests: a store at an explicit path.
    TRegistry(RegRoot root, std::string storePath);
    // Stores what is still gathered; a failure then is lost, so callers that
    // care call CloseKey or Flush first.
    ~TRegistry();
    TRegistry(TRegistry&&) noexcept;
    TRegistry& operator=(TRegistry&&) = delete;

    // Key paths use "\" between names. A path that begins with "\" is taken
    // from the root; any other path is taken relative to the open key.
    // Returns false when the key does not exist and canCreate is false, or
    // when it cannot be created.
    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    // Both store the gathered writes first and throw ERegistryException when
    // that fails.
    void CloseKey();
    void Flush();
    bool KeyExists(const std::string& key) const;
    bool DeleteKey(const std::string& key);
    std::string CurrentPath() const;

    bool ValueExists(const std::string& name) const;
    bool DeleteValue(const std::string& name);

    // Strings are UTF-8.
    std::string ReadString(const std::string& name) const;
    void WriteString(const std::string& name, const std::string& value);
    int32_t ReadInteger(const std::string& name) const;
    void WriteInteger(const std::string& name, int32_t value);
    // A Boolean is a DWORD 0 or 1; any non-zero DWORD reads as true.
    bool ReadBool(const std::string& name) const;
    void WriteBool(const std::string& name, bool value);
    std::vector<uint8_t> ReadBinaryData(const std::string& name) const;
    void WriteBinaryData(const std::string& name, const std::vector<uint8_t>& value);

private:
    using Change = std::function<void(RegistryTree&)>;

    // The store as this object sees it: the file with the gathered writes.
    const RegistryTree& View() const;
    void Gather(Change change);
    void WriteValue(RegValue value);

    RegRoot root_;
    std::string storePath_;
    std::string currentKey_;  // full path below the root, "" = the root itself
    std::vector<Change> pending_;
    struct Cache;
    mutable std::unique_ptr<Cache> cache_;
};

}  // namespace platform
