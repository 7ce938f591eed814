#include "training/ui/LernUnit.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include "documents/ui/AppSettingsQt.h"
#include "documents/ui/EditFieldCaret.h"
#include "platform/Dialogs.h"
#include "platform/ui/Hints.h"
#include "training/ui/ModeFrame.h"
#include "training/ui/QuizHost.h"

namespace {

const char* const kAllShownText = "Das waren alle Vokabeln! Liste noch mal durchgehen?";
constexpr int kLearnOptionsPage = 5;
constexpr int kWidth = 480;
constexpr int kPanelHeight = 200;

QPushButton* Button(QWidget* parent, const char* caption, int x, int y, int w = 100) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setGeometry(x, y, w, 28);
    button->setAutoDefault(false);
    return button;
}

void SetScreenFont(QLabel* label, const TFontObject& font) {
    label->setFont(font.Font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, font.Color);
    label->setPalette(p);
}

}  // namespace

TLernForm::TLernForm(QWidget* parent, OptionenTyp& options, RandomSource& random)
    : QDialog(parent), options_(options), session_(options, random) {
    setObjectName(QStringLiteral("LernForm"));
    setWindowTitle(QString::fromUtf8("Vokabeln lernen"));
    setModal(true);

    AnzeigeL = new QLabel(this);
    AnzeigeL->setTextFormat(Qt::PlainText);
    AnzeigeL->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TrickLabel2 = new QLabel(this);
    Trickmenu = new QMenu(this);
    ROT1 = Trickmenu->addAction(QString::fromUtf8("&GUTE SICHT!"));
    NEBEL1 = Trickmenu->addAction(QString::fromUtf8("&NEBEL"));
    WEGDAMIT1 = Trickmenu->addAction(QString::fromUtf8("&WEG DAMIT!"));
    connect(ROT1, &QAction::triggered, this, &TLernForm::ROT1Click);
    connect(NEBEL1, &QAction::triggered, this, &TLernForm::NEBEL1Click);
    connect(WEGDAMIT1, &QAction::triggered, this, &TLernForm::WEGDAMIT1Click);
    connect(TrickLabel2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Trickmenu->popup(TrickLabel2->mapToGlobal(pos)); });

    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    RichtigL = new QLabel(Panel1);
    RichtigL->setTextFormat(Qt::PlainText);
    RichtigL->setGeometry(10, 5, kWidth - 30, 125);
    RichtigL->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Fortschritt = new QLabel(Panel1);
    Fortschritt->setGeometry(10, 134, 200, 20);
    NextBtn = Button(Panel1, "&Nächstes", 10, 160);
    // "Zeigen" and "Nochmal" stand where "Nächstes" stands.
    ShowBtn = Button(Panel1, "&Zeigen", 10, NextBtn->y());
    AgainBtn = Button(Panel1, "Noch&mal", 10, NextBtn->y());
    AbortBtn = Button(Panel1, "Beenden", 120, 160);
    LernOptionenButt = Button(Panel1, "&Einstellungen", 230, 160, 120);
    ButtonHelp = Button(Panel1, "&Hilfe", 360, 160);
    NextBtn->hide();
    AgainBtn->hide();

    connect(ShowBtn, &QPushButton::clicked, this, &TLernForm::ShowBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TLernForm::NextBtnClick);
    connect(AbortBtn, &QPushButton::clicked, this, &TLernForm::AbortBtnClick);
    connect(LernOptionenButt, &QPushButton::clicked, this, &TLernForm::LernOptionenButtClick);
    connect(ButtonHelp, &QPushButton::clicked, this, &TLernForm::ButtonHelpClick);
}

void TLernForm::showEvent(QShowEvent* event) {
    // Sized first: the dialog centres itself by the size it has then.
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TLernForm::CloseSoon() {
    // The dialog may be on its way up inside exec(); closing then would
    // leave exec() waiting, so the close waits for the event loop.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) reject();
    });
}

void TLernForm::FormShow() {
    const int d = session_.DisplayHeight();
    setFixedSize(kWidth, d + kPanelHeight + 10);
    AnzeigeL->setGeometry(10, 5, kWidth - 50, d);
    TrickLabel2->setGeometry(kWidth - 30, 0, 24, 24);
    Panel1->setGeometry(5, d + 10, kWidth - 10, kPanelHeight);

    static const VokabelArrayTyp noEntries{};
    const VokabelArrayTyp& entries = window_ != nullptr ? window_->Document().Entries : noEntries;
    session_.SetUp(entries, window_ != nullptr ? window_->Document().LastUsedRow() : 0);
    Fortschritt->setText(QString::fromStdString(session_.ProgressText()));
    RichtigL->clear();
    AgainBtn->hide();
    TrickLabel2->setContextMenuPolicy(options_.Settings.MenueaufrufErmoeglichen ? Qt::CustomContextMenu
                                                                               : Qt::NoContextMenu);
    ShowNextEntry();
}

void TLernForm::SwapButtons(bool showVisible) {
    NextBtn->setVisible(!showVisible);
    NextBtn->setDefault(!showVisible);
    ShowBtn->setVisible(showVisible);
    ShowBtn->setDefault(showVisible);
    (showVisible ? ShowBtn : NextBtn)->setFocus();
}

void TLernForm::ShowNextEntry() {
    SwapButtons(true);
    RichtigL->clear();
    if (!session_.AnyDue()) {
        CloseSoon();
        return;
    }
    session_.ShowNext();
    TFontObject ms;
    TFontObject fs;
    const SchriftartenTyp* fonts = window_ != nullptr ? &window_->Document().Fonts : nullptr;
    FontRecToFont(fonts != nullptr ? fonts->TableMS : options_.SchriftMS, ms, &SchriftartenTyp::TableMS);
    FontRecToFont(fonts != nullptr ? fonts->TableFS : options_.SchriftFS, fs, &SchriftartenTyp::TableFS);
    const bool mother = session_.MotherShown();
    SetScreenFont(AnzeigeL, mother ? ms : fs);
    SetScreenFont(RichtigL, mother ? fs : ms);
    revealCharset_ = mother ? fs.Charset : ms.Charset;
    AnzeigeL->setText(platform::CrLines(FieldText(session_.ShownText(), mother ? ms.Charset : fs.Charset)));
    Fortschritt->setText(QString::fromStdString(session_.ProgressText()));
}

void TLernForm::ShowBtnClick() {
    RichtigL->setText(platform::CrLines(FieldText(session_.RevealText(), revealCharset_)));
    ShowBtn->hide();
    ShowBtn->setDefault(false);
    if (session_.AnyDue()) {
        NextBtn->show();
        NextBtn->setDefault(true);
        NextBtn->setFocus();
        return;
    }
    QApplication::beep();
    if (platform::Dialogs().MessageDlg(kAllShownText, platform::MsgDlgType::Information,
                                       platform::mbYes | platform::mbNo) == platform::ModalResult::Yes) {
        FormShow();
    } else {
        reject();
    }
}

void TLernForm::NextBtnClick() { ShowNextEntry(); }

void TLernForm::LernOptionenButtClick() {
    ShowGeneralOptions(kLearnOptionsPage);
    FormShow();
}

void TLernForm::ButtonHelpClick() {
    if (QuizHost* host = TheQuizHost()) host->ShowHelpPage("Dialogfelder\\lernen.html");
}

void TLernForm::ROT1Click() {
    if (window_ != nullptr) ShowListDuringMode(*window_);
}

void TLernForm::NEBEL1Click() {
    if (window_ != nullptr) HideListDuringMode(*window_);
}

void TLernForm::WEGDAMIT1Click() {
    options_.Settings.MenueaufrufErmoeglichen = false;
    TrickLabel2->setContextMenuPolicy(Qt::NoContextMenu);
}

TLernForm& LernForm() {
    static TLernForm* form = new TLernForm;
    return *form;
}

void StartLearning(TMDIChild& window, ModeOrigin origin, TLernForm& form) {
    if (!ClearMarksAndCheckEntries(window)) return;
    CloseEditorsBeforeMode();
    form.SetLearnDocument(&window);
    RunWithListHidden(window, origin, true, form);
}

void RegisterLearnStart() {
    TMDIChild::SetLearnStarter([](TMDIChild& window, ModeOrigin origin) { StartLearning(window, origin, LernForm()); });
}
