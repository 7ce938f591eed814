#pragma once
// Single-byte Windows code pages. Vocabulary data is held as bytes in the code
// page of the font it is shown in: character set 238 (Central European) means
// Windows-1250, every other character set Windows-1252.

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

enum class CodePage { Cp1252, Cp1250 };

CodePage CodePageForCharset(uint8_t charset);

// The Unicode code point of one byte; never fails (the bytes Windows-1252
// leaves undefined map to the C1 control of the same number).
char32_t ByteToUnicode(CodePage page, uint8_t byte);
// The byte of one code point, or nothing when the page has no such character.
std::optional<uint8_t> UnicodeToByte(CodePage page, char32_t codePoint);

// Whole strings, UTF-8 on the Unicode side.
std::string BytesToUtf8(CodePage page, const std::string& bytes);
// Nothing when a character has no code in the page (or the text is not
// valid UTF-8); the caller then refuses the text.
std::optional<std::string> Utf8ToBytes(CodePage page, const std::string& utf8);

}  // namespace platform
