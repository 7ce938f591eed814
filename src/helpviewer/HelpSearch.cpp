#include "helpviewer/HelpSearch.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace helpviewer {

namespace fs = std::filesystem;

namespace {

// Windows-1252 upper case, so that a word typed in small letters finds its
// capitals: a to z, and the small letters 0xE0 to 0xFE (but the division
// sign 0xF7) to 0xC0 to 0xDE; the sharp s 0xDF has no capital and stays.
std::string UpperCp1252(std::string s) {
    for (char& c : s) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) c = char(b - 0x20);
    }
    return s;
}

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

// The file as text with CR LF line ends.
std::string ReadText(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot open file \"" + file + "\"");
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("Cannot open file \"" + file + "\"");
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\n' && (i == 0 || raw[i - 1] != '\r')) text += '\r';
        text += raw[i];
    }
    return text;
}

bool IsRealFolder(const std::string& path) {
    // A symlink to a folder is not walked: loops would never end.
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(path, ec));
}

}  // namespace

void CollectFolderEntries(const std::string& folder, std::vector<std::string>& work) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) work.push_back(folder + "/" + it->path().filename().string());
}

int CountHits(std::string contents, std::string text) {
    if (text.empty()) return 0;
    contents = UpperCp1252(std::move(contents));
    text = UpperCp1252(std::move(text));
    int count = 0;
    size_t from = 0;
    for (size_t p; (p = contents.find(text, from)) != std::string::npos; from = p + 2) ++count;
    return count;
}

std::string TextBetweenTags(const std::string& text, const std::string& tag) {
    const std::string open = "<" + tag + ">", close = "</" + tag + ">";
    const size_t o = text.rfind(open);
    if (o == std::string::npos) return {};
    const size_t c = text.rfind(close);
    const size_t start = o + open.size();
    if (c == std::string::npos || c < start) return {};
    return text.substr(start, c - start);
}

std::string DecodeUmlautEntities(std::string text) {
    for (size_t p; (p = text.find("uml;")) != std::string::npos;) {
        const char letter = p >= 1 ? text[p - 1] : ' ';
        char decoded = ' ';
        switch (letter) {
        case 'A': decoded = char(196); break;
        case 'O': decoded = char(214); break;
        case 'U': decoded = char(220); break;
        case 'a': decoded = char(228); break;
        case 'o': decoded = char(246); break;
        case 'u': decoded = char(252); break;
        default: break;
        }
        // Near the start there are fewer than two characters to take along.
        const size_t from = p >= 2 ? p - 2 : 0;
        text.replace(from, p + 4 - from, 1, decoded);
    }
    return text;
}

void ScoreHelpFile(const std::string& file, const std::string& text, std::vector<TSearchResult>& results) {
    const std::string contents = ReadText(file);
    const std::string title = DecodeUmlautEntities(TextBetweenTags(contents, "title"));
    const int count = CountHits(contents, text);
    if (count <= 0) return;
    char number[16];
    std::snprintf(number, sizeof number, "%.5d", 99999 - count);
    results.push_back({std::string(number) + " " + title + " @" + file, title, file});
}

std::vector<TSearchResult> SearchHelpFolder(const std::string& folder, const std::string& text) {
    std::vector<std::string> work;
    std::vector<TSearchResult> results;
    CollectFolderEntries(folder, work);
    for (size_t i = 0; i < work.size(); ++i) {
        const std::string entry = work[i];
        if (IsRealFolder(entry)) {
            CollectFolderEntries(entry, work);
            continue;
        }
        const std::string name = fs::path(entry).filename().string();
        const size_t dot = name.rfind('.');
        const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
        if (ext == ".htm" || ext == ".html") ScoreHelpFile(entry, text, results);
    }
    // The list sorts ignoring case, the whole line being the key.
    std::stable_sort(results.begin(), results.end(), [](const TSearchResult& a, const TSearchResult& b) {
        return LowerAscii(a.Line) < LowerAscii(b.Line);
    });
    return results;
}

std::string ShownPart(const std::string& line) {
    const size_t at = line.find('@');
    if (line.size() <= 6) return {};
    return line.substr(6, at == std::string::npos ? std::string::npos : at - 6);
}

}  // namespace helpviewer
