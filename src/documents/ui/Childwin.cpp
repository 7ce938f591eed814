#include "documents/ui/Childwin.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTextLayout>
#include <algorithm>

#include "documents/TabelleLayout.h"
#include "documents/ui/TabelleModel.h"
#include "platform/CodePage.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/MenuItems.h"

using platform::Item;
using platform::Menu;

namespace {

const QString kHiddenText = QString::fromUtf8(
    "Die Vokabelliste ist momentan verborgen. Wählen Sie im Menü \"Vokabelliste\" den Menüpunkt \"Sichtbar\" "
    "oder klicken Sie auf den Button \"Vokabelliste anzeigen\", um die Vokabelliste wieder sichtbar zu machen.");

// Description lines end in CR LF; the memo breaks lines at LF.
QString DescriptionText(const std::string& description, uint8_t charset) {
    std::string text;
    for (std::size_t i = 0; i < description.size(); ++i) {
        if (description[i] == '\r' && i + 1 < description.size() && description[i + 1] == '\n') continue;
        text += description[i];
    }
    return QString::fromStdString(platform::BytesToUtf8(platform::CodePageForCharset(charset), text));
}

// A window for a document that its request had to load.
constexpr int kSmallestWidth = 200;
constexpr int kSmallestHeight = 150;

TMDIChild::QuizStarter quizStarter = nullptr;
TMDIChild::QuizStarter learnStarter = nullptr;
TMDIChild::QuizStarter hangmanStarter = nullptr;

}  // namespace

TMDIChild* TMDIChild::Create(const DocumentRequest& request, QMdiArea* area) {
    std::unique_ptr<VocabDocument> doc;
    {
        Hourglass hourglass;
        doc = CreateDocument(request);
    }
    if (doc == nullptr) return nullptr;
    auto* child = new TMDIChild(std::move(doc));
    if (area != nullptr) {
        const int before = int(area->subWindowList().size());
        area->addSubWindow(child);
        const QSize client = area->viewport()->size();
        // The area's own placement looks for free room and may put the window
        // mostly outside; a new window goes one title bar below and right of
        // the one before, from the top left again after a third of the height.
        const int step = std::max(1, child->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, child));
        const int slot = before % (std::max(1, client.height() / (3 * step)) + 1);
        child->move(slot * step, slot * step);
        child->resize(std::max(kSmallestWidth, client.width() - child->x() - 50),
                      std::max(kSmallestHeight, client.height() - child->y() - 70));
    }
    return child;
}

TMDIChild::TMDIChild(std::unique_ptr<VocabDocument> document, QWidget* parent)
    : QMdiSubWindow(parent), doc_(std::move(document)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("MDIChild"));
    client_ = new QWidget(this);
    setWidget(client_);
    client_->installEventFilter(this);

    // Behind the grid: seen only while the list is hidden.
    Label1 = new QLabel(kHiddenText, client_);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->move(20, 20);
    AnzeigButton = new QPushButton(QString::fromUtf8("Vokabelliste &anzeigen"), client_);
    AnzeigButton->setObjectName(QStringLiteral("AnzeigButton"));
    connect(AnzeigButton, &QPushButton::clicked, this, &TMDIChild::AnzeigButtonClick);
    MSCLab = new QLabel(client_);
    MSCLab->setObjectName(QStringLiteral("MSCLab"));
    MSCLab->hide();
    FSCLab = new QLabel(client_);
    FSCLab->setObjectName(QStringLiteral("FSCLab"));
    FSCLab->hide();

    model_ = new TabelleModel(*doc_, this);
    Tabelle = new QTableView(client_);
    Tabelle->setObjectName(QStringLiteral("Tabelle"));
    Tabelle->setHorizontalHeader(new TabelleHeader(Qt::Horizontal, *model_, Tabelle));
    Tabelle->setVerticalHeader(new TabelleHeader(Qt::Vertical, *model_, Tabelle));
    Tabelle->setModel(model_);
    delegate_ = new TabelleDelegate(*model_, Tabelle);
    delegate_->CellEdited = [this](int column, int row, const QString& text) { TabelleSetEditText(column, row, text); };
    Tabelle->setItemDelegate(delegate_);
    Tabelle->setSelectionMode(QAbstractItemView::SingleSelection);
    Tabelle->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    Tabelle->setTabKeyNavigation(true);
    Tabelle->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Tabelle->horizontalHeader()->setMinimumSectionSize(1);
    Tabelle->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Tabelle->verticalHeader()->setMinimumSectionSize(1);
    Tabelle->horizontalHeader()->setSectionsClickable(false);
    // The grid's presses open its popups; no context-menu event on top.
    QHeaderView* const headers[] = {Tabelle->horizontalHeader(), Tabelle->verticalHeader()};
    Tabelle->setContextMenuPolicy(Qt::PreventContextMenu);
    Tabelle->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    Tabelle->viewport()->installEventFilter(this);
    Tabelle->installEventFilter(this);  // the paste key on a cell without its editor open
    for (QHeaderView* header : headers) {
        header->setContextMenuPolicy(Qt::PreventContextMenu);
        header->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
        header->viewport()->installEventFilter(this);
    }
    if (auto* corner = Tabelle->findChild<QAbstractButton*>()) corner->installEventFilter(this);

    DescMemo = new QPlainTextEdit(client_);
    DescMemo->setObjectName(QStringLiteral("DescMemo"));
    // The memo grows with its lines (FormResize): 7 pixels beside the lines
    // leave room for margins of 2 above and below, and never for a scroll bar.
    DescMemo->document()->setDocumentMargin(2);
    DescMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(DescMemo, &QPlainTextEdit::textChanged, this, &TMDIChild::DescMemoChange);
    GuardDescMemo();

    BuildMenus();
    doc_->SetView(this);
    ApplyFonts();
    model_->SetGridRowCount(tabelle::RowCount(doc_->LastUsedRow()));
    CaptionChanged();
    UndoStateChanged();
    WireFileCommands();
    WireEntryEditor();
    WireSearch();
}

TMDIChild::~TMDIChild() {
    // The grid reads the document until it is gone.
    delete Tabelle;
    delete model_;
    doc_->SetView(nullptr);
}

void TMDIChild::BuildMenus() {
    Datei1 = Menu(this, "Datei1", "&Datei");
    Neu2 = Item(Datei1, "Neu2", "&Neu (leere Datei)", QKeySequence("Ctrl+L"));
    Neu1 = Item(Datei1, "Neu1", "Neu... (&Assistent)", QKeySequence("Ctrl+N"));
    Oeffnen1 = Item(Datei1, "Oeffnen1", "Ö&ffnen...", QKeySequence("Ctrl+O"));
    Hinzufgen1 = Item(Datei1, "Hinzufgen1", "&Hinzufügen...");
    Importieren1 = Item(Datei1, "Importieren1", "Importieren...");
    Speichern1 = Item(Datei1, "Speichern1", "&Speichern", QKeySequence("Ctrl+S"));
    Speichernunter1 = Item(Datei1, "Speichernunter1", "Speichern &unter...", QKeySequence("F12"));
    AlsVorlagespeichern1 = Item(Datei1, "AlsVorlagespeichern1", "Als &Vorlage speichern...");
    Exportieren1 = Item(Datei1, "Exportieren1", "E&xportieren...");
    Schliessen1 = Item(Datei1, "Schliessen1", "S&chließen", QKeySequence("Ctrl+F4"));
    Eigenschaften1 = Item(Datei1, "Eigenschaften1", "&Eigenschaften...", QKeySequence("Alt+Return"));
    Drucken1 = Item(Datei1, "Drucken1", "&Drucken...", QKeySequence("Ctrl+P"));
    Optionen1 = Item(Datei1, "Optionen1", "&Optionen...");
    for (int i = 0; i < 9; ++i) {
        const std::string name = "F" + std::to_string(i + 1);
        F[i] = Item(Datei1, name.c_str(), name.c_str());
        F[i]->setData(i + 1);  // Tag
        F[i]->setVisible(false);
    }
    FT = Datei1->addSeparator();
    FT->setObjectName(QStringLiteral("FT"));
    FT->setVisible(false);
    Beenden1 = Item(Datei1, "Beenden1", "&Beenden", QKeySequence("Alt+F4"));

    Bearbeiten2 = Menu(this, "Bearbeiten2", "&Bearbeiten");
    UndoMenu = Item(Bearbeiten2, "UndoMenu", "&Rückgängig: nicht möglich", QKeySequence("Alt+Backspace"));
    UnundoMenu = Item(Bearbeiten2, "UnundoMenu", "&Wiederherstellen: nicht möglich");
    Kopieren1 = Item(Bearbeiten2, "Kopieren1", "&Kopieren");
    Ausschneiden1 = Item(Bearbeiten2, "Ausschneiden1", "&Ausschneiden");
    Einfgen1 = Item(Bearbeiten2, "Einfgen1", "&Einfügen");
    Zwischenablageleeren1 = Item(Bearbeiten2, "Zwischenablageleeren1", "&Zwischenablage leeren");

    Vokabeln1 = Menu(this, "Vokabeln1", "&Vokabeln");
    Bearbeiten1 = Item(Vokabeln1, "Bearbeiten1", "&Eingeben/Hinzufügen...", QKeySequence("F4"));
    B1 = Item(Vokabeln1, "B1", "&Gewählte Vokabel editieren", QKeySequence("Shift+F4"));
    Lernen1 = Item(Vokabeln1, "Lernen1", "&Lernen...", QKeySequence("F6"));
    Abfragen1 = Item(Vokabeln1, "Abfragen1", "&Abfragen...", QKeySequence("F7"));
    Hangman1 = Item(Vokabeln1, "Hangman1", "&Hangman...", QKeySequence("F8"));
    Drucken2 = Item(Vokabeln1, "Drucken2", "&Drucken...");
    Drucken2->setVisible(false);
    Suchen1 = Item(Vokabeln1, "Suchen1", "&Suchen...", QKeySequence("Ctrl+F"));
    Weitersuchen1 = Item(Vokabeln1, "Weitersuchen1", "&Weitersuchen", QKeySequence("F3"));
    InDateiensuchen1 = Item(Vokabeln1, "InDateiensuchen1", "In &Dateien suchen...");
    Beschreibungndern1 = Item(Vokabeln1, "Beschreibungndern1", "Beschreibung und &Kennwörter...");

    Liste1 = Menu(this, "Liste1", "Vokabel&liste");
    Lckenlschen1 = Item(Liste1, "Lckenlschen1", "&Lücken löschen");
    DoppelteVokabelnlschen1 = Item(Liste1, "DoppelteVokabelnlschen1", "&Doppelte Vokabeln löschen");
    Alphabetischsortieren1 = Item(Liste1, "Alphabetischsortieren1", "Alphabetisch &sortieren...");
    Vermischen1 = Item(Liste1, "Vermischen1", "Ve&rmischen");
    Anzeigen1 = Item(Liste1, "Anzeigen1", "S&ichtbar");
    Anzeigen1->setCheckable(true);
    Anzeigen1->setChecked(true);
    Ansichtaktualisieren1 = Item(Liste1, "Ansichtaktualisieren1", "Ansicht &aktualisieren", QKeySequence("F5"));
    Spaltennamen1 = Item(Liste1, "Spaltennamen1", "Spalten&namen ändern...");
    TabelleAutoSize = Item(Liste1, "TabelleAutoSize", "Spalten&breite anpassen");
    gleichmigverteilen1 = Item(Liste1, "gleichmigverteilen1", "Alle Spalten &gleich breit");
    SchriftartenfrdieseDatei1 = Item(Liste1, "SchriftartenfrdieseDatei1", "Schriftarten für diese Datei...");

    TabMenuS = Menu(this, "TabMenuS", "");
    Namen1 = Item(TabMenuS, "Namen1", "Spalten&namen...");
    Sortieren = Item(TabMenuS, "Sortieren", "&Sortieren");
    AutoSize = Item(TabMenuS, "AutoSize", "&Größe anpassen");

    TabMenuZ = Menu(this, "TabMenuZ", "");
    Bearbeiten3 = Item(TabMenuZ, "Bearbeiten3", "in der Eingabemaske &bearbeiten");
    TabMenuZ->setDefaultAction(Bearbeiten3);
    Vokabelkopieren1 = Item(TabMenuZ, "Vokabelkopieren1", "&Kopieren");
    InhaltvordieserZeileeinfgen1 = Item(TabMenuZ, "InhaltvordieserZeileeinfgen1", "&Einfügen (vor dieser Zeile)");
    leereZeileeinfgen1 = Item(TabMenuZ, "leereZeileeinfgen1", "leere Zeile einfügen");
    Inhaltlschen1 = Item(TabMenuZ, "Inhaltlschen1", "Inhalt löschen");
    Inhaltlschen1->setVisible(false);
    DelLine = Item(TabMenuZ, "DelLine", "Zeile löschen");
    FileofVok = Item(TabMenuZ, "FileofVok", "FileofVok");
    FileofVok->setVisible(false);

    MarkMenu = Menu(this, "MarkMenu", "");
    Bearbeiten4 = Item(MarkMenu, "Bearbeiten4", "in der Eingabemaske &bearbeiten");
    MarkMenu->setDefaultAction(Bearbeiten4);
    Kopieren3 = Item(MarkMenu, "Kopieren3", "&Kopieren");
    Ausschneiden3 = Item(MarkMenu, "Ausschneiden3", "&Ausschneiden");
    Einfgen3 = Item(MarkMenu, "Einfgen3", "&Einfügen");
    Lschen1 = Item(MarkMenu, "Lschen1", "Löschen");
    ctx_menu_abfragen = Item(MarkMenu, "ctx_menu_abfragen", "A&bfragen");
    Hilfe1 = Item(MarkMenu, "Hilfe1", "&Hilfe");

    TabMenuMZ = Menu(this, "TabMenuMZ", "");
    Kopieren2 = Item(TabMenuMZ, "Kopieren2", "&Kopieren");
    Ausschneiden2 = Item(TabMenuMZ, "Ausschneiden2", "&Ausschneiden");
    Einfgen2 = Item(TabMenuMZ, "Einfgen2", "&Einfügen");

    tabelle_main_menu = Menu(this, "tabelle_main_menu", "");
    Bearbeiten5 = Item(tabelle_main_menu, "Bearbeiten5", "&Bearbeiten...");
    Drucken3 = Item(tabelle_main_menu, "Drucken3", "&Drucken...");
    Lernen2 = Item(tabelle_main_menu, "Lernen2", "&Lernen...");
    Abfragen2 = Item(tabelle_main_menu, "Abfragen2", "&Abfragen...");
    Hangman2 = Item(tabelle_main_menu, "Hangman2", "&Hangman...");
    Schlieen1 = Item(tabelle_main_menu, "Schlieen1", "Schließen");

    // Only commands with a handler are enabled: those wired here, and those
    // that the editor, file, print and frame code enable as they wire theirs.
    const QList<QAction*> wired = {Schliessen1, Beenden1, Anzeigen1, Ansichtaktualisieren1, TabelleAutoSize,
                                   gleichmigverteilen1, AutoSize, Schlieen1, Abfragen1, Abfragen2,
                                   ctx_menu_abfragen, UndoMenu, UnundoMenu, Kopieren1,
                                   Ausschneiden1, Einfgen1, Zwischenablageleeren1, Lckenlschen1,
                                   DoppelteVokabelnlschen1, Vermischen1, Sortieren, Vokabelkopieren1,
                                   InhaltvordieserZeileeinfgen1, leereZeileeinfgen1, Inhaltlschen1, DelLine,
                                   Kopieren3, Ausschneiden3, Einfgen3, Lschen1, Kopieren2, Ausschneiden2, Einfgen2,
                                   Lernen1, Lernen2, Hangman1, Hangman2};
    for (QMenu* menu : {Datei1, Bearbeiten2, Vokabeln1, Liste1, TabMenuS, TabMenuZ, MarkMenu, TabMenuMZ,
                        tabelle_main_menu}) {
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) action->setEnabled(wired.contains(action));
            // A document's shortcuts act only within its own window.
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        }
        if (menu == Datei1 || menu == Bearbeiten2 || menu == Vokabeln1 || menu == Liste1) addActions(menu->actions());
    }

    connect(Schliessen1, &QAction::triggered, this, &QWidget::close);
    connect(Schlieen1, &QAction::triggered, this, &QWidget::close);
    connect(Beenden1, &QAction::triggered, this, [this] { window()->close(); });
    connect(Anzeigen1, &QAction::triggered, this, &TMDIChild::Anzeigen1Click);
    connect(Abfragen1, &QAction::triggered, this, [this] { Abfragen1Click(); });
    connect(Abfragen2, &QAction::triggered, this, [this] { Abfragen1Click(); });
    connect(ctx_menu_abfragen, &QAction::triggered, this, [this] { Abfragen1Click(ModeOrigin::MarkedRows); });
    connect(Lernen1, &QAction::triggered, this, [this] { Lernen1Click(); });
    connect(Lernen2, &QAction::triggered, this, [this] { Lernen1Click(); });
    connect(Hangman1, &QAction::triggered, this, [this] { Hangman1Click(); });
    connect(Hangman2, &QAction::triggered, this, [this] { Hangman1Click(); });
    connect(Ansichtaktualisieren1, &QAction::triggered, this, &TMDIChild::Ansichtaktualisieren1Click);
    connect(TabelleAutoSize, &QAction::triggered, this, &TMDIChild::TabelleAutoSizeClick);
    connect(gleichmigverteilen1, &QAction::triggered, this, &TMDIChild::gleichmigverteilen1Click);
    // The column pressed, even when the popup had to move to fit the screen.
    connect(AutoSize, &QAction::triggered, this, [this] { AutoSizeClick(TabMenuSTag); });

    connect(UndoMenu, &QAction::triggered, this, &TMDIChild::UndoMenuClick);
    connect(UnundoMenu, &QAction::triggered, this, &TMDIChild::UnundoMenuClick);
    for (QAction* copy : {Kopieren1, Kopieren2}) connect(copy, &QAction::triggered, this, &TMDIChild::Kopieren1Click);
    for (QAction* cut : {Ausschneiden1, Ausschneiden2}) {
        connect(cut, &QAction::triggered, this, &TMDIChild::Ausschneiden1Click);
    }
    for (QAction* paste : {Einfgen1, Einfgen2}) connect(paste, &QAction::triggered, this, &TMDIChild::Einfgen1Click);
    connect(Zwischenablageleeren1, &QAction::triggered, this, &TMDIChild::Zwischenablageleeren1Click);
    connect(Vokabelkopieren1, &QAction::triggered, this, &TMDIChild::Vokabelkopieren1Click);
    connect(Kopieren3, &QAction::triggered, this, &TMDIChild::Kopieren3Click);
    connect(Ausschneiden3, &QAction::triggered, this, &TMDIChild::Ausschneiden3Click);
    connect(Einfgen3, &QAction::triggered, this, &TMDIChild::Einfgen3Click);
    connect(InhaltvordieserZeileeinfgen1, &QAction::triggered, this, &TMDIChild::InhaltvordieserZeileeinfgen1Click);
    connect(Sortieren, &QAction::triggered, this, &TMDIChild::SortierenClick);
    connect(Vermischen1, &QAction::triggered, this, &TMDIChild::Vermischen1Click);
    connect(Lckenlschen1, &QAction::triggered, this, &TMDIChild::Lckenlschen1Click);
    connect(DoppelteVokabelnlschen1, &QAction::triggered, this, &TMDIChild::DoppelteVokabelnlschen1Click);
    connect(DelLine, &QAction::triggered, this, &TMDIChild::DelLineClick);
    connect(leereZeileeinfgen1, &QAction::triggered, this, &TMDIChild::leereZeileeinfgen1Click);
    connect(Inhaltlschen1, &QAction::triggered, this, &TMDIChild::Inhaltlschen1Click);
    connect(Lschen1, &QAction::triggered, this, &TMDIChild::Lschen1Click);
    WirePrinting();
}

QList<QMenu*> TMDIChild::MainMenu1() const { return {Datei1, Bearbeiten2, Vokabeln1, Liste1}; }

void TMDIChild::SetCaption(const std::string& caption) {
    doc_->Caption = caption;
    CaptionChanged();
}

void TMDIChild::SetTag(int tag) { doc_->Tag = tag; }

void TMDIChild::CaptionChanged() { setWindowTitle(QString::fromStdString(doc_->Caption)); }

void TMDIChild::ApplyFonts() {
    model_->SetFonts(doc_->Fonts);
    Tabelle->setFont(model_->FSFont().Font);
    MSCLab->setFont(model_->MSFont().Font);
    FSCLab->setFont(model_->FSFont().Font);
    memoCharset_ = doc_->Fonts.TableHeader.Charset;

    const QFontMetrics header(model_->HeaderFont().Font);
    Tabelle->verticalHeader()->setFixedWidth(tabelle::NumberColumnWidth(header.horizontalAdvance("0123456789")));
    const int height = tabelle::DefaultRowHeight(header.height(), QFontMetrics(MSCLab->font()).height(),
                                                 QFontMetrics(FSCLab->font()).height());
    Tabelle->verticalHeader()->setDefaultSectionSize(height);
    Tabelle->horizontalHeader()->setFixedHeight(height);
}

void TMDIChild::RefreshRow(int row) {
    if (model_->GridRowCount() < row + 1) RefreshGrid();
    model_->RefreshRow(row);
}

void TMDIChild::RefreshGrid() {
    if (doc_->BulkUpdate != 0) return;
    Hourglass hourglass;
    ApplyFonts();
    model_->SetGridRowCount(tabelle::RowCount(doc_->LastUsedRow()));
    model_->RefreshAll();
    const QString description = DescriptionText(doc_->Description, memoCharset_);
    if (DescMemo->toPlainText() != description) {
        settingMemo_ = true;
        DescMemo->setPlainText(description);
        settingMemo_ = false;
    }
    delegate_->SyncEditor();
}

int TMDIChild::ColWidth(int column) const {
    return column == 0 ? Tabelle->verticalHeader()->width() : Tabelle->horizontalHeader()->sectionSize(column - 1);
}

int TMDIChild::RowHeight() const { return Tabelle->verticalHeader()->defaultSectionSize(); }

int TMDIChild::GridClientWidth() const { return ColWidth(0) + Tabelle->viewport()->width(); }

int TMDIChild::WidestText(int column, const QFont& font) const {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int row = 1; row <= kMaxEntries; ++row) {
        if (doc_->Entries[row].Field(column).Empty()) continue;
        widest = std::max(widest, metrics.horizontalAdvance(model_->CellText(column, row)));
    }
    return widest;
}

void TMDIChild::AutoSizeColumns(int x, int y, int column, bool refresh) {
    MSCLab->setFont(model_->MSFont().Font);
    FSCLab->setFont(model_->FSFont().Font);
    if (column == 0) {
        if (x == 0 && y == 0) {
            QApplication::beep();
            return;
        }
        if (y >= Tabelle->horizontalHeader()->height()) return;
        tabelle::FieldWidths widths;
        for (int c = 1; c <= 7; ++c) widths[c - 1] = ColWidth(c);
        const int left = std::max(0, Tabelle->horizontalHeader()->logicalIndexAt(0)) + 1;
        column = tabelle::ColumnAtX(x, ColWidth(0), left, widths);
    }
    if (column == 0) {
        if (doc_->CountUsedEntries() == 0) {
            EqualColumnWidths();
            if (refresh) RefreshGrid();
            return;
        }
        tabelle::FieldWidths widest;
        for (int c = 1; c <= 7; ++c) widest[c - 1] = WidestText(c, (c <= 2 ? FSCLab : MSCLab)->font());
        const tabelle::FieldWidths widths = tabelle::FitAllWidths(widest, GridClientWidth(), ColWidth(0));
        for (int c = 1; c <= 7; ++c) Tabelle->horizontalHeader()->resizeSection(c - 1, widths[c - 1]);
        return;
    }
    if (column >= tabelle::kNoColumn) {
        QApplication::beep();
        return;
    }
    // Measured in the column's own font, as the cells are drawn.
    Tabelle->horizontalHeader()->resizeSection(column - 1, WidestText(column, model_->FieldFont(column).Font) + 10);
    if (refresh) RefreshGrid();
}

void TMDIChild::EqualColumnWidths() {
    Hourglass hourglass;
    const int width = tabelle::EqualColumnWidth(GridClientWidth(), ColWidth(0));
    for (int c = 0; c < 7; ++c) Tabelle->horizontalHeader()->resizeSection(c, width);
}

int TMDIChild::MemoLineCount() const {
    QString text = DescMemo->toPlainText();
    if (text.endsWith('\n')) text.chop(1);
    const qreal width = std::max(1, DescMemo->viewport()->width() - 2 * int(DescMemo->document()->documentMargin()));
    int lines = 0;
    for (const QString& paragraph : text.split('\n')) {
        QTextLayout layout(paragraph, DescMemo->font());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++lines;
        }
        layout.endLayout();
    }
    return lines;
}

void TMDIChild::FormResize() {
    const int width = client_->width();
    const int height = client_->height();
    int top = 0;
    if (Optionen.BeschreibungImFensterZeigen) {
        DescMemo->setGeometry(0, 0, width, DescMemo->height());
        const QString text = DescMemo->toPlainText();
        const int memoHeight =
            tabelle::MemoClientHeight(MemoLineCount(), QFontMetrics(DescMemo->font()).height(),
                                      !text.isEmpty() && text.endsWith('\n')) +
            2 * DescMemo->frameWidth();
        DescMemo->setGeometry(0, 0, width, memoHeight);
        DescMemo->setVisible(Anzeigen1->isChecked());
        top = memoHeight;
    } else {
        DescMemo->setGeometry(0, 0, width, DescMemo->height());
        DescMemo->hide();
    }
    Tabelle->setGeometry(0, top, width, std::max(0, height - top));
    Label1->setFixedWidth(std::max(1, width - 40));
    Label1->setFixedHeight(Label1->heightForWidth(Label1->width()));
    AnzeigButton->adjustSize();
    AnzeigButton->move(width / 2 - AnzeigButton->width() / 2, Label1->geometry().bottom() + 1 + 30);

    const std::string caption =
        LayoutCaption(doc_->Caption, doc_->FileName, doc_->Tag, doc_->Modified != 0, isMinimized());
    if (caption != doc_->Caption) SetCaption(caption);
}

void TMDIChild::HideTable() {
    Hourglass hourglass;
    Tabelle->hide();
    DescMemo->hide();
    Anzeigen1->setChecked(false);
    FormResize();
}

void TMDIChild::TabelleAutoSizeClick() {
    Hourglass hourglass;
    AutoSizeColumns(10, 10, 0, true);
}

void TMDIChild::AutoSizeClick(int headerX) { AutoSizeColumns(headerX, 10, 0, true); }

void TMDIChild::gleichmigverteilen1Click() { EqualColumnWidths(); }

void TMDIChild::Ansichtaktualisieren1Click() {
    doc_->BulkUpdate = 0;
    RefreshGrid();
}

void TMDIChild::Anzeigen1Click() {
    Tabelle->setVisible(Anzeigen1->isChecked());
    DescMemo->setVisible(Anzeigen1->isChecked() && Optionen.BeschreibungImFensterZeigen);
    FormResize();
}

void TMDIChild::AnzeigButtonClick() {
    Hourglass hourglass;
    Tabelle->show();
    DescMemo->setVisible(Optionen.BeschreibungImFensterZeigen);
    Anzeigen1->setChecked(true);
    FormResize();
}

void TMDIChild::SetQuizStarter(QuizStarter starter) { quizStarter = starter; }

void TMDIChild::Abfragen1Click(ModeOrigin origin) {
    if (quizStarter != nullptr) quizStarter(*this, origin);
}

void TMDIChild::SetLearnStarter(QuizStarter starter) { learnStarter = starter; }
void TMDIChild::SetHangmanStarter(QuizStarter starter) { hangmanStarter = starter; }

void TMDIChild::Lernen1Click(ModeOrigin origin) {
    if (learnStarter != nullptr) learnStarter(*this, origin);
}

void TMDIChild::Hangman1Click(ModeOrigin origin) {
    if (hangmanStarter != nullptr) hangmanStarter(*this, origin);
}

void TMDIChild::FormShow() {
    FormResize();
    RefreshGrid();
    AutoSizeColumns(10, 10, 0, true);
    doc_->SetModified(false);
    FormResize();
}

void TMDIChild::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    // Shown again after being minimised: the document must stay as it is.
    if (!formShown_) {
        formShown_ = true;
        FormShow();
    }
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    if (!doc_->CloseQuery()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

void TMDIChild::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && formShown_) FormResize();
}

bool TMDIChild::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize && formShown_) FormResize();
    if (watched != client_ && GridMouseEvent(watched, event)) return true;
    return QMdiSubWindow::eventFilter(watched, event);
}
