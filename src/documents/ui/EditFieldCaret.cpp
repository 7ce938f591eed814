#include "documents/ui/EditFieldCaret.h"

#include "documents/ui/CodePageText.h"
#include "platform/CodePage.h"

std::string FieldBytes(const QString& text, uint8_t charset) {
    return BytesFromText(platform::CodePageForCharset(charset), text);
}

std::optional<std::string> ExactFieldBytes(const QString& text, uint8_t charset) {
    return platform::Utf8ToBytes(platform::CodePageForCharset(charset), text.toStdString());
}

QString FieldText(const std::string& bytes, uint8_t charset) {
    return TextFromBytes(platform::CodePageForCharset(charset), bytes);
}

std::optional<char> TypedByte(const QString& typed, uint8_t charset) {
    const QList<uint> codes = typed.toUcs4();
    if (codes.size() != 1) return std::nullopt;
    const auto byte = platform::UnicodeToByte(platform::CodePageForCharset(charset), char32_t(codes[0]));
    if (!byte) return std::nullopt;
    return char(*byte);
}

std::string EditFieldCaret::Text() const { return FieldBytes(edit_.text(), charset_); }

void EditFieldCaret::SetText(const std::string& text) { edit_.setText(FieldText(text, charset_)); }
