#pragma once
// How the viewer turns a link of a page into a file: anchors split off, the
// Windows path rules of the pages mapped onto POSIX paths ("\" and "/" both
// separate, a leading separator is absolute), names relative to the page's
// folder or its BASE, and shipped files found whatever the case of their names.

#include <cstdint>
#include <string>

namespace htmlengine {

// Kinds of shown page.
enum TFileKind : uint8_t { kHtmlFile = 0, kTextFile = 1, kPictureFile = 2 };

constexpr size_t kMaxAnchorLength = 255;

struct TSplitName {
    std::string File;
    std::string Anchor;  // without "#"; at most 255 characters
};
// Split at the first "#".
TSplitName SplitAnchor(const std::string& name);

// The upper-cased extension (with its "."), cut to 5 characters.
std::string LinkExtension(const std::string& file);

enum class TLinkTarget { Html, Picture, Other };
TLinkTarget ClassifyLink(const std::string& file);

// Absolute against the current folder, "." and ".." taken out; symlinks are left alone.
std::string ExpandFullPath(const std::string& path);
// The folder of a file, with its trailing "/".
std::string FolderOf(const std::string& file);

// An existing file or folder whose name differs only in case is found; else the path as given.
std::string FindFileNoCase(const std::string& path);

struct TLinkContext {
    std::string LoadedFileName;
    std::string Base;        // the page's BASE, as written
    std::string ServerRoot;  // prefix for links that start with a separator
};
// The full path a link names (its bytes are the page's code page; the result is the file system's).
std::string ResolveLinkToFile(const std::string& link, const TLinkContext& context);


}  // namespace htmlengine
