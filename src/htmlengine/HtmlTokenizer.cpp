#include "htmlengine/HtmlTokenizer.h"

#include "htmlengine/CodePages.h"

#include <algorithm>

namespace htmlengine {
namespace {

bool IsLetter(uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
uint8_t Upper(uint8_t c) { return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c; }
// Bytes a text run takes as they are: no blank, line end, control, '&' or
// '<' (so no comment either).
bool IsPlainTextByte(uint8_t c) { return c > ' ' && c != '&' && c != '<'; }
// Without the bytes 0-32 at both ends.
std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && static_cast<uint8_t>(s.front()) <= 32) s.remove_prefix(1);
    while (!s.empty() && static_cast<uint8_t>(s.back()) <= 32) s.remove_suffix(1);
    return s;
}
// Numeric entities of these values are no characters.
bool IsRejectedControl(uint32_t v) { return v <= 8 || (v >= 11 && v <= 31); }

}  // namespace

void HtmlTokenizer::Begin(std::string_view document, uint8_t mode) {
    buffer_ = document;
    cursor_ = 0;
    ReadMode = mode;
    savedMode_ = mode;
    includeCursor_ = includeEnd_ = nullptr;
    SourcePos = -1;
    LineEnd = 0;
    LCh = LCUpper = CtrlZ;
    TagPos = 0;
    HeadingLevel = 0;
    Sy = EofSy;
    LCToken.Clear();
    Attributes.Clear();
    InScript = InPreformatted = ParagraphBreak = false;
    insideComment_ = false;
    openComment_ = false;
}

uint8_t HtmlTokenizer::ReadRawChar() {
    if (ReadMode == 4) {
        if (includeCursor_ < includeEnd_) {
            return static_cast<uint8_t>(*includeCursor_++);
        }
        ReadMode = savedMode_;
    }
    if (cursor_ >= buffer_.size()) {
        return CtrlZ;
    }
    ++SourcePos;
    return static_cast<uint8_t>(buffer_[cursor_++]);
}

uint8_t HtmlTokenizer::PeekRawChar() {
    if (ReadMode == 4) {
        if (includeCursor_ < includeEnd_) {
            return static_cast<uint8_t>(*includeCursor_);
        }
        ReadMode = savedMode_;
    }
    return cursor_ < buffer_.size() ? static_cast<uint8_t>(buffer_[cursor_]) : CtrlZ;
}

void HtmlTokenizer::ReadNormalizedChar(bool insideComment) {
    uint8_t b = ReadRawChar();
    if ((b == LF && LineEnd == 1) || (b == CR && LineEnd == 2)) {
        b = ReadRawChar();
    }
    if (b == LF) {
        b = CR;
        LineEnd = 2;
    } else if (b == CR) {
        LineEnd = 1;
    } else {
        LineEnd = 0;
        if (b == 9) b = ' ';
    }
    LCh = b;
    LCUpper = Upper(b);
    if (b == CtrlZ && insideComment) {
        throw EParseError();
    }
}

void HtmlTokenizer::SkipCommentBody() {
    for (;;) {
        while (LCh != '-') ReadNormalizedChar(true);
        ReadNormalizedChar(true);
        if (LCh == '-') {
            while (LCh == '-') ReadNormalizedChar(true);
            while (LCh == ' ' || LCh == CR) ReadNormalizedChar(true);
            if (LCh == '>') return;
        }
    }
}

void HtmlTokenizer::AdvanceGeneral() {
    if (openComment_) return;
    try {
        for (;;) {
            ReadNormalizedChar(false);
            if (LCh != '<' || InScript || PeekRawChar() != '!') {
                return;
            }
            ReadNormalizedChar(true);  // the '!'
            ReadNormalizedChar(true);
            if (LCh == '-' && PeekRawChar() == '-') {
                ReadNormalizedChar(true);
                ReadNormalizedChar(true);
                if (Include && LCh == '#' && ReadMode != 4) {
                    RunIncludeCommand();
                } else {
                    SkipCommentBody();
                }
            } else {
                while (LCh != '>') ReadNormalizedChar(true);
            }
        }
    } catch (const EParseError&) {
        // The comment is the end of the input: whatever token is being read
        // ends here and is handed out; the next symbol raises the error.
        openComment_ = true;
        insideComment_ = false;
        LCh = LCUpper = CtrlZ;
    }
}

void HtmlTokenizer::RunIncludeCommand() {
    insideComment_ = true;
    std::string command;
    ReadNormalizedChar(true);
    while (IsLetter(LCh)) {
        command.push_back(static_cast<char>(LCh));
        ReadNormalizedChar(true);
    }
    std::vector<std::string> params;
    HtmlSymbol sym;
    std::string name, value;
    int32_t intValue;
    while (ReadAttribute(sym, name, value, intValue)) {
        params.push_back(name + "=" + value);
    }
    SkipCommentBody();
    insideComment_ = false;
    const char* data = nullptr;
    int32_t size = 0;
    Include(command, std::move(params), data, size);
    if (data && size > 0) {
        savedMode_ = ReadMode;
        ReadMode = 4;
        includeCursor_ = data;
        includeEnd_ = data + size;
    }
}

void HtmlTokenizer::Step() {
    if (insideComment_) {
        ReadNormalizedChar(true);
    } else {
        AdvanceChar();
    }
}

void HtmlTokenizer::SkipBlanks() {
    while (LCh == ' ' || LCh == 9 || LCh == CR) Step();
}

void HtmlTokenizer::NextSymbol() {
    LCToken.Clear();
    if (LCh == CtrlZ) {
        if (openComment_) throw EParseError();
        Sy = EofSy;
    } else if (LCh == '<') {
        ReadTag();
    } else if (LCh == '&') {
        ReadEntity(LCToken);
    } else if (!ReadTextRun()) {
        Sy = OtherCharSy;
        LCToken.AppendChar(static_cast<char>(LCh), SourcePos);
        AdvanceChar();
    }
    if (ParagraphBreak) {
        switch (Sy) {
        case BRSy: case HeadingSy: case HRSy: case ImageSy: case TextSy:
        case TableSy: case InputSy: case TextAreaSy: case SelectSy:
            ParagraphBreak = false;
            break;
        default:
            break;
        }
    }
}

bool HtmlTokenizer::ReadTextRun() {
    while (LCToken.Leng() < 100) {
        uint8_t c = LCh;
        if (c <= 12 || (c >= 14 && c <= 31) || c == '&' || c == '<') {
            break;
        }
        if (!InPreformatted && (c == ' ' || c == CR)) {
            LCToken.AppendChar(context_.NoBreak ? 5 : ' ', SourcePos);
            AdvanceChar();
            while (LCh == ' ' || LCh == 9 || LCh == CR) AdvanceChar();
        } else {
            LCToken.AppendChar(static_cast<char>(c), SourcePos);
            if (IsPlainTextByte(c)) TakePlainBytes();
            AdvanceChar();
        }
    }
    if (LCToken.Leng() == 0) {
        return false;
    }
    Sy = TextSy;
    return true;
}

void HtmlTokenizer::TakePlainBytes() {
    // Read straight from the page, as AdvanceChar would take each of them
    // unchanged. An include's bytes go the long way: they have no positions.
    if (ReadMode == 4) return;
    const size_t room = static_cast<size_t>(std::max(0, 100 - LCToken.Leng()));
    const size_t end = cursor_ + std::min(room, buffer_.size() - cursor_);
    size_t n = cursor_;
    while (n < end && IsPlainTextByte(static_cast<uint8_t>(buffer_[n]))) ++n;
    n -= cursor_;
    LCToken.AppendRun(buffer_.substr(cursor_, n), SourcePos + 1);
    cursor_ += n;
    SourcePos += static_cast<int32_t>(n);
}

HtmlTokenizer::ScriptToken HtmlTokenizer::NextScriptToken(std::string& out) {
    out.clear();
    if (LCh == CtrlZ) {
        InScript = false;
        return ScriptToken::Eof;
    }
    if (LCh == CR) {
        AdvanceChar();
        return ScriptToken::LineEnd;
    }
    if (LCh == '<') {
        out.push_back('<');
        AdvanceChar();
        for (int32_t n = 0; n < 7 && (LCh == '/' || IsLetter(LCh)); ++n) {
            out.push_back(static_cast<char>(LCh));
            AdvanceChar();
        }
        if (LCh == '>') {
            out.push_back('>');
            const bool end = LowerAscii(out) == "</script>";
            // Leave script mode first: what follows the end tag is page again,
            // so a comment or include there must be taken as one.
            if (end) InScript = false;
            AdvanceChar();
            if (end) return ScriptToken::End;
        }
        return ScriptToken::Text;
    }
    while (out.size() < 100 && LCh != CR && LCh != CtrlZ && LCh != '<') {
        out.push_back(static_cast<char>(LCh));
        AdvanceChar();
    }
    return ScriptToken::Text;
}

bool HtmlTokenizer::ReadTag() {
    if (LCh != '<') return false;
    TagPos = SourcePos;
    AdvanceChar();
    bool endTag = false;
    if (LCh == '/') {
        endTag = true;
        AdvanceChar();
    } else if (!IsLetter(LCh)) {
        Sy = TextSy;
        LCToken.AppendChar('<', TagPos);
        return true;
    }
    Sy = OtherSy;
    std::string& name = tagName_;
    name.clear();
    while (IsLetter(LCh)) {
        if (name.size() < 255) name.push_back(static_cast<char>(LCUpper));
        AdvanceChar();
    }
    if (const TagRow* row = LookupTag(name)) {
        if (!endTag) Sy = row->Start;
        else if (row->End >= 0) Sy = static_cast<HtmlSymbol>(row->End);
    }
    SkipBlanks();
    HeadingLevel = 0;
    if ((Sy == HeadingSy || Sy == HeadingEndSy) && LCh >= '1' && LCh <= '6') {
        HeadingLevel = LCh - '0';
        AdvanceChar();
    }
    bool keep = KeepsAttributes(Sy);
    if (keep) Attributes.Clear();
    HtmlSymbol sym;
    int32_t intValue;
    while (ReadAttribute(sym, attrName_, attrValue_, intValue)) {
        if (keep) Attributes.Add(sym, intValue, attrValue_);
    }
    while (LCh != '>' && LCh != CtrlZ) AdvanceChar();
    if (LCh == '>') AdvanceChar();
    return true;
}

bool HtmlTokenizer::ReadAttribute(HtmlSymbol& symbol, std::string& name, std::string& value, int32_t& intValue) {
    symbol = OtherAttributeSy;
    name.clear();
    value.clear();
    SkipBlanks();
    if (!IsLetter(LCh)) return false;
    while (IsLetter(LCh) || LCh == '-') {
        name.push_back(static_cast<char>(LCUpper));
        Step();
    }
    symbol = LookupAttribute(name);
    SkipBlanks();
    intValue = symbol == BorderSy ? 1 : 0;
    if (LCh != '=') return true;
    Step();
    SkipBlanks();
    if (LCh == '"' || LCh == '\'') {
        const uint8_t quote = LCh;
        Step();
        while (LCh != quote && LCh != CtrlZ) {
            if (LCh == CR) {
                Step();
            } else if (LCh == '&') {
                HtmlSymbol saved = Sy;
                TokenObj entity;
                ReadEntity(entity);
                value += entity.Text;
                Sy = saved;
            } else {
                value.push_back(static_cast<char>(LCh));
                Step();
            }
        }
        if (LCh == quote) Step();
        std::string_view t = Trimmed(value);
        if (!t.empty() && t.back() == '%') t.remove_suffix(1);
        intValue = StrToIntDef(t, 0);
    } else if (LCh == '+' || LCh == '-' || IsDigit(LCh)) {
        while (LCh != 9 && LCh != CR && LCh != CtrlZ && LCh != ' ' && LCh != '%' && LCh != '>') {
            value.push_back(static_cast<char>(LCh));
            Step();
        }
        SkipBlanks();
        intValue = StrToIntDef(value, 0);
        if (LCh == '%') {
            value.push_back('%');
            Step();
        }
    } else {
        while (LCh != 9 && LCh != CR && LCh != CtrlZ && LCh != ' ' && LCh != '>') {
            value.push_back(static_cast<char>(LCh));
            Step();
        }
    }
    return true;
}

bool HtmlTokenizer::ReadEntity(TokenObj& out) {
    if (LCh != '&') return false;
    Sy = TextSy;
    const int32_t amp = SourcePos;
    // The text read goes out as it is; an entity then takes its place.
    const size_t raw = out.Text.size();
    auto take = [&] {
        out.AppendChar(static_cast<char>(LCh), SourcePos);
        Step();
    };
    take();
    if (LCh == '#') {
        take();
        std::string digits;
        while (IsDigit(LCh) && digits.size() < 6) {
            digits.push_back(static_cast<char>(LCh));
            take();
        }
        if (!digits.empty() && digits.size() <= 5) {
            if (LCh == ';') take();
            uint32_t v = static_cast<uint32_t>(std::stoul(digits));
            if (v > 255) v &= 0xFFFF;  // a 16-bit character; the same controls stay refused
            if (!IsRejectedControl(v)) {
                uint8_t b = v == 9 ? ' ' : v > 255 ? UnicodeToAnsiByte(static_cast<char16_t>(v)) : static_cast<uint8_t>(v);
                out.Truncate(raw);
                out.AppendChar(static_cast<char>(b), amp);
            }
        }
    } else {
        std::string name;
        while ((IsLetter(LCh) || IsDigit(LCh)) && name.size() < 7) {
            name.push_back(static_cast<char>(LCh));
            take();
        }
        if (!name.empty() && name.size() <= 6) {
            if (LCh == ';') take();
            if (int row = LookupEntity(name)) {
                out.Truncate(raw);
                static const char kFirst[] = {'&', '<', '>', '"', '\'', '-', '\x99'};
                if (row >= 9) {
                    out.AppendChar(static_cast<char>(row + 151), amp);
                } else if (row == 8) {
                    for (int i = 0; i < 3; ++i) out.AppendChar('.', amp + i);
                } else {
                    out.AppendChar(kFirst[row - 1], amp);
                }
            }
        }
    }
    return true;
}

}  // namespace htmlengine
