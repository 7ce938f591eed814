#include "frame/ui/FileSearchUnit.h"

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "documents/AppSettings.h"
#include "documents/ui/EditFieldCaret.h"
#include "documents/ui/FieldInput.h"
#include "frame/FileSearch.h"
#include "frame/ui/Main.h"
#include "frame/ui/searchinfounit.h"
#include "platform/Dialogs.h"

using platform::ModalResult;
using platform::MsgDlgType;

namespace {

constexpr int kPathRole = Qt::UserRole;

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string PathBytes(const QString& text) { return QFile::encodeName(text).toStdString(); }

// Each file is drawn as its name at (2, 1); the full path is the item's data.
class FileNameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const std::string path = PathBytes(index.data(kPathRole).toString());
        const QString name = PathText(std::filesystem::path(path).filename().string());
        painter->drawText(option.rect.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, name);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {0, option.fontMetrics.height() + 3};  // height of "AByg" + 3
    }
};

QCheckBox* Box(QWidget* parent, const char* name, const char* caption, int helpContext, const char* hint = nullptr) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setProperty("helpContext", helpContext);
    if (hint != nullptr) box->setToolTip(QString::fromUtf8(hint));
    return box;
}

QPushButton* PushButton(QWidget* parent, const char* name, const char* caption, int helpContext,
                        const char* hint = nullptr) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    if (helpContext != 0) button->setProperty("helpContext", helpContext);
    if (hint != nullptr) button->setToolTip(QString::fromUtf8(hint));
    return button;
}

}  // namespace

TFileSearchForm::TFileSearchForm(TSearchInfoForm& searchInfo, QWidget* parent)
    : QDialog(parent), searchInfo_(searchInfo) {
    setObjectName(QStringLiteral("FileSearchForm"));
    setWindowTitle(QStringLiteral("In Dateien suchen..."));
    Label1 = new QLabel(QStringLiteral("Folgenden Text suchen:"), this);
    SearchText = new QLineEdit(this);
    FieldInput::Guard(SearchText, [] { return uint8_t(0); });
    SearchText->setObjectName(QStringLiteral("SearchText"));
    SearchText->setProperty("helpContext", 1801);
    SearchText->setToolTip(QStringLiteral("Geben Sie hier den Suchtext ein"));
    SonderzButton99 = new QToolButton(this);
    SonderzButton99->setObjectName(QStringLiteral("SonderzButton99"));
    SonderzButton99->setToolTip(
        QStringLiteral("Sonderzeichen einfügen. Für das sichtbare die linke,\nzum Auswählen die rechte Maustaste drücken!"));
    Label24 = new QLabel(QStringLiteral("\"Suchen in Dateien\" erstellt mit allen gefundenen Vokabeln eine neue Datei"), this);
    Label24->setWordWrap(true);

    GroupBox1 = new QGroupBox(QStringLiteral("Suchen in:"), this);
    S_FS = Box(GroupBox1, "S_FS", "Fremdsprache", 1802);
    S_MS = Box(GroupBox1, "S_MS", "Muttersprache", 1803);
    S_Teilbed = Box(GroupBox1, "S_Teilbed", "auch Wortteile", 1804, "findet auch \"computer\" beim Suchen von \"com\"");
    auto* languages = new QVBoxLayout(GroupBox1);
    languages->addWidget(S_FS);
    languages->addWidget(S_MS);
    languages->addWidget(S_Teilbed);
    CaseSensitive = Box(this, "CaseSensitive", "Groß-/Kleinschreibung ignorieren", 1806, "hallo = HaLLo");

    GroupBox2 = new QGroupBox(QStringLiteral("Dateien:"), this);
    Label2 = new QLabel(GroupBox2);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label6 = new QLabel(QStringLiteral("0 Dateien ausgewählt"), GroupBox2);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setAlignment(Qt::AlignRight);
    FileNames = new QListWidget(GroupBox2);
    FileNames->setObjectName(QStringLiteral("FileNames"));
    FileNames->setProperty("helpContext", 1813);
    FileNames->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FileNames->setItemDelegate(new FileNameDelegate(FileNames));
    Add_Verz = PushButton(GroupBox2, "Add_Verz", "&Verzeichnis auswählen", 1811);
    Add_Dateien = PushButton(GroupBox2, "Add_Dateien", "&Dateien auswählen", 1810);
    RemoveBtn = PushButton(GroupBox2, "RemoveBtn", "Markierung &entfernen", 1812);
    auto* files = new QGridLayout(GroupBox2);
    files->addWidget(Label2, 0, 0, 1, 2);
    files->addWidget(Label6, 1, 0, 1, 2);
    files->addWidget(FileNames, 2, 0, 3, 1);
    files->addWidget(Add_Verz, 2, 1);
    files->addWidget(Add_Dateien, 3, 1);
    files->addWidget(RemoveBtn, 4, 1);
    GroupBox2->installEventFilter(this);

    SearchButton = PushButton(this, "SearchButton", "&Suche starten", 1807, "Startet die Suche");
    SearchButton->setDefault(true);
    SearchAbort = PushButton(this, "SearchAbort", "Abbruch", 1809, "Bricht die Suche ab");
    BitBtn1 = PushButton(this, "BitBtn1", "&Hilfe", 0, "Hilfe zum Thema Suchen in Dateien");

    auto* text = new QHBoxLayout;
    text->addWidget(SearchText);
    text->addWidget(SonderzButton99);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SearchButton);
    buttons->addWidget(SearchAbort);
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(text);
    layout->addWidget(Label24);
    layout->addWidget(GroupBox1);
    layout->addWidget(CaseSensitive);
    layout->addWidget(GroupBox2);
    layout->addLayout(buttons);
    resize(460, 520);

    connect(SearchText, &QLineEdit::textChanged, this, &TFileSearchForm::UpdateButtons);
    connect(FileNames, &QListWidget::itemSelectionChanged, this, &TFileSearchForm::UpdateButtons);
    connect(FileNames, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        Label2->setText(item->data(kPathRole).toString());
        UpdateButtons();
    });
    connect(S_FS, &QCheckBox::clicked, this, [this] { LanguageBoxClicked(S_FS, S_MS); });
    connect(S_MS, &QCheckBox::clicked, this, [this] { LanguageBoxClicked(S_MS, S_FS); });
    connect(Add_Dateien, &QPushButton::clicked, this, &TFileSearchForm::Add_DateienClick);
    connect(Add_Verz, &QPushButton::clicked, this, &TFileSearchForm::Add_VerzClick);
    connect(RemoveBtn, &QPushButton::clicked, this, &TFileSearchForm::RemoveBtnClick);
    connect(SearchButton, &QPushButton::clicked, this, &TFileSearchForm::SearchButtonClick);
    connect(SearchAbort, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn1, &QPushButton::clicked, this, [] {
        if (MainForm != nullptr) MainForm->ShowHelpPage("Dialogfelder\\indateiensuchen.html");
    });
    connect(SonderzButton99, &QToolButton::clicked, this, &TFileSearchForm::SonderzButtonClick);
    SonderzButton99->installEventFilter(this);

    // FormCreate.
    Label2->setText(PathText(Optionen.StandardArbeitsverzeichnis));
    UpdateButtons();
}

std::vector<std::string> TFileSearchForm::FileList() const {
    std::vector<std::string> list;
    for (int i = 0; i < FileNames->count(); ++i) list.push_back(PathBytes(FileNames->item(i)->data(kPathRole).toString()));
    return list;
}

void TFileSearchForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFileSearchForm::FormShow() {
    const SettingsTyp& settings = Optionen.Settings;
    S_FS->setChecked(settings.SearchInFS);
    S_MS->setChecked(settings.SearchInMS);
    S_Teilbed->setChecked(settings.SearchTeil);
    CaseSensitive->setChecked(settings.SucheGrossKleinIgnorieren);
    // An options record with neither language keeps the rule of the boxes.
    if (!S_FS->isChecked() && !S_MS->isChecked()) S_FS->setChecked(true);
    S_FS->setEnabled(S_MS->isChecked());
    S_MS->setEnabled(S_FS->isChecked());
    SearchText->setFocus();
    SearchText->selectAll();
    SonderzButton99->setText(FieldText(Optionen.Settings.LetztesSonderzeichen, 0));
    UpdateButtons();
}

void TFileSearchForm::UpdateButtons() {
    SearchButton->setEnabled(!SearchText->text().isEmpty() && FileNames->count() > 0);
    RemoveBtn->setEnabled(!FileNames->selectedItems().isEmpty());
}

void TFileSearchForm::LanguageBoxClicked(QCheckBox* clicked, QCheckBox* other) {
    if (clicked->isChecked()) {
        other->setEnabled(true);
    } else {
        other->setChecked(true);
        other->setEnabled(false);
    }
}

bool TFileSearchForm::AskKeepSelection() {
    if (FileNames->count() == 0) return true;
    const ModalResult answer = platform::Dialogs().MessageDlg(
        "Möchten Sie die neue Auswahl zur bisherigen hinzufügen? Wählen Sie Nein um die alte Auswahl zu löschen.",
        MsgDlgType::Confirmation, platform::mbYesNoCancel);
    if (answer == ModalResult::No) FileNames->clear();
    return answer == ModalResult::Yes || answer == ModalResult::No;
}

void TFileSearchForm::AddFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : NewSearchFiles(FileList(), paths)) {
        auto* item = new QListWidgetItem(FileNames);
        item->setData(kPathRole, PathText(path));
    }
    ShowCount();
}

void TFileSearchForm::ShowCount() {
    Label6->setText(QStringLiteral("%1 Dateien ausgewählt").arg(FileNames->count()));
    UpdateButtons();
}

void TFileSearchForm::Add_DateienClick() {
    const platform::FileDialogResult result = platform::Dialogs().OpenFileDialog(SearchFilesDialogRequest(Optionen));
    if (!result.accepted || result.files.empty()) return;
    FollowChosenFolder(result);
    if (!AskKeepSelection()) return;
    AddFiles(result.files);
}

void TFileSearchForm::Add_VerzClick() {
    const std::optional<std::string> folder = platform::Dialogs().ChooseFolder("Verzeichnis auswählen", "");
    if (!folder) return;
    Label2->setText(PathText(*folder));
    if (!AskKeepSelection()) return;
    AddFiles(FolderSearchFiles(*folder));
}

void TFileSearchForm::RemoveBtnClick() {
    for (int i = FileNames->count() - 1; i >= 0; --i) {
        if (FileNames->item(i)->isSelected()) delete FileNames->takeItem(i);
    }
    FileNames->setFocus();
    ShowCount();
}

void TFileSearchForm::SearchButtonClick() {
    // A text of blanks would match every empty field of every row.
    if (SearchTextForComparison(FieldBytes(SearchText->text(), 0), false).empty()) {
        platform::Dialogs().MessageDlg("Bitte zuerst einen Suchtext eingeben!", MsgDlgType::Error, platform::mbOK);
        return;
    }
    if (FileNames->count() == 0) {
        platform::Dialogs().MessageDlg("Bitte zuerst Dateien auswählen!", MsgDlgType::Error, platform::mbOK);
        return;
    }
    if (searchInfo_.Running()) return;
    FileSearchOptions options;
    options.ignoreCase = CaseSensitive->isChecked();
    options.wordParts = S_Teilbed->isChecked();
    options.foreign = S_FS->isChecked();
    const std::vector<std::string> files = FileList();
    const std::string text = FieldBytes(SearchText->text(), 0);
    accept();
    searchInfo_.Start(files, text, options);
}

void TFileSearchForm::SonderzButtonClick() {
    SearchText->insert(SonderzButton99->text());
    UpdateButtons();
}

void TFileSearchForm::SonderzButtonRightPress(const QPoint& pos) {
    // The search dialogs always offer the Western letters.
    const bool chosen = MainForm != nullptr &&
                        MainForm->PopupSpecialCharacters(SonderzButton99->mapToGlobal(pos + QPoint(0, 25)), false);
    SonderzButton99->setText(FieldText(Optionen.Settings.LetztesSonderzeichen, 0));
    if (chosen) SearchText->insert(SonderzButton99->text());
    UpdateButtons();
}

bool TFileSearchForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SonderzButton99 && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        SonderzButtonRightPress(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    }
    if (watched == GroupBox2 && event->type() == QEvent::MouseButtonPress) UpdateButtons();
    return QDialog::eventFilter(watched, event);
}

void TFileSearchForm::keyPressEvent(QKeyEvent* event) {
    // F1: the help context of the focused control or of the nearest parent
    // that has one.
    if (event->key() == Qt::Key_F1) {
        for (QWidget* w = focusWidget(); w != nullptr && w != this; w = w->parentWidget()) {
            const int context = w->property("helpContext").toInt();
            if (context != 0) {
                platform::ShowHelpContext(context);
                return;
            }
        }
        return;
    }
    QDialog::keyPressEvent(event);
}
