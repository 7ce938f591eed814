#pragma once
// The reader under the document parser: turns the bytes of one document into
// symbols (tags, attributes, text runs of at most 100 characters with one
// source position per character, single characters, end of input). Comments
// and declarations never reach the symbol readers.

#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/PageUn2.h"
#include "htmlengine/ParseContext.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace htmlengine {

class EParseError : public std::runtime_error {
public:
    EParseError() : std::runtime_error("Open Comment at End of HTML File") {}
};

// Include hook: command name, its "NAME=value" lines, and out a buffer and
// its size; the buffer stays the hook's and must outlive the parse.
using IncludeHook =
    std::function<void(const std::string& command, std::vector<std::string> params, const char*& buffer, int32_t& size)>;

constexpr uint8_t CtrlZ = 26;
constexpr uint8_t CR = 13;
constexpr uint8_t LF = 10;

class HtmlTokenizer {
public:
    explicit HtmlTokenizer(ParseContext& context) : context_(context) {}

    // Resets the reader to the document, which it reads in place: the bytes
    // must stay as they are until the reading ends. Mode 0 a file, 1 a
    // caller's buffer. The caller then reads the first character with
    // AdvanceChar and the symbols with NextSymbol.
    void Begin(std::string_view document, uint8_t mode = 1);

    uint8_t ReadRawChar();
    uint8_t PeekRawChar();
    void ReadNormalizedChar(bool insideComment);
    // The next character, comments skipped.
    void AdvanceChar() {
        // Most bytes are page bytes that need no normalizing and start no
        // comment: those are taken here, the rest on the general path.
        if (ReadMode != 4 && !openComment_ && cursor_ < buffer_.size()) {
            const uint8_t b = static_cast<uint8_t>(buffer_[cursor_]);
            if (b != LF && b != CR && b != 9 && b != '<') {
                ++cursor_;
                ++SourcePos;
                LineEnd = 0;
                LCh = b;
                LCUpper = b >= 'a' && b <= 'z' ? static_cast<uint8_t>(b - 32) : b;
                return;
            }
        }
        AdvanceGeneral();
    }
    void SkipBlanks();
    void NextSymbol();

    bool ReadTag();
    // One attribute: false when no attribute name follows.
    bool ReadAttribute(HtmlSymbol& symbol, std::string& name, std::string& value, int32_t& intValue);
    // At '&': appends the entity's text (or the raw text it failed on) to out.
    bool ReadEntity(TokenObj& out);
    bool ReadTextRun();

    // Script content: comments are kept as script text until the end tag.
    enum class ScriptToken { Text, LineEnd, End, Eof };
    void BeginScript() { InScript = true; }
    // One piece of script text into out; script mode ends at End and Eof.
    ScriptToken NextScriptToken(std::string& out);

    // Reader state.
    uint8_t ReadMode = 1;
    int32_t SourcePos = -1;
    uint8_t LineEnd = 0;
    uint8_t LCh = CtrlZ;
    uint8_t LCUpper = CtrlZ;
    int32_t TagPos = 0;
    int32_t HeadingLevel = 0;
    HtmlSymbol Sy = EofSy;
    TokenObj LCToken;
    TAttributeList Attributes;
    bool InScript = false;
    bool InPreformatted = false;
    bool ParagraphBreak = false;
    IncludeHook Include;

    ParseContext& Context() { return context_; }

private:
    void AdvanceGeneral();
    void Step();
    // After a plain byte of a text run: the plain bytes that follow it.
    void TakePlainBytes();
    void SkipCommentBody();
    void RunIncludeCommand();

    ParseContext& context_;
    std::string_view buffer_;
    size_t cursor_ = 0;
    uint8_t savedMode_ = 1;
    const char* includeCursor_ = nullptr;
    const char* includeEnd_ = nullptr;
    bool insideComment_ = false;
    bool openComment_ = false;  // the input ended inside a comment
    // ReadTag's names and values, kept from tag to tag for their room. An
    // include command read inside a tag has buffers of its own.
    std::string tagName_, attrName_, attrValue_;
};

}  // namespace htmlengine
