#include "platform/Registry.h"

#include <cstdlib>

#include "platform/CaseFold.h"
#include "platform/RegistryStore.h"

namespace platform {

std::string RegistryFilePath() {
    const char* explicitPath = std::getenv("PELKO_REGISTRY");
    if (explicitPath != nullptr && *explicitPath != '\0') return explicitPath;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config != nullptr && *config != '\0') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "") + "/.config";
    }
    return base + "/Pelko32/registry.reg";
}

namespace {

const char* HiveName(RegRoot root) {
    return root == RegRoot::ClassesRoot ? "HKEY_CLASSES_ROOT" : "HKEY_CURRENT_USER";
}

}  // namespace

TRegistry::TRegistry(RegRoot root) : TRegistry(root, RegistryFilePath()) {}

TRegistry::TRegistry(RegRoot root, std::string storePath) : root_(root), storePath_(std::move(storePath)) {}

namespace {

// A key path below the root: absolute when it begins with "\", else below
// the open key.
std::string Resolve(const std::string& current, const std::string& key) {
    if (!key.empty() && key.front() == '\\') return NormalizeKeyPath(key);
    return NormalizeKeyPath(current + '\\' + key);
}

std::string Full(RegRoot root, const std::string& relative) {
    return relative.empty() ? std::string(HiveName(root)) : std::string(HiveName(root)) + '\\' + relative;
}

const RegValue& Lookup(const RegistryTree& tree, const std::string& keyPath, const std::string& name,
                       RegValue::Kind kind) {
    const RegKey* key = tree.Find(keyPath);
    auto it = key != nullptr ? key->values.find(FoldCase(name)) : std::map<std::string, RegValue>::const_iterator();
    if (key == nullptr || it == key->values.end()) {
        throw ERegistryException("Registry-Wert '" + name + "' nicht vorhanden");
    }
    if (it->second.kind != kind) throw ERegistryException("Ungültiger Datentyp für '" + name + "'");
    return it->second;
}

}  // namespace

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    if (key.find_first_of("\r\n") != std::string::npos) return false;
    std::string relative = Resolve(currentKey_, key);
    if (!relative.empty() && !KeyExists('\\' + relative)) {
        if (!canCreate) return false;
        std::string full = Full(root_, relative);
        try {
            ModifyRegistry(storePath_, [&](RegistryTree& tree) {
                if (tree.Find(full) != nullptr) return false;
                tree.Ensure(full);
                return true;
            });
        } catch (const ERegistryException&) {
            return false;  // callers report a key that cannot be created themselves
        }
    }
    currentKey_ = relative;
    keyOpen_ = true;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) { return OpenKey(key, false); }

void TRegistry::CloseKey() {
    currentKey_.clear();
    keyOpen_ = false;
}

bool TRegistry::KeyExists(const std::string& key) const {
    std::string relative = Resolve(currentKey_, key);
    return relative.empty() || LoadRegistry(storePath_).Find(Full(root_, relative)) != nullptr;
}

bool TRegistry::DeleteKey(const std::string& key) {
    std::string relative = Resolve(currentKey_, key);
    if (relative.empty()) return false;
    bool existed = false;
    ModifyRegistry(storePath_, [&](RegistryTree& tree) {
        existed = tree.Erase(Full(root_, relative));
        return existed;
    });
    return existed;
}

std::string TRegistry::CurrentPath() const { return currentKey_; }

bool TRegistry::ValueExists(const std::string& name) const {
    RegistryTree tree = LoadRegistry(storePath_);
    const RegKey* key = tree.Find(Full(root_, currentKey_));
    return key != nullptr && key->values.count(FoldCase(name)) != 0;
}

bool TRegistry::DeleteValue(const std::string& name) {
    bool existed = false;
    ModifyRegistry(storePath_, [&](RegistryTree& tree) {
        RegKey* key = tree.Find(Full(root_, currentKey_));
        existed = key != nullptr && key->values.erase(FoldCase(name)) != 0;
        return existed;
    });
    return existed;
}

std::string TRegistry::ReadString(const std::string& name) const {
    return Lookup(LoadRegistry(storePath_), Full(root_, currentKey_), name, RegValue::Kind::String).text;
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
    return static_cast<int32_t>(
        Lookup(LoadRegistry(storePath_), Full(root_, currentKey_), name, RegValue::Kind::Dword).dword);
}

bool TRegistry::ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }

std::vector<uint8_t> TRegistry::ReadBinaryData(const std::string& name) const {
    return Lookup(LoadRegistry(storePath_), Full(root_, currentKey_), name, RegValue::Kind::Binary).bytes;
}

void TRegistry::WriteValue(RegValue value) {
    std::string full = Full(root_, currentKey_);
    ModifyRegistry(storePath_, [&](RegistryTree& tree) {
        std::string folded = FoldCase(value.name);
        tree.Ensure(full).values[folded] = value;
        return true;
    });
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    RegValue v;
    v.kind = RegValue::Kind::String;
    v.name = name;
    v.text = value;
    WriteValue(std::move(v));
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
    RegValue v;
    v.kind = RegValue::Kind::Dword;
    v.name = name;
    v.dword = static_cast<uint32_t>(value);
    WriteValue(std::move(v));
}

void TRegistry::WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

void TRegistry::WriteBinaryData(const std::string& name, const std::vector<uint8_t>& value) {
    RegValue v;
    v.kind = RegValue::Kind::Binary;
    v.name = name;
    v.bytes = value;
    WriteValue(std::move(v));
}

}  // namespace platform
