#include "frame/ui/AllgOptionen.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <optional>

#include "documents/AppSettings.h"
#include "documents/FontChoice.h"
#include "frame/FileTypeRegistration.h"
#include "frame/HelpContexts.h"
#include "frame/OptionsDialogHooks.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/ui/Hourglass.h"
#include "training/ui/QuizSound.h"

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }
QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

template <class W>
W* Named(W* widget, const char* name, QLayout* layout) {
    widget->setObjectName(QString::fromLatin1(name));
    if (layout != nullptr) layout->addWidget(widget);
    return widget;
}

QCheckBox* Check(QLayout* layout, const char* name, const char* caption) {
    return Named(new QCheckBox(Q(caption)), name, layout);
}

QPushButton* Push(QLayout* layout, const char* name, const char* caption) {
    return Named(new QPushButton(Q(caption)), name, layout);
}

QLineEdit* Edit(QLayout* layout, const char* name) { return Named(new QLineEdit, name, layout); }

// A radio group; its buttons carry their item index.
QGroupBox* Group(QLayout* layout, const char* name, const char* caption, std::initializer_list<const char*> items) {
    auto* group = Named(new QGroupBox(Q(caption)), name, layout);
    auto* inner = new QVBoxLayout(group);
    int index = 0;
    for (const char* item : items) {
        auto* radio = new QRadioButton(Q(item), group);
        radio->setProperty("itemIndex", index++);
        inner->addWidget(radio);
    }
    return group;
}

int ItemIndex(const QGroupBox* group) {
    for (const QRadioButton* radio : group->findChildren<QRadioButton*>()) {
        if (radio->isChecked()) return radio->property("itemIndex").toInt();
    }
    return -1;
}

void SetItemIndex(QGroupBox* group, int index) {
    for (QRadioButton* radio : group->findChildren<QRadioButton*>()) {
        radio->setChecked(radio->property("itemIndex").toInt() == index);
    }
}

QWidget* Page(QTabWidget* tabs, const char* name, const char* caption, int helpContext) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    page->setProperty("helpContext", helpContext);
    new QVBoxLayout(page);
    tabs->addTab(page, Q(caption));
    return page;
}

QHBoxLayout* Row(QWidget* page) {
    auto* row = new QHBoxLayout;
    static_cast<QVBoxLayout*>(page->layout())->addLayout(row);
    return row;
}

// Ends a page: its controls stand together at the top, the help button at
// the bottom right.
void HelpButton(QWidget* page, const char* name, const char* helpPage) {
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->addStretch(1);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    row->addStretch(1);
    QPushButton* button = Push(row, name, "&Hilfe");
    QObject::connect(button, &QPushButton::clicked, [p = std::string(helpPage)] {
        ShowHelpPage(p, platform::TheShell());
    });
}

// Lines are separated by "\r"; what follows "|" would go to the status bar.
const char* const kFontHint = "Klicken Sie hier um die Standardschriftarten\r(werden für neue Dateien verwendet) zu ändern|";
const std::pair<const char*, const char*> kHints[] = {
    {"BeispielLabel", "So sieht die Schriftart beim Drucken aus|"},
    {"VokAnzahlBox", "Druckt am Ende der Liste die Anzahl der Vokabeln|"},
    {"VokNumber", "Druckt vor jede Vokabel die Nummer in der Liste|"},
    {"GitterNetzBox", "Druckt Linien zwischen den Zeilen und Spalten|"},
    {"Descr_Box", "Druckt die Beschreibung der Datei über die Liste|"},
    {"UmbrechBox", "Bricht eine Vokabel, die zu lang für ihre Spalte ist,\rin die nächste Zeile um|"},
    {"VerkleinernBox", "Verkleinert die Schrift einer Vokabel,\rdie zu lang für ihre Spalte ist|"},
    {"maxPtBox", "Die Schrift wird höchstens um die angegebene Punktzahl verkleinert|"},
    {"MaxPt", "Um wie viele Punkte die Schrift höchstens verkleinert wird|"},
    {"bisPasstBox", "Die Schrift wird so weit verkleinert, bis die Vokabel in die Spalte paßt|"},
    {"FontBtn", kFontHint},
    {"SearchAutoFuzzyBox", "Sucht automatisch unscharf weiter,\rwenn die Suche nichts gefunden hat|"},
    {"MB_zulassen", "Erlaubt mehrere Bedeutungen einer Vokabel beim Abfragen|"},
    {"AbfrRichtung", "In welche Richtung abgefragt wird|"},
    {"ZufallBox", "Fragt die Vokabeln nicht in der eingegebenen Reihenfolge ab.|"},
    {"BisRichtig", "Fragt falsch beantwortete Vokabeln so lange,\rbis sie richtig beantwortet wurden|"},
    {"wiederholen_zufall", "Eine falsch beantwortete Vokabel kommt später\rin zufälliger Reihenfolge wieder|"},
    {"wiederholen_direkt", "Eine falsch beantwortete Vokabel wird sofort wiederholt|"},
    {"WiederholenAnz", "Zeigt beim Wiederholen die richtige Übersetzung|"},
    {"Tips", "Erlaubt beim Abfragen Tips zur richtigen Antwort|"},
    {"OptvorAbfr", "Zeigt dieses Dialogfeld vor jedem Abfragen.|"},
    {"FUZZYBox", "Läßt kleine Tippfehler als richtig gelten|"},
    {"Prozentangabe", "Ab wie viel Prozent Übereinstimmung eine Antwort als richtig gilt|"},
    {"GrossKlein", "Unterscheidet beim Abfragen nicht zwischen\rGroß- und Kleinbuchstaben|"},
    {"LernArtBox", "Welche Sprache beim Lernen gezeigt wird|"},
    {"LernAnzBox", "Wie oft eine Vokabel beim Lernen wiederholt wird|"},
    {"EinzelneBedBox", "Lernt jede Bedeutung einer Vokabel für sich|"},
    {"CreateList", "Legt beim Abfragen eine Liste der falsch\rbeantworteten Vokabeln an|"},
    {"BlinkOnErrorBox", "Läßt das Fenster bei einer falschen Antwort blinken|"},
    {"BeepOnErrorBox", "Spielt bei einer falschen Antwort die angegebene Sounddatei|"},
    {"UseStdVerzBox", "Öffnet und speichert Vokabeldateien zuerst\rim Standard-Arbeitsverzeichnis|"},
    {"VerzName", "Das Verzeichnis, in dem Ihre Vokabeldateien liegen|"},
    {"ChangeDirBox", "Wechselt in das Verzeichnis der zuletzt geöffneten Datei|"},
    {"MakeSic", "Legt beim Speichern eine Sicherungskopie der alten Datei an|"},
    {"Ersetzen", "Wandelt beim Öffnen von DOS-Dateien die Umlaute um|"},
    {"Trennen", "Trennt beim Öffnen von DOS-Dateien mehrere Bedeutungen\rin einzelne Felder|"},
    {"Anmelden", "Meldet Vokabeldateien an, damit Pelko32 sie\rbeim Doppelklicken öffnet|"},
    {"StartWithWiz", "Zeigt beim Start den Assistenten für neue Dateien|"},
    {"Semikolon", "Springt beim Eingeben eines Semikolons in das nächste Feld|"},
    {"Semikolon_language", "Springt beim Semikolon nur innerhalb derselben Sprache weiter|"},
    {"Enterwechselt", "Wechselt mit der Eingabetaste zwischen\rFremdsprache und Muttersprache|"},
    {"zuerstAktiv", "Welches Feld beim Eingeben zuerst aktiv ist|"},
    {"ShowDescBox", "Zeigt die Beschreibung der Datei im Dokumentfenster|"},
    {"DescAtFirstSave", "Fragt beim ersten Speichern nach einer Beschreibung|"},
    {"AskFSBox", "Hangman fragt die Fremdsprache ab|"},
    {"AskMSBox", "Hangman fragt die Muttersprache ab|"},
    {"OnlyFirst", "Hangman fragt nur die erste Bedeutung einer Vokabel|"},
    {"OptAtStart", "Zeigt die Optionen vor jedem Hangman-Spiel|"},
    {"ShowTransl", "Zeigt bei Hangman die Übersetzung des gesuchten Wortes|"},
    {"HangmBisRichtigBox", "Fragt ein Wort so lange, bis es erraten wurde|"},
    {"DoppelteBuchst", "Ein schon genannter Buchstabe zählt als Fehler|"},
    {"UmlauteTrennenBox", "Behandelt Umlaute als eigene Buchstaben|"},
    {"HangmanFiles", "Die Hangman-Info-Datei mit den Bildern des Spiels|"},
    {"BitBtn8", kFontHint},
};

QString HintToolTip(const char* hint) {
    QString text = Q(hint);
    text.truncate(text.indexOf(QLatin1Char('|')));
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

void RunDesktopTool(const std::string& program, const std::vector<std::string>& args) {
    const QString path = QStandardPaths::findExecutable(Q(program));
    if (!path.isEmpty()) platform::TheShell().StartProgram(path.toStdString(), args);
}

}  // namespace

TAllgOpt::TAllgOpt(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AllgOpt"));
    setWindowTitle(QStringLiteral("Optionen"));
    setProperty("helpContext", 1000);
    auto* layout = new QVBoxLayout(this);
    PageControl1 = Named(new QTabWidget, "PageControl1", layout);
    // The dialog is as wide as all six tab captions.
    PageControl1->tabBar()->setUsesScrollButtons(false);
    DruckPage = Page(PageControl1, "DruckPage", "Drucken", 1101);
    AbfrPage = Page(PageControl1, "AbfrPage", "Abfragen", 1201);
    FilePage = Page(PageControl1, "FilePage", "Dateien...", 1301);
    EingPage = Page(PageControl1, "EingPage", "Eingabe", 1401);
    HangmPage = Page(PageControl1, "HangmPage", "Hangman", 1501);
    LernPage = Page(PageControl1, "LernPage", "Lernen", 1601);
    BuildDruckPage();
    BuildAbfrPage();
    BuildFilePage();
    BuildEingPage();
    BuildHangmPage();
    BuildLernPage();
    BuildButtons();
    FormCreate();
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] {
        for (QWidget* w = focusWidget(); w != nullptr; w = w->parentWidget()) {
            if (const int context = w->property("helpContext").toInt(); context != 0) {
                platform::ShowHelpContext(context);
                return;
            }
        }
    });
}

TAllgOpt::~TAllgOpt() = default;

void TAllgOpt::BuildDruckPage() {
    QLayout* l = DruckPage->layout();
    BeispielLabel = Named(new QLabel, "BeispielLabel", l);
    BeispielLabel->setTextFormat(Qt::PlainText);
    FontBtn = Push(l, "FontBtn", "&Standard-Schriftarten ändern...");
    VokAnzahlBox = Check(l, "VokAnzahlBox", "Anzahl der Vokabeln mitdrucken");
    VokNumber = Check(l, "VokNumber", "Vokabelnummern drucken");
    GitterNetzBox = Check(l, "GitterNetzBox", "Gitternetz drucken");
    Descr_Box = Check(l, "Descr_Box", "Beschreibung mitdrucken");
    UmbrechBox = Check(l, "UmbrechBox", "Zeilenumbruch, wenn zu lang");
    VerkleinernBox = Check(l, "VerkleinernBox", "Schriftart verkleinern, wenn zu lang");
    QHBoxLayout* row = Row(DruckPage);
    maxPtBox = Named(new QRadioButton(Q("um maximal")), "maxPtBox", row);
    MaxPt = Edit(row, "MaxPt");
    MaxPt->setMaximumWidth(40);
    SpinUp = Named(new QToolButton, "SpinButton1Up", row);
    SpinUp->setArrowType(Qt::UpArrow);
    SpinDown = Named(new QToolButton, "SpinButton1Down", row);
    SpinDown->setArrowType(Qt::DownArrow);
    row->addWidget(new QLabel(Q("Punkt")));
    bisPasstBox = Named(new QRadioButton(Q("bis Vokabel paßt")), "bisPasstBox", DruckPage->layout());
    HelpButton(DruckPage, "BitBtn2", "Dialogfelder\\Optionen\\drucken.html");

    connect(FontBtn, &QPushButton::clicked, this, &TAllgOpt::FontBtnClick);
    connect(VerkleinernBox, &QCheckBox::clicked, this, [this] { Rule(VerkleinernBoxClick); });
    connect(SpinUp, &QToolButton::clicked, this, [this] {
        ReadControls();
        SpinButton1UpClick(state_, Checks());
        ShowState();
    });
    connect(SpinDown, &QToolButton::clicked, this, [this] {
        ReadControls();
        SpinButton1DownClick(state_, Checks());
        ShowState();
    });
    MaxPt->installEventFilter(this);
}

void TAllgOpt::BuildAbfrPage() {
    QLayout* l = AbfrPage->layout();
    AbfrRichtung = Group(l, "AbfrRichtung", "Richtung",
                         {"Muttersprache --> Fremdsprache", "Fremdsprache --> Muttersprache"});
    ZufallBox = Check(l, "ZufallBox", "Zufällige Reihenfolge");
    BisRichtig = Check(l, "BisRichtig", "Wiederholen bis richtig");
    QHBoxLayout* repeat = Row(AbfrPage);
    wiederholen_direkt = Named(new QRadioButton(Q("bei Falsch direkt wiederholen")), "wiederholen_direkt", repeat);
    wiederholen_zufall = Named(new QRadioButton(Q("zufällig wiederholen")), "wiederholen_zufall", repeat);
    WiederholenAnz = Check(l, "WiederholenAnz", "Beim Wiederholen korrekte Übersetzung anzeigen");
    Tips = Check(l, "Tips", "Tips zulassen");
    OptvorAbfr = Check(l, "OptvorAbfr", "Optionen vor Abfragen anzeigen");
    GrossKlein = Check(l, "GrossKlein", "Groß- und Kleinschreibung ignorieren");
    QHBoxLayout* fuzzy = Row(AbfrPage);
    FUZZYBox = Check(fuzzy, "FUZZYBox", "Fuzzy-Vergleich, richtig ab");
    Prozentangabe = Edit(fuzzy, "Prozentangabe");
    Prozentangabe->setMaximumWidth(50);
    fuzzy->addWidget(new QLabel(Q("%")));
    WTLogikBtn = Push(fuzzy, "WTLogikBtn", "Wortteil-Logik...");
    MB_zulassen = Check(l, "MB_zulassen", "Mehrere Bedeutungen zulassen");
    MB_Richtig = Group(l, "MB_Richtig", "Bei mehreren Bedeutungen",
                       {"alle Möglichkeiten stimmen", "mindestens 1 Möglichkeit stimmt"});
    CreateList = Check(l, "CreateList", "Fehlerliste erstellen");
    BlinkOnErrorBox = Check(l, "BlinkOnErrorBox", "Blinken bei Fehler");
    QHBoxLayout* sound = Row(AbfrPage);
    BeepOnErrorBox = Check(sound, "BeepOnErrorBox", "Sound bei Fehler:");
    beep_name = Edit(sound, "beep_name");
    SpeedButton4 = Push(sound, "SpeedButton4", "...");
    SpeedButton5 = Push(sound, "SpeedButton5", "Testen");
    AskForUserNameBox = Check(l, "AskForUserNameBox", "Nach dem Benutzernamen fragen");
    HelpButton(AbfrPage, "BitBtn3", "Dialogfelder\\Optionen\\abfragen.html");

    connect(ZufallBox, &QCheckBox::clicked, this, [this] { Rule(BisRichtigClick); });
    connect(BisRichtig, &QCheckBox::clicked, this, [this] { Rule(BisRichtigClick); });
    connect(FUZZYBox, &QCheckBox::clicked, this, [this] { Rule(FUZZYBoxClick); });
    connect(MB_zulassen, &QCheckBox::clicked, this, [this] { Rule(MB_zulassenClick); });
    connect(WTLogikBtn, &QPushButton::clicked, this, [] {
        if (TheOptionsDialogHooks().showWordPartRules) TheOptionsDialogHooks().showWordPartRules();
    });
    connect(SpeedButton4, &QPushButton::clicked, this, [this] {
        BrowseFile(beep_name, "Wave-Datei|*.wav|Alle Dateien|*.*", "WAV");
    });
    connect(SpeedButton5, &QPushButton::clicked, this, &TAllgOpt::SpeedButton5Click);
    Prozentangabe->installEventFilter(this);
    beep_name->installEventFilter(this);
}

void TAllgOpt::BuildFilePage() {
    QLayout* l = FilePage->layout();
    Ersetzen = Check(l, "Ersetzen", "DOS-Umlaute ersetzen");
    Trennen = Check(l, "Trennen", "DOS-Bedeutungen trennen");
    MakeSic = Check(l, "MakeSic", "Sicherungskopien anlegen");
    UseStdVerzBox = Check(l, "UseStdVerzBox", "Standard-Arbeitsverzeichnis nutzen:");
    QHBoxLayout* work = Row(FilePage);
    VerzName = Edit(work, "VerzName");
    SpeedButton1 = Push(work, "SpeedButton1", "...");
    l->addWidget(new QLabel(Q("Vorlagen-Verzeichnis:")));
    QHBoxLayout* templates = Row(FilePage);
    Vorl_Verz = Edit(templates, "Vorl_Verz");
    SpeedButton3 = Push(templates, "SpeedButton3", "...");
    ChangeDirBox = Check(l, "ChangeDirBox", "Verzeichnis automatisch wechseln");
    StartWithFileBox = Check(l, "StartWithFileBox", "Beim Start leere Datei öffnen");
    StartWithWiz = Check(l, "StartWithWiz", "Beim Start den Assistenten für neue Dateien zeigen");
    restoreFilesBox = Check(l, "restoreFilesBox", "Beim Start die zuletzt geöffneten Dateien öffnen");
    notify_schreibschutz1 = Check(l, "notify_schreibschutz1", "Hinweis bei Schreibschutz");
    Anmelden = Push(l, "Anmelden", "Vokabeldateien in der Registry anmelden");
    Anmelden->setProperty("helpContext", 2001);
    HelpButton(FilePage, "BitBtn4", "Dialogfelder\\Optionen\\dateien.html");

    connect(UseStdVerzBox, &QCheckBox::clicked, this, [this] { Rule(UseStdVerzBoxClick); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { BrowseFolder(VerzName); });
    connect(SpeedButton3, &QPushButton::clicked, this, [this] { BrowseFolder(Vorl_Verz); });
    connect(Anmelden, &QPushButton::clicked, this, [this] { AnmeldenClick(true); });
    VerzName->installEventFilter(this);
    Vorl_Verz->installEventFilter(this);
}

void TAllgOpt::BuildEingPage() {
    QLayout* l = EingPage->layout();
    zuerstAktiv = Group(l, "zuerstAktiv", "Zuerst aktiv", {"&Fremdsprache", "&Muttersprache"});
    Semikolon = Check(l, "Semikolon", "Bei Semikolon nächste Zeile aktivieren");
    Semikolon_language = Check(l, "Semikolon_language", "nur innerhalb der selben Sprache");
    Enterwechselt = Check(l, "Enterwechselt", "Bei Enter zwischen Fremdsprache und Muttersprache wechseln");
    ShowDescBox = Check(l, "ShowDescBox", "Beschreibung im Fenster zeigen");
    DescAtFirstSave = Check(l, "DescAtFirstSave", "Beschreibung beim 1. Speichern anzeigen");
    SearchAutoFuzzyBox = Check(l, "SearchAutoFuzzyBox", "Beim Suchen automatisch unscharf suchen");
    mwheel = Check(l, "mwheel", "Mausrad abschalten (wirkt beim nächsten Start)");
    BitBtn8 = Push(l, "BitBtn8", "&Standard-Schriftarten ändern...");
    HelpButton(EingPage, "BitBtn5", "Dialogfelder\\Optionen\\eingabe.html");

    connect(Semikolon, &QCheckBox::clicked, this, [this] { Rule(SemikolonClick); });
    connect(BitBtn8, &QPushButton::clicked, this, &TAllgOpt::FontBtnClick);
}

void TAllgOpt::BuildHangmPage() {
    QLayout* l = HangmPage->layout();
    l->addWidget(new QLabel(Q("Hangman-Info-Datei:")));
    QHBoxLayout* file = Row(HangmPage);
    HangmanFiles = Edit(file, "HangmanFiles");
    SpeedButton2 = Push(file, "SpeedButton2", "...");
    SpeedButton2->setProperty("helpContext", 611);
    HangmanPictInfo = Push(file, "HangmanPictInfo", "Hangman-Info-&Datei");
    AskFSBox = Check(l, "AskFSBox", "Fremdsprache fragen");
    AskMSBox = Check(l, "AskMSBox", "Muttersprache fragen");
    OnlyFirst = Check(l, "OnlyFirst", "nur erste Bedeutung fragen");
    ShowTransl = Check(l, "ShowTransl", "Übersetzung anzeigen");
    HangmBisRichtigBox = Check(l, "HangmBisRichtigBox", "Fragen bis richtig");
    DoppelteBuchst = Check(l, "DoppelteBuchst", "Doppelte Buchstaben sind falsch");
    OptAtStart = Check(l, "OptAtStart", "Optionen beim Starten anzeigen");
    UmlauteTrennenBox = Check(l, "UmlauteTrennenBox", "Umlaute trennen");
    HelpButton(HangmPage, "BitBtn6", "Dialogfelder\\Optionen\\hangman.html");

    connect(SpeedButton2, &QPushButton::clicked, this, [this] {
        BrowseFile(HangmanFiles, "Hangman-Info-Dateien (*.THM)|*.THM|Alle Dateien (*.*)|*.*", "THM");
    });
    connect(HangmanPictInfo, &QPushButton::clicked, this,
            [] { ShowHelpPage("Dialogfelder\\hangman\\anleitung1.html", platform::TheShell()); });
    connect(AskFSBox, &QCheckBox::clicked, this, [this] { Rule(AskFSBoxClick); });
    connect(AskMSBox, &QCheckBox::clicked, this, [this] { Rule(AskMSBoxClick); });
}

void TAllgOpt::BuildLernPage() {
    QLayout* l = LernPage->layout();
    LernArtBox = Group(l, "LernArtBox", "Anzeigen", {"Fremdsprache", "Muttersprache", "Gemischt"});
    EinzelneBedBox = Check(l, "EinzelneBedBox", "Einzelne Bedeutungen lernen");
    QHBoxLayout* count = Row(LernPage);
    count->addWidget(new QLabel(Q("Wiederholungen:")));
    LernAnzBox = Named(new QSpinBox, "LernAnzBox", count);
    LernAnzBox->setRange(1, 50);
    HelpButton(LernPage, "BitBtn7", "Dialogfelder\\Optionen\\lernen.html");
}

void TAllgOpt::BuildButtons() {
    auto* row = new QHBoxLayout;
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    Optionen_OKButon = Push(row, "Optionen_OKButon", "OK");
    Optionen_OKButon->setDefault(true);
    Optionen_AbbrechButton = Push(row, "Optionen_AbbrechButton", "Abbruch");
    Uebernehmen1 = Push(row, "Uebernehmen1", "Ü&bernehmen");
    BitBtn1 = Push(row, "BitBtn1", "Hilfe-Übersich&t");
    // Only the OK button is a default button.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button != Optionen_OKButon) button->setAutoDefault(false);
    }
    connect(Optionen_OKButon, &QPushButton::clicked, this, &TAllgOpt::Optionen_OKButonClick);
    connect(Optionen_AbbrechButton, &QPushButton::clicked, this, [this] {
        result_ = platform::ModalResult::Abort;
        done(QDialog::Rejected);
    });
    connect(Uebernehmen1, &QPushButton::clicked, this, [this] { Uebernehmen1Click(); });
    connect(BitBtn1, &QPushButton::clicked, this,
            [] { ShowHelpPage("Dialogfelder\\Optionen\\index.html", platform::TheShell()); });

    using S = OptionsDialogState;
    checks_ = {
        {VokAnzahlBox, &S::VokAnzahlBox, nullptr},
        {VokNumber, &S::VokNumber, nullptr},
        {GitterNetzBox, &S::GitterNetzBox, nullptr},
        {Descr_Box, &S::Descr_Box, nullptr},
        {UmbrechBox, &S::UmbrechBox, nullptr},
        {VerkleinernBox, &S::VerkleinernBox, nullptr},
        {ZufallBox, &S::ZufallBox, nullptr},
        {BisRichtig, &S::BisRichtig, nullptr},
        {WiederholenAnz, &S::WiederholenAnz, &S::WiederholenAnzEnabled},
        {Tips, &S::Tips, nullptr},
        {OptvorAbfr, &S::OptvorAbfr, nullptr},
        {GrossKlein, &S::GrossKlein, &S::GrossKleinEnabled},
        {FUZZYBox, &S::FUZZYBox, nullptr},
        {MB_zulassen, &S::MB_zulassen, nullptr},
        {CreateList, &S::CreateList, nullptr},
        {BeepOnErrorBox, &S::BeepOnErrorBox, nullptr},
        {BlinkOnErrorBox, &S::BlinkOnErrorBox, nullptr},
        {AskForUserNameBox, &S::AskForUserNameBox, nullptr},
        {Ersetzen, &S::Ersetzen, nullptr},
        {Trennen, &S::Trennen, nullptr},
        {MakeSic, &S::MakeSic, nullptr},
        {UseStdVerzBox, &S::UseStdVerzBox, nullptr},
        {ChangeDirBox, &S::ChangeDirBox, nullptr},
        {StartWithFileBox, &S::StartWithFileBox, nullptr},
        {StartWithWiz, &S::StartWithWiz, nullptr},
        {restoreFilesBox, &S::restoreFilesBox, nullptr},
        {notify_schreibschutz1, &S::notify_schreibschutz1, nullptr},
        {Semikolon, &S::Semikolon, nullptr},
        {Semikolon_language, &S::Semikolon_language, &S::Semikolon_languageEnabled},
        {Enterwechselt, &S::Enterwechselt, nullptr},
        {ShowDescBox, &S::ShowDescBox, nullptr},
        {DescAtFirstSave, &S::DescAtFirstSave, nullptr},
        {SearchAutoFuzzyBox, &S::SearchAutoFuzzyBox, nullptr},
        {mwheel, &S::mwheel, nullptr},
        {AskFSBox, &S::AskFSBox, &S::AskFSBoxEnabled},
        {AskMSBox, &S::AskMSBox, &S::AskMSBoxEnabled},
        {OnlyFirst, &S::OnlyFirst, nullptr},
        {ShowTransl, &S::ShowTransl, nullptr},
        {HangmBisRichtigBox, &S::HangmBisRichtigBox, nullptr},
        {DoppelteBuchst, &S::DoppelteBuchst, nullptr},
        {OptAtStart, &S::OptAtStart, nullptr},
        {UmlauteTrennenBox, &S::UmlauteTrennenBox, nullptr},
        {EinzelneBedBox, &S::EinzelneBedBox, nullptr},
    };
    edits_ = {{MaxPt, &S::MaxPt},       {Prozentangabe, &S::Prozentangabe}, {beep_name, &S::beep_name},
              {VerzName, &S::VerzName}, {Vorl_Verz, &S::Vorl_Verz},         {HangmanFiles, &S::HangmanFiles}};
    groups_ = {{AbfrRichtung, &S::AbfrRichtung},
               {MB_Richtig, &S::MB_Richtig},
               {zuerstAktiv, &S::zuerstAktiv},
               {LernArtBox, &S::LernArtBox}};
}

void TAllgOpt::FormCreate() {
    PageControl1->setCurrentIndex(kDruckPage);
    for (const auto& [name, hint] : kHints) {
        if (auto* widget = findChild<QWidget*>(QString::fromLatin1(name))) widget->setToolTip(HintToolTip(hint));
    }
}

platform::ModalResult TAllgOpt::ShowModalOnPage(int page) {
    if (page >= 0 && page < kOptionsPageCount) PageControl1->setCurrentIndex(page);
    result_ = platform::ModalResult::None;
    FormShow();
    exec();
    FormClose();
    return result_;
}

void TAllgOpt::FormShow() {
    state_ = StateFromOptions(Optionen);
    ShowState();
    // The other dialogs may be registered after this one was made.
    FontBtn->setEnabled(bool(TheOptionsDialogHooks().showDefaultFonts));
    BitBtn8->setEnabled(FontBtn->isEnabled());
    WTLogikBtn->setEnabled(bool(TheOptionsDialogHooks().showWordPartRules));
}

void TAllgOpt::FormClose() {
    if (sound_tester) sound_tester->Close();
}

void TAllgOpt::ReadControls() {
    for (const CheckBinding& b : checks_) state_.*b.value = b.box->isChecked();
    for (const EditBinding& b : edits_) state_.*b.value = b.edit->text().toStdString();
    for (const GroupBinding& b : groups_) state_.*b.value = ItemIndex(b.group);
    state_.maxPtBox = maxPtBox->isChecked();
    state_.wiederholen_direkt = wiederholen_direkt->isChecked();
    state_.LernAnzBox = LernAnzBox->value();
}

void TAllgOpt::ShowState() {
    const OptionsDialogState& s = state_;
    for (const CheckBinding& b : checks_) {
        b.box->setChecked(s.*b.value);
        if (b.enabled != nullptr) b.box->setEnabled(s.*b.enabled);
    }
    for (const EditBinding& b : edits_) {
        if (b.edit->text().toStdString() != s.*b.value) b.edit->setText(Q(s.*b.value));
    }
    for (const GroupBinding& b : groups_) SetItemIndex(b.group, s.*b.value);
    maxPtBox->setChecked(s.maxPtBox);
    bisPasstBox->setChecked(!s.maxPtBox);
    for (QWidget* w : std::initializer_list<QWidget*>{maxPtBox, bisPasstBox, MaxPt, SpinUp, SpinDown}) {
        w->setEnabled(s.maxPtEnabled);
    }
    wiederholen_direkt->setChecked(s.wiederholen_direkt);
    wiederholen_zufall->setChecked(!s.wiederholen_direkt);
    wiederholen_direkt->setEnabled(s.wiederholen_direktEnabled);
    wiederholen_zufall->setEnabled(s.wiederholen_zufallEnabled);
    Prozentangabe->setEnabled(s.ProzentangabeEnabled);
    MB_Richtig->setEnabled(s.MB_RichtigEnabled);
    VerzName->setEnabled(s.VerzNameEnabled);
    LernAnzBox->setValue(s.LernAnzBox);
    ShowSample();
}

void TAllgOpt::ShowSample() {
    SchriftartTyp f = state_.BeispielLabel;
    f.Size = std::clamp(ShownFontSize(f, &SchriftartenTyp::Print, Optionen), 1, 1000);
    QFont font(QString::fromLatin1(f.Name.Get().c_str()));
    font.setPointSize(f.Size);
    font.setBold((f.Style & fsBold) != 0);
    font.setItalic((f.Style & fsItalic) != 0);
    font.setUnderline((f.Style & fsUnderline) != 0);
    font.setStrikeOut((f.Style & fsStrikeOut) != 0);
    BeispielLabel->setFont(font);
    const uint32_t c = f.Color;
    BeispielLabel->setStyleSheet(QStringLiteral("color: rgb(%1,%2,%3)").arg(c & 0xff).arg((c >> 8) & 0xff).arg((c >> 16) & 0xff));
    BeispielLabel->setText(QString::fromLatin1(SampleCaption(f).c_str()));
}

void TAllgOpt::Rule(void (*rule)(OptionsDialogState&)) {
    ReadControls();
    rule(state_);
    ShowState();
}

OptionsChecks TAllgOpt::Checks() { return {platform::Dialogs(), [] { QApplication::beep(); }}; }

ApplyResult TAllgOpt::Uebernehmen1Click() {
    Hourglass wait;
    ReadControls();
    const ApplyResult result = ApplyState(state_, Optionen, Checks());
    ShowState();
    return result;
}

void TAllgOpt::Optionen_OKButonClick() {
    ReadControls();
    bool close = false;
    {
        Hourglass wait;
        close = OkClick(state_, Optionen, Checks());
    }
    ShowState();
    if (!close) return;
    result_ = platform::ModalResult::OK;
    done(QDialog::Accepted);
}

void TAllgOpt::reject() {
    result_ = platform::ModalResult::Cancel;
    QDialog::reject();
}

void TAllgOpt::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Optionen_AbbrechButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TAllgOpt::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == MaxPt || watched == Prozentangabe)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty()) {
            const char c = text.at(0).unicode() < 128 ? char(text.at(0).unicode()) : 0;
            if (!NumberFieldKeyAllowed(c)) return true;
            // MaxPt takes two digits.
            if (watched == MaxPt && c >= '0' && c <= '9' && MaxPt->text().size() >= 2 && !MaxPt->hasSelectedText()) {
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusOut && isVisible()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) FieldExit(watched);
    }
    return QDialog::eventFilter(watched, event);
}

void TAllgOpt::FieldExit(QObject* field) {
    ReadControls();
    if (field == MaxPt) {
        MaxPtExit(state_, Checks());
    } else if (field == Prozentangabe) {
        ProzentangabeExit(state_, Checks());
    } else if (field == VerzName) {
        VerzNameExit(state_, Checks());
    } else if (field == Vorl_Verz) {
        Vorl_VerzExit(state_, Checks());
    } else if (field == beep_name) {
        beep_nameExit(state_, Checks());
    }
    ShowState();
}

void TAllgOpt::SpeedButton5Click() {
    if (!sound_tester) sound_tester = std::make_unique<QuizSound>();
    const std::string file = beep_name->text().toStdString();
    if (!sound_tester->Open(file)) {
        platform::Dialogs().MessageDlg("Die Sounddatei \"" + file + "\" kann nicht abgespielt werden.",
                                       platform::MsgDlgType::Error, platform::mbOK);
        return;
    }
    sound_tester->Play();
}

void TAllgOpt::FontBtnClick() {
    if (!TheOptionsDialogHooks().showDefaultFonts) return;
    ReadControls();
    TheOptionsDialogHooks().showDefaultFonts(kDefaultFontsExplanation);
    // The fonts dialog wrote the print font of Optionen; the sample follows,
    // so that taking the sample back does not undo that change.
    state_.BeispielLabel = Optionen.DruckSchrift;
    ShowState();
}

void TAllgOpt::BrowseFolder(QLineEdit* edit) {
    // The run's one chooser, shared with search in files.
    if (const std::optional<std::string> folder =
            platform::Dialogs().ChooseFolder("Verzeichnis auswählen", edit->text().toStdString())) {
        edit->setText(Q(*folder));
    }
}

void TAllgOpt::BrowseFile(QLineEdit* edit, const char* filter, const char* defaultExt) {
    platform::FileDialogRequest request;
    request.filter = filter;
    request.defaultExt = defaultExt;
    const std::filesystem::path current(edit->text().toStdString());
    request.initialDir = current.parent_path().string();
    request.fileName = current.filename().string();
    const platform::FileDialogResult result = platform::Dialogs().OpenFileDialog(request);
    if (result.accepted && !result.files.empty()) edit->setText(Q(result.files.front()));
}

void TAllgOpt::AnmeldenClick(bool fromButton) {
    platform::TRegistry currentUser(platform::RegRoot::CurrentUser);
    platform::TRegistry classesRoot(platform::RegRoot::ClassesRoot);
    FreedesktopRegistrar desktop(XdgFoldersFromEnvironment(), RunDesktopTool);
    if (RegisterFileType(fromButton, currentUser, classesRoot, desktop, platform::Dialogs(), ProgramFileTypeData())) {
        Anmelden->setText(Q(kRenewRegistrationCaption));
    }
}
