#include "documents/ui/searchUnit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include "documents/ui/Childwin.h"
#include "documents/ui/DialogHelp.h"
#include "documents/ui/DocumentFrame.h"
#include "documents/ui/EditFieldCaret.h"
#include "documents/ui/FieldInput.h"
#include "platform/Dialogs.h"
#include "platform/ui/Hints.h"

using platform::Dialogs;
using platform::ModalResult;
using platform::MsgDlgType;

namespace {

TSearchForm* searchForm = nullptr;

// Beyond this the similarity measure sees nothing more.
constexpr int kSearchTextLength = 255;

using platform::Hint;

QCheckBox* Check(QWidget* parent, const char* name, const char* caption, int x, int y, int w = 150) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y, w, 22);
    return box;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, int y, const char* hint) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(508, y, 100, 26);
    button->setAutoDefault(false);
    button->setToolTip(Hint(hint));
    return button;
}

QToolButton* PageButton(QWidget* parent, const char* name, const char* caption, int x, const char* hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromUtf8(caption));
    button->setGeometry(x, 318, 28, 24);
    button->setAutoRaise(true);
    button->setToolTip(Hint(hint));
    return button;
}

QPlainTextEdit* Memo(QWidget* parent, const char* name, int x) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setReadOnly(true);
    memo->setGeometry(x, 210, 264, 100);
    return memo;
}

}  // namespace

TSearchForm* TSearchForm::Instance(QWidget* owner) {
    if (searchForm == nullptr) new TSearchForm(owner != nullptr ? owner->window() : nullptr);
    return searchForm;
}

TSearchForm::TSearchForm(QWidget* parent) : QDialog(parent) {
    searchForm = this;
    setObjectName(QStringLiteral("SearchForm"));
    setWindowTitle(QString::fromUtf8("Vokabel suchen..."));
    setModal(true);
    BuildForm();
}

TSearchForm::~TSearchForm() {
    if (searchForm == this) searchForm = nullptr;
}

void TSearchForm::BuildForm() {
    setFixedWidth(616);
    Label1 = new QLabel(QString::fromUtf8("Folgenden Text suchen:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 4, 300, 20);
    SearchText = new QLineEdit(this);
    FieldInput::Guard(SearchText, [this] { return TextCharset(); });
    SearchText->setObjectName(QStringLiteral("SearchText"));
    SearchText->setGeometry(8, 24, 460, 24);
    SearchText->setMaxLength(kSearchTextLength);
    connect(SearchText, &QLineEdit::textChanged, this,
            [this] { SearchButton->setEnabled(!SearchText->text().isEmpty()); });
    SonderzButton4 = new QToolButton(this);
    SonderzButton4->setObjectName(QStringLiteral("SonderzButton4"));
    SonderzButton4->setGeometry(472, 24, 28, 24);
    SonderzButton4->setFocusPolicy(Qt::NoFocus);
    SonderzButton4->installEventFilter(this);
    connect(SonderzButton4, &QToolButton::clicked, this, &TSearchForm::SonderzButton4Click);
    SonderzTimer4 = new QTimer(this);
    SonderzTimer4->setInterval(10);
    SonderzTimer4->setSingleShot(true);
    connect(SonderzTimer4, &QTimer::timeout, this, &TSearchForm::SonderzTimer4Timer);

    GroupBox1 = new QGroupBox(QString::fromUtf8("Suchen in:"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 54, 160, 72);
    S_FS = Check(GroupBox1, "S_FS", "Fremdsprache", 8, 20, 140);
    S_MS = Check(GroupBox1, "S_MS", "Muttersprache", 8, 44, 140);
    connect(S_FS, &QCheckBox::toggled, this, [this](bool on) { LanguageBoxToggled(S_MS, on); });
    connect(S_MS, &QCheckBox::toggled, this, [this](bool on) { LanguageBoxToggled(S_FS, on); });
    S_Teilbed = Check(this, "S_Teilbed", "auch Wortteile", 240, 56, 220);
    S_Teilbed->setToolTip(Hint("findet auch \"computer\" beim Suchen von \"com\"|"));

    TrefferArt = new QGroupBox(QString::fromUtf8("Such-Modus"), this);
    TrefferArt->setObjectName(QStringLiteral("TrefferArt"));
    TrefferArt->setGeometry(240, 78, 260, 66);
    TrefferArt->setToolTip(Hint("Art der Suche bestimmen|"));
    TrefferArtItems = new QButtonGroup(this);
    auto* best = new QRadioButton(QString::fromUtf8("besten Treffer verwenden"), TrefferArt);
    best->setGeometry(8, 18, 240, 20);
    auto* all = new QRadioButton(QString::fromUtf8("Alle Treffer unten anzeigen"), TrefferArt);
    all->setGeometry(8, 40, 240, 20);
    TrefferArtItems->addButton(best, 0);
    TrefferArtItems->addButton(all, 1);

    // Wide enough for its caption, which ends before the fuzzy box beside it.
    CaseSensitive = Check(this, "CaseSensitive", "Groß-/Kleinschreibung ignorieren", 8, 150, 228);
    CaseSensitive->setChecked(true);
    CaseSensitive->setToolTip(Hint("hallo = HaLLo|"));
    AutoFuzzy_SB = Check(this, "AutoFuzzy_SB", "automatisch Fuzzy verwenden", TrefferArt->x(),
                         CaseSensitive->y() - 2, 220);

    SearchButton = Button(this, "SearchButton", "&Suchen", 8, "Sucht nach dem angegebenen Text|");
    SearchButton->setDefault(true);
    SearchOKButton = Button(this, "SearchOKButton", "Übernehmen", 40, "Übernimmt die Vokabel in die Eingabemaske|");
    SearchAbort = Button(this, "SearchAbort", "Abbruch", 72, "Bricht die Suche ab|");
    BitBtn1 = Button(this, "BitBtn1", "&Hilfe", 104, "Hilfe zum Thema Suchen|");
    Uebernehmen = Button(this, "Uebernehmen", "Übernehmen", 136, "|");
    Uebernehmen->hide();
    Uebernehmen->setEnabled(false);
    connect(SearchButton, &QPushButton::clicked, this, &TSearchForm::SearchButtonClick);
    connect(SearchOKButton, &QPushButton::clicked, this, &TSearchForm::SearchOKButtonClick);
    connect(SearchAbort, &QPushButton::clicked, this, &TSearchForm::SearchAbortClick);
    connect(BitBtn1, &QPushButton::clicked, this, [] {
        TheDocumentFrame().ShowHelpPage("Dialogfelder\\suchen.html");
    });
    connect(Uebernehmen, &QPushButton::clicked, this, &TSearchForm::UebernehmenClick);

    Label3 = new QLabel(QString::fromUtf8("Folgende Vokabeln wurden gefunden:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(8, 188, 400, 20);
    // The first memo is as wide as the widest heading of a hit, which must
    // stay on one line; the second stands beside it.
    Memo1 = Memo(this, "Memo1", 8);
    const QString widest = QString::fromUtf8(HitHeading({0.999, kMaxEntries, 1}));
    const int headingWidth = QFontMetrics(Memo1->font()).horizontalAdvance(widest) +
                             2 * (int(Memo1->document()->documentMargin()) + Memo1->frameWidth()) + 4;
    Memo1->resize(std::max(Memo1->width(), headingWidth), Memo1->height());
    Memo2 = Memo(this, "Memo2", Memo1->geometry().right() + 9);
    setFixedWidth(std::max(width(), Memo2->geometry().right() + 9));
    s_first = PageButton(this, "s_first", "|<", 8, "Erste/Beste Übereinstimmung|");
    s_prev = PageButton(this, "s_prev", "<", 38, "Vorherige Übereinstimmung|");
    s_next = PageButton(this, "s_next", ">", 68, "Nächste Übereinstimmung|");
    s_last = PageButton(this, "s_last", ">|", 98, "Letzte/Schlechteste Übereinstimmung|");
    connect(s_first, &QToolButton::clicked, this, &TSearchForm::s_firstClick);
    connect(s_prev, &QToolButton::clicked, this, &TSearchForm::s_prevClick);
    connect(s_next, &QToolButton::clicked, this, &TSearchForm::s_nextClick);
    connect(s_last, &QToolButton::clicked, this, &TSearchForm::s_lastClick);

    SetHelpContext(this, 700);
    const std::pair<QWidget*, int> contexts[] = {
        {SearchText, 701},   {S_FS, 702},           {S_MS, 703},        {S_Teilbed, 704},
        {TrefferArt, 705},   {CaseSensitive, 706},  {SearchButton, 707}, {SearchOKButton, 708},
        {SearchAbort, 709},  {Memo1, 710},          {Memo2, 711},
    };
    for (const auto& [widget, context] : contexts) SetHelpContext(widget, context);
}

void TSearchForm::LanguageBoxToggled(QCheckBox* other, bool checked) {
    if (checked) {
        other->setEnabled(true);
    } else {
        other->setChecked(true);
        other->setEnabled(false);
    }
}

int TSearchForm::TrefferArtIndex() const { return TrefferArtItems->checkedId() == 1 ? 1 : 0; }

uint8_t TSearchForm::TextCharset() const { return searchFonts_.TableFS.Charset; }

void TSearchForm::SetHeightInLines(int lines) {
    // The short form cuts the result area off, never the check boxes above it.
    const int checkBoxesEnd = CaseSensitive->geometry().bottom() + 1 + 6;
    setFixedHeight(std::max(lines * QFontMetrics(font()).height(), checkBoxesEnd));
}

void TSearchForm::ShowFor(TMDIChild* window) {
    if (window == nullptr) return;
    searched_ = window;
    FormShow();
    exec();
}

void TSearchForm::FormShow() {
    const SettingsTyp& s = Optionen.Settings;
    S_FS->setEnabled(true);
    S_MS->setEnabled(true);
    S_FS->setChecked(s.SearchInFS);
    S_MS->setChecked(s.SearchInMS);
    if (!S_FS->isChecked()) LanguageBoxToggled(S_MS, false);
    if (!S_MS->isChecked()) LanguageBoxToggled(S_FS, false);
    S_Teilbed->setChecked(s.SearchTeil);
    CaseSensitive->setChecked(s.SucheGrossKleinIgnorieren);
    AutoFuzzy_SB->setChecked(s.SearchAutoFuzzy);
    TrefferArtItems->button(s.AlleTrefferZeigen ? 1 : 0)->setChecked(true);
    TrefferArt->setVisible(SearchMode != 1);
    AutoFuzzy_SB->setVisible(SearchMode == 1);

    for (QWidget* w : {static_cast<QWidget*>(s_first), static_cast<QWidget*>(s_prev),
                       static_cast<QWidget*>(s_next), static_cast<QWidget*>(s_last),
                       static_cast<QWidget*>(SearchOKButton)}) {
        w->setEnabled(false);
    }
    list_ = HitList{};
    ResultRow = 0;
    ResultField = 0;
    Memo1->clear();
    Memo2->clear();
    SetHeightInLines(12);

    const VocabDocument& doc = searched_->Document();
    SearchEntries = doc.Entries;
    SearchFileName = doc.FileName;
    searchFonts_ = doc.Fonts;

    FocusSearchText();
    SonderzButton4->setText(FieldText(Optionen.Settings.LetztesSonderzeichen, TextCharset()));

    const uint8_t header = doc.Fonts.TableHeader.Charset;
    auto name = [&](int k) { return FieldText(doc.ColumnNames.Field(k).Get(), header); };
    S_FS->setToolTip(platform::PlainToolTip(name(1) + '\n' + name(2)));
    QStringList ms;
    for (int k = 3; k <= 7; ++k) ms << name(k);
    S_MS->setToolTip(platform::PlainToolTip(ms.join('\n')));
    SearchButton->setEnabled(!SearchText->text().isEmpty());
}

void TSearchForm::FocusSearchText() {
    SearchText->setFocus();
    SearchText->selectAll();
}

void TSearchForm::UebernehmenClick() {
    SettingsTyp& s = Optionen.Settings;
    s.SearchInFS = S_FS->isChecked();
    s.SearchInMS = S_MS->isChecked();
    s.SearchTeil = S_Teilbed->isChecked();
    s.SucheGrossKleinIgnorieren = CaseSensitive->isChecked();
    s.SearchAutoFuzzy = AutoFuzzy_SB->isChecked();
    (SearchMode == 1 ? s.ListeAlleTrefferZeigen : s.AlleTrefferZeigen) = TrefferArtIndex() == 1;
}

void TSearchForm::Take(const SearchHit& hit) {
    ResultRow = hit.Row;
    ResultField = hit.Field;
    accept();
}

void TSearchForm::SearchButtonClick() {
    const std::string text = FieldBytes(SearchText->text(), TextCharset());
    const std::string prepared = PrepareSearchText(text, CaseSensitive->isChecked());
    if (prepared.empty()) {
        QApplication::beep();
        return;
    }
    UebernehmenClick();
    const SearchSettings settings{S_FS->isChecked(), S_MS->isChecked(), S_Teilbed->isChecked(),
                                  CaseSensitive->isChecked()};
    const SearchHitArray hits = ScoreEntries(SearchEntries, prepared, settings);
    if (SearchMode == 1) {
        switch (walk_.Collect(hits)) {
            case HitWalk::First::None:
                Dialogs().MessageDlg("Keine Übereinstimmung gefunden, auch nicht unter Verwendung der Fuzzy-Logik!",
                                     MsgDlgType::Information, platform::mbOK);
                FocusSearchText();
                return;
            case HitWalk::First::Exact:
                Take(walk_.TakeFirstExact());
                return;
            case HitWalk::First::FuzzyOnly:
                if (Optionen.Settings.SearchAutoFuzzy ||
                    Dialogs().MessageDlg("Keine exakte Übereinstimmung gefunden. Fuzzy-Logik einsetzen?",
                                         MsgDlgType::Information, platform::mbYes | platform::mbNo) ==
                        ModalResult::Yes) {
                    Take(walk_.TakeFirstFuzzy());
                } else {
                    FocusSearchText();
                }
                return;
        }
    }
    if (TrefferArtIndex() == 0) {
        Take(BestHit(hits));
        return;
    }
    list_.Start(hits, SearchEntries);
    SearchOKButton->setEnabled(!list_.Empty());
    EnablePaging();
    SetHeightInLines(25);
    ShowHit();
}

void TSearchForm::EnablePaging() {
    s_first->setEnabled(list_.FirstEnabled());
    s_prev->setEnabled(list_.PreviousEnabled());
    s_next->setEnabled(list_.NextEnabled());
    s_last->setEnabled(list_.LastEnabled());
}

void TSearchForm::ShowHit() {
    if (list_.Empty()) {
        Memo1->clear();
        Memo2->clear();
        return;
    }
    const SearchHit& hit = list_.Shown();
    const VokabelTyp& entry = SearchEntries[hit.Row];
    QString heading = QString::fromUtf8(HitHeading(hit));
    const std::string fs = HitFieldLines(entry, true);
    if (!fs.empty()) heading += '\n' + FieldText(fs, searchFonts_.TableFS.Charset);
    Memo1->setPlainText(heading);
    Memo2->setPlainText(FieldText(HitFieldLines(entry, false), searchFonts_.TableMS.Charset));
}

void TSearchForm::s_firstClick() {
    list_.ToFirst();
    EnablePaging();
    ShowHit();
}

void TSearchForm::s_prevClick() {
    list_.ToPrevious();
    EnablePaging();
    ShowHit();
}

void TSearchForm::s_nextClick() {
    list_.ToNext();
    EnablePaging();
    ShowHit();
}

void TSearchForm::s_lastClick() {
    list_.ToLast();
    EnablePaging();
    ShowHit();
}

void TSearchForm::SearchOKButtonClick() {
    UebernehmenClick();
    if (list_.Empty()) return;
    Take(list_.Shown());
}

void TSearchForm::SearchAbortClick() {
    ResultRow = 0;
    QDialog::reject();
}

void TSearchForm::reject() { SearchAbortClick(); }

bool TSearchForm::FindNextHit(TMDIChild* window) {
    if (window == nullptr) return false;
    // Another window, even one without a name like the searched one.
    if (searched_ != window || window->Document().FileName != SearchFileName) {
        window->Suchen1Click();
        return false;
    }
    const SearchHit hit = walk_.FindNextHit(Optionen.Settings.SearchAutoFuzzy);
    ResultRow = hit.Row;
    ResultField = hit.Field;
    return true;
}

// ---- The special character ----------------------------------------------------

void TSearchForm::SonderzButton4Click() {
    const int caret = SearchText->cursorPosition();
    const QString character = SonderzButton4->text();
    QString text = SearchText->text();
    text.insert(caret, character);
    SearchText->setText(text.left(kSearchTextLength));
    SearchText->setCursorPosition(std::min(caret + int(character.size()), int(SearchText->text().size())));
}

void TSearchForm::SonderzTimer4Timer() {
    SonderzTimer4->stop();
    SonderzButton4->setText(FieldText(Optionen.Settings.LetztesSonderzeichen, TextCharset()));
    if (specialChosen_) SonderzButton4Click();
}

bool TSearchForm::event(QEvent* event) { return HandleHelpEvent(this, event) || QDialog::event(event); }

bool TSearchForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SonderzButton4 && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            // Always the Western popup here.
            specialChosen_ = TheDocumentFrame().PopupSpecialCharacters(
                SonderzButton4->mapToGlobal(mouse->position().toPoint() + QPoint(0, 25)), false);
            SonderzTimer4->start();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
