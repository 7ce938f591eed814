#include "training/ui/LineEditCaret.h"

#include "platform/CodePage.h"

std::string EditBytes(const QString& text, uint8_t charset) {
    const platform::CodePage page = platform::CodePageForCharset(charset);
    std::string bytes;
    for (const char32_t c : text.toUcs4()) bytes += char(platform::UnicodeToByte(page, c).value_or('?'));
    return bytes;
}

QString BytesText(const std::string& bytes, uint8_t charset) {
    return QString::fromStdString(platform::BytesToUtf8(platform::CodePageForCharset(charset), bytes));
}

std::string LineEditCaret::Text() const { return EditBytes(edit_.text(), charset_); }

void LineEditCaret::SetText(const std::string& text) { edit_.setText(BytesText(text, charset_)); }
