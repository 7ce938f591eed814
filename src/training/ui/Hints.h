#pragma once
// The training texts break lines at CR; Qt breaks them at LF. A hint's
// short part stands before its "|".

#include <QString>

inline QString CrLines(QString text) { return text.replace(QChar('\r'), QChar('\n')); }

inline QString HintText(const char* hint) {
    return CrLines(QString::fromUtf8(hint).section(QChar('|'), 0, 0));
}
