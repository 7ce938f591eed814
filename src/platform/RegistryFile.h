#pragma once
// The registry store's file format, the text form of a registry export:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Pelko32\Settings]
//   "Name"="text with \" and \\"
//   "Count"=dword:0000000c
//   "Data"=hex:01,ff
//   @="the key's default value"
//
// UTF-8. Parsing is a pure function of the bytes: whatever cannot be read is
// skipped and reported as damage, never a crash.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct RegValue {
    enum class Kind { String, Dword, Binary };
    Kind kind = Kind::String;
    std::string name;  // as written; "" is the default value
    std::string text;
    uint32_t dword = 0;
    std::vector<uint8_t> bytes;
};

struct RegKey {
    std::string path;  // full path with the hive, as written
    std::map<std::string, RegValue> values;  // by folded name
};

// Orders folded key paths so that a key's subkeys follow it directly.
struct KeyPathLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct RegistryTree {
    std::map<std::string, RegKey, KeyPathLess> keys;  // by folded full path

    // The key, created with its missing parents when needed.
    RegKey& Ensure(const std::string& path);
    RegKey* Find(const std::string& path);
    const RegKey* Find(const std::string& path) const;
    // Removes the key and all its subkeys; false when it did not exist.
    bool Erase(const std::string& path);
};

struct ParsedRegistry {
    RegistryTree tree;
    bool damaged = false;
};

ParsedRegistry ParseRegistry(std::string_view bytes);
std::string SerializeRegistry(const RegistryTree& tree);

// Cleans a key path: "\" separators, no empty components, no leading or
// trailing "\".
std::string NormalizeKeyPath(std::string_view path);

}  // namespace platform
