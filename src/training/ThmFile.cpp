#include "training/ThmFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

std::string TrimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::optional<uint8_t> Number(const std::string& line) {
    const std::string text = TrimBlanks(line);
    std::size_t i = 0;
    if (i < text.size() && text[i] == '+') ++i;
    if (i == text.size() || text.size() - i > 3) return std::nullopt;
    int value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (value > 255) return std::nullopt;
    return uint8_t(value);
}

// Lines end at LF, CR LF or CR.
std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

std::optional<ThmInfo> ParseThm(const std::string& bytes) {
    const std::vector<std::string> lines = SplitLines(bytes);
    if (lines.size() < 3) return std::nullopt;
    const std::optional<uint8_t> first = Number(lines[1]);
    const std::optional<uint8_t> last = Number(lines[2]);
    if (!first || !last) return std::nullopt;
    ThmInfo info;
    info.pattern = lines[0];
    // Series made on other systems name their folders with "\".
    std::replace(info.pattern.begin(), info.pattern.end(), '\\', '/');
    info.first = *first;
    info.last = *last;
    return info;
}

std::string PictureName(const std::string& pattern, int n) {
    const auto hash = pattern.find('#');
    if (hash == std::string::npos) return pattern;
    return pattern.substr(0, hash) + std::to_string(n) + pattern.substr(hash + 1);
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        return false;
    }
    return !in.bad();
}

ThmSeries LoadThmSeries(const std::string& infoFileName, const FileProbe& fileExists) {
    ThmSeries series;
    std::string bytes;
    std::optional<ThmInfo> info;
    if (ReadFileBytes(infoFileName, bytes)) info = ParseThm(bytes);
    if (!info) {
        series.error = ThmSeries::Error::Read;
        return series;
    }
    series.info = *info;
    if (info->pattern.find('#') == std::string::npos) {
        series.error = ThmSeries::Error::NoHash;
        return series;
    }
    if (fileExists(PictureName(info->pattern, info->first))) return series;
    std::string pattern = info->pattern;
    while (!pattern.empty() && pattern.front() == '/') pattern.erase(0, 1);
    std::string folder = FolderOf(infoFileName);
    if (folder.back() != '/') folder += '/';
    series.info.pattern = folder + pattern;
    if (!fileExists(PictureName(series.info.pattern, info->first))) series.error = ThmSeries::Error::NoPictures;
    return series;
}
