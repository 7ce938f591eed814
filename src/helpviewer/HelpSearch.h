#pragma once
// Full-text search over the help folder: every ".htm" and ".html" file of
// the tree is read and its hits of the search text counted; one result per
// file with hits, sorted by most hits, then title, then path.

#include <string>
#include <vector>

namespace helpviewer {

struct TSearchResult {
    std::string Line;   // "%.5d %s @%s" of 99999 - hits, title, path: the sort key
    std::string Title;  // page bytes, umlaut entities decoded
    std::string Path;
};

// Sorted as the result list shows them. A file that cannot be read throws
// std::runtime_error and ends the search.
std::vector<TSearchResult> SearchHelpFolder(const std::string& folder, const std::string& text);

// Appends folder + "/" + name for every entry but "." and "..".
void CollectFolderEntries(const std::string& folder, std::vector<std::string>& work);
void ScoreHelpFile(const std::string& file, const std::string& text, std::vector<TSearchResult>& results);
// Hits as the search counts them: after each hit it goes on one character past the hit's start.
int CountHits(std::string contents, std::string text);
// Between the last "<tag>" and the last "</tag>" (exact case), else empty.
std::string TextBetweenTags(const std::string& text, const std::string& tag);
std::string DecodeUmlautEntities(std::string text);
// The shown part of a line: from its 7th character to before the first "@".
std::string ShownPart(const std::string& line);

}  // namespace helpviewer
