// The main window's menus, toolbar, desktop popup, status bar and special-
// character popups, and how they follow the documents.
#include "frame/ui/Main.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <algorithm>

#include "documents/AppSettings.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/Edit.h"
#include "frame/FrameState.h"
#include "frame/Sonderzeichen.h"
#include "platform/ui/Glyphs.h"
#include "platform/ui/MenuItems.h"

using platform::Item;
using platform::Menu;

namespace {

// A toolbar hint is the tooltip, "|", and the status line text (none here).
// The picture is the icon theme's by its freedesktop name where one fits (an
// empty name: none does), else the program's own glyph.
QAction* Button(QToolBar* bar, const char* name, const char* hint, const char* themeName, const char* glyph) {
    QAction* action = bar->addAction(platform::Glyph(themeName, glyph), QString::fromUtf8(hint));
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(QString::fromUtf8(hint));
    return action;
}

}  // namespace

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

// Status bar and hints.

void TMainForm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(bar);
        StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanels[i]->setTextFormat(Qt::PlainText);  // hints name files
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

void TMainForm::ShowEntryCount(const QString& text) { StatusPanels[2]->setText(text); }

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
