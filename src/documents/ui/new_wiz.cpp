#include "documents/ui/new_wiz.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <map>

#include "documents/AppSettings.h"
#include "documents/FileAccess.h"
#include "documents/NewWizard.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/DialogHelp.h"
#include "platform/Dialogs.h"
#include "platform/ui/Hints.h"

namespace {

constexpr int kHelpContext = 2700;
constexpr int kNewPage = 0;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }
QString Utf8(const char* text) { return QString::fromUtf8(text); }

using platform::Hint;

QAction* Item(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(Utf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// The list item keeps its full text; it shows only the caption.
void AddItem(QListWidget* list, const std::string& full, const std::string& caption) {
    auto* item = new QListWidgetItem(Utf8(caption), list);
    item->setData(Qt::UserRole, Utf8(full));
}

std::string FullText(const QListWidgetItem* item) { return item->data(Qt::UserRole).toString().toStdString(); }

std::map<WizardMode, TNewWizard::ModeStart>& ModeStarts() {
    static std::map<WizardMode, TNewWizard::ModeStart> starts = {
        {WizardMode::Quiz, [](TMDIChild& window) { window.Abfragen1Click(ModeOrigin::Wizard); }}};
    return starts;
}

}  // namespace

void TNewWizard::SetModeStart(WizardMode mode, ModeStart start) { ModeStarts()[mode] = std::move(start); }

TNewWizard::TNewWizard(NewWizardFrame& frame, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), frame_(frame) {
    setObjectName(QStringLiteral("NewWizard"));
    setWindowTitle(Utf8("Neue Datei... / Dateien öffnen..."));
    SetHelpContext(this, kHelpContext);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    New = new QWidget;
    New->setObjectName(QStringLiteral("New"));
    Label2 = new QLabel(Utf8("Datei von folgender Vorlage erstellen:"), New);
    ListBox1 = new QListWidget(New);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    open_edit_box = new QCheckBox(Utf8("Eingabe&dialog automatisch öffnen"), New);
    auto* newLayout = new QVBoxLayout(New);
    newLayout->addWidget(Label2);
    newLayout->addWidget(ListBox1);
    newLayout->addWidget(open_edit_box);
    PageControl->addTab(New, Utf8("Neu"));

    Open = new QWidget;
    Open->setObjectName(QStringLiteral("Open"));
    Label1 = new QLabel(Open);
    Label1->setTextFormat(Qt::PlainText);
    LastFilesBox = new QListWidget(Open);
    LastFilesBox->setObjectName(QStringLiteral("LastFilesBox"));
    LastFilesBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LastFilesBox->setContextMenuPolicy(Qt::CustomContextMenu);
    LastFilesBox->setToolTip(Hint("Sie können mit Shift und STRG auch mehrere Dateien wählen!|"));
    auto* openLayout = new QVBoxLayout(Open);
    openLayout->addWidget(Label1);
    openLayout->addWidget(LastFilesBox);
    PageControl->addTab(Open, Utf8("Letzte Dateien ..."));

    BitBtn1 = new QPushButton(Utf8("&Erstellen!"), this);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(Utf8("Abbrechen"), this);
    BitBtn2->setToolTip(Hint("Schließt den Assistenten|"));
    BitBtn3 = new QPushButton(Utf8("Ö&ffnen..."), this);
    BitBtn3->setToolTip(Hint("Zeigt den normalen Datei-Öffnen Dialog an|"));
    HelpButt = new QPushButton(Utf8("&Hilfe"), this);
    HelpButt->setToolTip(Hint("Öffnet die Hilfe mit der Erklärung zum Neu-Assistenten|"));
    CheckBox1 = new QCheckBox(Utf8("Diesen Assistenten bei jedem Start öffnen"), this);
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, HelpButt}) b->setAutoDefault(false);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    HelpButt->setObjectName(QStringLiteral("HelpButt"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    open_edit_box->setObjectName(QStringLiteral("open_edit_box"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckBox1, 1);
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, HelpButt}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);
    BuildPopups();

    connect(PageControl, &QTabWidget::currentChanged, this, &TNewWizard::PageControlChange);
    connect(BitBtn1, &QPushButton::clicked, this, &TNewWizard::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(Rejected); });
    connect(BitBtn3, &QPushButton::clicked, this, &TNewWizard::BitBtn3Click);
    connect(HelpButt, &QPushButton::clicked, this, [] { platform::ShowHelpContext(kHelpContext); });
    connect(CheckBox1, &QCheckBox::clicked, this, [](bool on) { Optionen.Settings.ShowWizAtStartUp = on; });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TNewWizard::ListBox1DblClick);
    connect(LastFilesBox, &QListWidget::itemDoubleClicked, this, &TNewWizard::LastFilesBoxDblClick);
    connect(LastFilesBox, &QListWidget::currentItemChanged, this, &TNewWizard::ShowFolderOfCurrentFile);
    ListBox1->viewport()->installEventFilter(this);
    LastFilesBox->viewport()->installEventFilter(this);
}

void TNewWizard::BuildPopups() {
    vorlagen_popup = new QMenu(this);
    vorlagen_popup->setObjectName(QStringLiteral("vorlagen_popup"));
    DateinachdieserVorlageerstellen1 =
        Item(vorlagen_popup, "DateinachdieserVorlageerstellen1", "Datei nach dieser Vorlage erstellen");
    Dateierstellenundsofortbearbeiten1 =
        Item(vorlagen_popup, "Dateierstellenundsofortbearbeiten1", "Datei erstellen und sofort bearbeiten");
    vorlagen_popup->addSeparator();
    Vorlagelschen1 = Item(vorlagen_popup, "Vorlagelschen1", "Vorlage löschen");
    connect(DateinachdieserVorlageerstellen1, &QAction::triggered, this, [this] { CreateDocument(false, false); });
    connect(Dateierstellenundsofortbearbeiten1, &QAction::triggered, this, [this] { CreateDocument(false, true); });
    connect(Vorlagelschen1, &QAction::triggered, this, &TNewWizard::Vorlagelschen1Click);
    // Item 0 stands for no file.
    connect(vorlagen_popup, &QMenu::aboutToShow, this,
            [this] { Vorlagelschen1->setEnabled(ListBox1->currentRow() > 0); });
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { vorlagen_popup->exec(ListBox1->viewport()->mapToGlobal(pos)); });

    lastfiles_popup = new QMenu(this);
    lastfiles_popup->setObjectName(QStringLiteral("lastfiles_popup"));
    ffnen1 = Item(lastfiles_popup, "ffnen1", "Ö&ffnen");
    Lernen1 = Item(lastfiles_popup, "Lernen1", "&Lernen");
    Abfragen1 = Item(lastfiles_popup, "Abfragen1", "&Abfragen");
    Hangman1 = Item(lastfiles_popup, "Hangman1", "&Hangman");
    lastfiles_popup->addSeparator();
    ausderListelschen1 = Item(lastfiles_popup, "ausderListelschen1", "aus der Liste löschen");
    connect(ffnen1, &QAction::triggered, this, &TNewWizard::OpenSelectedFiles);
    connect(Lernen1, &QAction::triggered, this, [this] { StartMode(WizardMode::Learn); });
    connect(Abfragen1, &QAction::triggered, this, [this] { StartMode(WizardMode::Quiz); });
    connect(Hangman1, &QAction::triggered, this, [this] { StartMode(WizardMode::Hangman); });
    connect(ausderListelschen1, &QAction::triggered, this, &TNewWizard::ausderListelschen1Click);
    connect(lastfiles_popup, &QMenu::aboutToShow, this, [this] {
        const bool one = LastFilesBox->selectedItems().size() == 1;
        Lernen1->setEnabled(one && ModeStarts().count(WizardMode::Learn) != 0);
        Abfragen1->setEnabled(one && ModeStarts().count(WizardMode::Quiz) != 0);
        Hangman1->setEnabled(one && ModeStarts().count(WizardMode::Hangman) != 0);
    });
    connect(LastFilesBox, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { lastfiles_popup->exec(LastFilesBox->viewport()->mapToGlobal(pos)); });
}

int TNewWizard::exec() {
    modal_ = true;
    const int result = QDialog::exec();
    modal_ = false;
    return result;
}

void TNewWizard::done(int result) {
    if (!ForceNewPage) Optionen.Settings.LastWizPage = PageControl->currentIndex();
    ForceNewPage = false;
    Optionen.Settings.WizOpensEdit = open_edit_box->isChecked();
    QDialog::done(result);
}

void TNewWizard::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TNewWizard::FormShow(bool keepPage) {
    SettingsTyp& settings = Optionen.Settings;
    open_edit_box->setChecked(settings.WizOpensEdit);
    if (!keepPage) {
        const QSignalBlocker blocker(PageControl);
        PageControl->setCurrentIndex(WizardStartPage(ForceNewPage, settings.LastWizPage));
    }

    LastFilesBox->clear();
    for (const std::string& path : PruneRecentFiles(settings.LastFiles, FileExists)) {
        AddItem(LastFilesBox, path, FileNameOnly(path));
    }

    ListBox1->clear();
    AddItem(ListBox1, kNoTemplateItem, TemplateCaption(kNoTemplateItem));
    if (const auto templates = ListTemplates(settings.VorlagenVerzeichnis)) {
        for (const std::string& name : *templates) AddItem(ListBox1, name, TemplateCaption(name));
    } else {
        platform::Dialogs().MessageDlg(MissingTemplatesFolderText(settings.VorlagenVerzeichnis),
                                       platform::MsgDlgType::Error, platform::mbOK);
    }

    CheckBox1->setChecked(settings.ShowWizAtStartUp);
    PageControlChange();
    ListBox1->setCurrentRow(0);
    if (LastFilesBox->count() > 0) LastFilesBox->setCurrentRow(0);
    ShowFolderOfCurrentFile();
}

void TNewWizard::ShowFolderOfCurrentFile() {
    const QListWidgetItem* item = LastFilesBox->currentItem();
    Label1->setText(item == nullptr ? QString()
                                    : Utf8(std::filesystem::path(FullText(item)).parent_path().string()));
}

void TNewWizard::PageControlChange() {
    if (PageControl->currentIndex() == kNewPage) {
        BitBtn1->setText(Utf8("Erstellen"));
        BitBtn1->setToolTip(Hint("Erstellt eine Datei mit der gewählten Vorlage|"));
        ListBox1->setFocus();
        ListBox1->setCurrentRow(0);
    } else {
        BitBtn1->setText(Utf8("Öffnen"));
        BitBtn1->setToolTip(Hint("Öffnet die gewählte(n) Datei(en)|"));
        LastFilesBox->setFocus();
        if (LastFilesBox->count() > 0) LastFilesBox->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    }
}

void TNewWizard::BitBtn1Click() {
    if (PageControl->currentIndex() == kNewPage) {
        CreateDocument(true, false);
    } else {
        OpenSelectedFiles();
    }
    // Shown modally the button ends the dialog whatever it did.
    if (modal_ && isVisible()) done(Accepted);
}

void TNewWizard::BitBtn3Click() {
    done(Rejected);
    frame_.WizardOpenDialog();
}

void TNewWizard::ListBox1DblClick() { CreateDocument(true, false); }

void TNewWizard::CreateDocument(bool editorByBox, bool editorAlways) {
    const int row = ListBox1->currentRow();
    if (row < 0) return;
    if (row == 0) {
        frame_.WizardNewEmpty();
    } else {
        frame_.WizardNewFromTemplate(TemplatePath(Optionen.Settings.VorlagenVerzeichnis, FullText(ListBox1->item(row))));
    }
    if (editorAlways || (editorByBox && open_edit_box->isChecked())) {
        // The entry editor opens through the document's own command.
        if (TMDIChild* window = frame_.WizardActiveDocument()) window->Bearbeiten1->trigger();
    }
    done(Accepted);
}

std::vector<std::string> TNewWizard::SelectedFiles() const {
    std::vector<std::string> files;
    for (int i = 0; i < LastFilesBox->count(); ++i) {
        if (LastFilesBox->item(i)->isSelected()) files.push_back(FullText(LastFilesBox->item(i)));
    }
    return files;
}

void TNewWizard::OpenSelectedFiles() {
    const std::vector<std::string> files = SelectedFiles();
    if (files.empty()) return;
    for (const std::string& path : files) frame_.WizardOpenFile(path);
    done(Accepted);
}

void TNewWizard::LastFilesBoxDblClick() {
    const QListWidgetItem* item = LastFilesBox->currentItem();
    if (item == nullptr) return;
    const std::string path = FullText(item);
    frame_.WizardOpenFile(path);
    done(Accepted);
}

void TNewWizard::StartMode(WizardMode mode) {
    const auto start = ModeStarts().find(mode);
    const QListWidgetItem* item = LastFilesBox->currentItem();
    if (start == ModeStarts().end() || item == nullptr || SelectedFiles().size() != 1) return;
    const std::string path = FullText(item);
    frame_.WizardOpenFile(path);
    // A file that did not open leaves no document, or another one active.
    QPointer<TMDIChild> window = frame_.WizardActiveDocument();
    const bool opened = window != nullptr && window->Document().FileName == path;
    if (opened) window->HideTable();
    done(Accepted);
    if (opened && window != nullptr) start->second(*window);
}

void TNewWizard::ausderListelschen1Click() {
    for (const std::string& path : SelectedFiles()) RemoveRecentFile(Optionen.Settings.LastFiles, path);
    FormShow(true);
    frame_.WizardUpdateMRU("");
}

void TNewWizard::Vorlagelschen1Click() {
    using namespace platform;
    const int row = ListBox1->currentRow();
    if (row <= 0) return;
    const std::string item = FullText(ListBox1->item(row));
    if (Dialogs().MessageDlg(DeleteTemplateQuestion(item), MsgDlgType::Confirmation, mbYes | mbNo) !=
        ModalResult::Yes) {
        return;
    }
    std::error_code ec;
    if (!std::filesystem::remove(TemplatePath(Optionen.Settings.VorlagenVerzeichnis, item), ec) || ec) {
        Dialogs().MessageDlg(TemplateNotDeletedText(item), MsgDlgType::Error, mbOK);
        return;
    }
    delete ListBox1->takeItem(row);
}

bool TNewWizard::event(QEvent* event) { return HandleHelpEvent(this, event) || QDialog::event(event); }

bool TNewWizard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        const bool right = static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
        if (watched == ListBox1->viewport() && right) {
            if (QListWidgetItem* item = ListBox1->itemAt(pos)) ListBox1->setCurrentItem(item);
        }
        if (watched == LastFilesBox->viewport() && right && LastFilesBox->selectedItems().size() <= 1) {
            if (QListWidgetItem* item = LastFilesBox->itemAt(pos)) {
                LastFilesBox->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
