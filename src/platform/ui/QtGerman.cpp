#include "platform/ui/QtGerman.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

bool InstallGermanQtTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    // "qt_de" brings the catalogues of every Qt module along.
    if (!translator->load(QStringLiteral("qt_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace platform
