#include "platform/FileFilter.h"

namespace platform {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

std::vector<FileFilter> ParseFileFilter(const std::string& filter) {
    std::vector<FileFilter> filters;
    if (filter.empty()) return filters;
    std::vector<std::string> parts = Split(filter, '|');
    for (size_t i = 0; i < parts.size(); i += 2) {
        FileFilter f;
        f.description = parts[i];
        if (i + 1 < parts.size()) {
            for (std::string& pattern : Split(parts[i + 1], ';')) {
                size_t first = pattern.find_first_not_of(' ');
                if (first == std::string::npos) continue;
                pattern = pattern.substr(first, pattern.find_last_not_of(' ') - first + 1);
                f.patterns.push_back(pattern == "*.*" ? "*" : pattern);
            }
        }
        if (f.patterns.empty()) f.patterns.push_back("*");
        filters.push_back(std::move(f));
    }
    return filters;
}

std::string AnyCasePattern(const std::string& pattern) {
    if (pattern.find('[') != std::string::npos) return pattern;
    std::string out;
    for (char c : pattern) {
        const bool lower = c >= 'a' && c <= 'z';
        const bool upper = c >= 'A' && c <= 'Z';
        if (!lower && !upper) {
            out += c;
            continue;
        }
        const char small = lower ? c : char(c - 'A' + 'a');
        out += {'[', small, char(small - 'a' + 'A'), ']'};
    }
    return out;
}

}  // namespace platform
