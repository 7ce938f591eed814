#include "platform/ui/Glyphs.h"

#include <QFile>

namespace platform {

QIcon OwnGlyph(const char* name) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/Symbole/%1-%2.png").arg(QLatin1String(name)).arg(size);
        if (QFile::exists(file)) icon.addFile(file, QSize(size, size));
    }
    return icon;
}

QIcon Glyph(const char* themeName, const char* name) {
    return QIcon::fromTheme(QLatin1String(themeName), OwnGlyph(name));
}

QIcon MainProgramIcon() { return OwnGlyph("pelko32"); }

QIcon HelpViewerIcon() { return OwnGlyph("pelkohilfe"); }

}  // namespace platform
