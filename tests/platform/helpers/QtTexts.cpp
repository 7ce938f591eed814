// Prints texts of Qt's own dialogs and edit fields as they read under the
// programs' application object, one a line.
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <cstdio>

#include "platform/ui/PelkoApplication.h"

namespace {

void Print(const QString& text) { std::printf("%s\n", text.toUtf8().constData()); }

}  // namespace

int main(int argc, char** argv) {
    platform::PelkoApplication app(argc, argv, "Pelko32");
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    Print(files.findChild<QLabel*>("lookInLabel")->text());
    QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
    for (const QAbstractButton* button : buttons.buttons()) Print(button->text());
    Print(QFontDialog().windowTitle());
    Print(QColorDialog().windowTitle());
    Print(QCoreApplication::translate("QPrintDialog", "Print"));
    Print(QCoreApplication::translate("QPageSetupWidget", "Margins"));
    QLineEdit edit;
    Print(edit.createStandardContextMenu()->actions().first()->text());
    return 0;
}
