#include "platform/RegistryFile.h"

#include <optional>

#include "platform/CaseFold.h"

namespace platform {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a quoted string at the start of s (s[0] == '"'); advances s past it.
std::optional<std::string> ReadQuoted(std::string_view& s) {
    std::string out;
    for (size_t i = 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\') {
            if (++i == s.size()) return std::nullopt;
            switch (s[i]) {
                case '\\': out += '\\'; break;
                case '"': out += '"'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                default: return std::nullopt;
            }
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> ReadDword(std::string_view s) {
    if (s.empty() || s.size() > 8) return std::nullopt;
    uint32_t v = 0;
    for (char c : s) {
        int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        v = (v << 4) | static_cast<uint32_t>(d);
    }
    return v;
}

std::optional<std::vector<uint8_t>> ReadHex(std::string_view s) {
    std::vector<uint8_t> out;
    s = Trim(s);
    while (!s.empty()) {
        if (s.size() < 2) return std::nullopt;
        int hi = HexDigit(s[0]);
        int lo = HexDigit(s[1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out.push_back(static_cast<uint8_t>(hi * 16 + lo));
        s = Trim(s.substr(2));
        if (s.empty()) break;
        if (s.front() != ',') return std::nullopt;
        s = Trim(s.substr(1));
        if (s.empty()) return std::nullopt;
    }
    return out;
}

// One value line; nothing when it cannot be read.
std::optional<RegValue> ReadValueLine(std::string_view line) {
    RegValue value;
    if (line.front() == '@') {
        line.remove_prefix(1);
    } else {
        auto name = ReadQuoted(line);
        if (!name) return std::nullopt;
        value.name = *name;
    }
    line = Trim(line);
    if (line.empty() || line.front() != '=') return std::nullopt;
    line = Trim(line.substr(1));
    if (!line.empty() && line.front() == '"') {
        auto text = ReadQuoted(line);
        if (!text || !Trim(line).empty()) return std::nullopt;
        value.kind = RegValue::Kind::String;
        value.text = *text;
    } else if (line.substr(0, 6) == "dword:") {
        auto v = ReadDword(line.substr(6));
        if (!v) return std::nullopt;
        value.kind = RegValue::Kind::Dword;
        value.dword = *v;
    } else if (line.substr(0, 4) == "hex:") {
        auto bytes = ReadHex(line.substr(4));
        if (!bytes) return std::nullopt;
        value.kind = RegValue::Kind::Binary;
        value.bytes = std::move(*bytes);
    } else {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

void AppendQuoted(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    out += '"';
}

}  // namespace

bool KeyPathLess::operator()(const std::string& a, const std::string& b) const {
    auto rank = [](char c) { return c == '\\' ? 0u : static_cast<unsigned char>(c) + 1u; };
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return rank(a[i]) < rank(b[i]);
    }
    return a.size() < b.size();
}

std::string NormalizeKeyPath(std::string_view path) {
    std::string out;
    while (!path.empty()) {
        size_t end = path.find('\\');
        std::string_view part = path.substr(0, end);
        if (!part.empty()) {
            if (!out.empty()) out += '\\';
            out += part;
        }
        if (end == std::string_view::npos) break;
        path.remove_prefix(end + 1);
    }
    return out;
}

RegKey& RegistryTree::Ensure(const std::string& path) {
    std::string normal = NormalizeKeyPath(path);
    RegKey* key = nullptr;
    size_t pos = 0;
    while (true) {
        size_t end = normal.find('\\', pos);
        std::string prefix = normal.substr(0, end);
        auto [it, inserted] = keys.try_emplace(FoldCase(prefix));
        if (inserted) it->second.path = prefix;
        key = &it->second;
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    return *key;
}

RegKey* RegistryTree::Find(const std::string& path) {
    auto it = keys.find(FoldCase(NormalizeKeyPath(path)));
    return it == keys.end() ? nullptr : &it->second;
}

const RegKey* RegistryTree::Find(const std::string& path) const {
    auto it = keys.find(FoldCase(NormalizeKeyPath(path)));
    return it == keys.end() ? nullptr : &it->second;
}

bool RegistryTree::Erase(const std::string& path) {
    std::string folded = FoldCase(NormalizeKeyPath(path));
    auto it = keys.find(folded);
    if (it == keys.end()) return false;
    std::string prefix = folded + '\\';
    // Subkeys sort directly after their key.
    auto last = std::next(it);
    while (last != keys.end() && last->first.compare(0, prefix.size(), prefix) == 0) ++last;
    keys.erase(it, last);
    return true;
}

ParsedRegistry ParseRegistry(std::string_view bytes) {
    ParsedRegistry result;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::vector<std::string_view> lines = SplitLines(bytes);
    size_t i = 0;
    while (i < lines.size() && Trim(lines[i]).empty()) ++i;
    if (i < lines.size() && Trim(lines[i]) == kHeader) {
        ++i;
    } else if (i < lines.size()) {
        result.damaged = true;
    }
    RegKey* current = nullptr;
    for (; i < lines.size(); ++i) {
        std::string_view line = Trim(lines[i]);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            current = nullptr;
            size_t close = line.rfind(']');
            std::string path = close == std::string_view::npos
                                   ? std::string()
                                   : NormalizeKeyPath(line.substr(1, close - 1));
            if (path.empty() || FoldCase(path).compare(0, 5, "hkey_") != 0 ||
                !Trim(line.substr(close + 1)).empty()) {
                result.damaged = true;
                continue;
            }
            current = &result.tree.Ensure(path);
            continue;
        }
        std::string joined;
        if (line.back() == '\\' && line.find("=hex:") != std::string_view::npos) {
            // A long binary value continues on the next lines.
            joined = line.substr(0, line.size() - 1);
            while (i + 1 < lines.size()) {
                std::string_view next = Trim(lines[++i]);
                bool more = !next.empty() && next.back() == '\\';
                joined += more ? next.substr(0, next.size() - 1) : next;
                if (!more) break;
            }
            line = joined;
        }
        std::optional<RegValue> value;
        if (line.front() == '"' || line.front() == '@') value = ReadValueLine(line);
        if (!value || current == nullptr) {
            result.damaged = true;
            continue;
        }
        std::string folded = FoldCase(value->name);
        current->values[folded] = std::move(*value);
    }
    return result;
}

std::string SerializeRegistry(const RegistryTree& tree) {
    static const char* const kDigits = "0123456789abcdef";
    std::string out(kHeader);
    out += "\n\n";
    for (const auto& [folded, key] : tree.keys) {
        out += '[' + key.path + "]\n";
        for (const auto& [name, value] : key.values) {
            if (value.name.empty()) {
                out += '@';
            } else {
                AppendQuoted(out, value.name);
            }
            out += '=';
            switch (value.kind) {
                case RegValue::Kind::String:
                    AppendQuoted(out, value.text);
                    break;
                case RegValue::Kind::Dword:
                    out += "dword:";
                    for (int shift = 28; shift >= 0; shift -= 4) out += kDigits[(value.dword >> shift) & 0xF];
                    break;
                case RegValue::Kind::Binary:
                    out += "hex:";
                    for (size_t b = 0; b < value.bytes.size(); ++b) {
                        if (b > 0) out += ',';
                        out += kDigits[value.bytes[b] >> 4];
                        out += kDigits[value.bytes[b] & 0xF];
                    }
                    break;
            }
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

}  // namespace platform
