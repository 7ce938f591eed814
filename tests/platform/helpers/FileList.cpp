// Opens the program's open dialog on a folder, under the programs'
// application object, and prints the size, type and date it lists for one
// file of it, one a line.
#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

#include "platform/ui/PelkoApplication.h"
#include "platform/ui/QtDialogs.h"

namespace {

// The dialog's texts for the file named, once the folder has been read.
QStringList Details(const QFileDialog& dialog, const QString& name) {
    const auto* view = dialog.findChild<QTreeView*>();
    if (view == nullptr) return {};
    const QAbstractItemModel* model = view->model();
    const QModelIndex folder = view->rootIndex();
    for (int row = 0; row < model->rowCount(folder); ++row) {
        if (model->index(row, 0, folder).data().toString() != name) continue;
        QStringList texts;
        for (int column = 1; column <= 3; ++column) texts << model->index(row, column, folder).data().toString();
        if (!texts.contains(QString())) return texts;
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    platform::PelkoApplication app(argc, argv, "Pelko32");
    if (argc != 3) return 2;
    const QString name = QString::fromLocal8Bit(argv[2]);
    QStringList details;
    int turns = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        details = Details(*dialog, name);
        if (!details.isEmpty() || ++turns > 1000) dialog->reject();
    });
    poll.start(10);
    platform::FileDialogRequest request;
    request.title = "Öffnen";
    request.initialDir = argv[1];
    platform::QtDialogs(platform::Program::Main).OpenFileDialog(request);
    for (const QString& text : details) std::printf("%s\n", text.toUtf8().constData());
    return details.isEmpty() ? 1 : 0;
}
