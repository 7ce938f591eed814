#include "platform/CodePage.h"

#include "platform/CodePageTables.h"

namespace platform {
namespace {

const char16_t* Table(CodePage page) { return UpperHalfOfCodePage(page == CodePage::Cp1250 ? 1250 : 1252); }

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The code point starting at text[i], advancing i; nothing when the bytes
// are not well-formed UTF-8.
std::optional<char32_t> NextCodePoint(const std::string& text, size_t& i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return std::nullopt;
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    i += length;
    return cp;
}

}  // namespace

CodePage CodePageForCharset(uint8_t charset) { return charset == 238 ? CodePage::Cp1250 : CodePage::Cp1252; }

char32_t ByteToUnicode(CodePage page, uint8_t byte) {
    if (byte < 0x80) return byte;
    char16_t cp = Table(page)[byte - 0x80];
    return cp != 0 ? cp : byte;
}

std::optional<uint8_t> UnicodeToByte(CodePage page, char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<uint8_t>(codePoint);
    const char16_t* table = Table(page);
    for (size_t i = 0; i < 128; ++i) {
        char32_t mapped = table[i] != 0 ? table[i] : static_cast<char32_t>(0x80 + i);
        if (mapped == codePoint) return static_cast<uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

std::string BytesToUtf8(CodePage page, const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) AppendUtf8(out, ByteToUnicode(page, static_cast<uint8_t>(c)));
    return out;
}

std::optional<std::string> Utf8ToBytes(CodePage page, const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        std::optional<char32_t> cp = NextCodePoint(utf8, i);
        if (!cp) return std::nullopt;
        std::optional<uint8_t> byte = UnicodeToByte(page, *cp);
        if (!byte) return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

}  // namespace platform
