#include "htmlengine/LinkResolver.h"

#include "htmlengine/PageUn2.h"
#include "platform/CodePage.h"
#include "platform/ProgramFolder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace htmlengine {

namespace fs = std::filesystem;

TSplitName SplitAnchor(const std::string& name) {
    const size_t hash = name.find('#');
    if (hash == std::string::npos) return {name, {}};
    return {name.substr(0, hash), name.substr(hash + 1, kMaxAnchorLength)};
}

std::string LinkExtension(const std::string& file) {
    const size_t slash = file.find_last_of("/\\");
    const size_t dot = file.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return UpperAscii(file.substr(dot, 5));
}

TLinkTarget ClassifyLink(const std::string& file) {
    const std::string e = LinkExtension(file);
    if (e == ".HTM" || e == ".HTML") return TLinkTarget::Html;
    if (e == ".BMP" || e == ".GIF" || e == ".JPG" || e == ".JPEG" || e == ".PNG") return TLinkTarget::Picture;
    return TLinkTarget::Other;
}

std::string ExpandFullPath(const std::string& path) {
    if (path.empty()) return path;
    fs::path p(path);
    if (p.is_relative()) {
        std::error_code ec;
        const fs::path cwd = fs::current_path(ec);
        if (!ec) p = cwd / p;
    }
    std::string out = p.lexically_normal().string();
    // "a/b/" stays a folder; a file name never ends in "/".
    return out;
}

std::string FolderOf(const std::string& file) {
    const size_t slash = file.find_last_of('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

std::string FindFileNoCase(const std::string& path) {
    std::error_code ec;
    if (path.empty() || fs::exists(fs::path(path), ec)) return path;
    return platform::ResolvePathCaseInsensitive(path);
}

namespace {

// Page bytes are Windows-1252; file names are UTF-8.
std::string ToFileSystem(const std::string& bytes) {
    const bool plain = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uint8_t(c) < 0x80; });
    return plain ? bytes : platform::BytesToUtf8(platform::CodePage::Cp1252, bytes);
}

bool IsFileUrl(const std::string& link) {
    return UpperAscii(link.substr(0, 8)) == "FILE:///";
}

// The engine's conversion, then POSIX separators; a file URL keeps its root.
std::string ToPosixPath(const std::string& link, bool convert) {
    std::string s = LinkToFilePath(link);
    std::replace(s.begin(), s.end(), '\\', '/');
    if (IsFileUrl(link) && (s.empty() || s[0] != '/')) s.insert(0, "/");
    return convert ? ToFileSystem(s) : s;
}

std::string Resolve(const std::string& trimmed, const TLinkContext& context, bool convert) {
    std::string s = ToPosixPath(trimmed, convert);
    if (!s.empty() && s[0] == '/' && !IsFileUrl(trimmed)) {
        std::string root = context.ServerRoot;
        std::replace(root.begin(), root.end(), '\\', '/');
        s.insert(0, root);
    }
    if (!s.empty() && s[0] == '/') return FindFileNoCase(ExpandFullPath(s));
    if (SameTextNoCase(context.Base, "DosPath")) return s;
    std::string prefix = context.Base.empty() ? FolderOf(context.LoadedFileName) : ToPosixPath(context.Base, convert);
    // A plain concatenation: a BASE without its trailing separator glues the names.
    return FindFileNoCase(ExpandFullPath(prefix + s));
}

}  // namespace

std::string ResolveLinkToFile(const std::string& link, const TLinkContext& context) {
    const std::string trimmed = TrimText(link);
    const bool plain = std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return uint8_t(c) < 0x80; });
    if (plain) return Resolve(trimmed, context, false);
    // The viewer's own names (a picture page) are already the file system's.
    std::error_code ec;
    std::string raw = Resolve(trimmed, context, false);
    if (fs::exists(fs::path(raw), ec)) return raw;
    return Resolve(trimmed, context, true);
}

}  // namespace htmlengine
