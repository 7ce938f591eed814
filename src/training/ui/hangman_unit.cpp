#include "training/ui/hangman_unit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <cmath>
#include <filesystem>

#include "documents/ui/AppSettingsQt.h"
#include "documents/ui/EditFieldCaret.h"
#include "documents/ui/FieldInput.h"
#include "htmlengine/ui/ImageQt.h"
#include "platform/Dialogs.h"
#include "platform/ui/Hints.h"
#include "training/HangmanPicture.h"
#include "training/ThmFile.h"
#include "training/ui/ModeFrame.h"
#include "training/ui/QuizHost.h"
#include "training/ui/StateLed.h"

namespace {

const char* const kAllGuessedText = "Alle Wörter wurden erraten!";
constexpr int kHangmanOptionsPage = 4;
constexpr int kWidth = 480;
constexpr int kPictureSize = 200;

const QColor kRunning(255, 255, 0);
const QColor kWon(0, 255, 0);
const QColor kLost(255, 0, 0);

QPushButton* Button(QWidget* parent, const char* caption, int x, int y, int w = 100) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setGeometry(x, y, w, 28);
    // Enter is a guess, never a button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

THangmanForm::THangmanForm(QWidget* parent, OptionenTyp& options, RandomSource& random)
    : QDialog(parent), options_(options), game_(options, random), entries_(std::make_unique<VokabelArrayTyp>()) {
    setObjectName(QStringLiteral("HangmanForm"));
    setWindowTitle(QStringLiteral("Hangman"));
    setModal(true);

    HangmanImage = new QLabel(this);
    HangmanImage->setGeometry(10, 10, kPictureSize, kPictureSize);
    HangmanImage->setAlignment(Qt::AlignCenter);
    Label1 = new QLabel(this);
    Label1->setGeometry(220, 10, kWidth - 230, 140);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setText(QString::fromUtf8(
        "Erraten Sie das Wort: Drücken Sie die Taste eines Buchstabens, der darin vorkommen könnte. Jeder "
        "falsche Buchstabe bringt das Bild einen Schritt weiter. Ist das letzte Bild erreicht, ist das Wort "
        "verloren."));
    BitBtn1 = Button(this, "Abbruch", 220, 180);
    HelpButt = Button(this, "&Hilfe", 330, 180);
    EditOptionenButt = Button(this, "", 440, 180, 30);
    EditOptionenButt->hide();

    BoxTop = 220;
    TransLabel = new QLabel(this);
    TransLabel->setTextFormat(Qt::PlainText);
    TransLabel->setGeometry(10, BoxTop, kWidth - 20, 120);
    TransLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    HangmanBox = new QLineEdit(this);
    HangmanBox->setGeometry(10, BoxTop, 380, 30);
    HangmanBox->setReadOnly(true);
    HangmanBox->installEventFilter(this);
    // The masked word is only shown: focus, which the dialog gives it as a
    // Tab would when it opens, must not select it.
    connect(HangmanBox, &QLineEdit::selectionChanged, HangmanBox, &QLineEdit::deselect);
    StateLED = new StateLed(this);
    StateLED->setGeometry(400, BoxTop + 5, 20, 20);
    StateLED->setToolTip(platform::Hint(
        "Statusanzeige:\rgrün = richtig erraten\rgelb = noch nicht fertig\rrot  = schon verloren|"));
    SonderzButton3 = Button(this, "", 430, BoxTop, 30);
    SonderzButton3->setToolTip(platform::Hint(
        "Klicken Sie mit links um den sichtbaren Buchstaben\r\"einzugeben\", mit rechts um einen anderen zu "
        "wählen|"));
    SonderzButton3->installEventFilter(this);
    WeiterLabel = new QLabel(QString::fromUtf8("bel. Taste drücken um fortzusetzen"), this);
    WeiterLabel->hide();

    SonderzTimer3 = new QTimer(this);
    SonderzTimer3->setInterval(10);
    SonderzTimer3->setSingleShot(true);
    connect(SonderzTimer3, &QTimer::timeout, this, &THangmanForm::SonderzTimer3Timer);
    connect(BitBtn1, &QPushButton::clicked, this, &THangmanForm::BitBtn1Click);
    connect(HelpButt, &QPushButton::clicked, this, &THangmanForm::HelpButtClick);
    connect(SonderzButton3, &QPushButton::clicked, this, &THangmanForm::SonderzButton3Click);
}

THangmanForm::~THangmanForm() = default;

QuizHost* THangmanForm::Host() const { return host_ != nullptr ? host_ : TheQuizHost(); }

void THangmanForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void THangmanForm::CloseSoon() {
    // The dialog may be on its way up inside exec(); closing then would
    // leave exec() waiting, so the close waits for the event loop.
    closing_ = true;
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) reject();
    });
}

void THangmanForm::FormShow() {
    using namespace platform;
    closing_ = false;
    pictureErrorShown_ = false;
    InfoFileName = options_.Hangman.Dateinamenbeginn;
    const ThmSeries series = LoadThmSeries(InfoFileName, FileExists);
    switch (series.error) {
    case ThmSeries::Error::Read:
        Dialogs().MessageDlg(kThmReadErrorStart + InfoFileName + kThmReadErrorEnd, MsgDlgType::Error, mbOK,
                             kHangmanHelpContext);
        CloseSoon();
        return;
    case ThmSeries::Error::NoHash:
        Dialogs().MessageDlg(kThmNoHashText, MsgDlgType::Error, mbOK, kHangmanHelpContext);
        CloseSoon();
        return;
    case ThmSeries::Error::NoPictures:
        Dialogs().MessageDlg(kThmNoPicturesText, MsgDlgType::Error, mbOK | mbHelp, kHangmanHelpContext);
        CloseSoon();
        return;
    case ThmSeries::Error::None:
        break;
    }
    PicturePattern = series.info.pattern;
    FirstPicture = series.info.first;
    LastPicture = series.info.last;

    const int lastRow = window_ != nullptr ? window_->Document().LastUsedRow() : 0;
    game_.SetUp(*entries_, lastRow, FirstPicture, LastPicture);
    LayoutHangman();
    NextWord();
    SonderzButton3->setText(FieldText(options_.Settings.LetztesSonderzeichen, boxCharset_));
}

void THangmanForm::LayoutHangman() {
    const HangmanOptionenTyp& o = options_.Hangman;
    int a = 0;
    TransLabel->hide();
    if (o.UebersetzungAnzeigen) {
        a = o.FremdspracheFragen ? 125 : 50;
        TransLabel->show();
    }
    TransLabel->setGeometry(10, BoxTop, kWidth - 20, a);
    HangmanBox->move(HangmanBox->x(), BoxTop + a);
    StateLED->move(StateLED->x(), BoxTop + a + 5);
    SonderzButton3->move(SonderzButton3->x(), BoxTop + a);
    const int boxHeight = HangmanBox->height();
    WeiterLabel->setGeometry(10, BoxTop + a + boxHeight + 4, kWidth - 20, 20);
    setFixedSize(kWidth, int(std::lround(boxHeight * 2.5)) + a + BoxTop + 10);
    TransLabel->clear();
    HangmanBox->setFocus();
}

void THangmanForm::ShowPicture(int number) {
    const HangmanPicture loaded = LoadHangmanPicture(PictureName(PicturePattern, number));
    if (loaded.picture.IsEmpty()) {
        // The game goes on without the picture; the user hears of it once.
        HangmanImage->clear();
        if (!pictureErrorShown_) {
            pictureErrorShown_ = true;
            platform::Dialogs().MessageDlg(loaded.error, platform::MsgDlgType::Error, platform::mbOK);
        }
        return;
    }
    const QPixmap pixmap = QPixmap::fromImage(htmlengine::ToQImage(loaded.picture));
    HangmanImage->setPixmap(pixmap.width() > kPictureSize || pixmap.height() > kPictureSize
                                ? pixmap.scaled(HangmanImage->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                : pixmap);
}

void THangmanForm::NextWord() {
    if (!game_.NextWord()) {
        ShowPicture(FirstPicture);
        platform::Dialogs().MessageDlg(kAllGuessedText, platform::MsgDlgType::Information, platform::mbOK);
        CloseSoon();
        return;
    }
    ShowWord();
}

void THangmanForm::ShowWord() {
    ShowPicture(game_.Picture());
    WeiterLabel->hide();
    StateLED->SetColor(kRunning);
    TransLabel->clear();
    TFontObject ms;
    TFontObject fs;
    const SchriftartenTyp* fonts = window_ != nullptr ? &window_->Document().Fonts : nullptr;
    FontRecToFont(fonts != nullptr ? fonts->TableMS : options_.SchriftMS, ms, &SchriftartenTyp::TableMS);
    FontRecToFont(fonts != nullptr ? fonts->TableFS : options_.SchriftFS, fs, &SchriftartenTyp::TableFS);
    const TFontObject& word = game_.AskedMother() ? ms : fs;
    const TFontObject& other = game_.AskedMother() ? fs : ms;
    HangmanBox->setFont(word.Font);
    boxCharset_ = word.Charset;
    if (options_.Hangman.UebersetzungAnzeigen) {
        TransLabel->setFont(other.Font);
        std::string lines;
        for (const std::string& t : game_.Translations()) {
            if (!t.empty()) lines += t + '\r';
        }
        TransLabel->setText(platform::CrLines(FieldText(lines, other.Charset)));
    }
    HangmanBox->setText(FieldText(game_.Display(), boxCharset_));
}

void THangmanForm::ShowState() {
    HangmanBox->setText(FieldText(game_.Display(), boxCharset_));
    if (game_.GetState() == HangmanGame::State::Running) return;
    WeiterLabel->show();
    StateLED->SetColor(game_.GetState() == HangmanGame::State::Won ? kWon : kLost);
}

void THangmanForm::HangmanBoxKeyPress(char key) {
    if (closing_) return;
    // In the masked word a "*" never stands alone: it waits for its letter.
    ComposeCaronChar(key);
    if (key == 0 || key == '\b' || key == '\t') return;
    const HangmanGame::KeyEffect effect = game_.Key(key);
    if (effect.nextWord) {
        if (effect.gameOver) {
            ShowPicture(FirstPicture);
            platform::Dialogs().MessageDlg(kAllGuessedText, platform::MsgDlgType::Information, platform::mbOK);
            CloseSoon();
        } else {
            ShowWord();
        }
        return;
    }
    if (effect.beep) {
        QApplication::beep();
        return;
    }
    if (effect.pictureChanged) ShowPicture(game_.Picture());
    ShowState();
}

void THangmanForm::SonderzButton3Click() {
    const std::string bytes = FieldBytes(SonderzButton3->text(), boxCharset_);
    if (!bytes.empty()) HangmanBoxKeyPress(bytes[0]);
    HangmanBox->setFocus();
}

void THangmanForm::SonderzButton3MouseDown(const QPoint& pos) {
    QuizHost* host = Host();
    specialChosen_ = host != nullptr &&
                     host->PopupSpecialCharacters(SonderzButton3->mapToGlobal(pos + QPoint(0, 25)), boxCharset_ == 238);
    SonderzTimer3->start();
}

void THangmanForm::SonderzTimer3Timer() {
    SonderzTimer3->stop();
    SonderzButton3->setText(FieldText(options_.Settings.LetztesSonderzeichen, boxCharset_));
    if (specialChosen_) SonderzButton3Click();
    specialChosen_ = false;
}

void THangmanForm::HelpButtClick() {
    if (QuizHost* host = Host()) host->ShowHelpPage("Dialogfelder\\hangman\\index.html");
    HangmanBox->setFocus();
}

void THangmanForm::BitBtn1Click() {
    HangmanBox->setFocus();
    done(QDialog::Rejected);
}

bool THangmanForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SonderzButton3 && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            SonderzButton3MouseDown(mouse->position().toPoint());
            return true;
        }
    }
    if (watched == HangmanBox && event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        // Escape is the dialog's; Backspace, Tab and Delete go on as they
        // are: none of them is a letter to guess.
        if (keyEvent->key() == Qt::Key_Escape || keyEvent->key() == Qt::Key_Backspace ||
            keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Delete) {
            return QDialog::eventFilter(watched, event);
        }
        const QString text = keyEvent->text();
        if (text.toUcs4().size() != 1) return QDialog::eventFilter(watched, event);
        // A letter the word's code page lacks is no guess at all.
        if (const std::optional<char> key = TypedByteOrBeep(text, boxCharset_)) HangmanBoxKeyPress(*key);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

THangmanForm& HangmanForm() {
    static THangmanForm* form = new THangmanForm;
    return *form;
}

void StartHangman(TMDIChild& window, ModeOrigin origin, THangmanForm& form) {
    if (!ClearMarksAndCheckEntries(window)) return;
    CloseEditorsBeforeMode();
    if (Optionen.Hangman.OptionenBeimStarten &&
        ShowGeneralOptions(kHangmanOptionsPage) == platform::ModalResult::Abort) {
        return;
    }
    form.Entries() = window.Document().Entries;
    form.SetHangmanDocument(&window);
    RunWithListHidden(window, origin, false, form);
}

void RegisterHangmanStart() {
    TMDIChild::SetHangmanStarter(
        [](TMDIChild& window, ModeOrigin origin) { StartHangman(window, origin, HangmanForm()); });
}
