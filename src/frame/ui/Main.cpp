// The main window's life: what it builds and wires at its creation, its
// start (the command line, the last files, the splash timer) and its close.
#include "frame/ui/Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QTableView>
#include <QTimer>
#include <QWindow>

#include "documents/AppSettings.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/Edit.h"
#include "documents/ui/Font_select_unit.h"
#include "frame/FrameHooks.h"
#include "frame/InstanceManager.h"
#include "frame/MainStartup.h"
#include "frame/OptionsDialogHooks.h"
#include "frame/ui/About.h"
#include "frame/ui/AllgOptionen.h"
#include "frame/ui/FileSearchUnit.h"
#include "frame/ui/InstanceManagerQt.h"
#include "frame/ui/searchinfounit.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "platform/ui/Glyphs.h"
#include "platform/ui/WindowFront.h"
#include "training/ui/ModeFrame.h"
#include "training/ui/QuizHost.h"
#include "training/ui/TrainingStart.h"
#include "training/ui/WTLogikForm.h"

TMainForm* MainForm = nullptr;

namespace {

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

// The frame as the quiz sees it.
class FrameQuizHost : public QuizHost {
public:
    explicit FrameQuizHost(TMainForm& frame) : frame_(frame) {}
    std::vector<TMDIChild*> DocumentWindows() override { return frame_.Documents(); }
    TMDIChild* CreateEmptyDocument() override { return frame_.CreateMDIChild(TMainForm::kEmptyMarker); }
    void ShowHelpPage(const std::string& page) override { frame_.ShowHelpPage(page); }
    bool PopupSpecialCharacters(const QPoint& globalPos, bool centralEuropean) override {
        return frame_.PopupSpecialCharacters(globalPos, centralEuropean);
    }
    void CloseEditorsBeforeNew() override { frame_.CloseEditorsBeforeNew(); }

private:
    TMainForm& frame_;
};

}  // namespace

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

void TMainForm::FormShow(const std::vector<std::string>& args, const std::string& cwd) {
    OpenQueue::Busy busy(MainOpenQueue());
    const StartArguments start = ParseStartArguments(args, cwd);
    StartMode = start.startMode;
    for (const std::string& file : start.files) OpenFile(file);
    if (!start.missing.empty()) ReportCannotFindFile(start.missing, platform::Dialogs());
    if (StartMode != kStartNone && ActiveDocument() != nullptr) ActiveDocument()->HideTable();
    ReopenLastFiles(Optionen, !Documents().empty(), [this](const std::string& file) { OpenFile(file); },
                    platform::Dialogs());
    if (WantsEmptyStartDocument(Optionen, !Documents().empty())) Neu1Click();
    AllgOpt->AnmeldenClick(false);
    SplashTimer->start();
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
