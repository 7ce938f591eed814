#pragma once
// Document bytes in dialog fields: shown through the code page of their
// font; characters the page lacks are stored as "?".

#include <QString>
#include <string>

#include "platform/CodePage.h"

inline QString TextFromBytes(platform::CodePage page, const std::string& bytes) {
    return QString::fromStdString(platform::BytesToUtf8(page, bytes));
}

inline std::string BytesFromText(platform::CodePage page, const QString& text) {
    std::string bytes;
    for (char32_t c : text.toStdU32String()) bytes += char(platform::UnicodeToByte(page, c).value_or('?'));
    return bytes;
}
