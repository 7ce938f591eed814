#pragma once
// The single-byte code pages of the character sets the engine meets. Section
// text stays bytes; it becomes Unicode only where it is measured or drawn.

#include <cstdint>
#include <string>
#include <string_view>

namespace htmlengine {

// Character set numbers of fonts.
constexpr uint8_t ANSI_CHARSET = 0;
constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t GREEK_CHARSET = 161;
constexpr uint8_t TURKISH_CHARSET = 162;
constexpr uint8_t BALTIC_CHARSET = 186;
constexpr uint8_t RUSSIAN_CHARSET = 204;
constexpr uint8_t EASTEUROPE_CHARSET = 238;

// The code point of one byte in the code page of a character set (1250 for
// 238, 1251 for 204, 1253 for 161, 1254 for 162, 1257 for 186, else 1252).
// Bytes a page leaves undefined map to the C1 control of the same number.
char16_t CharsetByteToUnicode(uint8_t charset, uint8_t byte);

// Bytes as UTF-16 in the code page of the character set.
std::u16string CharsetBytesToUtf16(uint8_t charset, std::string_view bytes);

// The Windows-1252 byte of a 16-bit character, or '?' when there is none.
uint8_t UnicodeToAnsiByte(char16_t ch);

}  // namespace htmlengine
