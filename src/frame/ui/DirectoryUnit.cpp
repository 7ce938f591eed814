#include "frame/ui/DirectoryUnit.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "frame/DirectoryChoice.h"
#include "platform/Dialogs.h"

namespace {

QString Display(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string Path(const QString& text) { return QFile::encodeName(text).toStdString(); }

}  // namespace

TDirectorySelectForm::TDirectorySelectForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DirectorySelectForm"));
    setWindowTitle(QStringLiteral("Verzeichnis auswählen"));
    VZShow = new QLabel(this);
    VZShow->setObjectName(QStringLiteral("VZShow"));
    VZShow->setTextFormat(Qt::PlainText);
    DirectoryListBox1 = new QListWidget(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setToolTip(QStringLiteral("Verzeichnis"));
    // No drives here: the root folder and the home folder instead.
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setToolTip(QStringLiteral("Laufwerk"));
    DriveComboBox1->addItem(QStringLiteral("/"), QStringLiteral("/"));
    DriveComboBox1->addItem(QDir::homePath(), QDir::homePath());
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3 = new QPushButton(QStringLiteral("Standardverz."), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    // FormCreate.
    BitBtn3->setToolTip(QStringLiteral("Stellt das Verzeichnis ein welches beim\nÖffnen des Dialogfeldes gewählt war."));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(VZShow);
    layout->addWidget(DirectoryListBox1);
    layout->addWidget(DriveComboBox1);
    layout->addLayout(buttons);
    resize(360, 380);

    connect(BitBtn1, &QPushButton::clicked, this, &TDirectorySelectForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TDirectorySelectForm::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TDirectorySelectForm::BitBtn3Click);
    connect(DirectoryListBox1, &QListWidget::itemActivated, this, &TDirectorySelectForm::ItemActivated);
    connect(DriveComboBox1, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { ChangeTo(Path(DriveComboBox1->itemData(index).toString())); });
    std::error_code ec;
    if (!ChangeTo(std::filesystem::current_path(ec).string())) ChangeTo("/");
}

std::string TDirectorySelectForm::CurrentFolder() const { return folder_; }

bool TDirectorySelectForm::ChangeTo(const std::string& folder) {
    QDir dir(Display(folder));
    if (folder.empty() || !dir.exists() || !dir.isReadable()) return false;
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    folder_ = WithoutTrailingSeparator(Path(dir.absolutePath()));
    DirectoryListBox1->clear();
    if (!dir.isRoot()) DirectoryListBox1->addItem(QStringLiteral(".."));
    DirectoryListBox1->addItems(names);
    VZShow->setText(Display(folder_));
    return true;
}

void TDirectorySelectForm::ItemActivated(QListWidgetItem* item) {
    const QString next = QDir(Display(folder_)).absoluteFilePath(item->text());
    ChangeTo(Path(QDir::cleanPath(next)));
}

void TDirectorySelectForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TDirectorySelectForm::FormShow() {
    if (SelectedFolder.empty()) return;
    SelectedFolder = WithoutTrailingSeparator(SelectedFolder);
    std::error_code ec;
    if (!std::filesystem::is_directory(SelectedFolder, ec)) return;
    if (!ChangeTo(SelectedFolder)) {
        platform::Dialogs().MessageDlg("Ungültiges Verzeichnis gewählt.", platform::MsgDlgType::Error,
                                       platform::mbOK);
    }
}

void TDirectorySelectForm::BitBtn3Click() { FormShow(); }

void TDirectorySelectForm::BitBtn1Click() {
    SelectedFolder = CurrentFolder();
    done(QDialog::Accepted);
}

void TDirectorySelectForm::BitBtn2Click() { done(QDialog::Rejected); }
