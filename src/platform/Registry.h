#pragma once
// A typed key/value store in place of the system registry. Keys form a tree
// below a root hive ("HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT"); key names and
// value names compare case-insensitively. The whole store is one text file
// in the .reg export format (RegistryFile.h), at $PELKO_REGISTRY when set,
// else $XDG_CONFIG_HOME/Pelko32/registry.reg (~/.config/... without it).
//
// Every write re-reads the file under an advisory lock and replaces it
// atomically (RegistryStore.h), so two programs writing at once never lose
// each other's values.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

struct RegValue;

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

    // Key paths use "\" between names. A path that begins with "\" is taken
    // from the root; any other path is taken relative to the open key.
    // Returns false when the key does not exist and canCreate is false, or
    // when it cannot be created.
    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
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
    void WriteValue(RegValue value);

    RegRoot root_;
    std::string storePath_;
    std::string currentKey_;  // full path below the root, "" = the root itself
    bool keyOpen_ = false;
};

}  // namespace platform
