#pragma once
// The program's texts break lines at CR; Qt breaks them at LF. A hint is
// the tooltip, "|" and a status-bar text, which this program leaves empty.

#include <QString>

namespace platform {

inline QString CrLines(QString text) { return text.replace(QChar('\r'), QChar('\n')); }

// A hint's tooltip: the part before its "|".
inline QString Hint(const char* hint) { return CrLines(QString::fromUtf8(hint).section(QChar('|'), 0, 0)); }

}  // namespace platform
