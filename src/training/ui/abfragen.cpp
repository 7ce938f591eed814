#include "training/ui/abfragen.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include "documents/ui/AppSettingsQt.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/EditFieldCaret.h"
#include "documents/ui/FieldInput.h"
#include "platform/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "platform/ui/Hints.h"
#include "training/ui/ModeFrame.h"
#include "training/ui/PieBox.h"
#include "training/ui/QuizHost.h"
#include "training/ui/QuizPrint.h"
#include "training/ui/QuizSound.h"

namespace {

const char* const kErrorListFailedText =
    "Konnte Vokabelliste für die falsch beantworteten Vokabeln nicht erstellen. Funktion deaktiviert.";
constexpr int kErrorListHelpContext = 2003;
constexpr int kWidth = 560;
constexpr int kHeight = 518;
constexpr int kButtonTop = kHeight - 40;

using platform::CrLines;
using platform::Hint;

QLabel* Label(QWidget* parent, int x, int y, int w, int h) {
    auto* label = new QLabel(parent);
    label->setGeometry(x, y, w, h);
    label->setTextFormat(Qt::PlainText);  // entries and names as they are
    return label;
}

QPushButton* Button(QWidget* parent, const char* caption, int x, int y, int w = 90) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setGeometry(x, y, w, 26);
    return button;
}

void SetTextColor(QLabel* label, const QColor& color) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

void SetScreenFont(QWidget* widget, const TFontObject& font) {
    widget->setFont(font.Font);
    if (auto* label = qobject_cast<QLabel*>(widget)) SetTextColor(label, font.Color);
}

}  // namespace

TAbfrageForm::TAbfrageForm(QWidget* parent, OptionenTyp& options, RandomSource& random)
    : QDialog(parent), options_(options), session_(options, random) {
    setObjectName(QStringLiteral("AbfrageForm"));
    setModal(true);
    setFixedSize(kWidth, kHeight);
    ownSound_ = std::make_unique<QuizSound>();
    session_.SetSound(ownSound_.get());

    AbfrNotebook = new QStackedWidget(this);
    AbfrNotebook->setGeometry(0, 0, kWidth, kHeight);
    auto* input = new QWidget;
    input->setObjectName(QStringLiteral("Eingabeseite"));
    auto* statistics = new QWidget;
    statistics->setObjectName(QStringLiteral("Statistikseite"));
    AbfrNotebook->addWidget(input);
    AbfrNotebook->addWidget(statistics);
    BuildInputPage(input);
    BuildStatisticsPage(statistics);
    // A paste into the answer keeps to the typing rules: the field's code
    // page, and ";" only with several meanings allowed.
    FieldInput::Rules answerRules;
    answerRules.charset = [this] { return typedCharset_; };
    answerRules.keep = [this](std::string bytes) {
        std::erase_if(bytes, [this](char c) { return !session_.KeyAllowed(c); });
        return bytes;
    };
    FieldInput::Guard(AbfrEdit, std::move(answerRules));

    WrongBlinkTimer = new QTimer(this);
    WrongBlinkTimer->setInterval(150);
    connect(WrongBlinkTimer, &QTimer::timeout, this, &TAbfrageForm::WrongBlinkTimerTimer);
    SonderzTimer2 = new QTimer(this);
    SonderzTimer2->setInterval(10);
    SonderzTimer2->setSingleShot(true);
    connect(SonderzTimer2, &QTimer::timeout, this, &TAbfrageForm::SonderzTimer2Timer);
}

TAbfrageForm::~TAbfrageForm() = default;

void TAbfrageForm::BuildInputPage(QWidget* page) {
    Richtung1 = Label(page, 10, 8, 300, 18);
    VokNr = Label(page, 440, 8, 80, 18);
    for (int k = 0; k < 5; ++k) Abf[k] = Label(page, 20, 28 + 20 * k, 500, 20);

    TrickLabel = Label(page, 536, 0, 24, 24);
    Trickmenu = new QMenu(this);
    grn = Trickmenu->addAction(QString::fromUtf8("&TIPP ES SELBER!"));
    ROT1 = Trickmenu->addAction(QString::fromUtf8("&GUTE SICHT!"));
    NEBEL1 = Trickmenu->addAction(QString::fromUtf8("&NEBEL"));
    WEGDAMIT1 = Trickmenu->addAction(QString::fromUtf8("&WEG DAMIT!"));
    connect(grn, &QAction::triggered, this, &TAbfrageForm::grnClick);
    connect(ROT1, &QAction::triggered, this, &TAbfrageForm::ROT1Click);
    connect(NEBEL1, &QAction::triggered, this, &TAbfrageForm::NEBEL1Click);
    connect(WEGDAMIT1, &QAction::triggered, this, &TAbfrageForm::WEGDAMIT1Click);
    connect(TrickLabel, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Trickmenu->popup(TrickLabel->mapToGlobal(pos)); });

    Richtung2 = Label(page, 10, 134, 300, 18);
    AbfrEdit = new QLineEdit(page);
    AbfrEdit->setGeometry(10, 154, 400, 26);
    AbfrEdit->setMaxLength(int(kMaxAnswerLength));
    AbfrEdit->installEventFilter(this);
    SonderzButton2 = Button(page, "", 416, 154, 30);
    SonderzButton2->setAutoDefault(false);
    SonderzButton2->setToolTip(
        Hint("Sonderzeichen einfügen. Für das sichtbare die linke,\rzum Auswählen die rechte Maustaste drücken!|"));
    SonderzButton2->installEventFilter(this);
    connect(SonderzButton2, &QPushButton::clicked, this, &TAbfrageForm::SonderzButton2Click);
    mute = new QToolButton(page);
    mute->setGeometry(452, 154, 26, 26);
    mute->setCheckable(true);
    connect(mute, &QToolButton::clicked, this, &TAbfrageForm::muteClick);

    Notebook1 = new QStackedWidget(page);
    Notebook1->setGeometry(10, 186, 540, 222);
    auto* anleitung = new QWidget;
    anleitung->setObjectName(QStringLiteral("anleitung"));
    auto* bewertung = new QWidget;
    bewertung->setObjectName(QStringLiteral("bewertung"));
    Notebook1->addWidget(anleitung);
    Notebook1->addWidget(bewertung);
    Anleitung = Label(anleitung, 10, 10, 520, 100);
    Anleitung->setWordWrap(true);
    Anleitung->setText(QString::fromUtf8(
        "Geben Sie die Übersetzung in das Eingabefeld ein und drücken Sie Enter oder \"OK\". Mehrere "
        "Bedeutungen trennen Sie durch \";\"."));

    // The verdict's lines: placed by LayOutVerdict once their fonts are known.
    Bewertung = Label(bewertung, 24, 0, 510, 20);
    Anzeige1 = Label(bewertung, 24, 24, 510, 25);
    Image1 = Label(bewertung, 4, 24, 16, 16);
    Image2 = Label(bewertung, 4, 0, 16, 16);
    Anzeige2 = Label(bewertung, 24, 0, 510, 25);
    Anzeige2->setAutoFillBackground(true);
    HLine1 = Label(bewertung, 24, 0, 510, 1);
    HLine2 = Label(bewertung, 24, 0, 510, 1);
    for (QLabel* rule : {HLine1, HLine2}) rule->setFrameShape(QFrame::HLine);
    Anzeige3 = Label(bewertung, 24, 0, 510, 125);
    Anzeige3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image3 = Label(bewertung, 4, 0, 16, 16);
    LayOutVerdict();
    // Which line is which: asked, typed, correct.
    Image1->setPixmap(platform::OwnGlyph("gefragt").pixmap(16, 16));
    Image2->setPixmap(platform::OwnGlyph("eingegeben").pixmap(16, 16));
    Image3->setPixmap(platform::OwnGlyph("richtig").pixmap(16, 16));

    // Two lines: the progress text is longer than the dialog is wide.
    Fortschritt = Label(page, 10, 412, 540, 36);
    Fortschritt->setWordWrap(true);
    Fortschritt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ProgressBar1 = new QProgressBar(page);
    ProgressBar1->setGeometry(10, 450, 540, 16);
    ProgressBar1->setTextVisible(false);

    OKBtn = Button(page, "OK", 10, kButtonTop);
    OKBtn->setDefault(true);
    OKBtn->setToolTip(Hint("Vergleicht die Eingabe mit der korrekten Übersetzung|"));
    AbortBtn = Button(page, "Abbrechen", 110, kButtonTop);
    AbortBtn->setToolTip(Hint("Bricht das Abfragen ab|"));
    TipBtn = Button(page, "Tip", 210, kButtonTop);
    TipBtn->setToolTip(Hint("Gibt beim Drücken den Anfangsbuchstaben und bei jedem\rweiteren Drücken den jeweils "
                            "nächsten Buchstaben des\rgefragten Vokabels aus|"));
    BitBtn1 = Button(page, "&Hilfe", 460, kButtonTop);
    BitBtn1->setToolTip(Hint("Öffnet die Hilfe zum Thema Abfragen|"));
    for (QPushButton* b : {AbortBtn, TipBtn, BitBtn1}) b->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &TAbfrageForm::OKBtnClick);
    connect(AbortBtn, &QPushButton::clicked, this, &TAbfrageForm::AbortBtnClick);
    connect(TipBtn, &QPushButton::clicked, this, &TAbfrageForm::TipBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TAbfrageForm::BitBtn1Click);
}

void TAbfrageForm::BuildStatisticsPage(QWidget* page) {
    Statistik1 = Label(page, 20, 20, 400, 100);
    Statistik1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PieBoxWidget = new PieBox([this](int w, int h) { return session_.Pie(w, h); }, page);
    PieBoxWidget->move(20, 140);
    PieBoxWidget->setToolTip(
        Hint("grün: Anteil der richtigen Übersetzungen,\rrot : Anteil der falschen Übersetzungen|"));
    Label(page, 140, 160, 120, 18)->setText(QString::fromUtf8("grün=richtig"));
    Label(page, 140, 190, 120, 18)->setText(QString::fromUtf8("rot=falsch"));
    StatistikFertigButton = Button(page, "&Fertig", 10, kButtonTop);
    NochMalButton = Button(page, "&Nochmal", 110, kButtonTop);
    BitBtn2 = Button(page, "Ergebnis &drucken", 210, kButtonTop, 130);
    connect(StatistikFertigButton, &QPushButton::clicked, this, &TAbfrageForm::StatistikFertigButtonClick);
    connect(NochMalButton, &QPushButton::clicked, this, &TAbfrageForm::NochMalButtonClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TAbfrageForm::BitBtn2Click);
}

void TAbfrageForm::SetQuizDocument(TMDIChild* window) { quizWindow_ = window; }

TMDIChild* TAbfrageForm::ErrorListWindow() const { return errorList_; }

void TAbfrageForm::SetSound(ErrorSound* sound) { session_.SetSound(sound != nullptr ? sound : ownSound_.get()); }

QuizHost* TAbfrageForm::Host() {
    if (host_ != nullptr) return host_;
    if (TheQuizHost() != nullptr) return TheQuizHost();
    fallbackHost_ = std::make_unique<MdiAreaQuizHost>(quizWindow_ != nullptr ? quizWindow_->mdiArea() : nullptr);
    return fallbackHost_.get();
}

void TAbfrageForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TAbfrageForm::FormShow() {
    const AbfrageOptionenTyp& o = options_.Abfragen;
    WrongBlinkTimer->stop();
    SetAnzeige2Face(std::nullopt);
    mute->setVisible(session_.SoundButtonShown());
    muteClick();
    AbfrNotebook->setCurrentIndex(0);
    Notebook1->setCurrentIndex(0);
    OKBtn->setDefault(true);
    TipBtn->setEnabled(session_.TipsAllowed());
    setWindowTitle(QString::fromStdString(session_.Caption()));
    Richtung1->setText(QString::fromUtf8(session_.AskedSideCaption()));
    Richtung2->setText(QString::fromUtf8(session_.TypedSideCaption()));
    ApplyFonts();
    TrickLabel->setContextMenuPolicy(options_.Settings.MenueaufrufErmoeglichen ? Qt::CustomContextMenu
                                                                              : Qt::NoContextMenu);
    for (QLabel* label : {Abf[0], Abf[1], Abf[2], Abf[3], Abf[4], Bewertung, Anzeige1, Anzeige2, Anzeige3}) {
        label->clear();
    }
    session_.Start();
    ProgressBar1->setMaximum(std::max(1, session_.ProgressMax()));
    ShowQuestion();
    SonderzButton2->setFont(AbfrEdit->font());
    SonderzButton2->setText(FieldText(options_.Settings.LetztesSonderzeichen, typedCharset_));
    if (o.FehlerlisteErstellen) {
        SetUpErrorList();
    } else {
        errorList_ = nullptr;
        session_.SetErrorList(nullptr);
    }
}

void TAbfrageForm::ApplyFonts() {
    const SchriftartenTyp* fonts = quizWindow_ != nullptr ? &quizWindow_->Document().Fonts : nullptr;
    TFontObject ms;
    TFontObject fs;
    FontRecToFont(fonts != nullptr ? fonts->TableMS : options_.SchriftMS, ms, &SchriftartenTyp::TableMS);
    FontRecToFont(fonts != nullptr ? fonts->TableFS : options_.SchriftFS, fs, &SchriftartenTyp::TableFS);
    const bool mother = session_.MotherAsked();
    const TFontObject& asked = mother ? ms : fs;
    const TFontObject& typed = mother ? fs : ms;
    for (int k = 0; k < (mother ? 5 : 2); ++k) SetScreenFont(Abf[k], asked);
    SetScreenFont(Anzeige1, asked);
    SetScreenFont(Anzeige2, typed);
    SetScreenFont(Anzeige3, typed);
    AbfrEdit->setFont(typed.Font);
    // A large font must not cut the field's own text (nor the button's, in
    // the same font); the verdict below gives up the room.
    const int fieldHeight = std::max(26, AbfrEdit->sizeHint().height());
    AbfrEdit->resize(AbfrEdit->width(), fieldHeight);
    SonderzButton2->resize(SonderzButton2->width(), fieldHeight);
    const int verdictBottom = Notebook1->geometry().bottom();
    Notebook1->setGeometry(Notebook1->x(), AbfrEdit->geometry().bottom() + 7, Notebook1->width(),
                           verdictBottom - AbfrEdit->geometry().bottom() - 6);
    LayOutVerdict();
    askedCharset_ = asked.Charset;
    typedCharset_ = typed.Charset;
}

void TAbfrageForm::LayOutVerdict() {
    // The asked and typed lines are as high as their fonts need, never lower
    // than 25; each line below stands under the one above it, the correct
    // fields take what room is left.
    const auto lineHeight = [](const QLabel* line) { return std::max(25, line->fontMetrics().height() + 2); };
    Anzeige1->resize(Anzeige1->width(), lineHeight(Anzeige1));
    HLine1->move(HLine1->x(), Anzeige1->geometry().bottom() + 2);
    Anzeige2->setGeometry(Anzeige2->x(), HLine1->y() + 9, Anzeige2->width(), lineHeight(Anzeige2));
    Image2->move(Image2->x(), Anzeige2->y() - 1);
    HLine2->move(HLine2->x(), Anzeige2->geometry().bottom() + 2);
    Anzeige3->setGeometry(Anzeige3->x(), HLine2->y() + 4, Anzeige3->width(),
                          std::max(25, Notebook1->height() - 8 - (HLine2->y() + 4)));
    Image3->move(Image3->x(), Anzeige3->y() - 1);
}

void TAbfrageForm::ShowQuestion() {
    if (session_.Done()) {
        ProgressBar1->setValue(ProgressBar1->maximum());
        Fortschritt->setText(QString::fromUtf8("Fertig."));
        ShowStatistics();
        return;
    }
    VokNr->setText(QString::number(session_.CurrentIndex()));
    ProgressBar1->setValue(session_.ProgressPosition());
    Fortschritt->setText(ProgressLine());
    const std::array<std::string, 5> fields = session_.AskedFields();
    for (int k = 0; k < 5; ++k) Abf[k]->setText(FieldText(fields[k], askedCharset_));
    AbfrEdit->clear();
    AbfrEdit->setFocus();
}

QString TAbfrageForm::ProgressLine() const {
    const QString text = QString::fromStdString(session_.ProgressText());
    const QString name = QString::fromStdString(session_.ProgressFileName());
    if (name.isEmpty() || !text.endsWith(name)) return text;
    // The text wraps; a name too long for a line of its own after "Datei:"
    // loses its middle, so that both of its ends stay readable.
    const QFontMetrics metrics(Fortschritt->font());
    const int room = Fortschritt->width() - metrics.horizontalAdvance(QStringLiteral("Datei: "));
    return text.chopped(name.size()) + metrics.elidedText(name, Qt::ElideMiddle, room);
}

void TAbfrageForm::ShowStatistics() {
    AbfrNotebook->setCurrentIndex(1);
    // A dialog has one default button; the statistics page takes it over.
    StatistikFertigButton->setDefault(true);
    Statistik1->setText(CrLines(QString::fromStdString(session_.StatisticsText())));
    PieBoxWidget->update();
    StatistikFertigButton->setFocus();
}

void TAbfrageForm::OKBtnClick() {
    if (session_.Done()) return;
    Notebook1->setCurrentIndex(1);
    const AnswerShown shown = session_.Answer(FieldBytes(AbfrEdit->text(), typedCharset_));
    Bewertung->setText(QString::fromStdString(shown.verdict));
    SetTextColor(Bewertung, ColorFromRec(shown.verdictColor));
    Anzeige1->setText(FieldText(shown.askedLine, askedCharset_));
    Anzeige2->setText(FieldText(shown.typedLine, typedCharset_));
    Anzeige3->setText(CrLines(FieldText(shown.correctLine, typedCharset_)));
    if (shown.strikeOut != StrikeOut::Unchanged) {
        QFont font = Anzeige2->font();
        font.setStrikeOut(shown.strikeOut == StrikeOut::On);
        Anzeige2->setFont(font);
    }
    if (session_.Blink().Running() && !WrongBlinkTimer->isActive()) WrongBlinkTimer->start();
    ShowQuestion();
}

void TAbfrageForm::TipBtnClick() {
    for (QLabel* label : {Bewertung, Anzeige1, Anzeige2, Anzeige3}) label->clear();
    // The tip stands on the verdict page, which must be showing.
    Notebook1->setCurrentIndex(1);
    Anzeige1->setText(FieldText(session_.Tip(), typedCharset_));
    AbfrEdit->setFocus();
}

void TAbfrageForm::BitBtn1Click() { Host()->ShowHelpPage("Dialogfelder\\abfragen.html"); }

void TAbfrageForm::BitBtn2Click() {
    AbfrageOptionenTyp& o = options_.Abfragen;
    if (o.AskForUsername) {
        const std::string name = AskUserName();
        if (name == platform::kCancelMarker) return;
        o.Username = name;
    }
    QuizPrintData data;
    data.counters = session_.Counters();
    data.repeatUntilRight = o.WiederholenBisRichtig;
    data.fuzzy = o.FuzzyLogic;
    data.rightFrom = o.RichtigAb;
    data.motherAsked = session_.MotherAsked();
    data.fileName = fileName_;
    data.userName = o.Username;
    PrintQuizResult(data, printFileName_);
}

void TAbfrageForm::SetAnzeige2Face(const std::optional<uint32_t>& color) {
    QPalette p = Anzeige2->palette();
    p.setColor(QPalette::Window, color ? ColorFromRec(*color) : palette().color(QPalette::Button));
    Anzeige2->setPalette(p);
}

void TAbfrageForm::WrongBlinkTimerTimer() {
    SetAnzeige2Face(session_.Blink().Tick());
    if (!session_.Blink().Running()) WrongBlinkTimer->stop();
}

void TAbfrageForm::muteClick() {
    session_.SetMuted(mute->isChecked());
    mute->setIcon(mute->isChecked() ? platform::Glyph("audio-volume-muted", "stumm")  // mutepic
                                    : platform::Glyph("audio-volume-high", "lautsprecher"));  // soundpic
}

void TAbfrageForm::SonderzButton2Click() { AbfrEdit->insert(SonderzButton2->text()); }

void TAbfrageForm::SonderzButton2MouseDown(const QPoint& pos) {
    specialChosen_ = Host()->PopupSpecialCharacters(SonderzButton2->mapToGlobal(pos), typedCharset_ == 238);
    SonderzTimer2->start();
}

void TAbfrageForm::SonderzTimer2Timer() {
    SonderzTimer2->stop();
    SonderzButton2->setText(FieldText(options_.Settings.LetztesSonderzeichen, typedCharset_));
    if (specialChosen_) SonderzButton2Click();
    specialChosen_ = false;
}

void TAbfrageForm::grnClick() { AbfrEdit->setText(FieldText(session_.TrickAnswer(), typedCharset_)); }

void TAbfrageForm::ROT1Click() {
    if (quizWindow_ != nullptr) ShowListDuringMode(*quizWindow_);
}

void TAbfrageForm::NEBEL1Click() {
    if (quizWindow_ != nullptr) HideListDuringMode(*quizWindow_);
}

void TAbfrageForm::WEGDAMIT1Click() {
    options_.Settings.MenueaufrufErmoeglichen = false;
    TrickLabel->setContextMenuPolicy(Qt::NoContextMenu);
}

TMDIChild* TAbfrageForm::FindErrorList() const {
    for (TMDIChild* w : const_cast<TAbfrageForm*>(this)->Host()->DocumentWindows()) {
        if (w->Document().Caption == ErrorListCaption) return w;
    }
    return nullptr;
}

void TAbfrageForm::SetUpErrorList() {
    errorList_ = nullptr;
    session_.SetErrorList(nullptr);
    if (quizWindow_ != nullptr && quizWindow_->Document().Caption == ErrorListCaption) return;
    TMDIChild* list = FindErrorList();
    if (list == nullptr) {
        if (TMDIChild* made = Host()->CreateEmptyDocument()) {
            made->Document().FileName.clear();
            // The caption first: minimising keeps exactly this caption.
            made->SetCaption(ErrorListCaption);
            made->showMinimized();
            // The quizzed window stays the active one.
            if (quizWindow_ != nullptr && quizWindow_->mdiArea() != nullptr) {
                quizWindow_->mdiArea()->setActiveSubWindow(quizWindow_);
            }
        }
        list = FindErrorList();
    }
    if (list == nullptr) {
        platform::Dialogs().MessageDlg(kErrorListFailedText, platform::MsgDlgType::Error,
                                       platform::mbOK | platform::mbHelp, kErrorListHelpContext);
        options_.Abfragen.FehlerlisteErstellen = false;
        return;
    }
    if (quizWindow_ != nullptr) list->Document().Fonts = quizWindow_->Document().Fonts;
    errorList_ = list;
    session_.SetErrorList(&list->Document().Entries);
}

void TAbfrageForm::done(int result) {
    // However the quiz ends, the list's grid shows what was added.
    if (errorList_ != nullptr) errorList_->RefreshGrid();
    session_.SetErrorList(nullptr);
    WrongBlinkTimer->stop();
    SonderzTimer2->stop();
    session_.Close();
    QDialog::done(result);
}

bool TAbfrageForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SonderzButton2 && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            SonderzButton2MouseDown(mouse->position().toPoint());
            return true;
        }
    }
    if (watched == AbfrEdit && event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const QString text = keyEvent->text();
        if (text.toUcs4().size() != 1) return QDialog::eventFilter(watched, event);
        // The answer is judged in the field's code page.
        const std::optional<char> typed = TypedByteOrBeep(text, typedCharset_);
        if (!typed) return true;
        char key = *typed;
        if (!session_.KeyAllowed(key)) return true;
        EditFieldCaret caret(*AbfrEdit, typedCharset_);
        ComposeCaronKey(key, caret);
        if (key == 0) return true;
        if (key != *typed) {
            AbfrEdit->insert(FieldText(std::string(1, key), typedCharset_));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
