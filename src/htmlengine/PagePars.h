#pragma once
// The document parser: one pass over the tokenizer's symbols that pours text,
// fonts, links, images and controls straight into sections of the document.
// All its state lives in one parser object per parse.

#include "htmlengine/HtmlTokenizer.h"
#include "htmlengine/PageCells.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace htmlengine {

// Anchors of a page: upper-cased name -> the section open at the anchor.
class TAnchorList {
public:
    std::vector<std::pair<std::string, TSectionBase*>> Items;
    void Add(std::string name, TSectionBase* section) { Items.emplace_back(std::move(name), section); }
    // The first anchor of that (upper-cased) name, or null.
    TSectionBase* Find(std::string_view name) const;
    bool Refers(const TSectionBase* section) const;
    void Clear() { Items.clear(); }
};

using SoundHook = std::function<void(const std::string& source, int32_t loop)>;
using MetaHook = std::function<void(const std::string& httpEquiv, const std::string& name,
                                    const std::string& content)>;

struct ParseHooks {
    IncludeHook Include;
    SoundHook Sound;
    MetaHook Meta;
};

// What the viewer reads after a parse.
struct ParseResult {
    std::string Title;
    std::string Base;
    std::string BaseTarget;
};

// A file that cannot be read.
class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

ParseResult ParseFromFile(TSectionList& doc, TAnchorList& anchors, const std::string& fileName,
                          const ParseHooks& hooks = {});
ParseResult ParseFromBuffer(TSectionList& doc, TAnchorList& anchors, const char* chars, int32_t length,
                            const ParseHooks& hooks = {});
// A plain text file as preformatted lines: no tags, no entities.
ParseResult ParseTextFile(TSectionList& doc, TAnchorList& anchors, const std::string& fileName);

}  // namespace htmlengine
