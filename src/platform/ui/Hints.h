#pragma once
// The program's texts break lines at CR; Qt breaks them at LF. A hint is
// the tooltip, "|" and a status-bar text, which this program leaves empty.

#include <QString>
#include <QTextDocument>

namespace platform {

inline QString CrLines(QString text) { return text.replace(QChar('\r'), QChar('\n')); }

// A hint's tooltip: the part before its "|".
inline QString Hint(const char* hint) { return CrLines(QString::fromUtf8(hint).section(QChar('|'), 0, 0)); }

// Outside text (a column name) as a tooltip that shows it as it is: Qt takes
// a tooltip that looks like markup for rich text.
inline QString PlainToolTip(const QString& text) {
    return text.isEmpty() ? text : Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

}  // namespace platform
