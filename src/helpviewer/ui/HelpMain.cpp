#include "helpviewer/ui/HelpMain.h"

#include "frame/CommandLine.h"
#include "frame/InstanceManager.h"
#include "frame/ui/InstanceManagerQt.h"
#include "helpviewer/HelpTexts.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/ui/Glyphs.h"
#include "platform/ui/WindowFront.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <exception>

namespace helpviewer {

namespace {

QString FromPage(const std::string& bytes) {
    return QString::fromStdString(platform::BytesToUtf8(platform::CodePage::Cp1252, bytes));
}

// Rows of one fixed height, 400 pixels wide: a line longer than the pane is
// scrolled to, not shortened.
class FixedRowHeight : public QStyledItemDelegate {
public:
    FixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {400, height_}; }

private:
    int height_;
};

// A list box whose click also comes from the keyboard: when a key moves the
// current row, and on Enter.
class KeyboardListBox : public QListWidget {
public:
    KeyboardListBox(QWidget* parent, int rowHeight) : QListWidget(parent) {
        setUniformItemSizes(true);
        setTextElideMode(Qt::ElideNone);
        setItemDelegate(new FixedRowHeight(rowHeight, this));
    }
    std::function<void(int row, bool enter)> OnKeyClick;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int before = currentRow();
        QListWidget::keyPressEvent(event);
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter) event->accept();
        if ((enter || currentRow() != before) && currentRow() >= 0 && OnKeyClick) OnKeyClick(currentRow(), enter);
    }
};

// A speed button with its glyph beside the caption; wider than 80 pixels
// only where the caption needs it.
QToolButton* Button(QWidget* parent, QHBoxLayout* row, const char* text, const QIcon& glyph) {
    auto* b = new QToolButton(parent);
    b->setText(QString::fromUtf8(text));
    b->setIcon(glyph);
    b->setIconSize(QSize(16, 16));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setFixedHeight(22);
    b->setMinimumWidth(80);
    row->addWidget(b);
    return b;
}

}  // namespace

THelpMainForm::THelpMainForm(platform::TRegistry& registry, std::string firstPage, QWidget* parent)
    : QMainWindow(parent), registry_(registry), firstPage_(std::move(firstPage)) {
    setWindowTitle(QString::fromUtf8(kHelpTitle));
    QApplication::setWindowIcon(platform::HelpViewerIcon());
    setGeometry(152, 110, 818, 531);
    DefaultPagePath = platform::ProgramFile("Hilfe/index.html");
    HelpFolder = platform::ProgramFile("Hilfe");
    BuildWidgets();
    BuildMenus();

    OnCommandLineReceived = [this] { OpenHandedOverPage(ReceivedCommandLine); };
    qApp->installEventFilter(this);

    Viewer->OnHotSpotCovered = [this](const std::string& src) { StatusLabel->setText(FromPage(src)); };
    Viewer->OnHotSpotClick = [this](const std::string& src, bool& handled) {
        if (!IsShellLink(src)) return;
        if (OnOpenExternally) OnOpenExternally(src);
        handled = true;
    };
    Viewer->OnHistoryChange = [this] { ViewerHistoryChange(); };
    Viewer->OnKeyPress = [this](int ch) {
        if (ch == 8) BackClick();
    };
    Viewer->SetBorderStyle(htmlengine::THTMLBorderStyle::htNone);
    Viewer->SetHistoryMaxCount(128);
    PageControl->hide();
    PageControlResize();

    TViewerSettings settings;
    LoadViewerSettings(registry_, settings);
    vg->setChecked(settings.StayOnTop);
    N141Click(settings.FontSize);
    ApplyStayOnTop();
}

THelpMainForm::~THelpMainForm() {
    qApp->removeEventFilter(this);
    OnCommandLineReceived = nullptr;
}

void THelpMainForm::BuildWidgets() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* top = new QWidget(central);
    top->setFixedHeight(24);
    auto* row = new QHBoxLayout(top);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(0);
    BackButton = Button(top, row, "Zurück", platform::Glyph("go-previous", "zurueck"));
    ForwardButton = Button(top, row, "Vorwärts", platform::Glyph("go-next", "vorwaerts"));
    row->addSpacing(24);
    InhaltButton = Button(top, row, "Inhalt", platform::Glyph("go-home", "inhalt"));
    row->addSpacing(24);
    SearchToolButton = Button(top, row, "Suchen", platform::Glyph("edit-find", "suchen"));
    HistoryToolButton = Button(top, row, "Verlauf", platform::Glyph("document-open-recent", "verlauf"));
    SearchToolButton->setCheckable(true);
    HistoryToolButton->setCheckable(true);
    row->addSpacing(24);
    EndButton = Button(top, row, "Ende (ESC)", platform::Glyph("application-exit", "ende"));
    ReloadButton = Button(top, row, "Neu laden", platform::Glyph("view-refresh", "neuladen"));
    ReloadButton->hide();
    row->addStretch();
    column->addWidget(top);

    Splitter = new QSplitter(central);
    Splitter->setHandleWidth(3);
    PageControl = new QTabWidget(Splitter);
    SuchenSheet = new QWidget;
    auto* s = new QVBoxLayout(SuchenSheet);
    auto* label = new QLabel(QString::fromUtf8("Such&text:"), SuchenSheet);
    SearchEdit = new QLineEdit(SuchenSheet);
    label->setBuddy(SearchEdit);
    SearchButton = new QPushButton(QString::fromUtf8("&Suchen"), SuchenSheet);
    SearchButton->setFixedSize(60, 23);
    auto* line = new QHBoxLayout;
    line->addWidget(SearchEdit);
    line->addWidget(SearchButton);
    auto* searchBox = new KeyboardListBox(SuchenSheet, 16);
    SearchBox = searchBox;
    s->addWidget(label);
    s->addLayout(line);
    s->addWidget(SearchBox);
    HistorySheet = new QWidget;
    auto* h = new QVBoxLayout(HistorySheet);
    auto* historyBox = new KeyboardListBox(HistorySheet, 13);
    HistoryBox = historyBox;
    h->addWidget(HistoryBox);
    PageControl->addTab(SuchenSheet, QString::fromUtf8("&Suchen"));
    PageControl->addTab(HistorySheet, QString::fromUtf8("&Verlauf"));
    Viewer = new htmlengine::THtmlPane(Splitter);
    Splitter->setStretchFactor(1, 1);
    // The pane opens 201 wide, whatever its contents would ask for.
    Splitter->setSizes({201, width() - 201 - Splitter->handleWidth()});
    column->addWidget(Splitter, 1);
    setCentralWidget(central);
    StatusLabel = new QLabel(this);
    StatusLabel->setTextFormat(Qt::PlainText);  // the link under the mouse
    statusBar()->addWidget(StatusLabel, 1);

    connect(BackButton, &QToolButton::clicked, this, [this] { Guard([this] { BackClick(); }); });
    connect(ForwardButton, &QToolButton::clicked, this, [this] { Guard([this] { ForwardClick(); }); });
    connect(InhaltButton, &QToolButton::clicked, this, [this] { Guard([this] { InhaltButtonClick(); }); });
    connect(SearchToolButton, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(HistoryToolButton, &QToolButton::clicked, this, [this] { SpeedButton4Click(); });
    connect(EndButton, &QToolButton::clicked, this, &QWidget::close);
    connect(ReloadButton, &QToolButton::clicked, this, [this] { Guard([this] { ReloadButtonClick(); }); });
    connect(SearchButton, &QPushButton::clicked, this, [this] { Guard([this] { SearchButtonClick(); }); });
    connect(SearchEdit, &QLineEdit::returnPressed, this, [this] { Guard([this] { SearchButtonClick(); }); });
    connect(SearchBox, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Guard([this, item] { SearchBoxClick(SearchBox->row(item)); }); });
    searchBox->OnKeyClick = [this](int row, bool enter) {
        Guard([this, row] { SearchBoxClick(row); });
        // Stepping through the results keeps the list at hand; Enter goes to
        // the page, also when the page shown is already the row's.
        if (enter) Viewer->setFocus();
        else SearchBox->setFocus();
    };
    connect(HistoryBox, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Guard([this, item] { HistoryBoxClick(HistoryBox->row(item)); }); });
    historyBox->OnKeyClick = [this](int row, bool) { Guard([this, row] { HistoryBoxClick(row); }); };
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { PageControlResize(); });
    connect(Splitter, &QSplitter::splitterMoved, this, [this] { PageControlResize(); });
}

void THelpMainForm::BuildMenus() {
    QMenu* datei = menuBar()->addMenu(QString::fromUtf8("&Datei"));
    datei->addAction(QString::fromUtf8("&Öffnen..."), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                     [this] { Guard([this] { ffnen1Click(); }); });
    datei->addSeparator();
    datei->addAction(QString::fromUtf8("&Inhalt"), QKeySequence(Qt::CTRL | Qt::Key_I), this,
                     [this] { Guard([this] { InhaltButtonClick(); }); });
    datei->addAction(QString::fromUtf8("&Neu laden"), QKeySequence(Qt::Key_F5), this,
                     [this] { Guard([this] { ReloadButtonClick(); }); });
    datei->addSeparator();
    datei->addAction(QString::fromUtf8("&Beenden"), QKeySequence(Qt::ALT | Qt::Key_F4), this, &QWidget::close);

    HistoryMenuItem = menuBar()->addMenu(QString::fromUtf8("&Verlauf"));
    HistoryMenuItem->setEnabled(false);
    for (int i = 0; i < 128; ++i) {
        QAction* item = HistoryMenuItem->addAction(QString());
        item->setCheckable(true);
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, i] { Guard([this, i] { HistoryItemClick(i); }); });
        HistoryItems[size_t(i)] = item;
    }

    QMenu* optionen = menuBar()->addMenu(QString::fromUtf8("&Optionen"));
    QMenu* size = optionen->addMenu(QString::fromUtf8("&Schriftgröße"));
    sizes_ = new QActionGroup(this);
    auto sizeItem = [&](const char* text, int points) {
        QAction* a = size->addAction(QString::fromUtf8(text));
        a->setCheckable(true);
        sizes_->addAction(a);
        connect(a, &QAction::triggered, this, [this, points] { N141Click(points); });
        return a;
    };
    N101 = sizeItem("10 pt", 10);
    N121 = sizeItem("12 pt", 12);
    N141 = sizeItem("14 pt", 14);
    N121->setChecked(true);
    vg = optionen->addAction(QString::fromUtf8("Immer im &Vordergrund"));
    vg->setCheckable(true);
    connect(vg, &QAction::triggered, this, [this](bool on) { vgClick(on); });

    QMenu* hilfe = menuBar()->addMenu(QString::fromUtf8("&Hilfe"));
    HilfezumProgramm1 = hilfe->addAction(QString::fromUtf8("Hilfe zum Programm"), this, [this] {
        Guard([this] {
            Viewer->OpenHtmlFile(platform::ProgramFile("Hilfe/help.html"));
            UpdateViewerCaption();
        });
    });
    HilfezumProgramm1->setVisible(false);
    hilfe->addAction(QString::fromUtf8("&Info..."), this, [this] { Guard([this] { ShowAboutPage(); }); });
}

void THelpMainForm::Guard(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        platform::Dialogs().ShowException(e.what());
    }
}

// ---- start and end

void THelpMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // From the event loop, so an error box about the page runs inside it.
    QTimer::singleShot(0, this, [this] { Guard([this] { FormShow(); }); });
}

void THelpMainForm::FormShow() {
    // No existence test here: a missing page is reported by the viewer.
    Viewer->OpenHtmlFile(firstPage_.empty() ? DefaultPagePath : firstPage_);
    PageControlResize();
}

void THelpMainForm::closeEvent(QCloseEvent* event) {
    InstanceClose instance;
    TViewerSettings settings;
    settings.StayOnTop = vg->isChecked();
    settings.FontSize = N141->isChecked() ? 14 : N121->isChecked() ? 12 : 10;
    // A failure is shown, and the close goes on; a page handed over
    // meanwhile keeps the window open.
    Guard([&] { SaveViewerSettings(registry_, settings); });
    if (!instance.StopAnswering()) {
        event->ignore();
        return;
    }
    event->accept();
}

void THelpMainForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// ---- pages and history

void THelpMainForm::InhaltButtonClick() {
    Viewer->OpenHtmlFile(DefaultPagePath);
    UpdateViewerCaption();
}

void THelpMainForm::ReloadButtonClick() { Viewer->ReloadDocument(); }
void THelpMainForm::BackClick() { Viewer->GoToHistoryEntry(Viewer->HistoryCursor() + 1); }
void THelpMainForm::ForwardClick() { Viewer->GoToHistoryEntry(Viewer->HistoryCursor() - 1); }
void THelpMainForm::HistoryItemClick(int index) { Viewer->GoToHistoryEntry(index); }

void THelpMainForm::HistoryBoxClick(int row) {
    Viewer->GoToHistoryEntry(row);
    HistoryBox->setFocus();
}

void THelpMainForm::ffnen1Click() {
    platform::FileDialogRequest request;
    request.filter = "HTML Dateien (*.htm;*.html)|*.htm;*.html|Alle Dateien (*.*)|*.*";
    if (!Viewer->LoadedFileName().empty()) request.initialDir = htmlengine::FolderOf(Viewer->LoadedFileName());
    const platform::FileDialogResult result = platform::Dialogs().OpenFileDialog(request);
    if (!result.accepted || result.files.empty()) return;
    Viewer->OpenHtmlFile(result.files.front());
    SetBareCaption();
}

void THelpMainForm::ViewerHistoryChange() {
    const auto& entries = Viewer->History().Entries;
    const int count = int(entries.size());
    HistoryMenuItem->setEnabled(count > 0);
    for (int i = 0; i < 128; ++i) {
        QAction* item = HistoryItems[size_t(i)];
        if (i < count) {
            const auto& e = entries[size_t(i)];
            // An "&" of a title would become an accelerator.
            item->setText(FromPage(HistoryItemCaption(e.File, e.Title)).replace(u'&', QStringLiteral("&&")));
            item->setChecked(i == Viewer->HistoryCursor());
            item->setVisible(true);
        } else {
            item->setVisible(false);
        }
    }
    HistoryBox->clear();
    for (int i = 0; i < std::min(count, 128); ++i) HistoryBox->addItem(FromPage(entries[size_t(i)].Title));
    // The shown page is the list's current row, so the keys step on from there.
    HistoryBox->setCurrentRow(Viewer->HistoryCursor());
    UpdateViewerCaption();
    Viewer->setFocus();
}

void THelpMainForm::UpdateViewerCaption() { setWindowTitle(FromPage(ViewerCaption(Viewer->PageTitle()))); }
void THelpMainForm::SetBareCaption() { setWindowTitle(FromPage(Viewer->PageTitle())); }

void THelpMainForm::ShowAboutPage() {
    const std::string page = AboutPage();
    Viewer->ShowHtmlBuffer(page.data(), int32_t(page.size()));
    UpdateViewerCaption();
}

void THelpMainForm::OpenHandedOverPage(const std::string& commandLine) {
    platform::BringToFront(this);
    for (const std::string& page : HandedOverFilesToOpen(commandLine, OwnExecutablePath()))
        Guard([this, &page] { Viewer->OpenHtmlFile(page); });
}

// ---- options

void THelpMainForm::N141Click(int size) {
    Viewer->SetDefFontSize(size);
    (size == 10 ? N101 : size == 14 ? N141 : N121)->setChecked(true);
}

void THelpMainForm::vgClick(bool checked) {
    vg->setChecked(checked);
    ApplyStayOnTop();
}

void THelpMainForm::ApplyStayOnTop() {
    const bool on = vg->isChecked();
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == on) return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) show();  // changing the flags hides the window
}

// ---- search and history pane

void THelpMainForm::SearchButtonClick() {
    SearchBox->clear();
    results_.clear();
    // The pages are Windows-1252; a character without a code there matches nothing.
    if (const auto text = platform::Utf8ToBytes(platform::CodePage::Cp1252, SearchEdit->text().toStdString()))
        results_ = SearchHelpFolder(HelpFolder, *text);
    for (const TSearchResult& r : results_) SearchBox->addItem(FromPage(ShownPart(r.Line)));
}

void THelpMainForm::SearchBoxClick(int row) {
    if (row < 0 || row >= int(results_.size())) return;
    // The path is kept beside the line: an "@" in a title cannot cut it.
    Viewer->OpenHtmlFile(results_[size_t(row)].Path);
    SetBareCaption();
}

void THelpMainForm::SpeedButton1Click() {
    if (PageControl->currentWidget() == HistorySheet) {
        PageControl->show();
        PageControl->setCurrentWidget(SuchenSheet);
        SearchEdit->setFocus();
        SearchToolButton->setChecked(true);
    } else {
        PageControl->setVisible(!PageControl->isVisible());
        SearchToolButton->setChecked(PageControl->isVisible());
    }
    PageControlResize();
}

void THelpMainForm::SpeedButton4Click() {
    if (PageControl->currentWidget() == SuchenSheet) {
        PageControl->show();
        PageControl->setCurrentWidget(HistorySheet);
        HistoryToolButton->setChecked(true);
    } else {
        PageControl->setVisible(!PageControl->isVisible());
    }
    PageControlResize();
}

void THelpMainForm::PageControlResize() {
    if (!PageControl->isVisible()) return;
    const bool history = PageControl->currentWidget() == HistorySheet;
    HistoryToolButton->setChecked(history);
    SearchToolButton->setChecked(!history);
}

// ---- wheel

bool THelpMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) return QMainWindow::eventFilter(watched, event);
    // Only a wheel meant for the viewer: a dialog or a menu over it, or one
    // that blocks it, gets its own.
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || (target != Viewer && !Viewer->isAncestorOf(target)) || QApplication::activeModalWidget() ||
        QApplication::activePopupWidget())
        return false;
    auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint at = Viewer->mapFromGlobal(wheel->globalPosition().toPoint());
    if (at.x() < 0 || at.y() < 0 || at.x() > Viewer->width() || at.y() > Viewer->height()) return false;
    if (!Viewer->hasFocus()) Viewer->setFocus();
    // The vertical wheel scrolls up and down, a sideways one (or swipe) sideways.
    WheelToArrowKeys(wheelRest_, wheel->angleDelta().y(), Qt::Key_Up, Qt::Key_Down);
    WheelToArrowKeys(wheelRestX_, wheel->angleDelta().x(), Qt::Key_Left, Qt::Key_Right);
    return true;
}

void THelpMainForm::WheelToArrowKeys(int& rest, int delta, int backKey, int forwardKey) {
    // Touchpads send small steps: one notch is 120.
    rest += delta;
    const int notches = rest / 120;
    rest -= notches * 120;
    if (notches == 0) return;
    // Away from the user (or to the left) goes back.
    const int key = WheelArrowKey(notches) == 38 ? backKey : forwardKey;
    const int count = WheelKeyCount(QApplication::wheelScrollLines()) * std::abs(notches);
    for (int i = 0; i < count; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(Viewer, &press);
        QApplication::sendEvent(Viewer, &release);
    }
}

}  // namespace helpviewer
