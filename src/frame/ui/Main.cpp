#include "frame/ui/Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <filesystem>

#include "documents/AppSettings.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/Edit.h"
#include "documents/ui/Font_select_unit.h"
#include "documents/ui/TabelleModel.h"
#include "frame/FrameHooks.h"
#include "frame/FrameState.h"
#include "frame/HelpContexts.h"
#include "frame/InstanceManager.h"
#include "frame/MainStartup.h"
#include "frame/OptionsDialogHooks.h"
#include "frame/OpenDocuments.h"
#include "frame/RecentFiles.h"
#include "frame/Sonderzeichen.h"
#include "frame/WindowLayout.h"
#include "frame/ui/About.h"
#include "frame/ui/AllgOptionen.h"
#include "frame/ui/FileSearchUnit.h"
#include "frame/ui/InstanceManagerQt.h"
#include "frame/ui/searchinfounit.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "platform/Shell.h"
#include "platform/ui/Glyphs.h"
#include "platform/ui/MenuItems.h"
#include "platform/ui/WindowFront.h"
#include "training/ui/ModeFrame.h"
#include "training/ui/QuizHost.h"
#include "training/ui/TrainingStart.h"
#include "training/ui/WTLogikForm.h"

using platform::Item;
using platform::Menu;

TMainForm* MainForm = nullptr;

OpenQueue& MainOpenQueue() {
    static OpenQueue queue;
    return queue;
}

namespace {

constexpr const char* kEmptyMarker = "\x1b";
constexpr int kSplashMs = 1200;
constexpr int kHintHidePauseMs = 10000;

// Sets the pause on each widget before its first hint shows.
class HintHidePause : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->toolTipDuration() < 0) widget->setToolTipDuration(kHintHidePauseMs);
        }
        return false;
    }
};

// A toolbar hint is the tooltip, "|", and the status line text (none here).
// The picture is the icon theme's by its freedesktop name where one fits (an
// empty name: none does), else the program's own glyph.
QAction* Button(QToolBar* bar, const char* name, const char* hint, const char* themeName, const char* glyph) {
    QAction* action = bar->addAction(platform::Glyph(themeName, glyph), QString::fromUtf8(hint));
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

// Placeholder addresses of the project's web pages.
constexpr const char* kHomepageAddress = "https://pelko32.example.org/";
constexpr const char* kVocabularyArchiveAddress = "https://pelko32.example.org/vokabelarchiv/";

// Options pages of the mode buttons.
constexpr int kPrintPage = 0;
constexpr int kQuizPage = 1;
constexpr int kHangmanPage = 4;
constexpr int kLearningPage = 5;

// The frame as the quiz sees it.
class FrameQuizHost : public QuizHost {
public:
    explicit FrameQuizHost(TMainForm& frame) : frame_(frame) {}
    std::vector<TMDIChild*> DocumentWindows() override { return frame_.Documents(); }
    TMDIChild* CreateEmptyDocument() override { return frame_.CreateMDIChild(kEmptyMarker); }
    void ShowHelpPage(const std::string& page) override { frame_.ShowHelpPage(page); }
    bool PopupSpecialCharacters(const QPoint& globalPos, bool centralEuropean) override {
        return frame_.PopupSpecialCharacters(globalPos, centralEuropean);
    }
    void CloseEditorsBeforeNew() override { frame_.CloseEditorsBeforeNew(); }

private:
    TMainForm& frame_;
};

}  // namespace

void FollowChosenFolder(const platform::FileDialogResult& result) {
    if (!Optionen.VerzeichnisAutomatischWechseln || result.files.empty()) return;
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::path(result.files.front()).parent_path(), ec);
}

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    MainForm = this;
    // Every window of the program carries its icon; the desktop finds the
    // program's entry (and so its icon) by the name.
    QApplication::setWindowIcon(platform::MainProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("pelko32"));
    ClientArea = new QMdiArea(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(ClientArea);
    ClientArea->viewport()->installEventFilter(this);
    SplashTimer = new QTimer(this);
    SplashTimer->setInterval(kSplashMs);
    connect(SplashTimer, &QTimer::timeout, this, &TMainForm::SplashTimerTimer);
    wheelHook_ = !Optionen.Settings.DisableMouseWheel;
    BuildMenus();
    BuildToolbar();
    BuildDeskPopUp();
    BuildStatusBar();
    BuildSpecialCharPopups();
    AboutBox = new TAboutBox(this);
    SearchInfoForm = new TSearchInfoForm(this);
    FileSearchForm = new TFileSearchForm(*SearchInfoForm, this);
    AllgOpt = new TAllgOpt(this);
    TheFrameHooks().showOptionsPage = [this](int page) { return AllgOpt->ShowModalOnPage(page); };
    TheOptionsDialogHooks().showDefaultFonts = [](const std::string&) { ShowDefaultFontsDialog(); };
    TheOptionsDialogHooks().showWordPartRules = [] { WTLogikForm().exec(); };
    SetGeneralOptionsDialog([this](int page) { return AllgOpt->ShowModalOnPage(page); });
    RegisterTrainingModes();
    quizHost_ = std::make_unique<FrameQuizHost>(*this);
    SetQuizHost(quizHost_.get());
    SetDocumentFrame(this);
    WireWizard();
    // The one entry editor of the run, a tool window of the frame.
    TEditForm::Instance(this);
    connect(ClientArea, &QMdiArea::subWindowActivated, this, &TMainForm::MergeMenus);
    connect(ClientArea, &QMdiArea::subWindowActivated, this, &TMainForm::UpdateMenuItems);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TMainForm::UpdateMenuItems);
    // The hint hide pause holds for the hints of every window.
    qApp->installEventFilter(new HintHidePause(this));
    FormCreate();
    UpdateMenuItems();
}

TMainForm::~TMainForm() {
    // The documents go first, while the frame they tell is still whole.
    disconnect(ClientArea, nullptr, this, nullptr);
    disconnect(qApp, nullptr, this, nullptr);
    if (TheQuizHost() == quizHost_.get()) SetQuizHost(nullptr);
    if (&TheDocumentFrame() == this) SetDocumentFrame(nullptr);
    ClientArea->viewport()->removeEventFilter(this);
    // Closed windows that wait for their deletion are no longer listed.
    for (TMDIChild* child : ClientArea->findChildren<TMDIChild*>()) {
        disconnect(child, nullptr, this, nullptr);
        child->Tabelle->viewport()->removeEventFilter(this);
    }
    menuBar()->clear();
    delete ClientArea;
    ClientArea = nullptr;
    if (MainForm == this) {
        MainForm = nullptr;
        OnCommandLineReceived = nullptr;
        TheFrameHooks().showOptionsPage = nullptr;
    }
}

void TMainForm::FormCreate() {
    OnCommandLineReceived = [this] {
        platform::BringToFront(this);
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

    connect(Neu1, &QAction::triggered, this, &TMainForm::Neu1Click);
    connect(FileOpenItem, &QAction::triggered, this, &TMainForm::FileOpenItemClick);
    connect(Importieren1, &QAction::triggered, this, &TMainForm::Importieren1Click);
    connect(Optionen2, &QAction::triggered, this, &TMainForm::Optionen2Click);
    connect(FileExitItem, &QAction::triggered, this, &TMainForm::FileExitItemClick);
    connect(InDateiensuchen1, &QAction::triggered, this, &TMainForm::InDateiensuchen1Click);
    connect(WindowCascadeItem, &QAction::triggered, this, &TMainForm::WindowCascadeItemClick);
    connect(WindowTileItem, &QAction::triggered, this, &TMainForm::WindowTileItemClick);
    connect(Untereinander1, &QAction::triggered, this, &TMainForm::Untereinander1Click);
    connect(WindowArrangeItem, &QAction::triggered, this, &TMainForm::WindowArrangeItemClick);
    connect(WindowMinimizeItem, &QAction::triggered, this, &TMainForm::WindowMinimizeItemClick);
    connect(Fenster, &QMenu::aboutToShow, this, &TMainForm::ShowWindowList);
    const std::pair<QAction*, const char*> pages[] = {
        {Index1, "index.html"},
        {ErsteSchritte1, "ErsteSchritte\\index.html"},
        {SymboleinderSymbolleiste1, "Allgemeines\\symbolleiste.html"},
        {Optionen3, "Dialogfelder\\Optionen\\index.html"},
        {NeuesindieserVersion1, "Allgemeines\\history.html"},
    };
    for (const auto& [item, page] : pages) {
        connect(item, &QAction::triggered, this, [this, p = std::string(page)] { ShowHelpPage(p); });
    }
    connect(Homepage1, &QAction::triggered, this, &TMainForm::HomepageffnenInternetanschluntig1Click);
    connect(Pelko32Vokabelarchiv1, &QAction::triggered, this, &TMainForm::Pelko32Vokabelarchivonline1Click);
    connect(HelpAboutItem, &QAction::triggered, this, &TMainForm::HelpAboutItemClick);
    MergeMenus();
}

void TMainForm::BuildToolbar() {
    SpeedPanel = addToolBar(QString());
    SpeedPanel->setObjectName(QStringLiteral("SpeedPanel"));
    SpeedPanel->setMovable(false);
    // A null member stands for a gap between groups of buttons.
    const struct {
        QAction* TMainForm::*button;
        const char* name;
        const char* hint;
        const char* themeName;  // empty: the theme has none that fits
        const char* glyph;
    } buttons[] = {
        {&TMainForm::SpeedButton1, "SpeedButton1", "Neu", "document-new", "neu"},
        {&TMainForm::SpeedButton2, "SpeedButton2", "Assistent für neue Dateien...", "", "assistent"},
        {&TMainForm::OpenBtn, "OpenBtn", "Öffnen", "document-open", "oeffnen"},
        {&TMainForm::SaveBtn, "SaveBtn", "Speichern", "document-save", "speichern"},
        {},
        {&TMainForm::UndoBtn, "UndoBtn", "Letzten Schritt rückgängig machen", "edit-undo", "rueckgaengig"},
        {&TMainForm::UnundoBtn, "UnundoBtn", "Änderung durch Rückgängig wiederherstellen", "edit-redo",
         "wiederherstellen"},
        {&TMainForm::DruckBtn, "DruckBtn", "Liste drucken", "document-print", "drucken"},
        {},
        {&TMainForm::CutBtn, "CutBtn", "Ausschneiden", "edit-cut", "ausschneiden"},
        {&TMainForm::CopyBtn, "CopyBtn", "Kopieren", "edit-copy", "kopieren"},
        {&TMainForm::PasteBtn, "PasteBtn", "Einfügen", "edit-paste", "einfuegen"},
        {},
        {&TMainForm::Searchbtn, "Searchbtn", "Suchen", "edit-find", "suchen"},
        {&TMainForm::SearchAgainBtn, "SearchAgainBtn", "Weitersuchen", "", "weitersuchen"},
        {},
        {&TMainForm::EditBtn, "EditBtn", "Eingabe-Maske", "", "eingabemaske"},
        {&TMainForm::LernBtn, "LernBtn", "Lernen", "", "lernen"},
        {&TMainForm::AbfragBtn, "AbfragBtn", "Abfragen", "", "abfragen"},
        {&TMainForm::HangmanBtn, "HangmanBtn", "Hangman", "", "hangman"},
        {},
        {&TMainForm::AutoSizeBtn, "AutoSizeBtn", "Tabelle-Autosize", "", "autosize"},
        {&TMainForm::FontBtn, "FontBtn", "Schriftarten...", "", "schriftarten"},
        {&TMainForm::OptionenBtn, "OptionenBtn", "Optionen...", "", "optionen"},
    };
    for (const auto& b : buttons) {
        if (b.button == nullptr) {
            SpeedPanel->addSeparator();
        } else {
            this->*b.button = Button(SpeedPanel, b.name, b.hint, b.themeName, b.glyph);
        }
    }
    EditBtn->setCheckable(true);
    // The document buttons follow the documents (UpdateMenuItems).
    connect(OptionenBtn, &QAction::triggered, this, &TMainForm::OptionenBtnClick);
    connect(SpeedButton1, &QAction::triggered, this, &TMainForm::SpeedButton1Click);
    connect(OpenBtn, &QAction::triggered, this, &TMainForm::FileOpenItemClick);
    connect(SaveBtn, &QAction::triggered, this, [this] { Forward(&TMDIChild::Speichern1); });
    connect(UndoBtn, &QAction::triggered, this, [this] { Forward(&TMDIChild::UndoMenu); });
    connect(UnundoBtn, &QAction::triggered, this, [this] { Forward(&TMDIChild::UnundoMenu); });
    connect(CutBtn, &QAction::triggered, this, [this] { Forward(&TMDIChild::Ausschneiden1); });
    connect(CopyBtn, &QAction::triggered, this, [this] { Forward(&TMDIChild::Kopieren1); });
    connect(PasteBtn, &QAction::triggered, this, [this] { Forward(&TMDIChild::Einfgen1); });
    connect(Searchbtn, &QAction::triggered, this, [this] { Forward(&TMDIChild::Suchen1); });
    connect(SearchAgainBtn, &QAction::triggered, this, [this] { Forward(&TMDIChild::Weitersuchen1); });
    connect(AutoSizeBtn, &QAction::triggered, this, [this] {
        if (TMDIChild* child = ActiveDocument()) child->TabelleAutoSizeClick();
    });
    connect(FontBtn, &QAction::triggered, this, [this] { Forward(&TMDIChild::SchriftartenfrdieseDatei1); });
    connect(EditBtn, &QAction::triggered, this, &TMainForm::EditBtnClick);
    connect(LernBtn, &QAction::triggered, this, &TMainForm::LernBtnClick);
    connect(AbfragBtn, &QAction::triggered, this, &TMainForm::AbfragBtnClick);
    connect(HangmanBtn, &QAction::triggered, this, &TMainForm::HangmanBtnClick);
    connect(DruckBtn, &QAction::triggered, this, &TMainForm::DruckBtnClick);
    // The mode buttons note Shift at the mouse-down.
    for (QAction* mode : {LernBtn, AbfragBtn, HangmanBtn, DruckBtn}) {
        SpeedPanel->widgetForAction(mode)->installEventFilter(this);
    }
}

void TMainForm::BuildDeskPopUp() {
    DeskPopUp = Menu(this, "DeskPopUp", "");
    LeereDatei1 = Item(DeskPopUp, "NeueDateiffnen1", "&Leere Datei");
    NeuWizard1 = Item(DeskPopUp, "NeuWizard1", "Neue-Datei-&Assistent...");
    Dateioeffnen1 = Item(DeskPopUp, "Dateiffnen1", "Datei &öffnen...");
    DeskPopUp->addSeparator();
    Pelko32beenden1 = Item(DeskPopUp, "Pelko32beenden1", "Pelko32 &beenden");
    connect(LeereDatei1, &QAction::triggered, this, &TMainForm::NeueDateiffnen1Click);
    connect(Dateioeffnen1, &QAction::triggered, this, &TMainForm::Dateiffnen1Click);
    connect(Pelko32beenden1, &QAction::triggered, this, &TMainForm::Pelko32beenden1Click);

    KennwortMenu = Menu(this, "KennwortMenu", "");
    Kennwortschutzndern1 = Item(KennwortMenu, "Kennwortschutzndern1", "&Kennwortschutz ändern...");
    connect(Kennwortschutzndern1, &QAction::triggered, this, &TMainForm::Kennwortschutzndern1Click);
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
    connect(child->Oeffnen1, &QAction::triggered, this, [this] {
        CloseEditorsBeforeNew();
        FileOpenItemClick();
    });
    for (int i = 0; i < 9; ++i) {
        child->F[i]->setEnabled(true);
        connect(child->F[i], &QAction::triggered, this, [this, i] { _LastFilesClick(i + 1); });
    }
    child->Neu1->setEnabled(true);
    connect(child->Neu1, &QAction::triggered, this, &TMainForm::FileNewItemClick);
    child->InDateiensuchen1->setEnabled(true);
    connect(child->InDateiensuchen1, &QAction::triggered, this, &TMainForm::InDateiensuchen1Click);
    if (wheelHook_) child->Tabelle->viewport()->installEventFilter(this);
    // A closing window may be the last; the bar must not keep its menus, and
    // the buttons count the documents only once it is gone.
    connect(child, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, &TMainForm::MergeMenus);
        QTimer::singleShot(0, this, &TMainForm::UpdateMenuItems);
    });
}

TMDIChild* TMainForm::ShowNewDocument(TMDIChild* child, const std::string& caption) {
    // A closed window waiting for its deletion counts no more.
    const QList<QMdiSubWindow*> windows = ClientArea->subWindowList();
    const int count = int(std::count_if(windows.begin(), windows.end(),
                                        [child](QMdiSubWindow* w) { return w == child || !w->isHidden(); }));
    child->SetCaption(caption.empty() ? "Vokabeldatei " + std::to_string(count) : caption);
    child->SetTag(count);
    WireDocument(child);
    child->show();
    ClientArea->setActiveSubWindow(child);
    MergeMenus();
    UpdateMRU("");
    UpdateMenuItems();
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
    AllgOpt->AnmeldenClick(false);
    SplashTimer->start();
}

// The open dialogs take their initial folder from the options at every
// request, so a changed working folder needs no step of its own here.
void TMainForm::Optionen2Click() { AllgOpt->ShowModalOnPage(-1); }

void TMainForm::OptionenBtnClick() {
    Optionen2Click();
    // The description line may have been switched on or off.
    for (TMDIChild* child : Documents()) child->FormResize();
}

void TMainForm::SplashTimerTimer() {
    SplashTimer->stop();
    if (Optionen.NochNieGestartet) ShowHelpPage("ErsteSchritte\\index.html");
    // The start switch's mode runs as the wizard would start it, so the list
    // comes back afterwards. Files handed over meanwhile open at once.
    if (TMDIChild* child = ActiveDocument()) {
        if (StartMode == kStartLearning) child->Lernen1Click(ModeOrigin::Wizard);
        if (StartMode == kStartQuiz) child->Abfragen1Click(ModeOrigin::Wizard);
        if (StartMode == kStartHangman) child->Hangman1Click(ModeOrigin::Wizard);
    }
    OpenQueue::Busy busy(MainOpenQueue());
    if (Optionen.Settings.ShowWizAtStartUp && Documents().empty()) NewWizard->show();
    RunStartupChecks(Optionen, platform::ProgramFolder(), platform::Dialogs());
}

void TMainForm::WireWizard() {
    NewWizard = new TNewWizard(*this, this);
    connect(FileNewItem, &QAction::triggered, this, &TMainForm::FileNewItemClick);
    connect(SpeedButton2, &QAction::triggered, this, &TMainForm::SpeedButton2Click);
    connect(NeuWizard1, &QAction::triggered, this, &TMainForm::NeuWizard1Click);
}

void TMainForm::FileNewItemClick() {
    CloseEditorsBeforeNew();
    NewWizard->ForceNewPage = true;
    NewWizard->exec();
}

void TMainForm::NeuWizard1Click() {
    CloseEditorsBeforeNew();
    NewWizard->exec();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    OpenQueue::Busy busy(MainOpenQueue());
    // A second start while the documents ask cancels the close: its files
    // open once the questions are done.
    InstanceClose instance;
    // Every document is asked before any closes; one refusal keeps all open
    // and writes nothing.
    for (TMDIChild* child : Documents()) {
        if (!child->Document().CloseQuery() || instance.Interrupted()) {
            event->ignore();
            return;
        }
    }
    FormCloseQuery();
    if (!instance.StopAnswering()) {
        event->ignore();
        return;
    }
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
    if (event->type() == QEvent::Wheel && WheelOverGrid(watched, event)) return true;
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        for (QAction* mode : {LernBtn, AbfragBtn, HangmanBtn, DruckBtn}) {
            if (watched == SpeedPanel->widgetForAction(mode)) {
                ModeButtonShift = (press->modifiers() & Qt::ShiftModifier) ? 1 : 0;
            }
        }
        if (watched == StatusPanels[1] && press->button() == Qt::RightButton) {
            KennwortMenu->popup(press->globalPosition().toPoint());
            return true;
        }
    }
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

// Help bridge.

void TMainForm::ShowHelpPage(const std::string& page) { ::ShowHelpPage(page, platform::TheShell()); }

void HelpContextToMainForm(int context) {
    if (MainForm != nullptr) MainForm->HelpContextToPage(context);
}

void TMainForm::HelpContextToPage(int context) {
    ::HelpContextToPage(context, platform::TheShell(), platform::Dialogs());
}

// Status bar and hints.

void TMainForm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(bar);
        StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        bar->addWidget(StatusPanels[i], i == 2 ? 1 : 0);
    }
    StatusPanels[1]->installEventFilter(this);
    StatusBarResize();
}

void TMainForm::StatusBarResize() {
    if (StatusPanels[0] == nullptr) return;
    const QFontMetrics metrics(statusBar()->font());
    const int w1 = metrics.horizontalAdvance(QString::fromUtf8(kCountPanelWidthText.c_str()));
    const int w2 = metrics.horizontalAdvance(QString::fromUtf8(kPasswordPanelWidthText.c_str()));
    StatusPanels[0]->setFixedWidth(std::max(0, width() - w1 - w2));
    StatusPanels[1]->setFixedWidth(w2);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    StatusBarResize();
}

void TMainForm::ShowHintInStatusBar(const QString& hint) { StatusPanels[0]->setText(QStringLiteral(" ") + hint); }

bool TMainForm::event(QEvent* event) {
    // Hints go to panel 0; the bar never covers its panels with a message.
    if (event->type() == QEvent::StatusTip) {
        ShowHintInStatusBar(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// Keeping the commands in step with the documents.

bool TMainForm::EntryEditorVisible() const {
    const TEditForm* editor = TEditForm::Existing();
    return editor != nullptr && editor->isVisible();
}

void TMainForm::UpdateMenuItems() {
    if (ClientArea == nullptr) return;
    std::vector<TMDIChild*> documents = Documents();
    // A closed window is hidden until it is deleted and counts no more.
    std::erase_if(documents, [](TMDIChild* child) { return child->isHidden(); });
    TMDIChild* active = ActiveDocument();
    std::optional<ActiveDocumentSummary> summary;
    if (active != nullptr) summary = ActiveDocumentSummary::Of(active->Document());
    const FrameCommandState state = ComputeFrameState(int(documents.size()), summary, EntryEditorVisible());
    for (QAction* action : {SaveBtn, CutBtn, CopyBtn, PasteBtn, WindowCascadeItem, WindowTileItem, Untereinander1,
                            WindowArrangeItem, WindowMinimizeItem, EditBtn, LernBtn, AbfragBtn, HangmanBtn, Searchbtn,
                            SearchAgainBtn, FontBtn, AutoSizeBtn, DruckBtn}) {
        action->setEnabled(state.documentCommands);
    }
    UndoBtn->setEnabled(state.undo);
    UnundoBtn->setEnabled(state.redo);
    EditBtn->setChecked(state.editPressed);
    if (active != nullptr) active->Bearbeiten1->setChecked(state.editPressed);
    StatusPanels[1]->setText(QString::fromUtf8(state.passwordPanel.c_str()));
    StatusPanels[2]->setText(QString::fromUtf8(state.countPanel.c_str()));
}

bool TMainForm::CloseEditorsBeforeNew() {
    // The editor stores and closes through its OK handler.
    DocumentFrame::CloseEditorsBeforeNew();
    EditBtn->setChecked(false);
    // Hidden, not closed: the wizard's close handler stores nothing here.
    if (NewWizard->isVisible()) NewWizard->hide();
    return true;
}

void TMainForm::ShowEntryCount(const QString& text) { StatusPanels[2]->setText(text); }

void TMainForm::ShowOptionsPage(int page) {
    if (TheFrameHooks().showOptionsPage) TheFrameHooks().showOptionsPage(page);
}

// Toolbar.

void TMainForm::Forward(QAction* TMDIChild::*item) {
    if (TMDIChild* child = ActiveDocument()) (child->*item)->trigger();
}

void TMainForm::EditBtnClick() {
    TMDIChild* child = ActiveDocument();
    if (child == nullptr) {
        EditBtn->setChecked(false);
        return;
    }
    if (EntryEditorVisible()) {
        TEditForm::Existing()->ButtonFertigClick();
        EditBtn->setChecked(false);
        child->Bearbeiten1->setChecked(false);
        return;
    }
    // The editor, once open, presses the button through UpdateMenuItems.
    EditBtn->setChecked(false);
    child->Bearbeiten1Click();
    UpdateMenuItems();
}

void TMainForm::StartModeFromButton(int optionsPage, void (*start)(TMDIChild&)) {
    if ((ModeButtonShift & 1) != 0 && TheFrameHooks().showOptionsPage) {
        const platform::ModalResult result = TheFrameHooks().showOptionsPage(optionsPage);
        if (result == platform::ModalResult::Cancel || result == platform::ModalResult::Abort ||
            result == platform::ModalResult::None) {
            return;
        }
    }
    if (TMDIChild* child = ActiveDocument()) start(*child);
    ModeButtonShift = 0;
}

void TMainForm::LernBtnClick() {
    StartModeFromButton(kLearningPage, [](TMDIChild& child) { child.Lernen1->trigger(); });
}

void TMainForm::AbfragBtnClick() {
    StartModeFromButton(kQuizPage, [](TMDIChild& child) { child.Abfragen1Click(); });
}

void TMainForm::HangmanBtnClick() {
    StartModeFromButton(kHangmanPage, [](TMDIChild& child) { child.Hangman1->trigger(); });
}

void TMainForm::DruckBtnClick() {
    StartModeFromButton(kPrintPage, [](TMDIChild& child) { child.StartPrint(true); });
}

void TMainForm::Kennwortschutzndern1Click() {
    if (TMDIChild* child = ActiveDocument()) child->Beschreibungndern1->trigger();
}

// Menu commands.

void TMainForm::InDateiensuchen1Click() {
    // One search at a time: the running one owns its result window.
    if (SearchInfoForm->Running()) return;
    OpenQueue::Busy busy(MainOpenQueue());
    FileSearchForm->exec();
}

void TMainForm::HelpAboutItemClick() {
    OpenQueue::Busy busy(MainOpenQueue());
    AboutBox->exec();
}

void TMainForm::HomepageffnenInternetanschluntig1Click() { platform::TheShell().OpenAddress(kHomepageAddress); }

void TMainForm::Pelko32Vokabelarchivonline1Click() { platform::TheShell().OpenAddress(kVocabularyArchiveAddress); }

// The window menu.

void TMainForm::WindowCascadeItemClick() {
    // The area's own cascade sizes each window by its size hint, which for a
    // document is no more than a title bar.
    std::vector<TMDIChild*> windows;
    for (TMDIChild* child : Documents()) {
        if (!child->isHidden() && !child->isMinimized()) windows.insert(windows.begin(), child);
    }
    if (windows.empty()) return;
    const QSize area = ClientArea->viewport()->size();
    const int step = windows.front()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.front());
    const std::vector<WindowRect> rects = CascadeWindows(int(windows.size()), area.width(), area.height(), step);
    for (size_t i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized()) windows[i]->showNormal();
        windows[i]->setGeometry(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    }
}

void TMainForm::WindowTileItemClick() { TileDocuments(true); }

void TMainForm::Untereinander1Click() { TileDocuments(false); }

void TMainForm::TileDocuments(bool sideBySide) {
    std::vector<TMDIChild*> windows;
    for (TMDIChild* child : Documents()) {
        if (!child->isHidden() && !child->isMinimized()) windows.push_back(child);
    }
    const QSize area = ClientArea->viewport()->size();
    const std::vector<WindowRect> rects = TileWindows(int(windows.size()), area.width(), area.height(), sideBySide);
    for (size_t i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized()) windows[i]->showNormal();
        windows[i]->setGeometry(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    }
}

void TMainForm::WindowArrangeItemClick() {
    std::vector<TMDIChild*> icons;
    for (TMDIChild* child : Documents()) {
        if (!child->isHidden() && child->isMinimized()) icons.insert(icons.begin(), child);
    }
    if (icons.empty()) return;
    const QSize area = ClientArea->viewport()->size();
    const QSize icon = icons.front()->size();
    const std::vector<WindowRect> rects =
        ArrangeIcons(int(icons.size()), area.width(), area.height(), icon.width(), icon.height());
    for (size_t i = 0; i < icons.size(); ++i) icons[i]->move(rects[i].x, rects[i].y);
}

void TMainForm::WindowMinimizeItemClick() {
    const std::vector<TMDIChild*> documents = Documents();
    for (auto it = documents.rbegin(); it != documents.rend(); ++it) (*it)->showMinimized();
}

void TMainForm::ShowWindowList() {
    for (QAction* action : Fenster->actions()) {
        if (action->property("windowList").toBool()) {
            Fenster->removeAction(action);
            action->deleteLater();
        }
    }
    const QList<QMdiSubWindow*> windows = ClientArea->subWindowList(QMdiArea::CreationOrder);
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        if (window->isHidden() && !window->isMinimized()) continue;
        if (number == 0) Fenster->addSeparator()->setProperty("windowList", true);
        ++number;
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = Fenster->addAction(QStringLiteral("&%1 %2").arg(number).arg(title));
        item->setProperty("windowList", true);
        item->setCheckable(true);
        item->setChecked(window == ClientArea->currentSubWindow());
        QPointer<QMdiSubWindow> target(window);
        connect(item, &QAction::triggered, this, [this, target] {
            if (target != nullptr) ClientArea->setActiveSubWindow(target);
        });
    }
}

// Mouse wheel over the active document's grid.

bool TMainForm::WheelOverGrid(QObject* viewport, QEvent* event) {
    TMDIChild* child = ActiveDocument();
    if (child == nullptr || viewport != child->Tabelle->viewport() || !child->Tabelle->isVisible()) return false;
    const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
    if (dy == 0) return false;  // a sideways turn is the grid's own
    if (!child->Tabelle->hasFocus()) child->Tabelle->setFocus();
    const int steps = wheelSteps_.Add(dy);
    const int rows = child->Model().GridRowCount();
    const int visible = std::max(1, child->Tabelle->viewport()->height() / std::max(1, child->RowHeight()));
    const int current = child->Tabelle->rowAt(0);
    int top = current < 0 ? 1 : current + 1;
    for (int i = 0; i < std::abs(steps); ++i) top = WheelTopRow(top, visible, rows, steps > 0);
    if (steps != 0) {
        child->Tabelle->scrollTo(child->Model().index(top - 1, 0), QAbstractItemView::PositionAtTop);
    }
    return true;
}

// Special characters.

void TMainForm::BuildSpecialCharPopups() {
    const auto build = [this](const char* name, const std::vector<SpecialCharSubmenu>& model) {
        QMenu* popup = Menu(this, name, "");
        for (const SpecialCharSubmenu& sub : model) {
            QMenu* menu = popup->addMenu(QString::fromUtf8(sub.caption.c_str()));
            for (const SpecialCharItem& item : sub.items) {
                QAction* action = menu->addAction(QString::fromUtf8(item.caption.c_str()));
                if (!item.name.empty()) action->setObjectName(QString::fromStdString(item.name));
                // _SonderzSelect and _SonderzSelectCz.
                connect(action, &QAction::triggered, this, [this, code = item.code] {
                    Optionen.Settings.LetztesSonderzeichen = std::string(1, char(code));
                    BpopTag = 1;
                });
            }
        }
        // BpopPopup.
        connect(popup, &QMenu::aboutToShow, this, [this] { BpopTag = 0; });
        return popup;
    };
    Bpop = build("Bpop", BpopMenu());
    BpopCz = build("BpopCz", BpopCzMenu());
}

bool TMainForm::PopupSpecialCharacters(const QPoint& globalPos, bool centralEuropean) {
    OpenQueue::Busy busy(MainOpenQueue());
    BpopTag = 0;
    (centralEuropean ? BpopCz : Bpop)->exec(globalPos);
    return BpopTag == 1;
}
