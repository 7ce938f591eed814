#include "platform/Registry.h"

#include <cstdlib>
#include <utility>

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

struct TRegistry::Cache {
    FileStamp stamp;
    RegistryTree tree;  // the file as read, with pending_ applied
};

TRegistry::TRegistry(RegRoot root) : TRegistry(root, RegistryFilePath()) {}

TRegistry::TRegistry(RegRoot root, std::string storePath) : root_(root), storePath_(std::move(storePath)) {}

TRegistry::TRegistry(TRegistry&& other) noexcept
    : root_(other.root_),
      storePath_(std::move(other.storePath_)),
      currentKey_(std::move(other.currentKey_)),
      pending_(std::exchange(other.pending_, {})),
      cache_(std::move(other.cache_)) {}

TRegistry::~TRegistry() {
    try {
        Flush();
    } catch (const ERegistryException&) {
        // Nothing to tell anybody any more.
    }
}

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

const RegistryTree& TRegistry::View() const {
    FileStamp stamp = StampOf(storePath_);
    if (!cache_ || !(cache_->stamp == stamp)) {
        auto fresh = std::make_unique<Cache>();
        fresh->stamp = stamp;
        fresh->tree = LoadRegistry(storePath_);
        for (const Change& change : pending_) change(fresh->tree);
        cache_ = std::move(fresh);
    }
    return cache_->tree;
}

void TRegistry::Gather(Change change) {
    View();
    change(cache_->tree);
    pending_.push_back(std::move(change));
}

void TRegistry::Flush() {
    if (pending_.empty()) return;
    std::vector<Change> changes = std::move(pending_);
    pending_.clear();
    cache_.reset();
    ModifyRegistry(storePath_, [&](RegistryTree& tree) {
        for (const Change& change : changes) change(tree);
        return true;
    });
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    Flush();
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
            return false;
        }
    }
    currentKey_ = relative;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) { return OpenKey(key, false); }

void TRegistry::CloseKey() {
    Flush();
    currentKey_.clear();
}

bool TRegistry::KeyExists(const std::string& key) const {
    std::string relative = Resolve(currentKey_, key);
    return relative.empty() || View().Find(Full(root_, relative)) != nullptr;
}

bool TRegistry::DeleteKey(const std::string& key) {
    Flush();
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
    const RegKey* key = View().Find(Full(root_, currentKey_));
    return key != nullptr && key->values.count(FoldCase(name)) != 0;
}

bool TRegistry::DeleteValue(const std::string& name) {
    if (!ValueExists(name)) return false;
    std::string full = Full(root_, currentKey_);
    std::string folded = FoldCase(name);
    Gather([full, folded](RegistryTree& tree) {
        if (RegKey* key = tree.Find(full)) key->values.erase(folded);
    });
    return true;
}

std::string TRegistry::ReadString(const std::string& name) const {
    return Lookup(View(), Full(root_, currentKey_), name, RegValue::Kind::String).text;
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
    return static_cast<int32_t>(Lookup(View(), Full(root_, currentKey_), name, RegValue::Kind::Dword).dword);
}

bool TRegistry::ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }

std::vector<uint8_t> TRegistry::ReadBinaryData(const std::string& name) const {
    return Lookup(View(), Full(root_, currentKey_), name, RegValue::Kind::Binary).bytes;
}

void TRegistry::WriteValue(RegValue value) {
    std::string full = Full(root_, currentKey_);
    std::string folded = FoldCase(value.name);
    Gather([full, folded, value = std::move(value)](RegistryTree& tree) { tree.Ensure(full).values[folded] = value; });
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
