#include "platform/ProgramFolder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/CaseFold.h"

namespace platform {
namespace {

std::string& FolderOverride() {
    static std::string folder;
    return folder;
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// The entry of folder whose name matches name ignoring case (the first in
// byte order when several do); empty when none does.
std::string FindEntry(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return {};
    std::vector<std::string> matches;
    std::string folded = FoldCase(name);
    while (dirent* entry = ::readdir(dir)) {
        if (FoldCase(entry->d_name) == folded) matches.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return matches.empty() ? std::string() : *std::min_element(matches.begin(), matches.end());
}

}  // namespace

std::string ProgramFolder() {
    if (!FolderOverride().empty()) return FolderOverride();
    std::string buffer(4096, '\0');
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0) return "./";
    buffer.resize(static_cast<size_t>(n));
    return buffer.substr(0, buffer.rfind('/') + 1);
}

void SetProgramFolder(const std::string& folder) {
    FolderOverride() = folder.empty() || folder.back() == '/' ? folder : folder + '/';
}

std::string ResolvePathCaseInsensitive(const std::string& path) {
    std::string slashed = path;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    if (slashed.empty()) return slashed;
    std::string resolved = slashed.substr(0, slashed.front() == '/' ? 1 : 0);
    size_t pos = resolved.size();
    while (pos < slashed.size()) {
        size_t end = slashed.find('/', pos);
        std::string part = slashed.substr(pos, end - pos);
        pos = end == std::string::npos ? slashed.size() : end + 1;
        if (part.empty()) continue;
        std::string folder = resolved;
        std::string candidate = folder + (folder.empty() || folder.back() == '/' ? "" : "/") + part;
        if (!Exists(candidate)) {
            std::string entry = part == "." || part == ".." ? std::string() : FindEntry(folder, part);
            if (entry.empty()) return slashed;
            candidate = folder + (folder.empty() || folder.back() == '/' ? "" : "/") + entry;
        }
        resolved = candidate;
    }
    if (!slashed.empty() && slashed.back() == '/' && resolved.back() != '/') resolved += '/';
    return resolved;
}

std::string ProgramFile(const std::string& relative) { return ResolvePathCaseInsensitive(ProgramFolder() + relative); }

}  // namespace platform
