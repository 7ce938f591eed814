#include "frame/ui/Main.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "documents/AppSettings.h"
#include "documents/ui/Childwin.h"
#include "frame/InstanceManager.h"
#include "frame/MainStartup.h"
#include "frame/OpenDocuments.h"
#include "frame/RecentFiles.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "training/ui/TrainingStart.h"

TMainForm* MainForm = nullptr;

OpenQueue& MainOpenQueue() {
    static OpenQueue queue;
    return queue;
}

namespace {

constexpr const char* kEmptyMarker = "\x1b";
constexpr int kSplashMs = 1200;

QAction* Item(QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {}) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    return action;
}

QMenu* Menu(QWidget* owner, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromUtf8(caption), owner);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

// A toolbar hint is the tooltip, "|", and the status line text (none here).
QAction* Button(QToolBar* bar, const char* name, const char* hint) {
    QAction* action = bar->addAction(QString::fromUtf8(hint));
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(QString::fromUtf8(hint));
    return action;
}

void ShowRecentFiles(QAction* const (&items)[9], QAction* separator, const RecentFileMenu& menu) {
    for (size_t i = 0; i < 9; ++i) {
        items[i]->setText(QString::fromStdString(menu.items[i].caption));
        items[i]->setStatusTip(QString::fromStdString(menu.items[i].hint));
        items[i]->setVisible(menu.items[i].visible);
    }
    separator->setVisible(menu.separatorVisible);
}

// Changes the working folder to the chosen files' one, as the option asks.
void FollowChosenFolder(const platform::FileDialogResult& result) {
    if (!Optionen.VerzeichnisAutomatischWechseln || result.files.empty()) return;
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::path(result.files.front()).parent_path(), ec);
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    MainForm = this;
    ClientArea = new QMdiArea(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(ClientArea);
    ClientArea->viewport()->installEventFilter(this);
    SplashTimer = new QTimer(this);
    SplashTimer->setInterval(kSplashMs);
    connect(SplashTimer, &QTimer::timeout, this, &TMainForm::SplashTimerTimer);
    BuildMenus();
    BuildToolbar();
    BuildDeskPopUp();
    RegisterTrainingModes();
    connect(ClientArea, &QMdiArea::subWindowActivated, this, &TMainForm::MergeMenus);
    FormCreate();
}

TMainForm::~TMainForm() {
    // The documents go first, while the frame they tell is still whole.
    disconnect(ClientArea, nullptr, this, nullptr);
    ClientArea->viewport()->removeEventFilter(this);
    for (TMDIChild* child : Documents()) disconnect(child, nullptr, this, nullptr);
    menuBar()->clear();
    delete ClientArea;
    ClientArea = nullptr;
    if (MainForm == this) {
        MainForm = nullptr;
        OnCommandLineReceived = nullptr;
    }
}

void TMainForm::FormCreate() {
    OnCommandLineReceived = [this] {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        raise();
        activateWindow();
        MainOpenQueue().Post([this, text = ReceivedCommandLine] { OpenHandedOverFiles(text); });
    };
    platform::Randomize();

    const SettingsTyp& settings = Optionen.Settings;
    move(settings.HauptfensterX, settings.HauptfensterY);
    if (settings.HauptfensterBreite > 0 && settings.HauptfensterHoehe > 0) {
        resize(settings.HauptfensterBreite, settings.HauptfensterHoehe);
    }
    switch (StoredMainWindowState(settings)) {
    case MainWindowState::Minimised:
        setWindowState(Qt::WindowMinimized);
        break;
    case MainWindowState::Maximised:
        setWindowState(Qt::WindowMaximized);
        break;
    case MainWindowState::Normal:
        break;
    }
    setWindowTitle(QStringLiteral("Pelko32, Version 2.93"));
    UpdateMRU("");
    setAcceptDrops(true);
}

void TMainForm::BuildMenus() {
    Datei = Menu(this, "Datei", "&Datei");
    Neu1 = Item(Datei, "Neu1", "&Neu (leere Datei)", QKeySequence("Ctrl+L"));
    FileNewItem = Item(Datei, "FileNewItem", "Neu... (&Assistent)", QKeySequence("Ctrl+N"));
    FileOpenItem = Item(Datei, "FileOpenItem", "Ö&ffnen...", QKeySequence("Ctrl+O"));
    Importieren1 = Item(Datei, "Importieren1", "Importieren...");
    Speichern1 = Item(Datei, "Speichern1", "Speichern");
    Speichern1->setVisible(false);
    Speichern1->setEnabled(false);
    InderRegistryanmelden1 = Item(Datei, "InderRegistryanmelden1", "In der Registry &anmelden");
    InderRegistryanmelden1->setVisible(false);
    Optionen2 = Item(Datei, "Optionen2", "&Optionen...");
    for (int i = 0; i < 9; ++i) {
        const std::string name = "FM" + std::to_string(i + 1);
        FM[i] = Item(Datei, name.c_str(), name.c_str());
        FM[i]->setData(i + 1);  // Tag
        FM[i]->setVisible(false);
        connect(FM[i], &QAction::triggered, this, [this, i] { _LastFilesClick(i + 1); });
    }
    FMT = Datei->addSeparator();
    FMT->setObjectName(QStringLiteral("FMT"));
    FMT->setVisible(false);
    FileExitItem = Item(Datei, "FileExitItem", "&Beenden", QKeySequence("Alt+F4"));

    Vokabeln = Menu(this, "Vokabeln", "&Vokabeln");
    InDateiensuchen1 = Item(Vokabeln, "InDateiensuchen1", "In &Dateien suchen...");

    Fenster = Menu(this, "Fenster", "&Fenster");
    WindowCascadeItem = Item(Fenster, "WindowCascadeItem", "Ü&berlappend");
    WindowTileItem = Item(Fenster, "WindowTileItem", "&Nebeneinander");
    Untereinander1 = Item(Fenster, "Untereinander1", "&Untereinander");
    WindowArrangeItem = Item(Fenster, "WindowArrangeItem", "&Symbole anordnen");
    WindowMinimizeItem = Item(Fenster, "WindowMinimizeItem", "&Alle verkleinern");

    Hilfe = Menu(this, "Hilfe", "&Hilfe");
    Index1 = Item(Hilfe, "Index1", "&Index", QKeySequence("F1"));
    Suchen1 = Item(Hilfe, "Suchen1", "&Suchen");
    Suchen1->setVisible(false);
    ErsteSchritte1 = Item(Hilfe, "ErsteSchritte1", "&Erste Schritte");
    SymboleinderSymbolleiste1 = Item(Hilfe, "SymboleinderSymbolleiste1", "S&ymbole in der Symbolleiste");
    Optionen3 = Item(Hilfe, "Optionen3", "&Optionen");
    Homepage1 = Item(Hilfe, "HomepageffnenInternetanschluntig1", "&Homepage (online!)");
    Pelko32Vokabelarchiv1 = Item(Hilfe, "Pelko32Vokabelarchivonline1", "Pelko32 &Vokabelarchiv (online!)");
    NeuesindieserVersion1 = Item(Hilfe, "NeuesindieserVersion1", "&Neues in dieser Version");
    HelpAboutItem = Item(Hilfe, "HelpAboutItem", "Inf&o...", QKeySequence("Ctrl+I"));

    // Commands whose handlers belong to later work stay disabled until then.
    const QList<QAction*> wired = {Neu1, FileOpenItem, Importieren1, FileExitItem};
    for (QMenu* menu : {Datei, Vokabeln, Fenster, Hilfe}) {
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator() && !action->objectName().startsWith("FM")) {
                action->setEnabled(wired.contains(action));
            }
        }
    }
    connect(Neu1, &QAction::triggered, this, &TMainForm::Neu1Click);
    connect(FileOpenItem, &QAction::triggered, this, &TMainForm::FileOpenItemClick);
    connect(Importieren1, &QAction::triggered, this, &TMainForm::Importieren1Click);
    connect(FileExitItem, &QAction::triggered, this, &TMainForm::FileExitItemClick);
    MergeMenus();
}

void TMainForm::BuildToolbar() {
    SpeedPanel = addToolBar(QString());
    SpeedPanel->setObjectName(QStringLiteral("SpeedPanel"));
    SpeedPanel->setMovable(false);
    SpeedButton1 = Button(SpeedPanel, "SpeedButton1", "Neu");
    SpeedButton2 = Button(SpeedPanel, "SpeedButton2", "Assistent für neue Dateien...");
    OpenBtn = Button(SpeedPanel, "OpenBtn", "Öffnen");
    SaveBtn = Button(SpeedPanel, "SaveBtn", "Speichern");
    UndoBtn = Button(SpeedPanel, "UndoBtn", "Letzten Schritt rückgängig machen");
    UnundoBtn = Button(SpeedPanel, "UnundoBtn", "Änderung durch Rückgängig wiederherstellen");
    DruckBtn = Button(SpeedPanel, "DruckBtn", "Liste drucken");
    CutBtn = Button(SpeedPanel, "CutBtn", "Ausschneiden");
    CopyBtn = Button(SpeedPanel, "CopyBtn", "Kopieren");
    PasteBtn = Button(SpeedPanel, "PasteBtn", "Einfügen");
    Searchbtn = Button(SpeedPanel, "Searchbtn", "Suchen");
    SearchAgainBtn = Button(SpeedPanel, "SearchAgainBtn", "Weitersuchen");
    EditBtn = Button(SpeedPanel, "EditBtn", "Eingabe-Maske");
    EditBtn->setCheckable(true);
    LernBtn = Button(SpeedPanel, "LernBtn", "Lernen");
    AbfragBtn = Button(SpeedPanel, "AbfragBtn", "Abfragen");
    HangmanBtn = Button(SpeedPanel, "HangmanBtn", "Hangman");
    AutoSizeBtn = Button(SpeedPanel, "AutoSizeBtn", "Tabelle-Autosize");
    FontBtn = Button(SpeedPanel, "FontBtn", "Schriftarten...");
    OptionenBtn = Button(SpeedPanel, "OptionenBtn", "Optionen...");
    for (QAction* action : SpeedPanel->actions()) action->setEnabled(action == SpeedButton1 || action == OpenBtn);
    connect(SpeedButton1, &QAction::triggered, this, &TMainForm::SpeedButton1Click);
    connect(OpenBtn, &QAction::triggered, this, &TMainForm::FileOpenItemClick);
}

void TMainForm::BuildDeskPopUp() {
    DeskPopUp = Menu(this, "DeskPopUp", "");
    LeereDatei1 = Item(DeskPopUp, "NeueDateiffnen1", "&Leere Datei");
    NeuWizard1 = Item(DeskPopUp, "NeuWizard1", "Neue-Datei-&Assistent...");
    NeuWizard1->setEnabled(false);
    Dateioeffnen1 = Item(DeskPopUp, "Dateiffnen1", "Datei &öffnen...");
    DeskPopUp->addSeparator();
    Pelko32beenden1 = Item(DeskPopUp, "Pelko32beenden1", "Pelko32 &beenden");
    connect(LeereDatei1, &QAction::triggered, this, &TMainForm::NeueDateiffnen1Click);
    connect(Dateioeffnen1, &QAction::triggered, this, &TMainForm::Dateiffnen1Click);
    connect(Pelko32beenden1, &QAction::triggered, this, &TMainForm::FileExitItemClick);
}

std::vector<TMDIChild*> TMainForm::Documents() const {
    std::vector<TMDIChild*> documents;
    if (ClientArea == nullptr) return documents;
    const QList<QMdiSubWindow*> windows = ClientArea->subWindowList(QMdiArea::StackingOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (auto* child = qobject_cast<TMDIChild*>(*it)) documents.push_back(child);
    }
    return documents;
}

TMDIChild* TMainForm::ActiveDocument() const {
    auto* child = qobject_cast<TMDIChild*>(ClientArea->currentSubWindow());
    // A closed window is hidden until it is deleted.
    return child != nullptr && !child->isHidden() ? child : nullptr;
}

void TMainForm::MergeMenus() {
    QMenuBar* bar = menuBar();
    bar->clear();
    // The replaced menus leave the bar, so their shortcuts never meet the
    // document's own Ctrl+L, Ctrl+N, Ctrl+O and Alt+F4.
    if (TMDIChild* child = ActiveDocument()) {
        for (QMenu* menu : child->MainMenu1()) bar->addMenu(menu);
    } else {
        bar->addMenu(Datei);
        bar->addMenu(Vokabeln);
    }
    bar->addMenu(Fenster);
    bar->addMenu(Hilfe);
}

void TMainForm::WireDocument(TMDIChild* child) {
    child->Neu2->setEnabled(true);
    connect(child->Neu2, &QAction::triggered, this, &TMainForm::Neu1Click);
    child->Oeffnen1->setEnabled(true);
    connect(child->Oeffnen1, &QAction::triggered, this, &TMainForm::FileOpenItemClick);
    for (int i = 0; i < 9; ++i) {
        child->F[i]->setEnabled(true);
        connect(child->F[i], &QAction::triggered, this, [this, i] { _LastFilesClick(i + 1); });
    }
    // A closing window may be the last; the bar must not keep its menus.
    connect(child, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, &TMainForm::MergeMenus); });
}

TMDIChild* TMainForm::ShowNewDocument(TMDIChild* child, const std::string& caption) {
    const int count = int(ClientArea->subWindowList().size());
    child->SetCaption(caption.empty() ? "Vokabeldatei " + std::to_string(count) : caption);
    child->SetTag(count);
    WireDocument(child);
    child->show();
    ClientArea->setActiveSubWindow(child);
    MergeMenus();
    UpdateMRU("");
    return child;
}

TMDIChild* TMainForm::CreateMDIChild(const std::string& name, int lastOpenFilterIndex) {
    OpenQueue::Busy busy(MainOpenQueue());
    // The format follows what the reader found; a new document is native.
    TMDIChild* child = TMDIChild::Create(DocumentRequest::FromMarker(name, lastOpenFilterIndex), ClientArea);
    if (child == nullptr) return nullptr;
    return ShowNewDocument(child, name == kEmptyMarker ? std::string() : name);
}

TMDIChild* TMainForm::CreateMDIChildFromTemplate(const std::string& templateName) {
    OpenQueue::Busy busy(MainOpenQueue());
    TMDIChild* child = TMDIChild::Create(DocumentRequest::FromMarker(templateName + ">"), ClientArea);
    if (child == nullptr) return nullptr;
    return ShowNewDocument(child, std::string());
}

void TMainForm::OpenFile(const std::string& path, int lastOpenFilterIndex) {
    if (!IsExistingFile(path)) {
        ReportMissingFile(path, Optionen.Settings.LastFiles, platform::Dialogs());
        UpdateMRU("");
        return;
    }
    OpenExistingFile(path, lastOpenFilterIndex);
}

void TMainForm::OpenExistingFile(const std::string& path, int lastOpenFilterIndex) {
    const std::vector<TMDIChild*> documents = Documents();
    std::vector<std::string> names;
    int active = -1;
    const TMDIChild* current = ActiveDocument();
    for (const TMDIChild* child : documents) {
        if (child == current) active = int(names.size());
        names.push_back(child->Document().FileName);
    }
    const OpenDecision decision = DecideOpen(path, names, active);
    switch (decision.action) {
    case OpenAction::Create:
        // An unreadable file still goes to the top of the list.
        CreateMDIChild(path, lastOpenFilterIndex);
        break;
    case OpenAction::Activate:
        ClientArea->setActiveSubWindow(documents[decision.window]);
        break;
    case OpenAction::AlreadyActive:
        break;
    }
    UpdateMRU(path);
}

void TMainForm::UpdateMRU(const std::string& path) {
    if (!::UpdateMRU(Optionen.Settings.LastFiles, path)) return;
    const RecentFileMenu menu = RecentFileMenuItems(Optionen.Settings.LastFiles);
    for (TMDIChild* child : Documents()) ShowRecentFiles(child->F, child->FT, menu);
    ShowRecentFiles(FM, FMT, menu);
}

void TMainForm::_LastFilesClick(int tag) {
    if (tag < 1 || tag > 9) return;
    const std::string path = Optionen.Settings.LastFiles[size_t(tag - 1)];
    OpenFile(path);
}

void TMainForm::OpenHandedOverFiles(const std::string& commandLine) {
    for (const std::string& path : HandedOverFilesToOpen(commandLine, OwnExecutablePath())) {
        OpenExistingFile(path, 0);
    }
}

void TMainForm::OpenDroppedFiles(const std::vector<std::string>& paths) {
    MainOpenQueue().Post([this, paths] {
        for (const std::string& path : paths) OpenFile(path);
    });
}

void TMainForm::FileOpenItemClick() {
    OpenQueue::Busy busy(MainOpenQueue());
    const platform::FileDialogResult result = platform::Dialogs().OpenFileDialog(OpenDialogRequest(Optionen));
    if (!result.accepted) return;
    FollowChosenFolder(result);
    for (const std::string& file : result.files) OpenFile(file, result.filterIndex);
}

void TMainForm::Importieren1Click() {
    OpenQueue::Busy busy(MainOpenQueue());
    const platform::FileDialogResult result = platform::Dialogs().OpenFileDialog(ImportDialogRequest(Optionen));
    if (!result.accepted) return;
    FollowChosenFolder(result);
    for (const std::string& file : result.files) CreateMDIChild(file);
}

void TMainForm::Neu1Click() {
    TMDIChild* child = CreateMDIChild(kEmptyMarker);
    if (child != nullptr) child->Document().FileName.clear();
    UpdateMRU("");
}

void TMainForm::FormShow(const std::vector<std::string>& args, const std::string& cwd) {
    OpenQueue::Busy busy(MainOpenQueue());
    const StartArguments start = ParseStartArguments(args, cwd);
    StartMode = start.startMode;
    for (const std::string& file : start.files) OpenFile(file);
    if (!start.missing.empty()) ReportCannotFindFile(start.missing, platform::Dialogs());
    if (StartMode != kStartNone && ActiveDocument() != nullptr) ActiveDocument()->HideTable();
    ReopenLastFiles(Optionen, !Documents().empty(), [this](const std::string& file) { OpenFile(file); },
                    platform::Dialogs());
    if (WantsEmptyStartDocument(Optionen, !Documents().empty())) {
        if (TMDIChild* child = CreateMDIChild(kEmptyMarker)) child->Document().FileName.clear();
        UpdateMRU("");
    }
    SplashTimer->start();
}

void TMainForm::SplashTimerTimer() {
    SplashTimer->stop();
    // The start switch's mode runs as the wizard would start it, so the list
    // comes back afterwards. Files handed over meanwhile open at once.
    if (TMDIChild* child = ActiveDocument()) {
        if (StartMode == kStartLearning) child->Lernen1Click(ModeOrigin::Wizard);
        if (StartMode == kStartQuiz) child->Abfragen1Click(ModeOrigin::Wizard);
        if (StartMode == kStartHangman) child->Hangman1Click(ModeOrigin::Wizard);
    }
    OpenQueue::Busy busy(MainOpenQueue());
    RunStartupChecks(Optionen, platform::ProgramFolder(), platform::Dialogs());
}

void TMainForm::closeEvent(QCloseEvent* event) {
    OpenQueue::Busy busy(MainOpenQueue());
    // Every document is asked before any closes; one refusal keeps all open
    // and writes nothing.
    for (TMDIChild* child : Documents()) {
        if (!child->Document().CloseQuery()) {
            event->ignore();
            return;
        }
    }
    FormCloseQuery();
    event->accept();
}

void TMainForm::FormCloseQuery() {
    const MainWindowState state = isMaximized()   ? MainWindowState::Maximised
                                  : isMinimized() ? MainWindowState::Minimised
                                                  : MainWindowState::Normal;
    RecordMainWindow(Optionen.Settings, state, {x(), y(), width(), height()});
    std::vector<std::string> bottomFirst;
    for (const TMDIChild* child : Documents()) bottomFirst.insert(bottomFirst.begin(), child->Document().FileName);
    Optionen.Settings.OpenFilesAtExit = OpenFilesAtExit(bottomFirst);
    SaveSettings();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    event->acceptProposedAction();
    OpenDroppedFiles(paths);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ClientArea->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            FileOpenItemClick();
            return true;
        }
        if (event->type() == QEvent::ContextMenu) {
            DeskPopUp->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
