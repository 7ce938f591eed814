#include "htmlengine/CodePages.h"

#include "platform/CodePageTables.h"

namespace htmlengine {
namespace {

const char16_t* UpperHalf(uint8_t charset) {
    switch (charset) {
    case EASTEUROPE_CHARSET: return platform::UpperHalfOfCodePage(1250);
    case RUSSIAN_CHARSET: return platform::UpperHalfOfCodePage(1251);
    case GREEK_CHARSET: return platform::UpperHalfOfCodePage(1253);
    case TURKISH_CHARSET: return platform::UpperHalfOfCodePage(1254);
    case BALTIC_CHARSET: return platform::UpperHalfOfCodePage(1257);
    default: return platform::UpperHalfOfCodePage(1252);
    }
}
}  // namespace

char16_t CharsetByteToUnicode(uint8_t charset, uint8_t byte) {
    return byte < 128 ? char16_t(byte) : UpperHalf(charset)[byte - 128];
}

std::u16string CharsetBytesToUtf16(uint8_t charset, std::string_view bytes) {
    const char16_t* upper = UpperHalf(charset);
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<uint8_t>(c);
        out.push_back(b < 128 ? char16_t(b) : upper[b - 128]);
    }
    return out;
}

uint8_t UnicodeToAnsiByte(char16_t ch) {
    if (ch < 128 || (ch >= 0xA0 && ch <= 0xFF)) {
        return static_cast<uint8_t>(ch);
    }
    for (int i = 0; i < 32; ++i) {
        // Only the defined characters of 128-159 count.
        if (platform::UpperHalfOfCodePage(1252)[i] == ch && ch > 0xFF) {
            return static_cast<uint8_t>(128 + i);
        }
    }
    return '?';
}

}  // namespace htmlengine
