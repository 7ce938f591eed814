#include "platform/ui/QtGerman.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

namespace {

QLocale German() { return QLocale(QLocale::German, QLocale::Germany); }

// The columns of Qt's file list.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

class GermanFileList : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role == Qt::DisplayRole && files != nullptr) {
            const QModelIndex source = mapToSource(index);
            // A folder shows no size.
            if (index.column() == kSizeColumn && !files->isDir(source)) {
                return German().formattedDataSize(files->size(source));
            }
            if (index.column() == kDateColumn) return German().toString(files->lastModified(source), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};

}  // namespace

bool SpeakGerman(QCoreApplication& app) {
    // File types are named in the default locale's language.
    QLocale::setDefault(German());
    auto* translator = new QTranslator(&app);
    // "qt_de" brings the catalogues of every Qt module along.
    if (!translator->load(QStringLiteral("qt_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void ListFilesInGerman(QFileDialog& dialog) { dialog.setProxyModel(new GermanFileList(&dialog)); }

}  // namespace platform
