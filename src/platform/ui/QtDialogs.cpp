#include "platform/ui/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/FileFilter.h"
#include "platform/ui/QtGerman.h"

namespace platform {

const BoxTexts& BoxTextsFor(Program program) {
    static const BoxTexts kMain{"Warning", "Error", "Information", "Confirm", "&Yes",    "&No",
                                "OK",      "Cancel", "&Abort",      "&Retry",  "&Ignore", "&Help"};
    static const BoxTexts kHelpViewer{"Warnung", "Fehler",    "Information", "Bestätigen",
                                      "&Ja",     "&Nein",     "OK",          "Abbrechen",
                                      "&Abbrechen", "&Wiederholen", "&Ignorieren", "&Hilfe"};
    return program == Program::HelpViewer ? kHelpViewer : kMain;
}

QString ApplicationTitle() { return QCoreApplication::applicationName(); }

namespace {

QString Caption(const BoxTexts& texts, MsgDlgType type) {
    switch (type) {
        case MsgDlgType::Warning: return texts.warning;
        case MsgDlgType::Error: return texts.error;
        case MsgDlgType::Information: return texts.information;
        case MsgDlgType::Confirmation: return texts.confirm;
        case MsgDlgType::Custom: break;
    }
    return ApplicationTitle();
}

QStyle::StandardPixmap Icon(MsgDlgType type) {
    switch (type) {
        case MsgDlgType::Warning: return QStyle::SP_MessageBoxWarning;
        case MsgDlgType::Error: return QStyle::SP_MessageBoxCritical;
        case MsgDlgType::Information: return QStyle::SP_MessageBoxInformation;
        case MsgDlgType::Confirmation: return QStyle::SP_MessageBoxQuestion;
        case MsgDlgType::Custom: break;
    }
    return QStyle::SP_CustomBase;
}

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

// Qt's own dialog, not the desktop's: it speaks German and stands above the
// program's windows like every other box.
void PrepareFileDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    ListFilesInGerman(dialog);
}

}  // namespace

MessageBox::MessageBox(Program program, const QString& text, MsgDlgType type, MsgDlgButtons buttons,
                       int helpContext, QWidget* parent)
    : QDialog(parent) {
    const BoxTexts& texts = BoxTextsFor(program);
    setWindowTitle(Caption(texts, type));
    setModal(true);

    auto* row = new QHBoxLayout;
    if (Icon(type) != QStyle::SP_CustomBase) {
        auto* icon = new QLabel;
        icon->setPixmap(style()->standardIcon(Icon(type)).pixmap(32, 32));
        icon->setAlignment(Qt::AlignTop);
        row->addWidget(icon);
    }
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    row->addWidget(label, 1);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    struct Kind {
        MsgDlgBtn flag;
        const QString& caption;
        ModalResult result;
    };
    const Kind kinds[] = {
        {mbYes, texts.yes, ModalResult::Yes},          {mbNo, texts.no, ModalResult::No},
        {mbOK, texts.ok, ModalResult::OK},             {mbCancel, texts.cancel, ModalResult::Cancel},
        {mbAbort, texts.abort, ModalResult::Abort},    {mbRetry, texts.retry, ModalResult::Retry},
        {mbIgnore, texts.ignore, ModalResult::Ignore}, {mbHelp, texts.help, ModalResult::None},
    };
    // The defaults of the standard boxes: OK, else Yes, else the first button.
    QPushButton* defaultButton = nullptr;
    for (const Kind& kind : kinds) {
        if ((buttons & kind.flag) == 0) continue;
        auto* button = new QPushButton(kind.caption);
        button->setAutoDefault(false);
        buttons_.append(button);
        buttonRow->addWidget(button);
        if (kind.flag == mbHelp) {
            connect(button, &QPushButton::clicked, this, [helpContext] { ShowHelpContext(helpContext); });
            continue;
        }
        ModalResult result = kind.result;
        connect(button, &QPushButton::clicked, this, [this, result] {
            result_ = result;
            accept();
        });
        if (kind.flag == mbOK || (kind.flag == mbYes && defaultButton == nullptr)) defaultButton = button;
        if (kind.flag == mbCancel || (kind.flag == mbNo && !(buttons & mbCancel)) ||
            (kind.flag == mbOK && !(buttons & (mbCancel | mbNo)))) {
            cancelButton_ = button;
        }
    }
    if (defaultButton == nullptr && !buttons_.isEmpty()) defaultButton = buttons_.first();
    if (defaultButton != nullptr) {
        defaultButton->setDefault(true);
        defaultButton->setFocus();
    }
    buttonRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttonRow);
    // A dialog border: as large as the text needs, neither resized nor maximised.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MessageBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (cancelButton_ != nullptr) cancelButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

QWidget* QtDialogs::Parent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    // The splash goes away by itself; a box must not go with it.
    QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active->windowType() != Qt::SplashScreen) return active;
    return mainWindow_;
}

ModalResult QtDialogs::MessageDlg(const std::string& text, MsgDlgType type, MsgDlgButtons buttons,
                                  int helpContext) {
    MessageBox box(program_, ToQt(text), type, buttons, helpContext, Parent());
    box.exec();
    return box.Result();
}

void QtDialogs::ShowMessage(const std::string& text) { MessageDlg(text, MsgDlgType::Custom, mbOK); }

void QtDialogs::ShowException(const std::string& text) {
    MessageBox box(program_, ToQt(text), MsgDlgType::Error, mbOK, 0, Parent());
    box.setWindowTitle(ApplicationTitle());
    box.exec();
}

std::string QtDialogs::AskPassword(const std::string&) {
    // Passwords are Windows-1252 bytes that only the main program's own
    // prompt gives; no program asks for one through this seam.
    return kCancelMarker;
}

std::optional<std::string> QtDialogs::InputQuery(const std::string& caption, const std::string& prompt,
                                                 const std::string& initial) {
    QInputDialog dialog(Parent());
    dialog.setWindowTitle(ToQt(caption));
    dialog.setLabelText(ToQt(prompt));
    dialog.setTextValue(ToQt(initial));
    dialog.setOkButtonText(BoxTextsFor(program_).ok);
    dialog.setCancelButtonText(BoxTextsFor(program_).cancel);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

FileDialogResult QtDialogs::RunFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(Parent(), ToQt(request.title), ToQt(request.initialDir));
    PrepareFileDialog(dialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile
                            : request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    QStringList filters;
    QStringList descriptions;
    for (const FileFilter& filter : ParseFileFilter(request.filter)) {
        descriptions << ToQt(filter.description).simplified();
        // An open dialog lists files of any letter case. A save dialog keeps
        // the pattern as given, since it takes the new file's extension from it.
        QStringList patterns;
        for (const std::string& p : filter.patterns) patterns << ToQt(save ? p : AnyCasePattern(p));
        filters << ToQt(filter.description) + " (" + patterns.join(' ') + ")";
    }
    if (!filters.isEmpty()) {
        // The description alone is shown; the patterns in brackets only match.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(request.filterIndex - 1, filters.first()));
    }
    std::string ext = request.defaultExt;
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
    dialog.setDefaultSuffix(ToQt(ext));
    if (!request.fileName.empty()) dialog.selectFile(ToQt(request.fileName));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);

    FileDialogResult result;
    result.filterIndex = request.filterIndex;
    if (dialog.exec() != QDialog::Accepted) return result;
    result.accepted = true;
    for (const QString& file : dialog.selectedFiles()) result.files.push_back(file.toStdString());
    if (!filters.isEmpty()) {
        // Qt's own dialog names the chosen filter by the description it shows.
        const QString chosen = dialog.selectedNameFilter();
        result.filterIndex = static_cast<int>(std::max(filters.indexOf(chosen), descriptions.indexOf(chosen))) + 1;
    }
    return result;
}

FileDialogResult QtDialogs::OpenFileDialog(const FileDialogRequest& request) { return RunFileDialog(request, false); }

FileDialogResult QtDialogs::SaveFileDialog(const FileDialogRequest& request) { return RunFileDialog(request, true); }

std::optional<std::string> QtDialogs::ChooseFolder(const std::string& caption, const std::string& start) {
    QFileDialog dialog(Parent(), ToQt(caption), ToQt(start));
    PrepareFileDialog(dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace platform
