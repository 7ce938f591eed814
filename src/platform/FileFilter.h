#pragma once
// The filter list of a file dialog in its Windows form,
// "Description|*.plk;*.plv|Other|*.*": pairs of a description and patterns.

#include <string>
#include <vector>

namespace platform {

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;  // "*.*" becomes "*", which matches every file here
};

std::vector<FileFilter> ParseFileFilter(const std::string& filter);

// The pattern that matches names of any letter case, as Windows does:
// "*.PLK" becomes "*.[pP][lL][kK]". A pattern with a set of its own stays.
std::string AnyCasePattern(const std::string& pattern);

}  // namespace platform
